#include "reminders/remindertiming.h"
#include "reminders/tickschedule.h"

#include <QTest>

namespace {
QDateTime at(const QString &text)
{
    const QDateTime value = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    Q_ASSERT(value.isValid());
    return value;
}
} // namespace

class TestReminderTiming : public QObject
{
    Q_OBJECT

private slots:
    void overdueText_data();
    void overdueText();
    void headline_data();
    void headline();
    void snoozeUntil_data();
    void snoozeUntil();
    void isDue_data();
    void isDue();
    void msecsToNextMinute_data();
    void msecsToNextMinute();
    void tickSchedule_data();
    void tickSchedule();
};

void TestReminderTiming::overdueText_data()
{
    QTest::addColumn<qint64>("minutes");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << qint64(0) << "This sticky is 0 minutes overdue:";
    QTest::newRow("1 keeps minutes") << qint64(1) << "This sticky is 1 minutes overdue:";
    QTest::newRow("2") << qint64(2) << "This sticky is 2 minutes overdue:";
    QTest::newRow("60 stays minutes") << qint64(60) << "This sticky is 60 minutes overdue:";
    QTest::newRow("61") << qint64(61) << "This sticky is 1 hour, 1 minutes overdue:";
    QTest::newRow("120") << qint64(120) << "This sticky is 2 hours, 0 minutes overdue:";
    QTest::newRow("1440 stays hours")
        << qint64(1440) << "This sticky is 24 hours, 0 minutes overdue:";
    QTest::newRow("1441") << qint64(1441) << "This sticky is 1 day, 1 minutes overdue:";
    QTest::newRow("1500 skips hours")
        << qint64(1500) << "This sticky is 1 day, 60 minutes overdue:";
    QTest::newRow("10080 stays days")
        << qint64(10080) << "This sticky is 7 days, 0 minutes overdue:";
    QTest::newRow("10081") << qint64(10081) << "This sticky is 1 week, 1 minutes overdue:";
    QTest::newRow("8 days 2 minutes")
        << qint64(11522) << "This sticky is 1 week, 1 day, 2 minutes overdue:";
    QTest::newRow("1 week 60 minutes")
        << qint64(10140) << "This sticky is 1 week, 60 minutes overdue:";
    QTest::newRow("all units plural")
        << qint64(2 * 10080 + 2 * 1440 + 2 * 60 + 5)
        << "This sticky is 2 weeks, 2 days, 2 hours, 5 minutes overdue:";
    QTest::newRow("a year") << qint64(525600)
                            << "This sticky is 52 weeks, 24 hours, 0 minutes overdue:";
}

void TestReminderTiming::overdueText()
{
    QFETCH(qint64, minutes);
    QFETCH(QString, text);
    QCOMPARE(ReminderTiming::overdueText(minutes), text);
}

void TestReminderTiming::headline_data()
{
    QTest::addColumn<int>("secondsLate");
    QTest::addColumn<QString>("text");

    const QString elapsed = QStringLiteral("<p>This sticky's reminder time has elapsed:</p>");
    QTest::newRow("not yet due") << -30 << elapsed;
    QTest::newRow("on time") << 0 << elapsed;
    QTest::newRow("59 seconds late") << 59 << elapsed;
    QTest::newRow("60 seconds late") << 60 << elapsed;
    QTest::newRow("61 seconds late") << 61 << "This sticky is 1 minutes overdue:";
    QTest::newRow("119 seconds late") << 119 << "This sticky is 1 minutes overdue:";
    QTest::newRow("120 seconds late") << 120 << "This sticky is 2 minutes overdue:";
    QTest::newRow("8 days") << (11522 * 60 + 59)
                            << "This sticky is 1 week, 1 day, 2 minutes overdue:";
}

void TestReminderTiming::headline()
{
    QFETCH(int, secondsLate);
    QFETCH(QString, text);
    const QDateTime now = at(QStringLiteral("2025-05-10 10:00:00.000"));
    QCOMPARE(ReminderTiming::reminderHeadline(now.addSecs(-secondsLate), now), text);
}

void TestReminderTiming::snoozeUntil_data()
{
    QTest::addColumn<QString>("now");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("until");

    QTest::newRow("5 minutes") << "2025-05-10 10:00:37.000" << 5 << "2025-05-10 10:05:00.000";
    QTest::newRow("milliseconds go too")
        << "2025-05-10 10:00:00.999" << 10 << "2025-05-10 10:10:00.000";
    QTest::newRow("over midnight")
        << "2025-05-10 23:59:59.500" << 1440 << "2025-05-11 23:59:00.000";
    QTest::newRow("2 weeks") << "2025-05-10 08:30:12.000" << 20160 << "2025-05-24 08:30:00.000";
}

void TestReminderTiming::snoozeUntil()
{
    QFETCH(QString, now);
    QFETCH(int, minutes);
    QFETCH(QString, until);
    QCOMPARE(ReminderTiming::snoozeUntil(at(now), minutes), at(until));
}

void TestReminderTiming::isDue_data()
{
    QTest::addColumn<QDateTime>("reminder");
    QTest::addColumn<int>("secondsFromReminderToNow");
    QTest::addColumn<bool>("dialogOpen");
    QTest::addColumn<bool>("due");

    const QDateTime reminder = at(QStringLiteral("2025-05-10 10:00:00.000"));
    QTest::newRow("no reminder") << QDateTime() << 0 << false << false;
    QTest::newRow("a second early") << reminder << -1 << false << false;
    QTest::newRow("exactly on time") << reminder << 0 << false << true;
    QTest::newRow("late") << reminder << 3600 << false << true;
    QTest::newRow("dialog already open") << reminder << 3600 << true << false;
}

void TestReminderTiming::isDue()
{
    QFETCH(QDateTime, reminder);
    QFETCH(int, secondsFromReminderToNow);
    QFETCH(bool, dialogOpen);
    QFETCH(bool, due);
    const QDateTime now =
        at(QStringLiteral("2025-05-10 10:00:00.000")).addSecs(secondsFromReminderToNow);
    QCOMPARE(ReminderTiming::isDue(reminder, now, dialogOpen), due);
}

void TestReminderTiming::msecsToNextMinute_data()
{
    QTest::addColumn<QString>("now");
    QTest::addColumn<qint64>("wait");

    QTest::newRow("at a minute's start") << "2025-05-10 10:00:00.000" << qint64(60000);
    QTest::newRow("just after") << "2025-05-10 10:00:00.001" << qint64(59999);
    QTest::newRow("half way") << "2025-05-10 10:00:30.000" << qint64(30000);
    QTest::newRow("just before") << "2025-05-10 10:00:59.999" << qint64(1);
    QTest::newRow("before midnight") << "2025-05-10 23:59:59.500" << qint64(500);
    QTest::newRow("clock before 1970") << "1969-12-31 23:59:59.999" << qint64(1);
}

void TestReminderTiming::msecsToNextMinute()
{
    QFETCH(QString, now);
    QFETCH(qint64, wait);
    QCOMPARE(ReminderTiming::msecsToNextMinute(at(now).toMSecsSinceEpoch()), wait);
}

void TestReminderTiming::tickSchedule_data()
{
    // Each step: the wall clock ("hh:mm:ss.zzz" on the start's day, or a whole
    // date and time) and what the schedule says then: "tick" or the sleep in ms.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("ticks at each minute's start")
        << "10:00:30.000"
        << QStringList{"10:00:30.000 1000", "10:00:59.500 500",  "10:00:59.999 1",
                       "10:01:00.000 tick", "10:01:00.000 1000", "10:01:59.000 1000",
                       "10:02:00.002 tick", "10:02:00.003 1000"};
    QTest::newRow("started at a minute's start waits a whole minute")
        << "10:00:00.000"
        << QStringList{"10:00:00.000 1000", "10:00:59.999 1", "10:01:00.000 tick"};
    QTest::newRow("clock set forward ten minutes ticks at once")
        << "10:00:10.000"
        << QStringList{"10:10:10.000 tick", "10:10:10.010 1000", "10:10:59.900 100",
                       "10:11:00.000 tick"};
    QTest::newRow("resume after hours of suspend ticks at once")
        << "10:00:10.000"
        << QStringList{"2025-05-11 08:30:45.250 tick", "2025-05-11 08:30:59.750 250",
                       "2025-05-11 08:31:00.000 tick"};
    QTest::newRow("clock set back ten minutes ticks at the new time's minute")
        << "10:00:50.000"
        << QStringList{"09:50:50.000 1000", "09:50:59.600 400", "09:51:00.000 tick",
                       "09:51:00.001 1000"};
    QTest::newRow("clock set back across a minute's start during the slice")
        << "10:00:50.000"
        << QStringList{"09:51:00.099 tick", "09:51:00.100 1000", "09:52:00.000 tick"};
    QTest::newRow("clock set back to a slice after a minute's start")
        << "10:00:50.000" << QStringList{"09:51:01.000 1000", "09:51:59.000 1000"};
    QTest::newRow("clock set back to just within a slice after a minute's start")
        << "10:00:50.000" << QStringList{"09:51:00.999 tick", "09:51:01.000 1000"};
    QTest::newRow("clock set back just past the minute before")
        << "10:00:50.000"
        << QStringList{"09:59:59.999 1", "10:00:00.000 tick", "10:00:00.001 1000"};
}

void TestReminderTiming::tickSchedule()
{
    QFETCH(QString, start);
    QFETCH(QStringList, steps);

    const QString day = QStringLiteral("2025-05-10 ");
    TickSchedule schedule(at(day + start).toMSecsSinceEpoch());
    for (const QString &step : steps) {
        const QStringList parts = step.split(QLatin1Char(' '));
        const QString when =
            parts.size() == 3 ? parts[0] + QLatin1Char(' ') + parts[1] : day + parts[0];
        const qint64 now = at(when).toMSecsSinceEpoch();
        const bool tick = schedule.takeTick(now);
        const QString said =
            tick ? QStringLiteral("tick") : QString::number(schedule.sleepBefore(now));
        QCOMPARE(QStringLiteral("%1 %2").arg(when, said),
                 QStringLiteral("%1 %2").arg(when, parts.last()));
    }
}

QTEST_GUILESS_MAIN(TestReminderTiming)
#include "tst_remindertiming.moc"
