#include "reminders/tickschedule.h"

#include <algorithm>

TickSchedule::TickSchedule(qint64 nowMs, qint64 minuteMs)
    : m_minuteMs(minuteMs), m_nextTick(nowMs + ReminderTiming::msecsToNextMinute(nowMs, minuteMs))
{
}

bool TickSchedule::takeTick(qint64 nowMs)
{
    if (m_nextTick - nowMs > m_minuteMs) {
        // The clock went back. During the slice just slept its new time may
        // have passed a minute's start: that minute still gets its tick.
        const qint64 sliceStart = nowMs - std::min(SliceMs, m_minuteMs);
        m_nextTick = sliceStart + ReminderTiming::msecsToNextMinute(sliceStart, m_minuteMs);
    }
    if (nowMs < m_nextTick)
        return false;
    m_nextTick = nowMs + ReminderTiming::msecsToNextMinute(nowMs, m_minuteMs);
    return true;
}

qint64 TickSchedule::sleepBefore(qint64 nowMs) const
{
    return std::clamp(m_nextTick - nowMs, qint64(1), SliceMs);
}
