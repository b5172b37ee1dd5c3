#pragma once

#include "platform/fileidentity.h"
#include "store/notefileguard.h"
#include "store/notepictures.h"
#include "store/noterecord.h"
#include "store/noteschema.h"
#include "store/notesynctable.h"
#include "store/notetrash.h"
#include "store/sqlstatement.h"
#include "store/welcomenote.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

class QSqlError;
class QSqlQuery;

// The per-user note database: the tables `stickies` (the notes as last saved)
// and `stickies_backup` (the save before that; see NoteSchema), and the
// deleted notes (see NoteTrash). A new file starts with the WelcomeNote.
class NoteDatabase
{
public:
    // The guard's, for the callers that handle a note file by its path (a
    // restore, a start that cannot open it): see NoteFileGuard::putAside().
    static QString putFileAside(const QString &file, const QString &suffix);

    using FileCheck = NoteFileGuard::FileCheck;
    // See NoteFileGuard::inspect().
    static FileCheck inspect(const QString &file);

    enum class OpenResult
    {
        Opened,
        DirectoryFailed,
        OpenFailed
    };

    // What a new file starts with.
    enum class NewFile
    {
        WithWelcomeNote,
        Empty
    };

    // Something that happened to the note file and that the user must hear
    // about; the database has already dealt with it.
    struct Incident
    {
        enum class Kind
        {
            // The file had gone from its path; a new one was written there.
            Missing,
            // Another file had taken its path; it was moved to `keptAs` and
            // a new one written.
            Replaced,
            // Some stored notes could not be read; the file was moved to
            // `keptAs` (empty when it could not be moved) and the readable
            // notes written to a new one.
            Damaged
        };
        Kind kind = Kind::Missing;
        QString keptAs;
        // Damaged: stored notes that could not be read, and notes that were
        // taken from the backup of the save before instead.
        int unreadable = 0;
        int fromBackup = 0;
    };

    static const QString kConnectionName;

    explicit NoteDatabase(const QString &connectionName = kConnectionName);
    ~NoteDatabase();
    NoteDatabase(const NoteDatabase &) = delete;
    NoteDatabase &operator=(const NoteDatabase &) = delete;

    // Creates the data directory when missing, opens the database file and,
    // for a new file, creates both tables (with the welcome note unless
    // `newFile` says otherwise).
    OpenResult open(const QString &dataDirectory, const QString &databaseFile,
                    NewFile newFile = NewFile::WithWelcomeNote);
    bool isOpen() const;
    void close();

    // Replaces the stored notes by `records` after copying them into the
    // backup table, all in one transaction: after a crash, a full disk or any
    // failed statement the file holds either the previous save or this one,
    // whole. Returns false (and keeps the previous save) when the database
    // refuses the write; lastError() then says why.
    //
    // A file that is no longer the one opened (deleted, or another file put
    // at its path) is opened anew at the path and written whole; see
    // takeIncidents().
    //
    // Once the content of a table is known (it was loaded or written by this
    // connection and nobody else has written the file since), only the rows
    // that differ are written; rows keep their positions (rowid = position),
    // so the tables read back in list order exactly as after a full rewrite.
    bool save(const QList<NoteRecord> &records);

    // The stored notes in table order; the backup table's when `stickies` is
    // empty. From a damaged file, every note that can still be read, with
    // those found only in the backup table added; the file is then put aside
    // and the notes written to a new one (see takeIncidents()).
    QList<NoteRecord> load();

    // Why the last save failed, in words for the user.
    QString lastError() const { return m_lastError; }
    // The incidents since the last call, oldest first.
    QList<Incident> takeIncidents();

    QString databaseFile() const { return m_file; }
    QSqlDatabase connection() const;
    // The deleted notes of the open file; a change goes with the next save.
    NoteTrash &trash() { return m_trash; }
    // What the sync through a folder knows; a change goes with the next save.
    NoteSyncTable &syncTable() { return m_sync; }

    // Writes `records` and the deleted notes `trash` into a new database file
    // of the same schema at `file` (creating its folder); false with `error`
    // set when that fails.
    static bool writeCopy(const QString &file, const QList<NoteRecord> &records, QString *error,
                          const QList<TrashedNote> &trash = {});

private:
    struct TableRead
    {
        QList<NoteRecord> records;
        bool damaged = false;
        int unreadable = 0;
    };

    OpenResult openConnection(NewFile newFile);
    void closeConnection();
    void createTables(NewFile newFile);
    bool reopenIfFileChanged();
    bool writeBackupTable();
    bool rewriteTable(const QString &table, const QList<NoteRecord> &records);
    bool syncTable(const QString &table, const QList<NoteRecord> &stored,
                   const QList<NoteRecord> &records);
    // A step of a save: a failure keeps its reason as the save's.
    bool run(QSqlQuery &query, const QString &statement = QString())
    {
        return SqlStatement::run(query, &m_lastError, statement);
    }
    bool failed(const QSqlQuery &query) { return SqlStatement::failed(query, &m_lastError); }
    bool transactionOpen() const;
    bool tableExists(const QString &table) const;
    TableRead readTable(const QString &table) const;
    TableRead recoverTable(const QString &table, qsizetype expectedRows) const;
    void replaceDamagedFile(const QList<NoteRecord> &records, Incident incident);
    QString putAside(const QString &suffix) const
    {
        return NoteFileGuard::putAside(m_file, suffix);
    }
    qint64 dataVersion() const;
    void forgetContent();
    // The deleted notes, whose pictures the file keeps as well.
    QList<NoteRecord> trashedRecords();

    QString m_connectionName;
    QString m_directory;
    QString m_file;
    QSqlDatabase m_database;
    NoteTrash m_trash{m_database};
    NoteSyncTable m_sync{m_database};
    // The file the connection has open, to notice another one at its path.
    std::optional<Platform::FileIdentity> m_identity;
    // What `stickies` and `stickies_backup` hold, in rowid order 1..n, when
    // known.
    std::optional<QList<NoteRecord>> m_stored;
    std::optional<QList<NoteRecord>> m_backup;
    qint64 m_dataVersion = -1;
    QString m_lastError;
    QList<Incident> m_incidents;
    // The pictures the notes refer to, written with them.
    NotePictures m_pictures;
    // Told once the file is written again.
    std::optional<Incident> m_pendingIncident;
};
