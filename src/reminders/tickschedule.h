#pragma once

#include "reminders/remindertiming.h"

#include <QtGlobal>

// When the reminder tick runs: at the start of every wall-clock minute.
// The tick thread sleeps against a steady clock, which follows neither a
// change of the wall clock nor (on Linux) the time spent in suspend. So it
// sleeps in slices of at most SliceMs and asks again after each: a clock set
// forward or a resume ticks at once, a clock set back ticks at the next
// minute of the new time, and an undisturbed tick comes right at its minute.
class TickSchedule
{
public:
    static constexpr qint64 SliceMs = 1000;

    // The first tick comes at the minute after `nowMs` (wall clock, since 1970).
    explicit TickSchedule(qint64 nowMs, qint64 minuteMs = ReminderTiming::kMinuteMs);

    // Whether the tick is due at `nowMs`; if so, the next one is planned for
    // the following minute. A clock set back by more than a minute plans the
    // tick anew for the first minute's start of the new time that the last
    // slice may have passed, or else the next one.
    bool takeTick(qint64 nowMs);
    // How long to sleep at `nowMs` before asking again: until the planned
    // tick, but at most one slice and at least 1 ms.
    qint64 sleepBefore(qint64 nowMs) const;
    qint64 nextTickAt() const { return m_nextTick; }

private:
    qint64 m_minuteMs;
    qint64 m_nextTick;
};
