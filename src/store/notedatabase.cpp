#include "store/notedatabase.h"

#include <algorithm>

#include "base/tracing.h"
#include "platform/privatefile.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>

using namespace RecordCodec;

const QString NoteDatabase::kConnectionName = QStringLiteral("sqlite");
// The stored schema text is kept exactly as earlier versions wrote it,
// including the type name of alwaysontop.
const QString NoteDatabase::kCreateTableStatement = QStringLiteral(
    "CREATE TABLE stickies (  id           NUMBER(10),  visible      VARCHAR2(3),  colorRGB     "
    "VARCHAR2(7),  colorName    VARCHAR2(50),  creationDate NUMBER(20),  originalReminderDate "
    "NUMBER(20),  reminderDate NUMBER(20),  periodicMask NUMBER(1000),   locked       VARCHAR2(3), "
    "  alwaysontop  VATCHAR2(3),   message      VARCHAR2(10000),  xPos         NUMBER(5),  yPos    "
    "     NUMBER(5),  width        NUMBER(5),  height       NUMBER(5),  taskbarentry VARCHAR2(3))");
const QString NoteDatabase::kCreateBackupStatement =
    QStringLiteral("CREATE TABLE stickies_backup AS SELECT * FROM stickies");

namespace {

const QString kInsertStatement = QStringLiteral(
    "INSERT INTO STICKIES ( id, visible, colorRGB, colorName, creationDate, "
    "originalReminderDate, reminderDate, periodicMask, locked, alwaysontop, message, xPos, yPos, "
    "width, height, taskbarentry ) VALUES ( ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ? )");

// Rewrites one row in place, keeping its position in the table.
const QString kUpdateStatement = QStringLiteral(
    "UPDATE %1 SET id = ?, visible = ?, colorRGB = ?, colorName = ?, creationDate = ?, "
    "originalReminderDate = ?, reminderDate = ?, periodicMask = ?, locked = ?, alwaysontop = ?, "
    "message = ?, xPos = ?, yPos = ?, width = ?, height = ?, taskbarentry = ? WHERE rowid = ?");

QString selectStatement(const QString &table, bool messageAsBytes = false)
{
    return QStringLiteral("SELECT id,        visible,        colorRGB,        colorName,        "
                          "creationDate,        originalReminderDate,        reminderDate,        "
                          "periodicMask,        locked,        alwaysontop,        %1,        "
                          "xPos,        yPos,        width,        height,        taskbarentry   "
                          "FROM ")
               .arg(messageAsBytes ? QStringLiteral("CAST(message AS BLOB)")
                                   : QStringLiteral("message")) +
           table;
}

// SQLite's primary codes for a file whose pages do not hold what they should.
bool isDamage(const QSqlError &error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric) & 0xff;
    return numeric && (code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */);
}

QString timeStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

// The columns of the note tables, in table order.
const QStringList kColumns = {
    QStringLiteral("id"),           QStringLiteral("visible"),
    QStringLiteral("colorRGB"),     QStringLiteral("colorName"),
    QStringLiteral("creationDate"), QStringLiteral("originalReminderDate"),
    QStringLiteral("reminderDate"), QStringLiteral("periodicMask"),
    QStringLiteral("locked"),       QStringLiteral("alwaysontop"),
    QStringLiteral("message"),      QStringLiteral("xPos"),
    QStringLiteral("yPos"),         QStringLiteral("width"),
    QStringLiteral("height"),       QStringLiteral("taskbarentry")};

// How long a look into a file may take: enough to count the notes of any
// real note file, and an end to a view that never ends.
constexpr int kInspectMilliseconds = 10000;

// Stops any statement of `database` once `milliseconds` are over, for as long
// as it lives.
class TimeLimit
{
public:
    TimeLimit(const QSqlDatabase &database, int milliseconds) : m_deadline(milliseconds)
    {
        const QVariant handle = database.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            m_handle = *static_cast<sqlite3 *const *>(handle.constData());
        if (m_handle)
            sqlite3_progress_handler(m_handle, 1000, &TimeLimit::over, this);
    }
    ~TimeLimit()
    {
        if (m_handle)
            sqlite3_progress_handler(m_handle, 0, nullptr, nullptr);
    }
    TimeLimit(const TimeLimit &) = delete;
    TimeLimit &operator=(const TimeLimit &) = delete;

private:
    static int over(void *self) { return static_cast<TimeLimit *>(self)->m_deadline.hasExpired(); }

    sqlite3 *m_handle = nullptr;
    QDeadlineTimer m_deadline;
};

// What is at `file` when it is no file SQLite could read; empty otherwise.
QString kindProblem(const QString &file)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(file).constData(), &status) != 0)
        return errno == ENOENT
                   ? QCoreApplication::translate("NoteDatabase", "it does not exist.")
                   : QCoreApplication::translate("NoteDatabase", "it cannot be reached: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (S_ISDIR(status.st_mode))
        return QCoreApplication::translate("NoteDatabase", "it is a folder, not a file.");
    if (S_ISFIFO(status.st_mode))
        return QCoreApplication::translate("NoteDatabase",
                                           "it is a named pipe (FIFO), not a file.");
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return QCoreApplication::translate("NoteDatabase", "it is a device, not a file.");
    if (!S_ISREG(status.st_mode))
        return QCoreApplication::translate("NoteDatabase",
                                           "it is a socket or another special file, not a file.");
    if (status.st_size == 0)
        return QCoreApplication::translate("NoteDatabase", "it is empty.");
    return QString();
}

// A failed statement's reason in words for the user; never empty.
QString reasonOf(const QSqlError &error)
{
    bool numeric = false;
    switch (error.nativeErrorCode().toInt(&numeric) & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QCoreApplication::translate("NoteDatabase", "another program holds it locked.");
    case SQLITE_INTERRUPT:
        return QCoreApplication::translate(
            "NoteDatabase", "reading it did not end in time; it may hold a query that never ends.");
    case SQLITE_CORRUPT:
        return QCoreApplication::translate("NoteDatabase", "it is damaged or cut short.");
    case SQLITE_NOTADB:
        return QCoreApplication::translate("NoteDatabase",
                                           "it is no database; its content is of another kind.");
    default:
        break;
    }
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QCoreApplication::translate("NoteDatabase", "it cannot be read.")
                          : text;
}

// Why the note tables of `database` are not the program's own; empty when
// they are. `stickies` must be a real table (a view could run forever) with
// the note columns; `stickies_backup` may be missing, and is otherwise such a
// table too.
QString schemaProblem(const QSqlDatabase &database)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    for (const QString &table : {QStringLiteral("stickies"), QStringLiteral("stickies_backup")}) {
        if (!query.exec(
                QStringLiteral("SELECT type FROM sqlite_master WHERE name = '%1' COLLATE NOCASE")
                    .arg(table)))
            return reasonOf(query.lastError());
        if (!query.next()) {
            if (query.lastError().isValid())
                return reasonOf(query.lastError());
            if (table == QLatin1String("stickies"))
                return QCoreApplication::translate("NoteDatabase",
                                                   "it holds no table of notes (\"stickies\").");
            continue;
        }
        const QString type = query.value(0).toString();
        if (type != QLatin1String("table"))
            return QCoreApplication::translate("NoteDatabase", "its \"%1\" is no table but a %2.")
                .arg(table, type);
        QStringList columns;
        if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
            return reasonOf(query.lastError());
        while (query.next())
            columns.append(query.value(1).toString().toLower());
        QStringList expected;
        for (const QString &column : kColumns)
            expected.append(column.toLower());
        if (columns != expected)
            return QCoreApplication::translate(
                       "NoteDatabase", "its table \"%1\" has other columns than a note table.")
                .arg(table);
    }
    return QString();
}

bool execute(QSqlQuery &query, const QString &statement)
{
    if (query.exec(statement))
        return true;
    qCDebug(lcStore) << "statement failed:" << statement.left(60) << query.lastError().text();
    return false;
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
        const TimeLimit limit(m_database, kInspectMilliseconds);
        usable =
            query.exec(
                QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE tbl_name = 'stickies'")) &&
            query.next() && (query.value(0).toInt() == 0 || schemaProblem(m_database).isEmpty());
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
    execute(query, kCreateTableStatement);
    if (newFile == NewFile::WithWelcomeNote) {
        query.prepare(QStringLiteral(
            "INSERT INTO STICKIES ( id, visible, colorRGB, colorName, creationDate, "
            "originalReminderDate, reminderDate, periodicMask, locked, alwaysontop, message, "
            "xPos, yPos, width, height, taskbarentry ) VALUES ( 1, 'YES', '#FFFF00', 'Yellow', ?, "
            "0, 0, '', 'YES', 'NO', ?, 200, 200, 300, 200, 'YES' )"));
        query.bindValue(0, QDateTime::currentSecsSinceEpoch());
        query.bindValue(1, welcomeDocument());
        if (!query.exec())
            qCDebug(lcStore) << "welcome note not inserted:" << query.lastError().text();
    }
    execute(query, kCreateBackupStatement);
    if (inTransaction && !m_database.commit())
        qCDebug(lcStore) << "new tables not written:" << m_database.lastError().text();
}

bool NoteDatabase::save(const QList<NoteRecord> &records)
{
    m_lastError.clear();
    if (m_file.isEmpty()) {
        m_lastError = QStringLiteral("no note file is open");
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
                         (m_stored ? syncTable(QStringLiteral("stickies"), *m_stored, records)
                                   : rewriteTable(QStringLiteral("stickies"), records)) &&
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
    const std::optional<Platform::FileIdentity> atPath = Platform::fileIdentity(m_file);
    if (m_database.isOpen() && m_identity && atPath == m_identity)
        return true;

    if (m_database.isOpen()) {
        // SQLite would go on writing into the file it has open, which is no
        // longer reachable by its name, while keeping its journal by name.
        qCWarning(lcStore) << "the note file at" << m_file << "is no longer the one opened";
        closeConnection();
        Incident incident;
        if (atPath && !QFileInfo(m_file).isFile()) {
            m_lastError = QStringLiteral("something that is not a file is in its place");
            return false;
        }
        if (atPath) {
            incident.kind = Incident::Kind::Replaced;
            incident.keptAs = putAside(QStringLiteral(".replaced-"));
            if (incident.keptAs.isEmpty()) {
                m_lastError = QStringLiteral("another file has taken its place and cannot be "
                                             "moved aside");
                return false;
            }
        }
        m_pendingIncident = incident;
    }
    // Not open (any more): a new file at the path gets a whole save.
    const OpenResult result = openConnection(NewFile::Empty);
    if (result != OpenResult::Opened) {
        m_lastError = result == OpenResult::DirectoryFailed
                          ? QStringLiteral("its folder cannot be created")
                          : QStringLiteral("the file cannot be created or opened");
        return false;
    }
    if (m_pendingIncident)
        m_incidents.append(*std::exchange(m_pendingIncident, std::nullopt));
    return true;
}

QString NoteDatabase::putFileAside(const QString &file, const QString &suffix)
{
    QString aside = file + suffix + timeStamp();
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = file + suffix + timeStamp() + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(file, aside)) {
        qCWarning(lcStore) << "cannot move" << file << "to" << aside;
        return QString();
    }
    // What SQLite keeps beside the file belongs to it, not to the next file
    // of that name, into which SQLite would otherwise roll it.
    for (const QString &companion :
         {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(file + companion) &&
            !QFile::rename(file + companion, aside + companion))
            qCWarning(lcStore) << "cannot move" << file + companion << "along with the file";
    }
    return aside;
}

const QStringList &NoteDatabase::columnNames()
{
    return kColumns;
}

NoteDatabase::FileCheck NoteDatabase::inspect(const QString &file)
{
    FileCheck check;
    check.problem = kindProblem(file);
    if (!check.problem.isEmpty())
        return check;
    static QAtomicInteger<int> serial;
    const QString name = QStringLiteral("note-file-check-%1").arg(serial.fetchAndAddRelaxed(1));
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(file);
        database.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=1000"));
        if (!database.open()) {
            check.problem = reasonOf(database.lastError());
        } else {
            const TimeLimit limit(database, kInspectMilliseconds);
            check.problem = schemaProblem(database);
            QSqlQuery query(database);
            const auto count = [&](const QString &table) {
                if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) || !query.next())
                    return -1;
                return query.value(0).toInt();
            };
            if (check.problem.isEmpty()) {
                check.notes = count(QStringLiteral("stickies"));
                // An empty `stickies` loads the backup table, when there is one.
                if (check.notes == 0)
                    check.notes = std::max(0, count(QStringLiteral("stickies_backup")));
                if (check.notes < 0)
                    check.problem = reasonOf(query.lastError());
            }
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    return check;
}

bool NoteDatabase::writeBackupTable()
{
    const QString backup = QStringLiteral("stickies_backup");
    if (m_stored && m_backup)
        return syncTable(backup, *m_backup, *m_stored);
    QSqlQuery query(m_database);
    // A file made elsewhere may lack the backup table; it gets one.
    if (!tableExists(backup))
        return run(query, kCreateBackupStatement);
    return run(query, QStringLiteral("DELETE FROM stickies_backup")) &&
           run(query, QStringLiteral("INSERT INTO stickies_backup SELECT * FROM stickies"));
}

bool NoteDatabase::rewriteTable(const QString &table, const QList<NoteRecord> &records)
{
    QSqlQuery query(m_database);
    if (!run(query, QStringLiteral("DELETE FROM ") + table))
        return false;
    if (!query.prepare(QString(kInsertStatement).replace(QLatin1String("STICKIES"), table)))
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
        if (!prepared && !update.prepare(QString(kUpdateStatement).arg(table)))
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
        if (!query.prepare(QString(kInsertStatement).replace(QLatin1String("STICKIES"), table)))
            return failed(query);
        for (qsizetype i = stored.size(); i < records.size(); ++i) {
            bindRecord(query, records.at(i));
            if (!run(query))
                return false;
        }
    }
    return true;
}

// Runs `statement`, or the prepared statement when it is empty.
bool NoteDatabase::run(QSqlQuery &query, const QString &statement)
{
    const bool ok = statement.isEmpty() ? query.exec() : query.exec(statement);
    return ok || failed(query);
}

// Keeps the reason of a failed statement as the reason of the save.
bool NoteDatabase::failed(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    m_lastError = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    qCDebug(lcStore) << "statement failed:" << query.lastQuery().left(60) << error.text();
    return false;
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
    TableRead notes = readTable(QStringLiteral("stickies"));
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
    TableRead backup = readTable(QStringLiteral("stickies_backup"));
    if (!notes.damaged && !backup.damaged) {
        m_dataVersion = dataVersion();
        return backup.records;
    }
    if (backup.damaged)
        backup = recoverTable(QStringLiteral("stickies_backup"), notes.records.size());
    if (notes.damaged)
        notes = recoverTable(QStringLiteral("stickies"), backup.records.size());

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
    if (query.exec(selectStatement(table, utf8))) {
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
    const QString select = QStringLiteral("SELECT rowid, ") +
                           selectStatement(table).mid(QStringLiteral("SELECT ").size());
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
            *error = result == OpenResult::DirectoryFailed
                         ? QStringLiteral("its folder cannot be created")
                         : QStringLiteral("the file cannot be created");
        return false;
    }
    copy.m_trash.replace(trash);
    if (copy.save(records))
        return true;
    if (error)
        *error = copy.lastError();
    return false;
}

QString NoteDatabase::welcomeDocument()
{
    const QString paragraph =
        QStringLiteral("margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; "
                       "-qt-block-indent:0; text-indent:0px;");
    const QString pristina = QStringLiteral("font-family:'Pristina'; font-size:14pt;");
    // The texts are written in the language of the start that creates the
    // file; the translator keeps the <b> marks, which become the bold spans.
    const QString title =
        QCoreApplication::translate("NoteDatabase", "Welcome to Notarella!").toHtmlEscaped();
    QString instruction =
        QCoreApplication::translate("NoteDatabase",
                                    "To get started, please open the context menu (usually by "
                                    "<b>right-clicking</b>) on the top portion of this sticky, "
                                    "and then select <b>Sticky Control Panel</b>.")
            .toHtmlEscaped();
    instruction.replace(
        QLatin1String("&lt;b&gt;"),
        QStringLiteral("</span><span style=\" %1 font-weight:600;\">").arg(pristina));
    instruction.replace(QLatin1String("&lt;/b&gt;"),
                        QStringLiteral("</span><span style=\" %1\">").arg(pristina));
    return QStringLiteral(
               "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
               "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
               "<html><head><meta name=\"qrichtext\" content=\"1\" />"
               "<style type=\"text/css\">\np, li { white-space: pre-wrap; }\n</style></head>"
               "<body style=\" white-space: pre-wrap; font-family:'MS Shell Dlg'; "
               "font-weight:400; font-style:normal; text-decoration:none;\">\n"
               "<p align=\"center\" style=\" %1\"><span style=\" font-size:14pt; "
               "font-weight:600; font-style:italic; color:#ff0000;\">%3</span></p>\n"
               "<p style=\" %1\"><span style=\" %2\">%4</span></p></body></html>")
        .arg(paragraph, pristina, title, instruction);
}
