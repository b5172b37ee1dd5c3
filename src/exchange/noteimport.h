#pragma once

#include "exchange/exchangeprogress.h"
#include "store/noterecord.h"

#include <QList>
#include <QString>
#include <QStringList>

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

// Reads every "note-<id>.html" of `folder`, in the order of their ids.
// Pictures the notes show from the folder are kept with the notes
// (PictureStore); one larger than 20 MB is copied into `imageFolder` instead
// (created when needed; a picture already there with the same content is
// reused) and the note points at the copy.
Result readFolder(const QString &folder, const QString &imageFolder,
                  const ExchangeProgress &progress = {});

// Reads the notes of another database file, opened read-only through its own
// connection, with the pictures they show from its table of pictures; the
// file is never changed.
Result readDatabase(const QString &file, const ExchangeProgress &progress = {});

// Gives the notes ids after `largestExistingId`, in order, so no existing
// note is replaced.
void assignNewIds(QList<NoteRecord> &records, int largestExistingId);

} // namespace NoteImport
