#pragma once

#include <QDateTime>
#include <QString>

// The texts a note shows about itself, kept apart from the window so they can
// be checked directly.
namespace NoteText {

// The one-line summary of a note's plain text: only ASCII letters, blanks and
// ASCII punctuation are kept (digits and everything else go), whitespace is
// simplified, more than 30 characters are cut to 27 and "...", and a
// non-empty result is put in double quotes.
QString summary(const QString &plainText);

// The reminder tooltip: none, scheduled (one-time or periodic) or snoozed.
QString reminderStatus(const QDateTime &originalReminderDate, const QDateTime &reminderDate,
                       const QString &periodicMask);

} // namespace NoteText
