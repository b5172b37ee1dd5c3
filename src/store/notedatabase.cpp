#include "store/notedatabase.h"

#include "base/tracing.h"
#include "platform/privatefile.h"
#include "store/notefileguard.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>

using namespace RecordCodec;

const QString NoteDatabase::kConnectionName = QStringLiteral("sqlite");

namespace {

// SQLite's primary codes for a file whose pages do not hold what they should.
bool isDamage(const QSqlError &error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric) & 0xff;
    return numeric && (code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */);
}

QString tr(const char *text)
{
    return QCoreApplication::translate("NoteDatabase", text);
}

} // namespace

NoteDatabase::NoteDatabase(const QString &connectionName) : m_connectionName(connectionName)
{
}

NoteDatabase::~NoteDatabase()
{
    close();
}

NoteDatabase::OpenResult NoteDatabase::open(const QString &dataDirectory,
                                            const QString &databaseFile, NewFile newFile)
{
    close();
    m_directory = dataDirectory;
    m_file = databaseFile;
    const OpenResult result = openConnection(newFile);
    if (result == OpenResult::DirectoryFailed)
        qCritical("Unable to create data storage directory!");
    else if (result == OpenResult::OpenFailed)
        qCritical("Can't open the Sticky database!");
    return result;
}

NoteDatabase::OpenResult NoteDatabase::openConnection(NewFile newFile)
{
    closeConnection();
    // Only this user may read the notes: the folder the program makes for
    // them, and the file, are private. An existing file keeps its mode.
    if (!QFileInfo(m_directory).isDir() && !PrivateFile::makeFolders(m_directory))
        return OpenResult::DirectoryFailed;
    if (!QFileInfo(m_file).exists() && !QFileInfo(m_file).isSymLink())
        PrivateFile::create(m_file);

    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_database.setDatabaseName(m_file);
    // A file that SQLite cannot read as a database, or whose tables are not
    // the program's own, counts as not opened: the program must not run on
    // (and later overwrite) a file it cannot read.
    bool usable = m_database.isValid() && QFileInfo(m_file).isFile() && m_database.open();
    QSqlQuery query(m_database);
    if (usable) {
        const NoteFileGuard limit(m_database, NoteFileGuard::kInspectMilliseconds);
        usable =
            query.exec(
                QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE tbl_name = 'stickies'")) &&
            query.next() &&
            (query.value(0).toInt() == 0 || NoteFileGuard::schemaProblem(m_database).isEmpty());
    }
    if (!usable) {
        qCDebug(lcStore) << "cannot open" << m_file << m_database.lastError().text()
                         << query.lastError().text();
        query = QSqlQuery();
        closeConnection();
        return OpenResult::OpenFailed;
    }
    if (query.value(0).toInt() == 0)
        createTables(newFile);
    m_trash.connectionOpened();
    m_sync.connectionOpened();
    m_identity = Platform::fileIdentity(m_file);
    m_dataVersion = dataVersion();
    return OpenResult::Opened;
}

bool NoteDatabase::isOpen() const
{
    return m_database.isOpen();
}

void NoteDatabase::close()
{
    closeConnection();
    m_trash.forget();
    m_sync.forget();
    m_file.clear();
    m_directory.clear();
}

void NoteDatabase::closeConnection()
{
    forgetContent();
    m_identity.reset();
    if (!m_database.isValid())
        return;
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase NoteDatabase::connection() const
{
    return m_database;
}

QList<NoteDatabase::Incident> NoteDatabase::takeIncidents()
{
    return std::exchange(m_incidents, {});
}

void NoteDatabase::createTables(NewFile newFile)
{
    qCDebug(lcStore) << "Building Database table.";
    // One transaction: a program ended half-way through (killed, power
    // lost) leaves an empty file, which the next start builds anew, not a
    // table without its welcome note and backup.
    const bool inTransaction = m_database.transaction();
    QSqlQuery query(m_database);
    SqlStatement::run(query, nullptr, NoteSchema::kCreateTableStatement);
    if (newFile == NewFile::WithWelcomeNote) {
        query.prepare(NoteSchema::insert(NoteSchema::kNotesTable));
        bindRecord(query, WelcomeNote::record(QDateTime::currentDateTime()));
        if (!query.exec())
            qCDebug(lcStore) << "welcome note not inserted:" << query.lastError().text();
    }
    SqlStatement::run(query, nullptr, NoteSchema::kCreateBackupStatement);
    if (inTransaction && !m_database.commit())
        qCDebug(lcStore) << "new tables not written:" << m_database.lastError().text();
}

bool NoteDatabase::save(const QList<NoteRecord> &records)
{
    m_lastError.clear();
    if (m_file.isEmpty()) {
        m_lastError = tr("no note file is open");
        return false;
    }
    if (!reopenIfFileChanged())
        return false;
    if (m_dataVersion != dataVersion())
        forgetContent(); // someone else wrote the file: trust nothing cached
    QSqlQuery begin(m_database);
    if (!run(begin, QStringLiteral("BEGIN")))
        return false;

    // The backup becomes what `stickies` holds now; then `stickies` becomes
    // `records`. The first statement that fails ends the save: on a full
    // disk SQLite has already ended the transaction itself, and anything run
    // after that would be committed statement by statement.
    const bool backupKnown = m_stored.has_value();
    const bool written = writeBackupTable() &&
                         (m_stored ? syncTable(NoteSchema::kNotesTable, *m_stored, records)
                                   : rewriteTable(NoteSchema::kNotesTable, records)) &&
                         m_trash.writeChanges(&m_lastError) && m_sync.writeChanges(&m_lastError) &&
                         m_pictures.write(m_database, records + trashedRecords(), &m_lastError);
    if (written) {
        QSqlQuery commit(m_database);
        if (run(commit, QStringLiteral("COMMIT"))) {
            m_backup = backupKnown ? m_stored : std::nullopt;
            m_stored = records;
            m_dataVersion = dataVersion();
            return true;
        }
    }

    qCWarning(lcStore) << "save failed, the previous save is kept:" << m_lastError;
    if (transactionOpen()) {
        QSqlQuery rollback(m_database);
        if (!rollback.exec(QStringLiteral("ROLLBACK")))
            qCWarning(lcStore) << "rollback failed:" << rollback.lastError().text();
    }
    forgetContent();
    return false;
}

bool NoteDatabase::reopenIfFileChanged()
{
    const NoteFileGuard::AtPath atPath = NoteFileGuard::atPath(m_file, m_identity);
    if (m_database.isOpen() && atPath == NoteFileGuard::AtPath::Same)
        return true;

    if (m_database.isOpen()) {
        // SQLite would go on writing into the file it has open, which is no
        // longer reachable by its name, while keeping its journal by name.
        qCWarning(lcStore) << "the note file at" << m_file << "is no longer the one opened";
        closeConnection();
        Incident incident;
        if (atPath == NoteFileGuard::AtPath::NotAFile) {
            m_lastError = tr("something that is not a file is in its place");
            return false;
        }
        if (atPath != NoteFileGuard::AtPath::Gone) {
            incident.kind = Incident::Kind::Replaced;
            incident.keptAs = putAside(QStringLiteral(".replaced-"));
            if (incident.keptAs.isEmpty()) {
                m_lastError = tr("another file has taken its place and cannot be moved aside");
                return false;
            }
        }
        m_pendingIncident = incident;
    }
    // Not open (any more): a new file at the path gets a whole save.
    const OpenResult result = openConnection(NewFile::Empty);
    if (result != OpenResult::Opened) {
        m_lastError = result == OpenResult::DirectoryFailed
                          ? tr("its folder cannot be created")
                          : tr("the file cannot be created or opened");
        return false;
    }
    if (m_pendingIncident)
        m_incidents.append(*std::exchange(m_pendingIncident, std::nullopt));
    return true;
}

QString NoteDatabase::putFileAside(const QString &file, const QString &suffix)
{
    return NoteFileGuard::putAside(file, suffix);
}

NoteDatabase::FileCheck NoteDatabase::inspect(const QString &file)
{
    return NoteFileGuard::inspect(file);
}

bool NoteDatabase::writeBackupTable()
{
    const QString &backup = NoteSchema::kBackupTable;
    if (m_stored && m_backup)
        return syncTable(backup, *m_backup, *m_stored);
    QSqlQuery query(m_database);
    // A file made elsewhere may lack the backup table; it gets one.
    if (!tableExists(backup))
        return run(query, NoteSchema::kCreateBackupStatement);
    return run(query, QStringLiteral("DELETE FROM ") + backup) &&
           run(query, NoteSchema::copyIntoBackup());
}

bool NoteDatabase::rewriteTable(const QString &table, const QList<NoteRecord> &records)
{
    QSqlQuery query(m_database);
    if (!run(query, QStringLiteral("DELETE FROM ") + table))
        return false;
    if (!query.prepare(NoteSchema::insert(table)))
        return failed(query);
    for (const NoteRecord &record : records) {
        bindRecord(query, record);
        if (!run(query))
            return false;
    }
    return true;
}

bool NoteDatabase::syncTable(const QString &table, const QList<NoteRecord> &stored,
                             const QList<NoteRecord> &records)
{
    QSqlQuery update(m_database);
    const qsizetype common = std::min(stored.size(), records.size());
    bool prepared = false;
    for (qsizetype i = 0; i < common; ++i) {
        if (stored.at(i) == records.at(i))
            continue;
        if (!prepared && !update.prepare(NoteSchema::updateRow(table)))
            return failed(update);
        prepared = true;
        bindRecord(update, records.at(i));
        update.bindValue(16, i + 1);
        if (!run(update))
            return false;
    }
    QSqlQuery query(m_database);
    if (records.size() < stored.size()) {
        if (!query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid > ?").arg(table)))
            return failed(query);
        query.bindValue(0, records.size());
        if (!run(query))
            return false;
    }
    if (records.size() > stored.size()) {
        if (!query.prepare(NoteSchema::insert(table)))
            return failed(query);
        for (qsizetype i = stored.size(); i < records.size(); ++i) {
            bindRecord(query, records.at(i));
            if (!run(query))
                return false;
        }
    }
    return true;
}

bool NoteDatabase::transactionOpen() const
{
    // SQLite refuses a BEGIN inside a transaction; one that succeeds is
    // undone at once.
    QSqlQuery probe(m_database);
    if (!probe.exec(QStringLiteral("BEGIN")))
        return true;
    probe.exec(QStringLiteral("ROLLBACK"));
    return false;
}

bool NoteDatabase::tableExists(const QString &table) const
{
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND "
                                 "name = ?"));
    query.bindValue(0, table);
    return query.exec() && query.next() && query.value(0).toInt() > 0;
}

qint64 NoteDatabase::dataVersion() const
{
    QSqlQuery query(m_database);
    if (query.exec(QStringLiteral("PRAGMA data_version")) && query.next())
        return query.value(0).toLongLong();
    return -2;
}

QList<NoteRecord> NoteDatabase::trashedRecords()
{
    QList<NoteRecord> records;
    for (const TrashedNote &note : m_trash.notes())
        records.append(note.record);
    return records;
}

void NoteDatabase::forgetContent()
{
    m_stored.reset();
    m_backup.reset();
    m_trash.markUnwritten();
    m_sync.markUnwritten();
    m_pictures.forget();
}

QList<NoteRecord> NoteDatabase::load()
{
    if (!m_database.isOpen())
        return {};
    forgetContent();
    m_trash.read();
    m_sync.read();
    m_pictures.load(m_database);
    TableRead notes = readTable(NoteSchema::kNotesTable);
    const bool notesUsable = !notes.damaged && !notes.records.isEmpty();
    if (notesUsable) {
        QSqlQuery query(m_database);
        if (query.exec(QStringLiteral("SELECT MIN(rowid), MAX(rowid) FROM stickies")) &&
            query.next() && query.value(0).toLongLong() == 1 &&
            query.value(1).toLongLong() == notes.records.size() &&
            std::none_of(notes.records.cbegin(), notes.records.cend(),
                         [](const NoteRecord &record) { return record.periodicMask.isNull(); })) {
            // Rows with a NULL mask (written by older versions) are left
            // unknown, so the first save rewrites them with empty text.
            m_stored = notes.records;
        }
        m_dataVersion = dataVersion();
        return notes.records;
    }

    // An empty `stickies` is taken as damaged by an earlier failure: the
    // backup holds the save before.
    TableRead backup = readTable(NoteSchema::kBackupTable);
    if (!notes.damaged && !backup.damaged) {
        m_dataVersion = dataVersion();
        return backup.records;
    }
    if (backup.damaged)
        backup = recoverTable(NoteSchema::kBackupTable, notes.records.size());
    if (notes.damaged)
        notes = recoverTable(NoteSchema::kNotesTable, backup.records.size());

    // Some notes cannot be read: every readable one is kept, with the notes
    // of the save before that are missing from what `stickies` still gives.
    Incident incident;
    incident.kind = Incident::Kind::Damaged;
    QList<NoteRecord> records = notes.records;
    QSet<int> ids;
    for (const NoteRecord &record : std::as_const(records))
        ids.insert(record.id);
    for (const NoteRecord &record : backup.records) {
        if (!ids.contains(record.id))
            records.append(record);
    }
    if (notes.damaged) {
        incident.unreadable = notes.unreadable;
        incident.fromBackup = int(records.size() - notes.records.size());
    } else {
        incident.unreadable = backup.unreadable; // the backup was to be loaded anyway
    }
    replaceDamagedFile(records, incident);
    return records;
}

NoteDatabase::TableRead NoteDatabase::readTable(const QString &table) const
{
    TableRead read;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    // The texts are stored as UTF-8: read as bytes they come without SQLite
    // making a UTF-16 copy of each first, a large part of loading thousands
    // of notes. A file in another encoding is read as text.
    const bool utf8 = query.exec(QStringLiteral("PRAGMA encoding")) && query.next() &&
                      query.value(0).toString() == QLatin1String("UTF-8");
    query.finish();
    if (query.exec(NoteSchema::select(table, utf8))) {
        while (query.next())
            read.records.append(decodeRecord(query));
    }
    if (isDamage(query.lastError())) {
        qCWarning(lcStore) << "the table" << table << "is damaged:" << query.lastError().text();
        read.damaged = true;
    }
    return read;
}

// Reads every row that can still be reached: from the front until the first
// damaged page, from the back likewise, and the rows between one by one.
NoteDatabase::TableRead NoteDatabase::recoverTable(const QString &table,
                                                   qsizetype expectedRows) const
{
    TableRead read;
    read.damaged = true;
    QMap<qint64, NoteRecord> rows;
    const QString select = NoteSchema::select(table, false, QStringLiteral("rowid, "));
    qint64 lastFromFront = 0;
    qint64 firstFromBack = -1;
    for (const bool backwards : {false, true}) {
        QSqlQuery query(m_database);
        query.setForwardOnly(true);
        if (!query.exec(select + (backwards ? QStringLiteral(" ORDER BY rowid DESC")
                                            : QStringLiteral(" ORDER BY rowid"))))
            continue;
        while (query.next()) {
            const qint64 rowid = query.value(0).toLongLong();
            rows.insert(rowid, decodeRecord(query, 1));
            if (backwards)
                firstFromBack = rowid;
            else
                lastFromFront = rowid;
        }
    }
    // Without an end seen from the back, any rowid beyond the front's end
    // leads into the damaged last page: the other table's length stands in
    // for the end (the program's own files number their rows without gaps).
    const qint64 end =
        firstFromBack > 0 ? firstFromBack : std::max<qint64>(lastFromFront + 1, expectedRows) + 1;
    QSqlQuery probe(m_database);
    probe.setForwardOnly(true);
    probe.prepare(select + QStringLiteral(" WHERE rowid = ?"));
    for (qint64 rowid = lastFromFront + 1; rowid < end; ++rowid) {
        probe.bindValue(0, rowid);
        if (probe.exec() && probe.next())
            rows.insert(rowid, decodeRecord(probe, 1));
        else if (isDamage(probe.lastError()))
            ++read.unreadable;
    }
    read.records = rows.values();
    qCWarning(lcStore) << "recovered" << read.records.size() << "rows of" << table << ","
                       << read.unreadable << "unreadable";
    return read;
}

void NoteDatabase::replaceDamagedFile(const QList<NoteRecord> &records, Incident incident)
{
    closeConnection();
    incident.keptAs = putAside(QStringLiteral(".damaged-"));
    // Without a copy aside, the damaged file stays and saves will report
    // what it refuses.
    const OpenResult result = openConnection(NewFile::Empty);
    if (result == OpenResult::Opened && !incident.keptAs.isEmpty() && !save(records))
        qCWarning(lcStore) << "the readable notes could not be written yet:" << m_lastError;
    m_incidents.append(incident);
}

bool NoteDatabase::writeCopy(const QString &file, const QList<NoteRecord> &records, QString *error,
                             const QList<TrashedNote> &trash)
{
    NoteDatabase copy(QStringLiteral("copy-") + QUuid::createUuid().toString(QUuid::WithoutBraces));
    const OpenResult result = copy.open(QFileInfo(file).absolutePath(), file, NewFile::Empty);
    if (result != OpenResult::Opened) {
        if (error)
            *error = result == OpenResult::DirectoryFailed ? tr("its folder cannot be created")
                                                           : tr("the file cannot be created");
        return false;
    }
    copy.m_trash.replace(trash);
    if (copy.save(records))
        return true;
    if (error)
        *error = copy.lastError();
    return false;
}
