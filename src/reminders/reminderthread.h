#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

// The once-a-minute reminder tick, at the start of each wall-clock minute
// (see TickSchedule). Each tick emits saveRequested() and then
// reminderCheck(); receivers living in the GUI thread get both queued, in that
// order, so the notes are saved before that tick's reminder checks run.
// The wait between ticks ends at once when a stop is requested.
class ReminderThread : public QThread
{
    Q_OBJECT

public:
    explicit ReminderThread(QObject *parent = nullptr);
    // Stops the loop and waits for it if the owner has not done so already.
    ~ReminderThread() override;

    // Ends the loop promptly; no tick starts after this call. Follow with wait().
    void requestStop();
    // Ticks run so far.
    int tickCount() const { return m_tickCount.load(); }

    // Tests shorten the minute the ticks align to; 0 or less restores it.
    static void setTickIntervalForTesting(int milliseconds);
    static int tickInterval();
    // Tests replace the wall clock (milliseconds since 1970); nullptr restores it.
    using WallClock = qint64 (*)();
    static void setWallClockForTesting(WallClock clock);

signals:
    void saveRequested();
    void reminderCheck();

protected:
    void run() override;

private:
    QMutex m_mutex;
    QWaitCondition m_stopCondition;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<int> m_tickCount{0};
};
