#include "reminders/reminderthread.h"

#include "base/tracing.h"
#include "reminders/tickschedule.h"

#include <QDateTime>
#include <QDeadlineTimer>

namespace {
constexpr int kDefaultTickInterval = int(ReminderTiming::kMinuteMs);
std::atomic<int> tickIntervalMs{kDefaultTickInterval};
std::atomic<ReminderThread::WallClock> wallClock{nullptr};

qint64 wallClockNow()
{
    const ReminderThread::WallClock clock = wallClock.load();
    return clock ? clock() : QDateTime::currentMSecsSinceEpoch();
}
} // namespace

ReminderThread::ReminderThread(QObject *parent) : QThread(parent)
{
}

ReminderThread::~ReminderThread()
{
    qCDebug(lcReminders) << "ReminderThread::~ReminderThread() - Being destroyed!";
    if (isRunning()) {
        requestStop();
        wait();
    }
}

void ReminderThread::requestStop()
{
    m_stopRequested = true;
    // From inside the loop (a directly connected slot) the mutex is already
    // held and nobody is waiting: the flag alone ends the loop.
    if (QThread::currentThread() == this)
        return;
    const QMutexLocker locker(&m_mutex);
    m_stopCondition.wakeAll();
}

void ReminderThread::setTickIntervalForTesting(int milliseconds)
{
    tickIntervalMs = milliseconds > 0 ? milliseconds : kDefaultTickInterval;
}

int ReminderThread::tickInterval()
{
    return tickIntervalMs.load();
}

void ReminderThread::setWallClockForTesting(WallClock clock)
{
    wallClock = clock;
}

void ReminderThread::run()
{
    int counter = 0;
    TickSchedule schedule(wallClockNow(), tickInterval());
    QMutexLocker locker(&m_mutex);
    while (!m_stopRequested) {
        const qint64 now = wallClockNow();
        if (!schedule.takeTick(now)) {
            // Woken by a stop request, at the end of the slice or spuriously:
            // the loop reads the wall clock again in every case.
            m_stopCondition.wait(&m_mutex,
                                 QDeadlineTimer(schedule.sleepBefore(now), Qt::PreciseTimer));
            continue;
        }
        // The mutex is held from the stop check through both emissions, so a
        // stop requested now waits until the tick is complete and no later
        // tick starts.
        ++counter;
        m_tickCount = counter;
        qCDebug(lcReminders) << "ReminderThread::run(" << counter << ")";
        emit saveRequested();
        emit reminderCheck();
    }
}
