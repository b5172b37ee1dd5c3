#pragma once

#include "store/noterecord.h"

#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// The table of pictures in the note file: each picture a note refers to
// ("notarella-image:<hash>", see PictureStore) is stored there once, under
// its hash, so the file carries its pictures wherever it is copied.
//
// Pictures are written in the same transaction as the notes that refer to
// them, so a file never holds a note whose picture it lacks. Pictures that
// no table of notes refers to any more (a table whose name begins with
// "stickies") are removed at the first save of each opening of the file.
class NotePictures
{
public:
    static const QString kCreateTableStatement;

    // Inside the caller's transaction: writes the pictures that `records`
    // refer to and the file lacks, taken from the PictureStore, and once per
    // opening removes the ones nothing refers to. False with `error` set when
    // the database refuses a write.
    bool write(const QSqlDatabase &database, const QList<NoteRecord> &records, QString *error);

    // Reads every picture of the file into the PictureStore; returns how
    // many were read. A file without the table has none.
    int load(const QSqlDatabase &database);

    // The file may have changed behind this object: nothing is taken as known.
    void forget();

    // Copies the pictures of the file `database` that `records` refer to
    // into the PictureStore (an imported file); returns how many it has.
    static int loadReferenced(const QSqlDatabase &database, const QList<NoteRecord> &records);

private:
    bool knowWhatFileHolds(const QSqlDatabase &database, QString *error);
    void removeUnreferenced(const QSqlDatabase &database);

    // The hashes the file holds, when known.
    std::optional<QSet<QString>> m_inFile;
    bool m_tableExists = false; // known along with m_inFile
    bool m_pruned = false;
};
