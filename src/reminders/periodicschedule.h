#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The pattern of a periodic reminder: five fields (minutes, hours, days of the
// month, months, weekdays), each allowing a set of values. A local date and
// time matches when every field allows its value; the day of the month and the
// weekday must BOTH match when both are restricted ("13" and "5" means Friday
// the 13th, not every 13th and every Friday).
//
// Field syntax: empty, "*" or the field's "Every ..." text for any value;
// otherwise a comma-separated list of values ("5", "1,15,30"), ranges
// ("9-17") and steps ("*/15", "8-18/2"). Whitespace is ignored.
//
// Stored form (a note's periodicMask): "|" followed by the five field texts
// separated by "|", e.g. "|0|9|*|*|1-5". "*" stands for any value. Field texts
// never contain "|" (the parser rejects it), so the stored form splits back
// unambiguously.
class PeriodicSchedule
{
    Q_DECLARE_TR_FUNCTIONS(PeriodicSchedule)

public:
    enum Field
    {
        Minutes,
        Hours,
        Days,
        Months,
        Weekdays
    };
    static constexpr int FieldCount = 5;
    // A satisfiable pattern matches within one 400-year Gregorian cycle: the
    // calendar and the weekdays repeat exactly after it.
    static constexpr int SearchYears = 400;

    static int lowestValue(Field field);
    static int highestValue(Field field);
    // "Minutes", "Hours", ... (translated), used in error messages.
    static QString fieldName(Field field);
    // "Every Minute", "Every Hour", ... (translated): the field's text for any value.
    static QString anyValueText(Field field);

    static bool isPeriodicMask(const QString &mask) { return mask.startsWith(QLatin1Char('|')); }

    // Builds a schedule from the five field texts in Field order. On failure
    // returns nothing and, if `error` is given, a message naming the field.
    static std::optional<PeriodicSchedule> fromFieldTexts(const QStringList &texts,
                                                          QString *error = nullptr);
    // Reads a stored pattern written by toMask().
    static std::optional<PeriodicSchedule> fromMask(const QString &mask, QString *error = nullptr);

    // The stored form; at most 200 characters whatever the user typed.
    QString toMask() const;
    // The five field texts in Field order; an empty text allows every value.
    QStringList fieldTexts() const;

    bool allows(Field field, int value) const;
    // Whether the local wall-clock date and time (seconds ignored) match.
    bool matches(const QDate &date, const QTime &time) const;

    // The first local date and time strictly after `now`, seconds zero, that
    // matches. Wall-clock times skipped by a daylight-saving change are
    // passed over; a repeated wall-clock time counts once, at its first
    // occurrence. Returns nothing (with a message in `error`) when no date
    // ever matches.
    std::optional<QDateTime> nextMatch(const QDateTime &now, QString *error = nullptr) const;

private:
    PeriodicSchedule() = default;
    int nextAllowed(Field field, int from) const;
    bool someChosenDayExists() const;
    // nextMatch() once the pattern can match at all: nothing when no date
    // within SearchYears does.
    std::optional<QDateTime> searchNextMatch(const QDateTime &now) const;

    std::array<quint64, FieldCount> m_allowed{};
    std::array<QString, FieldCount> m_texts; // compact stored text, "*" for any value
};
