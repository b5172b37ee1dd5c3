#include "store/notefileguard.h"

#include "base/tracing.h"
#include "platform/durablereplace.h"
#include "store/noteschema.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("NoteFileGuard", text);
}

QString timeStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

// The notes a load of the usable `database` would find; sets `problem` when
// they cannot be counted.
int countNotes(const QSqlDatabase &database, QString *problem)
{
    QSqlQuery query(database);
    const auto count = [&](const QString &table) {
        if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) || !query.next())
            return -1;
        return query.value(0).toInt();
    };
    int notes = count(NoteSchema::kNotesTable);
    // An empty `stickies` loads the backup table, when there is one.
    if (notes == 0)
        notes = std::max(0, count(NoteSchema::kBackupTable));
    if (notes < 0)
        *problem = NoteFileGuard::reasonOf(query.lastError());
    return notes;
}

} // namespace

QString NoteFileGuard::kindProblem(const QString &file, EmptyFile empty)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(file).constData(), &status) != 0)
        return errno == ENOENT ? tr("it does not exist.")
                               : tr("it cannot be reached: %1")
                                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (S_ISDIR(status.st_mode))
        return tr("it is a folder, not a file.");
    if (S_ISFIFO(status.st_mode))
        return tr("it is a named pipe (FIFO), not a file.");
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return tr("it is a device, not a file.");
    if (!S_ISREG(status.st_mode))
        return tr("it is a socket or another special file, not a file.");
    if (status.st_size == 0 && empty == EmptyFile::Refused)
        return tr("it is empty.");
    return QString();
}

QString NoteFileGuard::reasonOf(const QSqlError &error)
{
    bool numeric = false;
    switch (error.nativeErrorCode().toInt(&numeric) & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return tr("another program holds it locked.");
    case SQLITE_INTERRUPT:
        return tr("reading it did not end in time; it may hold a query that never ends.");
    case SQLITE_CORRUPT:
        return tr("it is damaged or cut short.");
    case SQLITE_NOTADB:
        return tr("it is no database; its content is of another kind.");
    default:
        break;
    }
    const QString text = error.text().trimmed();
    return text.isEmpty() ? tr("it cannot be read.") : text;
}

QString NoteFileGuard::schemaProblem(const QSqlDatabase &database)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    QStringList expected;
    for (const QString &column : NoteSchema::columns())
        expected.append(column.toLower());
    for (const QString &table : {NoteSchema::kNotesTable, NoteSchema::kBackupTable}) {
        if (!query.exec(
                QStringLiteral("SELECT type FROM sqlite_master WHERE name = '%1' COLLATE NOCASE")
                    .arg(table)))
            return reasonOf(query.lastError());
        if (!query.next()) {
            if (query.lastError().isValid())
                return reasonOf(query.lastError());
            if (table == NoteSchema::kNotesTable)
                return tr("it holds no table of notes (\"stickies\").");
            continue;
        }
        const QString type = query.value(0).toString();
        if (type != QLatin1String("table"))
            return tr("its \"%1\" is no table but a %2.").arg(table, type);
        QStringList columns;
        if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
            return reasonOf(query.lastError());
        while (query.next())
            columns.append(query.value(1).toString().toLower());
        if (columns != expected)
            return tr("its table \"%1\" has other columns than a note table.").arg(table);
    }
    return QString();
}

NoteFileGuard::FileCheck NoteFileGuard::inspect(const QString &file)
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
            const NoteFileGuard limit(database, kInspectMilliseconds);
            check.problem = schemaProblem(database);
            if (check.problem.isEmpty())
                check.notes = countNotes(database, &check.problem);
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    return check;
}

NoteFileGuard::AtPath NoteFileGuard::atPath(const QString &file,
                                            const std::optional<Platform::FileIdentity> &opened)
{
    const std::optional<Platform::FileIdentity> found = Platform::fileIdentity(file);
    if (!found)
        return AtPath::Gone;
    if (opened && found == opened)
        return AtPath::Same;
    return QFileInfo(file).isFile() ? AtPath::Other : AtPath::NotAFile;
}

QString NoteFileGuard::putAside(const QString &file, const QString &suffix)
{
    QString aside = file + suffix + timeStamp();
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = file + suffix + timeStamp() + QLatin1Char('-') + QString::number(n);
    QString error;
    if (!Platform::moveAside(file, aside, &error)) {
        qCWarning(lcStore) << "cannot move" << file << "to" << aside << error;
        return QString();
    }
    // What SQLite keeps beside the file belongs to it, not to the next file
    // of that name, into which SQLite would otherwise roll it.
    for (const QString &companion :
         {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(file + companion) &&
            !Platform::moveAside(file + companion, aside + companion))
            qCWarning(lcStore) << "cannot move" << file + companion << "along with the file";
    }
    return aside;
}

sqlite3 *NoteFileGuard::handleOf(const QSqlDatabase &database)
{
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

NoteFileGuard::NoteFileGuard(const QSqlDatabase &database, int limitMs, int stepsBetweenChecks)
    : m_handle(handleOf(database)), m_limitMs(limitMs)
{
    m_clock.start();
    if (m_handle)
        sqlite3_progress_handler(m_handle, stepsBetweenChecks, &NoteFileGuard::progress, this);
}

NoteFileGuard::~NoteFileGuard()
{
    if (m_handle)
        sqlite3_progress_handler(m_handle, 0, nullptr, nullptr);
}

void NoteFileGuard::restartClock()
{
    m_stopped = false;
    m_clock.restart();
}

int NoteFileGuard::progress(void *self)
{
    auto *guard = static_cast<NoteFileGuard *>(self);
    if (guard->m_clock.elapsed() > guard->m_limitMs || (guard->m_stop && guard->m_stop())) {
        guard->m_stopped = true;
        return 1; // SQLite ends the statement with SQLITE_INTERRUPT
    }
    return 0;
}
