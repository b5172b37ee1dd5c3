#include "store/noteschema.h"

const QString NoteSchema::kNotesTable = QStringLiteral("stickies");
const QString NoteSchema::kBackupTable = QStringLiteral("stickies_backup");
// Including the type name of alwaysontop.
const QString NoteSchema::kCreateTableStatement = QStringLiteral(
    "CREATE TABLE stickies (  id           NUMBER(10),  visible      VARCHAR2(3),  colorRGB     "
    "VARCHAR2(7),  colorName    VARCHAR2(50),  creationDate NUMBER(20),  originalReminderDate "
    "NUMBER(20),  reminderDate NUMBER(20),  periodicMask NUMBER(1000),   locked       VARCHAR2(3), "
    "  alwaysontop  VATCHAR2(3),   message      VARCHAR2(10000),  xPos         NUMBER(5),  yPos    "
    "     NUMBER(5),  width        NUMBER(5),  height       NUMBER(5),  taskbarentry VARCHAR2(3))");
const QString NoteSchema::kCreateBackupStatement =
    QStringLiteral("CREATE TABLE stickies_backup AS SELECT * FROM stickies");

const QStringList &NoteSchema::columns()
{
    static const QStringList names = {
        QStringLiteral("id"),           QStringLiteral("visible"),
        QStringLiteral("colorRGB"),     QStringLiteral("colorName"),
        QStringLiteral("creationDate"), QStringLiteral("originalReminderDate"),
        QStringLiteral("reminderDate"), QStringLiteral("periodicMask"),
        QStringLiteral("locked"),       QStringLiteral("alwaysontop"),
        QStringLiteral("message"),      QStringLiteral("xPos"),
        QStringLiteral("yPos"),         QStringLiteral("width"),
        QStringLiteral("height"),       QStringLiteral("taskbarentry")};
    return names;
}

QString NoteSchema::columnList(const QStringList &extra)
{
    return (columns() + extra).join(QStringLiteral(", "));
}

QString NoteSchema::insert(const QString &table, const QStringList &extra)
{
    const qsizetype count = columns().size() + extra.size();
    QStringList placeholders(count, QStringLiteral("?"));
    return QStringLiteral("INSERT INTO %1 ( %2 ) VALUES ( %3 )")
        .arg(table, columnList(extra), placeholders.join(QStringLiteral(", ")));
}

QString NoteSchema::updateRow(const QString &table)
{
    QStringList assignments;
    for (const QString &column : columns())
        assignments.append(column + QStringLiteral(" = ?"));
    return QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
        .arg(table, assignments.join(QStringLiteral(", ")));
}

QString NoteSchema::select(const QString &table, bool messageAsBytes, const QString &leading)
{
    QStringList read = columns();
    if (messageAsBytes)
        read.replace(read.indexOf(QStringLiteral("message")),
                     QStringLiteral("CAST(message AS BLOB)"));
    return QStringLiteral("SELECT %1%2 FROM %3")
        .arg(leading, read.join(QStringLiteral(", ")), table);
}

QString NoteSchema::copyIntoBackup()
{
    return QStringLiteral("INSERT INTO stickies_backup SELECT * FROM stickies");
}
