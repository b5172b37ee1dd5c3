#include "store/notedatabase.h"

#include "base/tracing.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

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

QString selectStatement(const QString &table)
{
    return QStringLiteral("SELECT id,        visible,        colorRGB,        colorName,        "
                          "creationDate,        originalReminderDate,        reminderDate,        "
                          "periodicMask,        locked,        alwaysontop,        message,        "
                          "xPos,        yPos,        width,        height,        taskbarentry   "
                          "FROM ") +
           table;
}

bool execute(QSqlQuery &query, const QString &statement)
{
    if (query.exec(statement))
        return true;
    qCDebug(lcStore) << "statement failed:" << statement.left(60) << query.lastError().text();
    return false;
}

void bindRecord(QSqlQuery &query, const NoteRecord &record)
{
    query.bindValue(0, record.id);
    query.bindValue(1, yesNo(record.visible));
    query.bindValue(2, record.colorRGB);
    query.bindValue(3, record.colorName);
    query.bindValue(4, record.creationDate.toSecsSinceEpoch());
    query.bindValue(5, toSeconds(record.originalReminderDate));
    query.bindValue(6, toSeconds(record.reminderDate));
    query.bindValue(7, record.periodicMask);
    query.bindValue(8, yesNo(record.locked));
    query.bindValue(9, yesNo(record.alwaysOnTop));
    query.bindValue(10, record.message);
    query.bindValue(11, record.x);
    query.bindValue(12, record.y);
    query.bindValue(13, record.width);
    query.bindValue(14, record.height);
    query.bindValue(15, yesNo(record.taskbarEntry));
}

} // namespace

NoteDatabase::~NoteDatabase()
{
    close();
}

NoteDatabase::OpenResult NoteDatabase::open(const QString &dataDirectory,
                                            const QString &databaseFile)
{
    close();
    if (!QFileInfo(dataDirectory).isDir() && !QDir().mkpath(dataDirectory)) {
        qCritical("Unable to create data storage directory!");
        return OpenResult::DirectoryFailed;
    }

    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnectionName);
    m_database.setDatabaseName(databaseFile);
    // A file that SQLite cannot read as a database counts as not opened: the
    // program must not run on (and later overwrite) a file it cannot read.
    bool usable = m_database.isValid() && !QFileInfo(databaseFile).isDir() && m_database.open();
    QSqlQuery query(m_database);
    usable = usable &&
             query.exec(QStringLiteral(
                 "SELECT COUNT(*) FROM sqlite_master WHERE tbl_name = 'stickies'")) &&
             query.next();
    if (!usable) {
        qCritical("Can't open the Sticky database!");
        qCDebug(lcStore) << m_database.lastError().text() << query.lastError().text();
        close();
        return OpenResult::OpenFailed;
    }
    if (query.value(0).toInt() == 0)
        createTables();
    return OpenResult::Opened;
}

bool NoteDatabase::isOpen() const
{
    return m_database.isOpen();
}

void NoteDatabase::close()
{
    forgetContent();
    if (!m_database.isValid())
        return;
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(kConnectionName);
}

QSqlDatabase NoteDatabase::connection() const
{
    return m_database;
}

void NoteDatabase::createTables()
{
    qCDebug(lcStore) << "Building Database table.";
    QSqlQuery query(m_database);
    execute(query, kCreateTableStatement);
    query.prepare(QStringLiteral(
        "INSERT INTO STICKIES ( id, visible, colorRGB, colorName, creationDate, "
        "originalReminderDate, reminderDate, periodicMask, locked, alwaysontop, message, xPos, "
        "yPos, width, height, taskbarentry ) VALUES ( 1, 'YES', '#FFFF00', 'Yellow', ?, 0, 0, '', "
        "'YES', 'NO', ?, 200, 200, 300, 200, 'YES' )"));
    query.bindValue(0, QDateTime::currentSecsSinceEpoch());
    query.bindValue(1, welcomeDocument());
    if (!query.exec())
        qCDebug(lcStore) << "welcome note not inserted:" << query.lastError().text();
    execute(query, kCreateBackupStatement);
}

bool NoteDatabase::save(const QList<NoteRecord> &records)
{
    if (!m_database.isOpen())
        return false;
    if (m_dataVersion != dataVersion())
        forgetContent(); // someone else wrote the file: trust nothing cached
    if (!m_database.transaction()) {
        qCWarning(lcStore) << "cannot begin a save:" << m_database.lastError().text();
        return false;
    }

    QSqlQuery query(m_database);
    // The backup becomes what `stickies` holds now. A file without the backup
    // table (made elsewhere) still saves its notes.
    bool backupKnown = m_stored.has_value();
    if (m_stored && m_backup) {
        backupKnown = syncTable(QStringLiteral("stickies_backup"), *m_backup, *m_stored);
    } else {
        execute(query, QStringLiteral("DELETE FROM stickies_backup"));
        backupKnown = execute(query, QStringLiteral("INSERT INTO stickies_backup SELECT * FROM "
                                                    "stickies")) &&
                      backupKnown;
    }

    const bool ok = m_stored ? syncTable(QStringLiteral("stickies"), *m_stored, records)
                             : rewriteTable(QStringLiteral("stickies"), records);
    if (ok && m_database.commit()) {
        m_backup = backupKnown ? m_stored : std::nullopt;
        m_stored = records;
        m_dataVersion = dataVersion();
        return true;
    }

    qCWarning(lcStore) << "save failed, the previous save is kept:"
                       << m_database.lastError().text();
    m_database.rollback();
    forgetContent();
    return false;
}

bool NoteDatabase::rewriteTable(const QString &table, const QList<NoteRecord> &records)
{
    QSqlQuery query(m_database);
    if (!execute(query, QStringLiteral("DELETE FROM ") + table))
        return false;
    if (!query.prepare(QString(kInsertStatement).replace(QLatin1String("STICKIES"), table)))
        return false;
    for (const NoteRecord &record : records) {
        bindRecord(query, record);
        if (!query.exec()) {
            qCDebug(lcStore) << "insert failed:" << query.lastError().text();
            return false;
        }
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
            return false;
        prepared = true;
        bindRecord(update, records.at(i));
        update.bindValue(16, i + 1);
        if (!update.exec())
            return false;
    }
    QSqlQuery query(m_database);
    if (records.size() < stored.size()) {
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid > ?").arg(table));
        query.bindValue(0, records.size());
        if (!query.exec())
            return false;
    }
    if (records.size() > stored.size()) {
        if (!query.prepare(QString(kInsertStatement).replace(QLatin1String("STICKIES"), table)))
            return false;
        for (qsizetype i = stored.size(); i < records.size(); ++i) {
            bindRecord(query, records.at(i));
            if (!query.exec())
                return false;
        }
    }
    return true;
}

qint64 NoteDatabase::dataVersion() const
{
    QSqlQuery query(m_database);
    if (query.exec(QStringLiteral("PRAGMA data_version")) && query.next())
        return query.value(0).toLongLong();
    return -2;
}

void NoteDatabase::forgetContent()
{
    m_stored.reset();
    m_backup.reset();
}

QList<NoteRecord> NoteDatabase::load()
{
    QList<NoteRecord> records;
    if (!m_database.isOpen())
        return records;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    int count = 0;
    if (execute(query, QStringLiteral("SELECT COUNT(*) FROM stickies")) && query.next())
        count = query.value(0).toInt();
    const QString table =
        count < 1 ? QStringLiteral("stickies_backup") : QStringLiteral("stickies");
    if (!execute(query, selectStatement(table)))
        return records;
    while (query.next()) {
        NoteRecord record;
        record.id = query.value(0).toInt();
        record.visible = isYes(query.value(1).toString());
        record.colorRGB = query.value(2).toString();
        record.colorName = query.value(3).toString();
        record.creationDate = creationFromSeconds(query.value(4).toLongLong());
        record.originalReminderDate = reminderFromSeconds(query.value(5).toLongLong());
        record.reminderDate = reminderFromSeconds(query.value(6).toLongLong());
        record.periodicMask = query.value(7).toString();
        record.locked = isYes(query.value(8).toString());
        record.alwaysOnTop = isYes(query.value(9).toString());
        record.message = query.value(10).toString();
        record.x = query.value(11).toInt();
        record.y = query.value(12).toInt();
        record.width = query.value(13).toInt();
        record.height = query.value(14).toInt();
        record.taskbarEntry = isYes(query.value(15).toString());
        records.append(record);
    }
    forgetContent();
    if (count >= 1 && query.exec(QStringLiteral("SELECT MIN(rowid), MAX(rowid) FROM stickies")) &&
        query.next() && query.value(0).toLongLong() == 1 &&
        query.value(1).toLongLong() == records.size()) {
        m_stored = records;
    }
    m_dataVersion = dataVersion();
    return records;
}

QString NoteDatabase::welcomeDocument()
{
    const QString paragraph =
        QStringLiteral("margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; "
                       "-qt-block-indent:0; text-indent:0px;");
    const QString pristina = QStringLiteral("font-family:'Pristina'; font-size:14pt;");
    return QStringLiteral(
               "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
               "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
               "<html><head><meta name=\"qrichtext\" content=\"1\" />"
               "<style type=\"text/css\">\np, li { white-space: pre-wrap; }\n</style></head>"
               "<body style=\" white-space: pre-wrap; font-family:'MS Shell Dlg'; "
               "font-weight:400; font-style:normal; text-decoration:none;\">\n"
               "<p align=\"center\" style=\" %1\"><span style=\" font-size:14pt; "
               "font-weight:600; font-style:italic; color:#ff0000;\">Welcome to "
               "Notarella!</span></p>\n"
               "<p style=\" %1\"><span style=\" %2\">To get started, please open the context "
               "menu (usually by </span><span style=\" %2 font-weight:600;\">right-clicking</span>"
               "<span style=\" %2\">) on the top portion of this sticky, and then select </span>"
               "<span style=\" %2 font-weight:600;\">Sticky Control Panel</span>"
               "<span style=\" %2\">.</span></p></body></html>")
        .arg(paragraph, pristina);
}
