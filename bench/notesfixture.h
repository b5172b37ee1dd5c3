#pragma once

#include <QString>

// The stored notes the benchmarks start from.
namespace NotesFixture {

// About 2 KB of rich text in the form the note window exports.
QString noteHtml(int index);

// Writes `count` yellow notes of noteHtml() into the database file, spread
// over the screen. `taskbarEntry` false stores them as tool windows, which a
// window manager handles far more cheaply than ordinary note windows.
void writeNotes(const QString &dataDirectory, const QString &databaseFile, int count, bool visible,
                bool taskbarEntry = false);

// Writes `count` notes as above of which `visibleCount`, spread evenly over
// them, are shown: a long-kept collection with a few notes on screen.
void writeStoredNotes(const QString &dataDirectory, const QString &databaseFile, int count,
                      int visibleCount, bool taskbarEntry = false);

} // namespace NotesFixture
