#pragma once

#include <QCoreApplication>
#include <QString>

// The names a screen reader speaks for a note and for the cells of the
// control panel's list, made from the note's summary so that each one says
// which note it belongs to.
class NoteNames
{
    Q_DECLARE_TR_FUNCTIONS(NoteNames)
public:
    // The summary as spoken: without the quotes the window title puts around
    // it, or "Empty note" for a note without words.
    static QString spokenSummary(const QString &summary);

    // The cells of a row of the list, for the note with `summary`.
    static QString shownCell(const QString &summary);
    static QString colorCell(const QString &summary, const QString &colorName);
    static QString dateCell(const QString &summary, const QString &date);
    // `reminderStatus` is empty for a note without a reminder.
    static QString reminderCell(const QString &summary, const QString &reminderStatus);
    static QString messageCell(const QString &summary);
};
