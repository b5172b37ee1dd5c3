#pragma once

#include "exchange/exchangeprogress.h"
#include "store/noterecord.h"

#include <QList>
#include <QString>

// Writes notes to a folder a person can read without the program: per note
// "note-<id>.html" (a small header with colour, dates and reminder, then the
// note's own rich text unchanged apart from picture paths) and
// "note-<id>.md", pictures copied into "images/" (those kept with the notes
// as "images/<hash>.<type>"), and "index.html" listing
// every note. Each file appears whole under its name or not at all.
namespace NoteExport {

struct Result
{
    bool ok = false;
    bool cancelled = false;
    int written = 0; // notes written
    QString error;   // why it failed, in words for the user
};

// Exports `records` in list order into `folder` (created when missing).
// Files of an earlier export with the same names are replaced. After a
// cancel or a failure the files this run added are removed again.
Result exportNotes(const QList<NoteRecord> &records, const QString &folder,
                   const ExchangeProgress &progress = {});

// The names used in the folder.
QString htmlFileName(int id);
QString markdownFileName(int id);
inline constexpr char kIndexFileName[] = "index.html";
inline constexpr char kImageFolder[] = "images";

// Markers around the note's own text in the HTML file.
inline constexpr char kBeginMarker[] = "<!--notarella-note-begin-->";
inline constexpr char kEndMarker[] = "<!--notarella-note-end-->";

} // namespace NoteExport
