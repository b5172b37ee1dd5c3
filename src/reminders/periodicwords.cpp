#include "reminders/periodicwords.h"

#include "reminders/periodicschedule.h"

#include <QCoreApplication>
#include <QList>
#include <QTime>

#include <optional>

namespace PeriodicWords {

namespace {

using Field = PeriodicSchedule::Field;

// More times of day than this read better as the fields themselves.
constexpr int kMostTimes = 6;

const char *const kWeekdayNames[7] = {
    QT_TRANSLATE_NOOP("PeriodicWords", "Monday"),    QT_TRANSLATE_NOOP("PeriodicWords", "Tuesday"),
    QT_TRANSLATE_NOOP("PeriodicWords", "Wednesday"), QT_TRANSLATE_NOOP("PeriodicWords", "Thursday"),
    QT_TRANSLATE_NOOP("PeriodicWords", "Friday"),    QT_TRANSLATE_NOOP("PeriodicWords", "Saturday"),
    QT_TRANSLATE_NOOP("PeriodicWords", "Sunday"),
};

const char *const kMonthNames[12] = {
    QT_TRANSLATE_NOOP("PeriodicWords", "January"),   QT_TRANSLATE_NOOP("PeriodicWords", "February"),
    QT_TRANSLATE_NOOP("PeriodicWords", "March"),     QT_TRANSLATE_NOOP("PeriodicWords", "April"),
    QT_TRANSLATE_NOOP("PeriodicWords", "May"),       QT_TRANSLATE_NOOP("PeriodicWords", "June"),
    QT_TRANSLATE_NOOP("PeriodicWords", "July"),      QT_TRANSLATE_NOOP("PeriodicWords", "August"),
    QT_TRANSLATE_NOOP("PeriodicWords", "September"), QT_TRANSLATE_NOOP("PeriodicWords", "October"),
    QT_TRANSLATE_NOOP("PeriodicWords", "November"),  QT_TRANSLATE_NOOP("PeriodicWords", "December"),
};

QString tr(const char *text)
{
    return QCoreApplication::translate("PeriodicWords", text);
}

QList<int> valuesOf(const PeriodicSchedule &schedule, Field field)
{
    QList<int> values;
    for (int value = PeriodicSchedule::lowestValue(field);
         value <= PeriodicSchedule::highestValue(field); ++value) {
        if (schedule.allows(field, value))
            values << value;
    }
    return values;
}

bool isAny(const QList<int> &values, Field field)
{
    return values.size() ==
           PeriodicSchedule::highestValue(field) - PeriodicSchedule::lowestValue(field) + 1;
}

// "A", "A and B", "A, B and C".
QString listed(const QStringList &items)
{
    if (items.size() < 2)
        return items.value(0);
    return tr("%1 and %2")
        .arg(items.mid(0, items.size() - 1).join(QStringLiteral(", ")), items.last());
}

// English ordinals; other languages give every suffix the same translation.
QString ordinal(int n)
{
    const int lastTwo = n % 100;
    if (lastTwo < 11 || lastTwo > 13) {
        switch (n % 10) {
        case 1:
            return tr("%1st").arg(n);
        case 2:
            return tr("%1nd").arg(n);
        case 3:
            return tr("%1rd").arg(n);
        default:
            break;
        }
    }
    return tr("%1th").arg(n);
}

QString namesOf(const QList<int> &values, const char *const *names)
{
    QStringList items;
    for (const int value : values)
        items << tr(names[value - 1]);
    return listed(items);
}

// The step of minutes that divide the hour evenly ("*/15": 0, 15, 30, 45).
std::optional<int> evenMinuteStep(const QList<int> &minutes)
{
    if (minutes.size() < 2 || minutes.first() != 0)
        return std::nullopt;
    const int step = minutes.at(1);
    if (60 % step != 0 || minutes.size() != 60 / step)
        return std::nullopt;
    for (qsizetype i = 0; i < minutes.size(); ++i) {
        if (minutes.at(i) != int(i) * step)
            return std::nullopt;
    }
    return step;
}

// The five fields as written, named; "any" for a field that allows every value.
QString asFields(const QStringList &texts)
{
    QStringList parts;
    for (int field = 0; field < PeriodicSchedule::FieldCount; ++field) {
        const QString text = texts.value(field).trimmed();
        parts << QStringLiteral("%1 %2").arg(
            PeriodicSchedule::fieldName(Field(field)),
            text.isEmpty() || text == QLatin1String("*") ? tr("any") : text);
    }
    return parts.join(QStringLiteral(", "));
}

// A sentence for the common shapes, or nothing.
std::optional<QString> sentence(const PeriodicSchedule &schedule)
{
    const QList<int> minutes = valuesOf(schedule, PeriodicSchedule::Minutes);
    const QList<int> hours = valuesOf(schedule, PeriodicSchedule::Hours);
    const QList<int> days = valuesOf(schedule, PeriodicSchedule::Days);
    const QList<int> months = valuesOf(schedule, PeriodicSchedule::Months);
    const QList<int> weekdays = valuesOf(schedule, PeriodicSchedule::Weekdays);
    const bool anyMinute = isAny(minutes, PeriodicSchedule::Minutes);
    const bool anyHour = isAny(hours, PeriodicSchedule::Hours);
    const bool anyDay = isAny(days, PeriodicSchedule::Days);
    const bool anyMonth = isAny(months, PeriodicSchedule::Months);
    const bool anyWeekday = isAny(weekdays, PeriodicSchedule::Weekdays);
    const bool everyDay = anyDay && anyMonth && anyWeekday;

    if (everyDay && anyHour) {
        if (anyMinute)
            return tr("every minute");
        if (const std::optional<int> step = evenMinuteStep(minutes))
            return tr("every %1 minutes").arg(*step);
        if (minutes.size() == 1)
            return minutes.first() == 0 ? tr("every hour on the hour")
                                        : tr("every hour at minute %1").arg(minutes.first());
        return std::nullopt;
    }
    if (anyMinute || anyHour || minutes.size() * hours.size() > kMostTimes)
        return std::nullopt;
    QStringList times;
    for (const int hour : hours) {
        for (const int minute : minutes)
            times << QTime(hour, minute).toString(QStringLiteral("H:mm"));
    }
    const QString at = listed(times);
    const QString monthNames = namesOf(months, kMonthNames);

    if (anyDay) {
        const bool workdays = weekdays == QList<int>{1, 2, 3, 4, 5};
        if (anyWeekday)
            return anyMonth ? tr("every day at %1").arg(at)
                            : tr("every day in %1 at %2").arg(monthNames, at);
        if (workdays)
            return anyMonth ? tr("every weekday at %1").arg(at)
                            : tr("every weekday in %1 at %2").arg(monthNames, at);
        const QString dayNames = namesOf(weekdays, kWeekdayNames);
        return anyMonth ? tr("every %1 at %2").arg(dayNames, at)
                        : tr("every %1 in %2 at %3").arg(dayNames, monthNames, at);
    }
    // A day of the month and a weekday together mean both at once (Friday the
    // 13th); that stays with the fields.
    if (!anyWeekday)
        return std::nullopt;
    QStringList ordinals;
    for (const int day : days)
        ordinals << ordinal(day);
    return anyMonth ? tr("on the %1 of every month at %2").arg(listed(ordinals), at)
                    : tr("every year on the %1 of %2 at %3").arg(listed(ordinals), monthNames, at);
}

QString describeSchedule(const PeriodicSchedule &schedule)
{
    return sentence(schedule).value_or(asFields(schedule.fieldTexts()));
}

} // namespace

QString describe(const QStringList &fieldTexts)
{
    const std::optional<PeriodicSchedule> schedule = PeriodicSchedule::fromFieldTexts(fieldTexts);
    return schedule ? describeSchedule(*schedule) : asFields(fieldTexts);
}

QString describeMask(const QString &mask)
{
    const std::optional<PeriodicSchedule> schedule = PeriodicSchedule::fromMask(mask);
    return schedule ? describeSchedule(*schedule) : mask;
}

} // namespace PeriodicWords
