#include "reminders/reminderthread.h"
#include "ui/remindersound.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>

namespace {

// The wall clock the tests' reminder threads see: the real one shifted.
std::atomic<qint64> clockShift{0};

qint64 shiftedClock()
{
    return QDateTime::currentMSecsSinceEpoch() + clockShift.load();
}

// Makes the shifted clock read `wall` ("yyyy-MM-dd hh:mm:ss.zzz") now.
void setWallClock(const QString &wall)
{
    const QDateTime value = QDateTime::fromString(wall, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    QVERIFY(value.isValid());
    clockShift = value.toMSecsSinceEpoch() - QDateTime::currentMSecsSinceEpoch();
}

} // namespace

class TestReminderThread : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void ticksReachTheGuiThreadSaveFirst();
    void stopEndsTheWaitAtOnce();
    void noTickAfterStop();
    void stopBeforeStartRunsNoTick();
    void destructorStopsARunningThread();
    void ticksFollowTheWallClock_data();
    void ticksFollowTheWallClock();

    void soundWithoutFileIsRefused_data();
    void soundWithoutFileIsRefused();
    void soundPlaysWithoutBlocking_data();
    void soundPlaysWithoutBlocking();
};

void TestReminderThread::cleanup()
{
    ReminderThread::setTickIntervalForTesting(0);
    ReminderThread::setWallClockForTesting(nullptr);
    ReminderSound::setPlaybackTimeoutForTesting(0);
}

void TestReminderThread::ticksReachTheGuiThreadSaveFirst()
{
    ReminderThread::setTickIntervalForTesting(20);
    ReminderThread thread;
    QStringList order;
    QList<QThread *> receivingThreads;
    connect(&thread, &ReminderThread::saveRequested, this, [&] {
        order << QStringLiteral("save");
        receivingThreads << QThread::currentThread();
    });
    connect(&thread, &ReminderThread::reminderCheck, this, [&] {
        order << QStringLiteral("check");
        receivingThreads << QThread::currentThread();
    });

    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(order.size() >= 8, 5000);
    thread.requestStop();
    QVERIFY(thread.wait(2000));
    QCoreApplication::processEvents();

    QCOMPARE(order.size(), thread.tickCount() * 2);
    for (int index = 0; index < order.size(); ++index)
        QCOMPARE(order.at(index),
                 index % 2 == 0 ? QStringLiteral("save") : QStringLiteral("check"));
    for (QThread *receiver : receivingThreads)
        QCOMPARE(receiver, QThread::currentThread());
}

void TestReminderThread::stopEndsTheWaitAtOnce()
{
    ReminderThread thread; // the real one-minute interval
    QSignalSpy checks(&thread, &ReminderThread::reminderCheck);
    thread.start();
    QTest::qWait(100);

    QElapsedTimer stopping;
    stopping.start();
    thread.requestStop();
    QVERIFY(thread.wait(5000));
    QVERIFY2(stopping.elapsed() < 1000, qPrintable(QString::number(stopping.elapsed())));
    QCOMPARE(thread.tickCount(), 0);
    QCOMPARE(checks.count(), 0);
}

void TestReminderThread::noTickAfterStop()
{
    ReminderThread::setTickIntervalForTesting(1);
    ReminderThread thread;
    QSignalSpy saves(&thread, &ReminderThread::saveRequested);
    QSignalSpy checks(&thread, &ReminderThread::reminderCheck);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(thread.tickCount() >= 3, 5000);

    thread.requestStop();
    const int ticksAtStop = thread.tickCount();
    QVERIFY(thread.wait(2000));
    QVERIFY(thread.isFinished());
    // A tick under way finishes before requestStop() returns; none starts after.
    QCOMPARE(thread.tickCount(), ticksAtStop);
    const int ticksAfterWait = thread.tickCount();
    QTest::qWait(50);
    QCOMPARE(thread.tickCount(), ticksAfterWait);
    QCOMPARE(saves.count(), ticksAfterWait);
    QCOMPARE(checks.count(), ticksAfterWait);
}

void TestReminderThread::stopBeforeStartRunsNoTick()
{
    ReminderThread::setTickIntervalForTesting(1);
    ReminderThread thread;
    QSignalSpy checks(&thread, &ReminderThread::reminderCheck);
    thread.requestStop();
    thread.start();
    QVERIFY(thread.wait(2000));
    QTest::qWait(20);
    QCOMPARE(thread.tickCount(), 0);
    QCOMPARE(checks.count(), 0);
}

void TestReminderThread::destructorStopsARunningThread()
{
    auto thread = std::make_unique<ReminderThread>();
    QPointer<ReminderThread> watched(thread.get());
    thread->start();
    QTRY_VERIFY(thread->isRunning());

    QElapsedTimer destroying;
    destroying.start();
    QTest::ignoreMessage(QtDebugMsg, "ReminderThread::~ReminderThread() - Being destroyed!");
    thread.reset();
    QVERIFY(destroying.elapsed() < 1000);
    QVERIFY(watched.isNull());
}

void TestReminderThread::ticksFollowTheWallClock_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("jumpTo"); // empty: the clock runs on undisturbed

    QTest::newRow("started just before a minute") << "2025-05-10 10:00:59.300" << QString();
    QTest::newRow("clock set forward (or a resume) ticks at once") << "2025-05-10 10:00:05.000"
                                                                   << "2025-05-10 13:00:05.000";
    QTest::newRow("clock set back ticks at the new time's minute") << "2025-05-10 10:00:50.000"
                                                                   << "2025-05-10 09:50:59.300";
}

// In each case the first tick is due within a second or two; a plain
// 60-second sleep would bring it only after a minute.
void TestReminderThread::ticksFollowTheWallClock()
{
    QFETCH(QString, start);
    QFETCH(QString, jumpTo);

    ReminderThread::setWallClockForTesting(&shiftedClock);
    setWallClock(start);
    ReminderThread thread; // the real one-minute ticks
    QSignalSpy checks(&thread, &ReminderThread::reminderCheck);
    thread.start();
    if (!jumpTo.isEmpty()) {
        QTest::qWait(200);
        QCOMPARE(thread.tickCount(), 0);
        setWallClock(jumpTo);
    }
    QTRY_COMPARE_WITH_TIMEOUT(thread.tickCount(), 1, 15000);
    thread.requestStop();
    QVERIFY(thread.wait(2000));
    QCOMPARE(checks.count(), 1);
}

void TestReminderThread::soundWithoutFileIsRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("empty name") << QString();
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/folder/notice.wav");
    QTest::newRow("a folder") << QDir::tempPath();
}

void TestReminderThread::soundWithoutFileIsRefused()
{
    QFETCH(QString, file);
    QVERIFY(!playReminderSound(file));
    QCOMPARE(ReminderSound::activePlayerCount(), 0);
}

void TestReminderThread::soundPlaysWithoutBlocking_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("the program's chime") << "chime";
    QTest::newRow("not a sound") << "garbage";
    QTest::newRow("empty file") << "empty";
}

// Whatever the file and whether or not a sound device exists, the call
// returns at once and the player is gone after the playback timeout at most.
void TestReminderThread::soundPlaysWithoutBlocking()
{
    QFETCH(QString, kind);

    QTemporaryDir folder;
    QString file = folder.filePath(QStringLiteral("sound.wav"));
    if (kind == QLatin1String("chime")) {
        file = QStringLiteral(NOTARELLA_APP_DIR "/audio/notice.wav");
        QVERIFY2(QFile::exists(file), qPrintable(file));
    } else {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        if (kind == QLatin1String("garbage"))
            out.write("RIFF this is not a wave file at all, only text pretending to be one");
    }

    ReminderSound::setPlaybackTimeoutForTesting(3000);
    QElapsedTimer call;
    call.start();
    QVERIFY(playReminderSound(file));
    QVERIFY2(call.elapsed() < 1000, qPrintable(QString::number(call.elapsed())));
    QCOMPARE(ReminderSound::activePlayerCount(), 1);
    // Reminders falling due together ring once.
    QVERIFY(playReminderSound(file));
    QCOMPARE(ReminderSound::activePlayerCount(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(ReminderSound::activePlayerCount(), 0, 6000);
    // Once it has ended, the next reminder rings again.
    QVERIFY(playReminderSound(file));
    QCOMPARE(ReminderSound::activePlayerCount(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(ReminderSound::activePlayerCount(), 0, 6000);
}

QTEST_MAIN(TestReminderThread)
#include "tst_reminderthread.moc"
