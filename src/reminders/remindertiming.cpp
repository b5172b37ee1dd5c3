#include "reminders/remindertiming.h"

#include <QCoreApplication>

namespace ReminderTiming {
namespace {

QString dialogText(const char *text)
{
    return QCoreApplication::translate("ReminderDialog", text);
}

// Appends "<count> <unit>" to `text`, after ", " unless it is the first part.
// Singular and plural are separate texts, since languages form plurals
// differently.
void appendUnit(QString &text, const QString &opening, qint64 count, const char *singular,
                const char *plural)
{
    if (text != opening)
        text += QStringLiteral(", ");
    text += dialogText(count == 1 ? singular : plural).arg(count);
}

} // namespace

qint64 msecsToNextMinute(qint64 msecsSinceEpoch, qint64 minuteMs)
{
    // The remainder of a negative instant (a clock before 1970) is negative too.
    qint64 intoMinute = msecsSinceEpoch % minuteMs;
    if (intoMinute < 0)
        intoMinute += minuteMs;
    return minuteMs - intoMinute;
}

QDateTime withoutSeconds(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return dateTime;
    const QTime time = dateTime.time();
    return dateTime.addMSecs(-(time.second() * 1000 + time.msec()));
}

QDateTime snoozeUntil(const QDateTime &now, int minutes)
{
    return withoutSeconds(now.addSecs(qint64(minutes) * 60));
}

bool isDue(const QDateTime &reminderDate, const QDateTime &now, bool reminderDialogOpen)
{
    return reminderDate.isValid() && now >= reminderDate && !reminderDialogOpen;
}

QString overdueText(qint64 minutesOverdue)
{
    constexpr qint64 kWeek = 10080;
    constexpr qint64 kDay = 1440;
    constexpr qint64 kHour = 60;

    const QString opening = dialogText(QT_TRANSLATE_NOOP("ReminderDialog", "This sticky is "));
    QString text = opening;
    qint64 minutes = minutesOverdue;
    if (minutes > kWeek) {
        appendUnit(text, opening, minutes / kWeek, QT_TRANSLATE_NOOP("ReminderDialog", "%1 week"),
                   QT_TRANSLATE_NOOP("ReminderDialog", "%1 weeks"));
        minutes %= kWeek;
    }
    if (minutes > kDay) {
        appendUnit(text, opening, minutes / kDay, QT_TRANSLATE_NOOP("ReminderDialog", "%1 day"),
                   QT_TRANSLATE_NOOP("ReminderDialog", "%1 days"));
        minutes %= kDay;
    }
    if (minutes > kHour) {
        appendUnit(text, opening, minutes / kHour, QT_TRANSLATE_NOOP("ReminderDialog", "%1 hour"),
                   QT_TRANSLATE_NOOP("ReminderDialog", "%1 hours"));
        minutes %= kHour;
    }
    if (text != opening)
        text += QStringLiteral(", ");
    text += dialogText(QT_TRANSLATE_NOOP("ReminderDialog", "%1 minutes overdue:")).arg(minutes);
    return text;
}

QString reminderHeadline(const QDateTime &due, const QDateTime &now)
{
    if (due >= now.addSecs(-60))
        return dialogText(
            QT_TRANSLATE_NOOP("ReminderDialog", "<p>This sticky's reminder time has elapsed:</p>"));
    return overdueText(due.secsTo(now) / 60);
}

} // namespace ReminderTiming
