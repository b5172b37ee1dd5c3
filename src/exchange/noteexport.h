#pragma once

#include "exchange/exchangeprogress.h"
#include "store/noterecord.h"

#include <QList>
#include <QString>

// Writes notes to a folder a person can read without the program: per note
// "note-<id>.html" (a small header with colour, dates and reminder, then the
// note's own rich text unchanged apart from picture paths, or its plain text
// when its markup is too deep to lay out; the page lets a browser run no
// script) and "note-<id>.md", pictures
// copied into "images/" (those kept with the notes as
// "images/<hash>.<type>", the program's icons by name; only what decodes as
// a picture, never a file a note names by its path), and "index.html"
// listing every note. Each file appears whole under its name or not at all.
namespace NoteExport {

struct Result
{
    bool ok = false;
    bool cancelled = false;
    int written = 0; // notes written
    QString error;   // why it failed, in words for the user
    // After a failure: files of the folder were replaced and could not all
    // be put back.
    bool folderChanged = false;
};

// Exports `records` in list order into `folder` (created when missing), a
// folder of the user's own that no other user can change. The files are
// written into a private folder inside it first and take their places only
// once all are written, replacing files of an earlier export with the same
// names; a link, a folder or another user's file under one of those names is
// never written through or replaced, and the export is refused. After a
// cancel or a failure the folder is as it was.
Result exportNotes(const QList<NoteRecord> &records, const QString &folder,
                   const ExchangeProgress &progress = {});

// The page of one note, `message` its text as written: its values in meta
// tags of the head, the text between the begin and end markers.
QString htmlPage(const NoteRecord &record, const QString &message);

// The names used in the folder.
QString htmlFileName(int id);
QString markdownFileName(int id);
inline constexpr char kIndexFileName[] = "index.html";
inline constexpr char kImageFolder[] = "images";

// Markers around the note's own text in the HTML file.
inline constexpr char kBeginMarker[] = "<!--notarella-note-begin-->";
inline constexpr char kEndMarker[] = "<!--notarella-note-end-->";

} // namespace NoteExport
