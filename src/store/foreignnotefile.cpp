#include "store/foreignnotefile.h"

#include "store/noteschema.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <atomic>
#include <sqlite3.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ForeignNoteFile", text);
}

// How many virtual machine steps SQLite takes between two looks at the clock.
constexpr int kStepsBetweenChecks = 10000;

// 64 MB: three times the largest picture kept with the notes.
constexpr int kMaxValueBytes = 64 * 1024 * 1024;

} // namespace

ForeignNoteFile::ForeignNoteFile(const QString &path, int statementLimitMs)
    : m_path(path), m_limitMs(statementLimitMs)
{
    static std::atomic<int> connections = 0;
    m_connectionName = QStringLiteral("notarella-foreign-%1").arg(++connections);
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_database.setDatabaseName(path);
    m_database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
}

ForeignNoteFile::~ForeignNoteFile()
{
    m_guard.reset();
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QString ForeignNoteFile::noteColumns()
{
    return NoteSchema::columnList();
}

void ForeignNoteFile::setStopCheck(std::function<bool()> stop)
{
    m_stop = stop;
    if (m_guard)
        m_guard->setStopCheck(std::move(stop));
}

void ForeignNoteFile::restartClock()
{
    if (m_guard)
        m_guard->restartClock();
}

bool ForeignNoteFile::run(QSqlQuery &query, const QString &sql)
{
    restartClock();
    return query.exec(sql);
}

QString ForeignNoteFile::open()
{
    // SQLite would wait on a FIFO for a writer and read a device forever.
    if (const QString problem = NoteFileGuard::kindProblem(m_path, NoteFileGuard::EmptyFile::Read);
        !problem.isEmpty())
        return problem;
    if (!m_database.open()) {
        const QString text = m_database.lastError().text().trimmed();
        return text.isEmpty() ? tr("it could not be opened.") : text;
    }
    sqlite3 *handle = NoteFileGuard::handleOf(m_database);
    if (!handle)
        return tr("it could not be opened.");
    m_guard.emplace(m_database, m_limitMs, kStepsBetweenChecks);
    m_guard->setStopCheck(m_stop);
    // No text or picture a note holds comes near this; a column computed on
    // reading could otherwise make one of gigabytes.
    sqlite3_limit(handle, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    QString why;
    if (!isTableWith(QStringLiteral("stickies"), NoteSchema::columns(), &why))
        return why;
    return QString();
}

bool ForeignNoteFile::hasPictureTable()
{
    QString why;
    return isTableWith(QStringLiteral("pictures"), {QStringLiteral("hash"), QStringLiteral("data")},
                       &why);
}

bool ForeignNoteFile::isTableWith(const QString &name, const QStringList &columns, QString *why)
{
    const auto failed = [&](const QSqlQuery &query) {
        if (wasStopped())
            *why = tr("reading it took too long; it may be damaged or made to hold up the "
                      "program.");
        else if (const QString text = query.lastError().text().trimmed(); !text.isEmpty())
            *why = text;
        else
            *why = tr("it could not be read.");
        return false;
    };
    QSqlQuery kind(m_database);
    if (!kind.prepare(
            QStringLiteral("SELECT type FROM sqlite_master WHERE name = ? COLLATE NOCASE")))
        return failed(kind);
    kind.addBindValue(name);
    restartClock();
    if (!kind.exec())
        return failed(kind);
    if (!kind.next()) {
        if (kind.lastError().isValid())
            return failed(kind);
        *why = tr("it holds no table of notes (\"%1\").").arg(name);
        return false;
    }
    // A view is evaluated whenever it is read: it could run without end.
    const QString type = kind.value(0).toString();
    if (type != QLatin1String("table")) {
        *why = tr("its \"%1\" is a %2, not a table.").arg(name, type);
        return false;
    }
    // table_xinfo also lists computed columns: one computed on every read
    // could take any time or memory, so only stored columns count.
    QSqlQuery info(m_database);
    if (!run(info, QStringLiteral("PRAGMA table_xinfo(\"%1\")").arg(name)))
        return failed(info);
    QStringList stored;
    QStringList computed;
    while (info.next())
        (info.value(6).toInt() == 0 ? stored : computed).append(info.value(1).toString().toLower());
    if (info.lastError().isValid())
        return failed(info);
    for (const QString &column : columns) {
        if (computed.contains(column.toLower())) {
            *why = tr("its column \"%1\" is computed, not stored.").arg(column);
            return false;
        }
        if (!stored.contains(column.toLower())) {
            *why = tr("its table \"%1\" has no column \"%2\".").arg(name, column);
            return false;
        }
    }
    return true;
}
