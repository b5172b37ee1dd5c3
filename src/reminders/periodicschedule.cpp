#include "reminders/periodicschedule.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <limits>

namespace {

constexpr int kLowest[PeriodicSchedule::FieldCount] = {0, 0, 1, 1, 1};
constexpr int kHighest[PeriodicSchedule::FieldCount] = {59, 23, 31, 12, 7};

const char *const kFieldNames[PeriodicSchedule::FieldCount] = {
    QT_TRANSLATE_NOOP("PeriodicSchedule", "Minutes"),
    QT_TRANSLATE_NOOP("PeriodicSchedule", "Hours"),
    QT_TRANSLATE_NOOP("PeriodicSchedule", "Days"),
    QT_TRANSLATE_NOOP("PeriodicSchedule", "Months"),
    QT_TRANSLATE_NOOP("PeriodicSchedule", "Weekdays"),
};

// The dialog shows these as the fields' initial texts, so they share its context.
const char *const kAnyValueTexts[PeriodicSchedule::FieldCount] = {
    QT_TRANSLATE_NOOP("SetReminderDialog", "Every Minute"),
    QT_TRANSLATE_NOOP("SetReminderDialog", "Every Hour"),
    QT_TRANSLATE_NOOP("SetReminderDialog", "Every Day"),
    QT_TRANSLATE_NOOP("SetReminderDialog", "Every Month"),
    QT_TRANSLATE_NOOP("SetReminderDialog", "Every Weekday"),
};

const QString kAnyValue = QStringLiteral("*");

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

quint64 fullSet(PeriodicSchedule::Field field)
{
    quint64 bits = 0;
    for (int value = kLowest[field]; value <= kHighest[field]; ++value)
        bits |= quint64(1) << value;
    return bits;
}

bool isAnyValueText(PeriodicSchedule::Field field, const QString &text)
{
    return text.isEmpty() || text == kAnyValue ||
           text.compare(QLatin1String(kAnyValueTexts[field]), Qt::CaseInsensitive) == 0 ||
           text.compare(PeriodicSchedule::anyValueText(field), Qt::CaseInsensitive) == 0;
}

// The values of `bits` as a list of single values and runs, e.g. "1-5,8,10".
QString canonicalText(quint64 bits, int lowest, int highest)
{
    QStringList parts;
    int value = lowest;
    while (value <= highest) {
        if (!(bits & (quint64(1) << value))) {
            ++value;
            continue;
        }
        int last = value;
        while (last < highest && (bits & (quint64(1) << (last + 1))))
            ++last;
        if (last - value >= 2) {
            parts << QStringLiteral("%1-%2").arg(value).arg(last);
        } else {
            for (int single = value; single <= last; ++single)
                parts << QString::number(single);
        }
        value = last + 1;
    }
    return parts.join(QLatin1Char(','));
}

// The number written as `digits`, or -1 when it has more digits than any
// value of a field can have: nothing out of range reaches the arithmetic.
int toValue(const QString &digits)
{
    if (digits.size() > 4)
        return -1;
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok ? value : -1;
}

struct ParsedField
{
    quint64 bits = 0;
    QString storedText;
};

std::optional<ParsedField> parseField(PeriodicSchedule::Field field, const QString &text,
                                      QString *error)
{
    const QString name = PeriodicSchedule::fieldName(field);
    const int lowest = kLowest[field];
    const int highest = kHighest[field];

    const QString trimmed = text.trimmed();
    if (isAnyValueText(field, trimmed))
        return ParsedField{fullSet(field), kAnyValue};

    QString compact;
    for (const QChar c : trimmed) {
        if (!c.isSpace())
            compact += c;
    }

    static const QRegularExpression itemPattern(
        QStringLiteral("^(?:(\\*)|([0-9]+)(?:-([0-9]+))?)(?:/([0-9]+))?$"));
    quint64 bits = 0;
    const QStringList items = compact.split(QLatin1Char(','));
    for (const QString &item : items) {
        const QRegularExpressionMatch match = itemPattern.match(item);
        if (!match.hasMatch()) {
            setError(error, PeriodicSchedule::tr(
                                "%1: \"%2\" is not a value, a range like 9-17 or a step like */15.")
                                .arg(name, item.isEmpty() ? compact : item));
            return std::nullopt;
        }
        const bool everyValue = match.hasCaptured(1);
        const bool isRange = match.hasCaptured(3);
        const bool hasStep = match.hasCaptured(4);
        if (hasStep && !everyValue && !isRange) {
            setError(error,
                     PeriodicSchedule::tr(
                         "%1: the step in \"%2\" needs a range or \"*\" before it, e.g. */15.")
                         .arg(name, item));
            return std::nullopt;
        }
        const int from = everyValue ? lowest : toValue(match.captured(2));
        const int to = everyValue ? highest : (isRange ? toValue(match.captured(3)) : from);
        const int step = hasStep ? toValue(match.captured(4)) : 1;
        for (const int value : {from, to}) {
            if (value < lowest || value > highest) {
                setError(error,
                         PeriodicSchedule::tr("%1: \"%2\" is outside %3-%4.")
                             .arg(name, item, QString::number(lowest), QString::number(highest)));
                return std::nullopt;
            }
        }
        if (from > to) {
            setError(error, PeriodicSchedule::tr("%1: the range \"%2\" ends before it starts.")
                                .arg(name, item));
            return std::nullopt;
        }
        if (step < 1 || step > highest - lowest + 1) {
            setError(error, PeriodicSchedule::tr("%1: the step in \"%2\" must be between 1 and %3.")
                                .arg(name, item, QString::number(highest - lowest + 1)));
            return std::nullopt;
        }
        for (int value = from; value <= to; value += step)
            bits |= quint64(1) << value;
    }

    if (bits == fullSet(field))
        return ParsedField{bits, kAnyValue};
    // Keep what the user wrote unless a plain list of values is shorter
    // (e.g. "1,1,1,1" is kept as "1"), so the stored form stays short.
    const QString canonical = canonicalText(bits, lowest, highest);
    return ParsedField{bits, canonical.size() < compact.size() ? canonical : compact};
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && QDate::isLeapYear(year))
        return 29;
    return kDays[month - 1];
}

qint64 wallClockSeconds(const QDate &date, const QTime &time)
{
    constexpr qint64 kJulianDayOf1970 = 2440588;
    return (date.toJulianDay() - kJulianDayOf1970) * 86400 + time.msecsSinceStartOfDay() / 1000;
}

// The first instant at which the local clock shows `date` `time`, or nothing
// when a daylight-saving change skips that time. The candidates are the wall
// time minus the UTC offsets in force a day before and a day after it; a
// candidate is real when the local clock shows the wall time at that instant.
std::optional<QDateTime> firstOccurrence(const QDate &date, const QTime &time)
{
    const qint64 wall = wallClockSeconds(date, time);
    const auto offsetAt = [](qint64 instant) {
        return QDateTime::fromSecsSinceEpoch(instant, Qt::LocalTime).offsetFromUtc();
    };
    const int offsetBefore = offsetAt(wall - 86400);
    const int offsetAfter = offsetAt(wall + 86400);
    std::optional<QDateTime> first;
    for (const int offset : {offsetBefore, offsetAfter}) {
        const QDateTime candidate = QDateTime::fromSecsSinceEpoch(wall - offset, Qt::LocalTime);
        if (candidate.date() == date && candidate.time() == time && (!first || candidate < *first))
            first = candidate;
        if (offsetAfter == offsetBefore)
            break;
    }
    return first;
}

// Carries overflowing fields of a wall-clock time upwards. Returns true when
// the walk went on into the next year (and is to start that year afresh).
bool carryOverflow(int &year, int &month, int &day, int &hour, int &minute)
{
    if (minute > 59) {
        minute = 0;
        ++hour;
    }
    if (hour > 23) {
        hour = 0;
        minute = 0;
        ++day;
    }
    if (month <= 12 && day > daysInMonth(year, month)) {
        day = 1;
        hour = 0;
        minute = 0;
        ++month;
    }
    if (month > 12) {
        month = 1;
        day = 1;
        hour = 0;
        minute = 0;
        ++year;
        return true;
    }
    return false;
}

} // namespace

int PeriodicSchedule::lowestValue(Field field)
{
    return kLowest[field];
}

int PeriodicSchedule::highestValue(Field field)
{
    return kHighest[field];
}

QString PeriodicSchedule::fieldName(Field field)
{
    return tr(kFieldNames[field]);
}

QString PeriodicSchedule::anyValueText(Field field)
{
    return QCoreApplication::translate("SetReminderDialog", kAnyValueTexts[field]);
}

std::optional<PeriodicSchedule> PeriodicSchedule::fromFieldTexts(const QStringList &texts,
                                                                 QString *error)
{
    if (texts.size() != FieldCount) {
        setError(error, tr("A periodic reminder needs exactly five fields."));
        return std::nullopt;
    }
    PeriodicSchedule schedule;
    for (int index = 0; index < FieldCount; ++index) {
        const Field field = static_cast<Field>(index);
        const std::optional<ParsedField> parsed = parseField(field, texts.at(index), error);
        if (!parsed)
            return std::nullopt;
        schedule.m_allowed[index] = parsed->bits;
        schedule.m_texts[index] = parsed->storedText;
    }
    return schedule;
}

std::optional<PeriodicSchedule> PeriodicSchedule::fromMask(const QString &mask, QString *error)
{
    if (!isPeriodicMask(mask)) {
        setError(error, tr("\"%1\" is not a periodic pattern.").arg(mask));
        return std::nullopt;
    }
    const QStringList texts = mask.mid(1).split(QLatin1Char('|'));
    if (texts.size() != FieldCount) {
        setError(error, tr("The periodic pattern \"%1\" does not have five fields.").arg(mask));
        return std::nullopt;
    }
    return fromFieldTexts(texts, error);
}

QString PeriodicSchedule::toMask() const
{
    QString mask;
    for (const QString &text : m_texts)
        mask += QLatin1Char('|') + text;
    return mask;
}

QStringList PeriodicSchedule::fieldTexts() const
{
    QStringList texts;
    for (const QString &text : m_texts)
        texts << (text == kAnyValue ? QString() : text);
    return texts;
}

bool PeriodicSchedule::allows(Field field, int value) const
{
    return value >= kLowest[field] && value <= kHighest[field] &&
           (m_allowed[field] & (quint64(1) << value));
}

bool PeriodicSchedule::matches(const QDate &date, const QTime &time) const
{
    return date.isValid() && time.isValid() && allows(Minutes, time.minute()) &&
           allows(Hours, time.hour()) && allows(Days, date.day()) && allows(Months, date.month()) &&
           allows(Weekdays, date.dayOfWeek());
}

// The smallest allowed value >= `from`, or one past the field's highest value.
int PeriodicSchedule::nextAllowed(Field field, int from) const
{
    int value = std::max(from, kLowest[field]);
    while (value <= kHighest[field] && !(m_allowed[field] & (quint64(1) << value)))
        ++value;
    return value;
}

bool PeriodicSchedule::someChosenDayExists() const
{
    for (int month = 1; month <= 12; ++month) {
        const int longest = month == 2 ? 29 : daysInMonth(2001, month);
        if (allows(Months, month) && nextAllowed(Days, 1) <= longest)
            return true;
    }
    return false;
}

std::optional<QDateTime> PeriodicSchedule::nextMatch(const QDateTime &now, QString *error) const
{
    if (!now.isValid()) {
        setError(error, tr("The current date and time are not valid."));
        return std::nullopt;
    }
    if (!someChosenDayExists()) {
        setError(error, tr("%1 and %2: none of the chosen days occurs in the chosen months, so "
                           "this reminder would never occur.")
                            .arg(fieldName(Days), fieldName(Months)));
        return std::nullopt;
    }

    if (const std::optional<QDateTime> instant = searchNextMatch(now))
        return instant;

    setError(error, tr("No date in the next %1 years matches this pattern, so this reminder "
                       "would never occur.")
                        .arg(SearchYears));
    return std::nullopt;
}

// Walks the local wall clock like a cron scheduler: when a field does not
// match, jump it to its next allowed value and reset the smaller fields.
std::optional<QDateTime> PeriodicSchedule::searchNextMatch(const QDateTime &now) const
{
    const QDateTime start = now.toLocalTime();
    int year = start.date().year();
    int month = start.date().month();
    int day = start.date().day();
    int hour = start.time().hour();
    int minute = start.time().minute() + 1;
    const int lastYear = year + SearchYears;

    while (year <= lastYear) {
        if (carryOverflow(year, month, day, hour, minute))
            continue;

        if (!allows(Months, month)) {
            month = nextAllowed(Months, month + 1);
            day = 1;
            hour = 0;
            minute = 0;
            continue;
        }
        if (!allows(Days, day)) {
            day = nextAllowed(Days, day + 1);
            hour = 0;
            minute = 0;
            continue;
        }
        if (!allows(Weekdays, QDate(year, month, day).dayOfWeek())) {
            ++day;
            hour = 0;
            minute = 0;
            continue;
        }
        if (!allows(Hours, hour)) {
            hour = nextAllowed(Hours, hour + 1);
            minute = 0;
            continue;
        }
        if (!allows(Minutes, minute)) {
            minute = nextAllowed(Minutes, minute + 1);
            continue;
        }

        const std::optional<QDateTime> instant =
            firstOccurrence(QDate(year, month, day), QTime(hour, minute));
        if (instant && *instant > now)
            return instant;
        ++minute; // skipped by the clock, or a repeat of a time already passed
    }
    return std::nullopt;
}
