#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

// The search of the control panel's note list. A note matches when each word
// typed appears somewhere in its text, its colour name or its reminder, in
// any case and with or without accents ("cafe" finds "Café", "STRASSE" finds
// "straße" only as far as Unicode case folding goes).
namespace NoteFilter {

// `text` reduced for comparison: compatibility-decomposed, combining marks
// dropped, case-folded.
QString fold(const QString &text);

// The folded words of what the user typed, in UTF-8; none for blank input.
QByteArrayList queryWords(const QString &query);

// The text a note is searched in, folded once so every keystroke only
// compares. The fields stay apart so that no word spans two of them. Kept in
// UTF-8, half the bytes of mostly Latin text to run through per keystroke; a
// word found in it always starts and ends on whole characters.
QByteArray matchText(const QString &plainText, const QString &colorName,
                     const QString &reminderText);

// True when every word is in `foldedText`; always true for no words.
bool matches(const QByteArray &foldedText, const QByteArrayList &words);

// True when whatever `words` match is also matched by `earlierWords`, as when
// the user types on at the end of a search: each earlier word is part of one
// of the new ones. Only the notes the earlier search found need a look then.
bool narrows(const QByteArrayList &words, const QByteArrayList &earlierWords);

} // namespace NoteFilter
