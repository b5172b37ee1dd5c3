#include "notes/notenames.h"

QString NoteNames::spokenSummary(const QString &summary)
{
    QString words = summary;
    if (words.size() >= 2 && words.startsWith(QLatin1Char('"')) && words.endsWith(QLatin1Char('"')))
        words = words.mid(1, words.size() - 2);
    words = words.trimmed();
    return words.isEmpty() ? tr("Empty note") : words;
}

QString NoteNames::shownCell(const QString &summary)
{
    return tr("Shown: %1").arg(spokenSummary(summary));
}

QString NoteNames::colorCell(const QString &summary, const QString &colorName)
{
    return tr("Color of %1: %2").arg(spokenSummary(summary), colorName);
}

QString NoteNames::dateCell(const QString &summary, const QString &date)
{
    return tr("Created %1: %2").arg(spokenSummary(summary), date);
}

QString NoteNames::reminderCell(const QString &summary, const QString &reminderStatus)
{
    if (reminderStatus.isEmpty())
        return tr("No reminder for %1").arg(spokenSummary(summary));
    return tr("Reminder of %1: %2").arg(spokenSummary(summary), reminderStatus);
}

QString NoteNames::messageCell(const QString &summary)
{
    return tr("Note: %1").arg(spokenSummary(summary));
}
