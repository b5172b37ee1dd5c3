#include "reminders/periodicschedule.h"
#include "reminders/periodicwords.h"

#include <QTest>

#include <ctime>

using Field = PeriodicSchedule::Field;

namespace {

// Central European rules written out, so the tests need no zone database:
// summer time from the last Sunday of March 02:00 to the last Sunday of
// October 03:00.
constexpr char kCentralEurope[] = "CET-1CEST,M3.5.0,M10.5.0/3";

QDateTime local(const QString &text)
{
    const QString format = text.size() > 16 ? QStringLiteral("yyyy-MM-dd HH:mm:ss")
                                            : QStringLiteral("yyyy-MM-dd HH:mm");
    const QDateTime value = QDateTime::fromString(text, format);
    Q_ASSERT(value.isValid());
    return value;
}

QDateTime utc(const QString &text)
{
    QDateTime value = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    value.setTimeSpec(Qt::UTC);
    return value;
}

QList<int> allowedValues(const PeriodicSchedule &schedule, Field field)
{
    QList<int> values;
    for (int value = PeriodicSchedule::lowestValue(field);
         value <= PeriodicSchedule::highestValue(field); ++value) {
        if (schedule.allows(field, value))
            values << value;
    }
    return values;
}

QList<int> valueList(const QString &text)
{
    QList<int> values;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        values << part.toInt();
    return values;
}

QStringList fieldsOnly(Field field, const QString &text)
{
    QStringList texts(PeriodicSchedule::FieldCount, QString());
    texts[field] = text;
    return texts;
}

} // namespace

class TestPeriodicSchedule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void parsesGoodFields_data();
    void parsesGoodFields();
    void rejectsBadFieldsNamingTheField_data();
    void rejectsBadFieldsNamingTheField();

    void storedPatternRoundTrip_data();
    void storedPatternRoundTrip();
    void storedPatternStaysShort();
    void rejectsBadStoredPatterns_data();
    void rejectsBadStoredPatterns();

    void nextMatch_data();
    void nextMatch();
    void nextMatchAgreesWithMinuteByMinuteSearch_data();
    void nextMatchAgreesWithMinuteByMinuteSearch();
    void refusesUnsatisfiablePatterns_data();
    void refusesUnsatisfiablePatterns();

    void daylightSavingChanges_data();
    void daylightSavingChanges();

    void saidInWords_data();
    void saidInWords();
    void storedPatternSaidInWords_data();
    void storedPatternSaidInWords();
};

void TestPeriodicSchedule::initTestCase()
{
    qputenv("TZ", kCentralEurope);
    tzset();
    // The rules must be in force, or the daylight-saving cases prove nothing.
    QCOMPARE(local(QStringLiteral("2025-01-15 12:00")).offsetFromUtc(), 3600);
    QCOMPARE(local(QStringLiteral("2025-07-15 12:00")).offsetFromUtc(), 7200);
}

void TestPeriodicSchedule::parsesGoodFields_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("values"); // "all" or a comma-separated list

    QTest::newRow("initial text") << int(PeriodicSchedule::Minutes) << "Every Minute"
                                  << "all";
    QTest::newRow("initial text, any case") << int(PeriodicSchedule::Weekdays) << "  every weekday "
                                            << "all";
    QTest::newRow("empty") << int(PeriodicSchedule::Hours) << ""
                           << "all";
    QTest::newRow("blank") << int(PeriodicSchedule::Hours) << "   "
                           << "all";
    QTest::newRow("star") << int(PeriodicSchedule::Days) << "*"
                          << "all";
    QTest::newRow("full range") << int(PeriodicSchedule::Months) << "1-12"
                                << "all";
    QTest::newRow("single") << int(PeriodicSchedule::Minutes) << " 5 "
                            << "5";
    QTest::newRow("leading zero") << int(PeriodicSchedule::Minutes) << "05"
                                  << "5";
    QTest::newRow("list") << int(PeriodicSchedule::Minutes) << "1,15,30"
                          << "1,15,30";
    QTest::newRow("list with blanks") << int(PeriodicSchedule::Minutes) << "30 , 1,  15"
                                      << "1,15,30";
    QTest::newRow("range") << int(PeriodicSchedule::Hours) << "9-17"
                           << "9,10,11,12,13,14,15,16,17";
    QTest::newRow("one-value range") << int(PeriodicSchedule::Hours) << "10-10"
                                     << "10";
    QTest::newRow("step over all") << int(PeriodicSchedule::Minutes) << "*/15"
                                   << "0,15,30,45";
    QTest::newRow("step over range") << int(PeriodicSchedule::Hours) << "8-18/2"
                                     << "8,10,12,14,16,18";
    QTest::newRow("step from lowest day") << int(PeriodicSchedule::Days) << "*/10"
                                          << "1,11,21,31";
    QTest::newRow("step longer than range") << int(PeriodicSchedule::Weekdays) << "*/7"
                                            << "1";
    QTest::newRow("mixed") << int(PeriodicSchedule::Minutes) << "0-10/5,45,50-52"
                           << "0,5,10,45,50,51,52";
    QTest::newRow("highest values") << int(PeriodicSchedule::Days) << "31"
                                    << "31";
    QTest::newRow("sunday") << int(PeriodicSchedule::Weekdays) << "7"
                            << "7";
    QTest::newRow("december") << int(PeriodicSchedule::Months) << "12"
                              << "12";
}

void TestPeriodicSchedule::parsesGoodFields()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, values);

    QString error;
    const auto schedule = PeriodicSchedule::fromFieldTexts(fieldsOnly(Field(field), text), &error);
    QVERIFY2(schedule, qPrintable(error));

    QList<int> expected;
    if (values == QLatin1String("all")) {
        for (int v = PeriodicSchedule::lowestValue(Field(field));
             v <= PeriodicSchedule::highestValue(Field(field)); ++v)
            expected << v;
    } else {
        expected = valueList(values);
    }
    QCOMPARE(allowedValues(*schedule, Field(field)), expected);
}

void TestPeriodicSchedule::rejectsBadFieldsNamingTheField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("culprit");

    const int minutes = PeriodicSchedule::Minutes;
    QTest::newRow("minute 60") << minutes << "60"
                               << "Minutes"
                               << "60";
    QTest::newRow("negative") << minutes << "-1"
                              << "Minutes"
                              << "-1";
    QTest::newRow("word") << minutes << "soon"
                          << "Minutes"
                          << "soon";
    QTest::newRow("other field's text") << minutes << "Every Hour"
                                        << "Minutes"
                                        << "EveryHour";
    QTest::newRow("open range") << minutes << "5-"
                                << "Minutes"
                                << "5-";
    QTest::newRow("empty item") << minutes << "1,,2"
                                << "Minutes"
                                << "1,,2";
    QTest::newRow("trailing comma") << minutes << "1,"
                                    << "Minutes"
                                    << "1,";
    QTest::newRow("step zero") << minutes << "*/0"
                               << "Minutes"
                               << "*/0";
    QTest::newRow("step without range") << minutes << "5/15"
                                        << "Minutes"
                                        << "5/15";
    QTest::newRow("missing step") << minutes << "*/"
                                  << "Minutes"
                                  << "*/";
    QTest::newRow("backward range") << minutes << "10-5"
                                    << "Minutes"
                                    << "10-5";
    QTest::newRow("huge number") << minutes << "99999999999"
                                 << "Minutes"
                                 << "99999999999";
    // Numbers beyond a field's reach are refused before any arithmetic: a
    // step near INT_MAX once wrapped around and allowed the wrong minutes.
    QTest::newRow("huge step") << minutes << "5-10/99999999999"
                               << "Minutes"
                               << "5-10/99999999999";
    QTest::newRow("int max step") << minutes << "59-59/2147483647"
                                  << "Minutes"
                                  << "59-59/2147483647";
    QTest::newRow("step longer than the field") << int(PeriodicSchedule::Hours) << "*/25"
                                                << "Hours"
                                                << "*/25";
    QTest::newRow("huge range end") << minutes << "0-4294967301"
                                    << "Minutes"
                                    << "0-4294967301";
    QTest::newRow("decimal") << minutes << "1.5"
                             << "Minutes"
                             << "1.5";
    QTest::newRow("separator of the stored form") << minutes << "1|2"
                                                  << "Minutes"
                                                  << "1|2";
    QTest::newRow("hour 24") << int(PeriodicSchedule::Hours) << "24"
                             << "Hours"
                             << "24";
    QTest::newRow("range past 23") << int(PeriodicSchedule::Hours) << "20-25"
                                   << "Hours"
                                   << "20-25";
    QTest::newRow("day 0") << int(PeriodicSchedule::Days) << "0"
                           << "Days"
                           << "0";
    QTest::newRow("day 32") << int(PeriodicSchedule::Days) << "1,32"
                            << "Days"
                            << "32";
    QTest::newRow("month 0") << int(PeriodicSchedule::Months) << "0"
                             << "Months"
                             << "0";
    QTest::newRow("month 13") << int(PeriodicSchedule::Months) << "13"
                              << "Months"
                              << "13";
    QTest::newRow("weekday 0") << int(PeriodicSchedule::Weekdays) << "0"
                               << "Weekdays"
                               << "0";
    QTest::newRow("weekday 8") << int(PeriodicSchedule::Weekdays) << "8"
                               << "Weekdays"
                               << "8";
}

void TestPeriodicSchedule::rejectsBadFieldsNamingTheField()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, fieldName);
    QFETCH(QString, culprit);

    QString error;
    QVERIFY(!PeriodicSchedule::fromFieldTexts(fieldsOnly(Field(field), text), &error));
    QVERIFY2(error.startsWith(fieldName + QLatin1Char(':')), qPrintable(error));
    QVERIFY2(error.contains(culprit), qPrintable(error));
}

void TestPeriodicSchedule::storedPatternRoundTrip_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("mask");

    QTest::newRow("initial texts")
        << QStringList{"Every Minute", "Every Hour", "Every Day", "Every Month", "Every Weekday"}
        << "|*|*|*|*|*";
    QTest::newRow("working days at nine")
        << QStringList{"0", "9", "Every Day", "Every Month", "1-5"} << "|0|9|*|*|1-5";
    QTest::newRow("steps kept as written")
        << QStringList{"*/15", "8-18/2", "", "", ""} << "|*/15|8-18/2|*|*|*";
    QTest::newRow("blanks removed")
        << QStringList{" 1, 2 ", "3 - 5", "", "", ""} << "|1,2|3-5|*|*|*";
    QTest::newRow("repeats shortened")
        << QStringList{"1,1,1,1,1,1", "5,6,7,8", "", "", ""} << "|1|5-8|*|*|*";
    QTest::newRow("full range is any")
        << QStringList{"0-59", "*/1", "1-31", "1-12", "1-7"} << "|*|*|*|*|*";
    QTest::newRow("friday the 13th") << QStringList{"0", "8", "13", "*", "5"} << "|0|8|13|*|5";
}

void TestPeriodicSchedule::storedPatternRoundTrip()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, mask);

    QString error;
    const auto schedule = PeriodicSchedule::fromFieldTexts(texts, &error);
    QVERIFY2(schedule, qPrintable(error));
    QCOMPARE(schedule->toMask(), mask);
    QVERIFY(PeriodicSchedule::isPeriodicMask(mask));

    const auto reread = PeriodicSchedule::fromMask(mask, &error);
    QVERIFY2(reread, qPrintable(error));
    QCOMPARE(reread->toMask(), mask);
    QCOMPARE(reread->fieldTexts(), schedule->fieldTexts());
    for (int index = 0; index < PeriodicSchedule::FieldCount; ++index)
        QCOMPARE(allowedValues(*reread, Field(index)), allowedValues(*schedule, Field(index)));

    // The field texts fill the dialog again and give the same pattern.
    const auto refilled = PeriodicSchedule::fromFieldTexts(reread->fieldTexts(), &error);
    QVERIFY2(refilled, qPrintable(error));
    QCOMPARE(refilled->toMask(), mask);
}

void TestPeriodicSchedule::storedPatternStaysShort()
{
    // Every other value in every field is the longest list there is; long
    // repetitive input is stored in its short form.
    const QStringList texts = {
        "0,2,4,6,8,10,12,14,16,18,20,22,24,26,28,30,32,34,36,38,40,42,44,46,48,50,52,54,56,58",
        "0,2,4,6,8,10,12,14,16,18,20,22",
        "1,3,5,7,9,11,13,15,17,19,21,23,25,27,29,31",
        "1,3,5,7,9,11",
        "1,3,5,7",
    };
    const auto longest = PeriodicSchedule::fromFieldTexts(texts);
    QVERIFY(longest);
    QVERIFY2(longest->toMask().size() <= 200, qPrintable(longest->toMask()));

    const QString repeated = QStringList(400, QStringLiteral("7")).join(QLatin1Char(','));
    const auto shortened = PeriodicSchedule::fromFieldTexts({repeated, "", "", "", ""});
    QVERIFY(shortened);
    QCOMPARE(shortened->toMask(), QStringLiteral("|7|*|*|*|*"));
}

void TestPeriodicSchedule::rejectsBadStoredPatterns_data()
{
    QTest::addColumn<QString>("mask");
    QTest::newRow("empty") << "";
    QTest::newRow("no leading bar") << "0|9|*|*|*";
    QTest::newRow("four fields") << "|0|9|*|*";
    QTest::newRow("six fields") << "|0|9|*|*|*|*";
    QTest::newRow("value out of range") << "|60|*|*|*|*";
    QTest::newRow("garbage") << "|what|is|this|?|!";
}

void TestPeriodicSchedule::rejectsBadStoredPatterns()
{
    QFETCH(QString, mask);
    QString error;
    QVERIFY(!PeriodicSchedule::fromMask(mask, &error));
    QVERIFY(!error.isEmpty());
}

void TestPeriodicSchedule::nextMatch_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("now");
    QTest::addColumn<QString>("expected");

    const QStringList every = {"", "", "", "", ""};
    QTest::newRow("every minute") << every << "2025-01-15 10:00:37"
                                  << "2025-01-15 10:01";
    QTest::newRow("strictly after now") << every << "2025-01-15 10:00:00"
                                        << "2025-01-15 10:01";
    QTest::newRow("over midnight into a new month") << every << "2025-01-31 23:59:30"
                                                    << "2025-02-01 00:00";
    QTest::newRow("new year") << every << "2025-12-31 23:59:00"
                              << "2026-01-01 00:00";
    QTest::newRow("working days at nine, from friday")
        << QStringList{"0", "9", "", "", "1-5"} << "2025-01-17 10:00:00"
        << "2025-01-20 09:00";
    QTest::newRow("working days at nine, same day")
        << QStringList{"0", "9", "", "", "1-5"} << "2025-01-16 08:59:59"
        << "2025-01-16 09:00";
    QTest::newRow("quarter hours") << QStringList{"*/15", "", "", "", ""} << "2025-01-15 10:44:59"
                                   << "2025-01-15 10:45";
    QTest::newRow("quarter hours, on the match")
        << QStringList{"*/15", "", "", "", ""} << "2025-01-15 10:45:00"
        << "2025-01-15 11:00";
    QTest::newRow("minute list over the hour")
        << QStringList{"5,50", "", "", "", ""} << "2025-01-15 10:51:00"
        << "2025-01-15 11:05";
    QTest::newRow("even hours to the next day")
        << QStringList{"0", "8-18/2", "", "", ""} << "2025-01-15 18:30:00"
        << "2025-01-16 08:00";
    QTest::newRow("31st skips short months")
        << QStringList{"30", "23", "31", "", ""} << "2025-04-30 12:00:00"
        << "2025-05-31 23:30";
    QTest::newRow("30th skips february")
        << QStringList{"0", "0", "30", "2,4", ""} << "2025-01-01 00:00:00"
        << "2025-04-30 00:00";
    QTest::newRow("first of the year")
        << QStringList{"0", "0", "1", "1", ""} << "2025-06-01 00:00:00"
        << "2026-01-01 00:00";
    QTest::newRow("29 february, next leap year")
        << QStringList{"0", "12", "29", "2", ""} << "2025-03-01 00:00:00"
        << "2028-02-29 12:00";
    QTest::newRow("29 february, 2100 is no leap year")
        << QStringList{"0", "12", "29", "2", ""} << "2097-03-01 00:00:00"
        << "2104-02-29 12:00";
    QTest::newRow("29 february, 2000 is a leap year")
        << QStringList{"0", "12", "29", "2", ""} << "1997-03-01 00:00:00"
        << "2000-02-29 12:00";
    QTest::newRow("friday the 13th")
        << QStringList{"0", "8", "13", "", "5"} << "2025-01-01 00:00:00"
        << "2025-06-13 08:00";
    QTest::newRow("31st on a sunday")
        << QStringList{"0", "0", "31", "", "7"} << "2025-01-01 00:00:00"
        << "2025-08-31 00:00";
    QTest::newRow("29 february on a monday")
        << QStringList{"0", "0", "29", "2", "1"} << "2025-01-01 00:00:00"
        << "2044-02-29 00:00";
    QTest::newRow("29 february on a monday, across 2100")
        << QStringList{"0", "0", "29", "2", "1"} << "2073-01-01 00:00:00"
        << "2112-02-29 00:00";
    QTest::newRow("last minute of the year on a wednesday")
        << QStringList{"59", "23", "31", "12", "3"} << "2025-01-01 00:00:00"
        << "2025-12-31 23:59";
}

void TestPeriodicSchedule::nextMatch()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, now);
    QFETCH(QString, expected);

    QString error;
    const auto schedule = PeriodicSchedule::fromFieldTexts(texts, &error);
    QVERIFY2(schedule, qPrintable(error));
    const auto next = schedule->nextMatch(local(now), &error);
    QVERIFY2(next, qPrintable(error));
    QCOMPARE(next->toString(QStringLiteral("yyyy-MM-dd HH:mm")), expected);
    QCOMPARE(next->time().second(), 0);
    QCOMPARE(next->time().msec(), 0);
    QVERIFY(schedule->matches(next->date(), next->time()));
}

void TestPeriodicSchedule::nextMatchAgreesWithMinuteByMinuteSearch_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("now");

    const QList<QStringList> patterns = {
        {"*/7", "", "", "", ""},        {"0", "*/5", "", "", ""},
        {"15", "3", "", "", "6,7"},     {"59", "23", "28-31", "", ""},
        {"0", "12", "1,15", "", "1-5"}, {"30", "2", "", "", ""},
        {"0-5", "0", "", "", "3"},      {"10,20", "1-3", "*/2", "*/3", ""},
    };
    const QStringList starts = {"2025-03-28 22:17:45", "2025-02-27 23:59:59",
                                "2025-12-31 23:58:00"};
    for (const QStringList &pattern : patterns) {
        for (const QString &start : starts) {
            QTest::addRow("%s from %s", qPrintable(pattern.join(QLatin1Char(' '))),
                          qPrintable(start))
                << pattern << start;
        }
    }
}

// Checks the field-by-field search against the obvious one: every minute
// after `now`, in real time, until one matches (the spring change lies in
// the searched span; the autumn repeat is tested on its own below).
void TestPeriodicSchedule::nextMatchAgreesWithMinuteByMinuteSearch()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, now);

    const auto schedule = PeriodicSchedule::fromFieldTexts(texts);
    QVERIFY(schedule);
    const QDateTime start = local(now);
    const auto next = schedule->nextMatch(start);
    QVERIFY(next);

    const qint64 firstMinute = (start.toSecsSinceEpoch() / 60 + 1) * 60;
    const qint64 window = 70 * 24 * 60;
    std::optional<qint64> found;
    for (qint64 step = 0; step < window && !found; ++step) {
        const QDateTime candidate =
            QDateTime::fromSecsSinceEpoch(firstMinute + step * 60, Qt::LocalTime);
        if (schedule->matches(candidate.date(), candidate.time()))
            found = candidate.toSecsSinceEpoch();
    }
    if (found)
        QCOMPARE(next->toSecsSinceEpoch(), *found);
    else
        QVERIFY(next->toSecsSinceEpoch() >= firstMinute + window * 60);
}

void TestPeriodicSchedule::refusesUnsatisfiablePatterns_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("messagePart");

    QTest::newRow("31 february") << QStringList{"0", "0", "31", "2", ""} << "chosen months";
    QTest::newRow("30 february") << QStringList{"", "", "30", "2", ""} << "chosen months";
    QTest::newRow("30-31 february") << QStringList{"", "", "30-31", "2", "1"} << "chosen months";
    QTest::newRow("31st of the short months")
        << QStringList{"", "", "31", "4,6,9,11", ""} << "chosen months";
    // Summer time starts at 02:00 on the last Sunday of March: 02:30 on that
    // day never shows on the clock.
    QTest::newRow("only a skipped clock time")
        << QStringList{"30", "2", "25-31", "3", "7"} << "400 years";
}

void TestPeriodicSchedule::refusesUnsatisfiablePatterns()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, messagePart);

    const auto schedule = PeriodicSchedule::fromFieldTexts(texts);
    QVERIFY(schedule);
    QString error;
    QVERIFY(!schedule->nextMatch(local(QStringLiteral("2025-01-01 00:00")), &error));
    QVERIFY2(error.contains(messagePart), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("never")), qPrintable(error));
}

void TestPeriodicSchedule::daylightSavingChanges_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("nowUtc");
    QTest::addColumn<QString>("expected"); // local clock
    QTest::addColumn<int>("expectedOffset");
    QTest::addColumn<int>("secondsAfterNow");

    const QStringList every = {"", "", "", "", ""};
    const QStringList halfPastTwo = {"30", "2", "", "", ""};

    // 30 March 2025: the clock jumps from 02:00 CET to 03:00 CEST.
    QTest::newRow("spring: every minute jumps the gap") << every << "2025-03-30 00:59:10"
                                                        << "2025-03-30 03:00" << 7200 << 50;
    QTest::newRow("spring: skipped time waits a day")
        << halfPastTwo << "2025-03-29 23:00:00"
        << "2025-03-31 02:30" << 7200 << (24 + 1) * 3600 + 30 * 60;
    // 26 October 2025: the clock goes back from 03:00 CEST to 02:00 CET; the
    // repeated hour counts once, at its first occurrence.
    QTest::newRow("autumn: first occurrence") << halfPastTwo << "2025-10-25 22:00:00"
                                              << "2025-10-26 02:30" << 7200 << 2 * 3600 + 30 * 60;
    QTest::newRow("autumn: the repeat does not count again")
        << halfPastTwo << "2025-10-26 00:30:00"
        << "2025-10-27 02:30" << 3600 << (24 + 1) * 3600;
    QTest::newRow("autumn: every minute skips the repeated hour")
        << every << "2025-10-26 00:59:30"
        << "2025-10-26 03:00" << 3600 << 3600 + 30;
    QTest::newRow("autumn: within the repeated hour") << every << "2025-10-26 01:10:00"
                                                      << "2025-10-26 03:00" << 3600 << 50 * 60;
}

void TestPeriodicSchedule::daylightSavingChanges()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, nowUtc);
    QFETCH(QString, expected);
    QFETCH(int, expectedOffset);
    QFETCH(int, secondsAfterNow);

    const auto schedule = PeriodicSchedule::fromFieldTexts(texts);
    QVERIFY(schedule);
    const QDateTime now = utc(nowUtc);
    QString error;
    const auto next = schedule->nextMatch(now, &error);
    QVERIFY2(next, qPrintable(error));
    QCOMPARE(next->toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")), expected);
    QCOMPARE(next->offsetFromUtc(), expectedOffset);
    QCOMPARE(now.secsTo(*next), qint64(secondsAfterNow));
}

void TestPeriodicSchedule::saidInWords_data()
{
    QTest::addColumn<QString>("fields"); // the five fields, separated by "|"
    QTest::addColumn<QString>("words");
    QTest::newRow("every minute") << "*|*|*|*|*"
                                  << "every minute";
    QTest::newRow("dialog's own texts") << "Every Minute|Every Hour|Every Day|Every Month|"
                                           "Every Weekday"
                                        << "every minute";
    QTest::newRow("every 15 minutes") << "*/15|*|*|*|*"
                                      << "every 15 minutes";
    QTest::newRow("the same as a list") << "0,15,30,45|*|*|*|*"
                                        << "every 15 minutes";
    QTest::newRow("every 30 minutes") << "*/30|*|*|*|*"
                                      << "every 30 minutes";
    // 0, 7, ..., 56 then 0 again: not every 7 minutes across the hour.
    QTest::newRow("step not dividing the hour")
        << "*/7|*|*|*|*"
        << "Minutes */7, Hours any, Days any, Months any, Weekdays any";
    QTest::newRow("steps from 5")
        << "5-59/15|*|*|*|*"
        << "Minutes 5-59/15, Hours any, Days any, Months any, Weekdays any";
    QTest::newRow("on the hour") << "0|*|*|*|*"
                                 << "every hour on the hour";
    QTest::newRow("every hour at minute 5") << "5|*|*|*|*"
                                            << "every hour at minute 5";
    QTest::newRow("two minutes each hour")
        << "5,35|*|*|*|*"
        << "Minutes 5,35, Hours any, Days any, Months any, Weekdays any";
    QTest::newRow("every day") << "30|7|*|*|*"
                               << "every day at 7:30";
    QTest::newRow("midnight") << "0|0|*|*|*"
                              << "every day at 0:00";
    QTest::newRow("two times") << "0|9,17|*|*|*"
                               << "every day at 9:00 and 17:00";
    QTest::newRow("six times") << "0,30|8-10|*|*|*"
                               << "every day at 8:00, 8:30, 9:00, 9:30, 10:00 and 10:30";
    QTest::newRow("seven times are fields")
        << "0|8-14|*|*|*"
        << "Minutes 0, Hours 8-14, Days any, Months any, Weekdays any";
    QTest::newRow("every minute of one hour")
        << "*|9|*|*|*"
        << "Minutes any, Hours 9, Days any, Months any, Weekdays any";
    QTest::newRow("every weekday") << "0|9|*|*|1-5"
                                   << "every weekday at 9:00";
    QTest::newRow("weekdays listed") << "0|9|*|*|1,2,3,4,5"
                                     << "every weekday at 9:00";
    QTest::newRow("four weekdays") << "0|9|*|*|1-4"
                                   << "every Monday, Tuesday, Wednesday and Thursday at 9:00";
    QTest::newRow("every Monday") << "0|10|*|*|1"
                                  << "every Monday at 10:00";
    QTest::newRow("weekend") << "0|10|*|*|6,7"
                             << "every Saturday and Sunday at 10:00";
    QTest::newRow("all weekdays") << "0|10|*|*|1-7"
                                  << "every day at 10:00";
    QTest::newRow("first of the month") << "0|8|1|*|*"
                                        << "on the 1st of every month at 8:00";
    QTest::newRow("ordinals") << "0|8|2,3,11,12,13,21,22,23,31|*|*"
                              << "on the 2nd, 3rd, 11th, 12th, 13th, 21st, 22nd, 23rd and 31st "
                                 "of every month at 8:00";
    QTest::newRow("once a year") << "0|8|24|12|*"
                                 << "every year on the 24th of December at 8:00";
    QTest::newRow("quarterly") << "0|8|1|1,4,7,10|*"
                               << "every year on the 1st of January, April, July and October at "
                                  "8:00";
    QTest::newRow("every day of a month") << "15|6|*|1|*"
                                          << "every day in January at 6:15";
    QTest::newRow("weekdays of a month") << "0|9|*|8|1-5"
                                         << "every weekday in August at 9:00";
    QTest::newRow("Fridays of two months") << "0|9|*|6,7|5"
                                           << "every Friday in June and July at 9:00";
    QTest::newRow("Friday the 13th") << "0|9|13|*|5"
                                     << "Minutes 0, Hours 9, Days 13, Months any, Weekdays 5";
    QTest::newRow("not a pattern, as written")
        << "x|9|*|*|*"
        << "Minutes x, Hours 9, Days any, Months any, Weekdays any";
}

void TestPeriodicSchedule::saidInWords()
{
    QFETCH(QString, fields);
    QFETCH(QString, words);
    QCOMPARE(PeriodicWords::describe(fields.split(QLatin1Char('|'))), words);
}

void TestPeriodicSchedule::storedPatternSaidInWords_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("words");
    QTest::newRow("stored pattern") << "|0|9|*|*|1-5"
                                    << "every weekday at 9:00";
    QTest::newRow("four fields, as written") << "|0|9|*|*"
                                             << "|0|9|*|*";
    QTest::newRow("older form, as written") << "1:0:0:0:0:0"
                                            << "1:0:0:0:0:0";
    QTest::newRow("bad value, as written") << "|0|24|*|*|*"
                                           << "|0|24|*|*|*";
}

void TestPeriodicSchedule::storedPatternSaidInWords()
{
    QFETCH(QString, mask);
    QFETCH(QString, words);
    QCOMPARE(PeriodicWords::describeMask(mask), words);
}

QTEST_GUILESS_MAIN(TestPeriodicSchedule)
#include "tst_periodicschedule.moc"
