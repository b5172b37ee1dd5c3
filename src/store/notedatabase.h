#pragma once

#include "store/noterecord.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// The per-user note database: the tables `stickies` (the notes as last saved)
// and `stickies_backup` (the save before that).
class NoteDatabase
{
public:
    enum class OpenResult
    {
        Opened,
        DirectoryFailed,
        OpenFailed
    };

    static const QString kConnectionName;
    static const QString kCreateTableStatement;
    static const QString kCreateBackupStatement;

    NoteDatabase() = default;
    ~NoteDatabase();
    NoteDatabase(const NoteDatabase &) = delete;
    NoteDatabase &operator=(const NoteDatabase &) = delete;

    // Creates the data directory when missing, opens the database file and,
    // for a new file, creates both tables with the welcome note.
    OpenResult open(const QString &dataDirectory, const QString &databaseFile);
    bool isOpen() const;
    void close();

    // Replaces the stored notes by `records` after copying them into the
    // backup table, all in one transaction: after a crash the file holds
    // either the previous save or this one, whole. Returns false (and keeps
    // the previous save) when the database refuses the write.
    //
    // Once the content of a table is known (it was loaded or written by this
    // connection and nobody else has written the file since), only the rows
    // that differ are written; rows keep their positions (rowid = position),
    // so the tables read back in list order exactly as after a full rewrite.
    bool save(const QList<NoteRecord> &records);

    // The stored notes in table order; the backup table's when `stickies` is
    // empty.
    QList<NoteRecord> load();

    QSqlDatabase connection() const;

    static QString welcomeDocument();

private:
    void createTables();
    bool rewriteTable(const QString &table, const QList<NoteRecord> &records);
    bool syncTable(const QString &table, const QList<NoteRecord> &stored,
                   const QList<NoteRecord> &records);
    qint64 dataVersion() const;
    void forgetContent();

    QSqlDatabase m_database;
    // What `stickies` and `stickies_backup` hold, in rowid order 1..n, when
    // known.
    std::optional<QList<NoteRecord>> m_stored;
    std::optional<QList<NoteRecord>> m_backup;
    qint64 m_dataVersion = -1;
};
