#pragma once

#include <QString>

// The pictures a note's HTML from elsewhere (a sync folder, an export page)
// may make the rich text reader load. Only sources that name no file on this
// machine are kept: web addresses, data, stored pictures and the program's
// icons; any other becomes PictureStore::kLeftOutSource.
namespace LoadedPictures {

// The scheme of a picture source ("http" of "http://…"), lower-case, or an
// empty text for a path.
QString schemeOf(const QString &source);

// `source` when it is kept, the left-out source otherwise.
QString keptOrLeftOut(const QString &source);

// Walks `html` tag by tag the way the rich text reader does and leaves out
// every picture it would load from a source that is not kept: image sources
// a quoted-only screening cannot see (unquoted, given twice, "< img",
// "source="), backgrounds, and style sheets that load a picture or import a
// sheet (those lose their style). HTML this program writes passes unchanged.
// The result screens to itself.
QString screen(const QString &html);

// A note's text from elsewhere as it may be shown: every quoted picture
// source kept or left out by keptOrLeftOut(), then screen(), until that
// changes nothing, so the text read back from a file written from it is the
// same text.
QString screenNote(const QString &html);

// Rounds of screening before a text that keeps changing is shown as plain
// text instead.
inline constexpr int kMaxScreeningRounds = 8;

} // namespace LoadedPictures
