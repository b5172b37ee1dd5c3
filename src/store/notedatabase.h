#pragma once

#include "store/noterecord.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The per-user note database: the tables `stickies` (the notes as last saved)
// and `stickies_backup` (the save before that).
class NoteDatabase
{
public:
    enum class OpenResult { Opened, DirectoryFailed, OpenFailed };

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
    bool save(const QList<NoteRecord> &records);

    // The stored notes in table order; the backup table's when `stickies` is
    // empty.
    QList<NoteRecord> load();

    QSqlDatabase connection() const;

    static QString welcomeDocument();

private:
    void createTables();

    QSqlDatabase m_database;
};
