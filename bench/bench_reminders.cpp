#include "benchmarks.h"

#include "reminders/periodicschedule.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <cstdio>

namespace {

struct Case
{
    QStringList fields;
    QDateTime now;
};

// Average microseconds per nextMatch() call over `rounds` passes of `cases`.
double microsecondsPerCall(const QList<Case> &cases, int rounds)
{
    QList<PeriodicSchedule> schedules;
    for (const Case &entry : cases)
        schedules << *PeriodicSchedule::fromFieldTexts(entry.fields);

    qint64 checksum = 0;
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round) {
        for (int index = 0; index < cases.size(); ++index) {
            const auto next = schedules.at(index).nextMatch(cases.at(index).now);
            checksum += next ? next->toSecsSinceEpoch() : 0;
        }
    }
    const qint64 elapsed = timer.nsecsElapsed();
    if (checksum == 0)
        std::printf("no pattern matched\n");
    return double(elapsed) / 1000.0 / double(rounds * cases.size());
}

QDateTime at(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

} // namespace

void benchReminders()
{
    // Patterns people set: every working day, every quarter hour, monthly,
    // yearly, Friday the 13th, started at various moments.
    const QList<Case> ordinary = {
        {{"0", "9", "", "", "1-5"}, at(2025, 1, 17, 10, 0, 12)},
        {{"*/15", "", "", "", ""}, at(2025, 3, 10, 14, 44, 59)},
        {{"30", "8", "1", "", ""}, at(2025, 5, 20, 8, 31, 0)},
        {{"0", "0", "1", "1", ""}, at(2025, 6, 1, 0, 0, 0)},
        {{"0", "8", "13", "", "5"}, at(2025, 1, 1, 0, 0, 0)},
        {{"0", "8-18/2", "", "", ""}, at(2025, 11, 30, 18, 30, 0)},
        {{"", "", "", "", ""}, at(2025, 12, 31, 23, 59, 30)},
        {{"45", "23", "28-31", "", "7"}, at(2025, 2, 1, 12, 0, 0)},
    };
    // The longest searches that still succeed: 29 February on a given weekday
    // is 40 years away from the right start (2072 to 2112 across 2100).
    const QList<Case> worst = {
        {{"0", "0", "29", "2", "1"}, at(2073, 1, 1, 0, 0, 0)},
        {{"59", "23", "29", "2", "3"}, at(2289, 1, 1, 0, 0, 0)},
        {{"*/30", "12", "29", "2", "6"}, at(2077, 3, 1, 0, 0, 0)},
    };

    std::printf("figure: next_match_ordinary %.2f us_per_call\n",
                microsecondsPerCall(ordinary, 2000));
    std::printf("figure: next_match_worst %.2f us_per_call\n", microsecondsPerCall(worst, 300));
}
