#include "reminders/reminderthread.h"

#include "base/tracing.h"

#include <QDeadlineTimer>

namespace {
constexpr int kDefaultTickInterval = 60 * 1000;
std::atomic<int> tickIntervalMs{kDefaultTickInterval};
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

void ReminderThread::run()
{
    int counter = 0;
    QMutexLocker locker(&m_mutex);
    while (!m_stopRequested) {
        const QDeadlineTimer deadline(tickInterval());
        while (!m_stopRequested && m_stopCondition.wait(&m_mutex, deadline)) {
            // woken early without a stop request: keep waiting for the deadline
        }
        // The mutex is held from this check through both emissions, so a
        // stop requested now waits until the tick is complete and no later
        // tick starts.
        if (m_stopRequested)
            break;
        ++counter;
        m_tickCount = counter;
        qCDebug(lcReminders) << "ReminderThread::run(" << counter << ")";
        emit saveRequested();
        emit reminderCheck();
    }
}
