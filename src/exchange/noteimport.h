#pragma once

#include "exchange/exchangeprogress.h"
#include "store/noterecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Reads notes back from a folder written by NoteExport or from another
// note database file. Nothing read is stored: the caller adds the notes.
namespace NoteImport {

struct Result
{
    QList<NoteRecord> records; // in the order found, with their old ids
    QStringList problems;      // files or rows skipped, in words for the user
    bool cancelled = false;
    bool ok = false; // the source could be read at all
    QString error;   // why not, in words for the user
};

// The most a page of an export may hold: far more than any note.
inline constexpr qint64 kMaxPageBytes = 5 * 1024 * 1024;
// The most a picture of an export may hold, as for a picture inserted.
inline constexpr qint64 kMaxPictureBytes = 20 * 1024 * 1024;
// Reads every "note-<id>.html" of `folder`, in the order of their ids. The
// folder may come from anyone: only regular files reached inside it without
// a symbolic link are read, a page of at most kMaxPageBytes. A picture a
// page shows from the folder is kept with the note (PictureStore) when it is
// such a file of at most kMaxPictureBytes that decodes as a picture; any
// other file reference becomes PictureStore::kLeftOutSource and is listed as a problem.
Result readFolder(const QString &folder, const ExchangeProgress &progress = {});

// Reads the notes of another database file, opened read-only through its own
// connection (ForeignNoteFile), with the pictures they show from its table
// of pictures; the file is never changed. A statement that runs too long, or
// the progress asking to cancel, stops the reading.
Result readDatabase(const QString &file, const ExchangeProgress &progress = {});

// The note in one exported page; nothing when the page is not one.
std::optional<NoteRecord> parsePage(const QString &page);

// Gives the notes ids after `largestExistingId`, in order, so no existing
// note is replaced.
void assignNewIds(QList<NoteRecord> &records, int largestExistingId);

} // namespace NoteImport
