#pragma once

#include <QString>
#include <QStringList>

// The search of the control panel's note list. A note matches when each word
// typed appears somewhere in its text, its colour name or its reminder, in
// any case and with or without accents ("cafe" finds "Café", "STRASSE" finds
// "straße" only as far as Unicode case folding goes).
namespace NoteFilter {

// `text` reduced for comparison: compatibility-decomposed, combining marks
// dropped, case-folded.
QString fold(const QString &text);

// The folded words of what the user typed; none for blank input.
QStringList queryWords(const QString &query);

// The text a note is searched in, folded once so every keystroke only
// compares. The fields stay apart so that no word spans two of them.
QString matchText(const QString &plainText, const QString &colorName, const QString &reminderText);

// True when every word is in `foldedText`; always true for no words.
bool matches(const QString &foldedText, const QStringList &words);

} // namespace NoteFilter
