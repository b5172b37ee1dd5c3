#pragma once

#include <QDateTime>
#include <QString>

// The clock arithmetic and texts of reminders, free of any window so the note,
// the reminder dialog and the tests share one definition.
namespace ReminderTiming {

// Date format of reminder tooltips and the reminder dialog (not the user's setting).
inline constexpr char kReminderDateFormat[] = "dd MMM yyyy hh:mm AP";

inline constexpr qint64 kMinuteMs = 60 * 1000;

// Milliseconds from the wall-clock instant `msecsSinceEpoch` to the start of
// the next whole minute: 60000 exactly at a minute's start, 1 at hh:mm:59.999.
// Minutes start at the same instants in every time zone, as zone offsets are
// whole minutes. A shorter `minuteMs` lets tests run the same arithmetic fast.
qint64 msecsToNextMinute(qint64 msecsSinceEpoch, qint64 minuteMs = kMinuteMs);

// `dateTime` with its seconds (and milliseconds) removed.
QDateTime withoutSeconds(const QDateTime &dateTime);

// When a reminder snoozed at `now` for `minutes` comes back: now + minutes,
// seconds zero (10:00:37 + 5 minutes gives 10:05:00).
QDateTime snoozeUntil(const QDateTime &now, int minutes);

// A reminder is due when it is set, its time has come and no reminder dialog
// is already open for it.
bool isDue(const QDateTime &reminderDate, const QDateTime &now, bool reminderDialogOpen);

// "This sticky is 1 week, 1 day, 2 minutes overdue:" for a reminder
// `minutesOverdue` whole minutes late. Larger units are used only above their
// size (exactly 60 minutes stays "60 minutes"); "minutes" keeps its plural.
QString overdueText(qint64 minutesOverdue);

// The reminder dialog's headline: the "elapsed" text while `due` lies at most
// 60 seconds before `now`, the overdue text after that.
QString reminderHeadline(const QDateTime &due, const QDateTime &now);

} // namespace ReminderTiming
