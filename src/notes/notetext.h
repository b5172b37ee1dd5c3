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

// The plain text a note's text area has for the stored `html`, without
// keeping a document: markup nested too deeply to lay out is shown as the
// text of its markup, as the text area shows it.
QString plainTextOfStoredHtml(const QString &html);

// True when `plainText` holds a word (a run without blanks) longer than
// `limit` characters. Qt lays out such a word in time growing with the square
// of its length when it breaks lines at word boundaries, so a note holding one
// breaks its lines anywhere instead.
inline constexpr qsizetype kOverlongWord = 1000;
bool hasOverlongWord(const QString &plainText, qsizetype limit = kOverlongWord);

// The reminder tooltip: none, scheduled (one-time or periodic) or snoozed.
QString reminderStatus(const QDateTime &originalReminderDate, const QDateTime &reminderDate,
                       const QString &periodicMask);

} // namespace NoteText
