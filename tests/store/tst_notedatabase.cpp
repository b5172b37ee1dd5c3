// The note database: opening, schema, welcome note, and the stored form of
// every column as written by this and by earlier versions.

#include "sqlrows.h"
#include "store/notedatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include <sys/stat.h>

namespace {

// The schema exactly as earlier versions stored it.
const QString kStoredSchema = QStringLiteral(
    "CREATE TABLE stickies (  id           NUMBER(10),  visible      VARCHAR2(3),  colorRGB     "
    "VARCHAR2(7),  colorName    VARCHAR2(50),  creationDate NUMBER(20),  originalReminderDate "
    "NUMBER(20),  reminderDate NUMBER(20),  periodicMask NUMBER(1000),   locked       "
    "VARCHAR2(3),   alwaysontop  VATCHAR2(3),   message      VARCHAR2(10000),  xPos         "
    "NUMBER(5),  yPos         NUMBER(5),  width        NUMBER(5),  height       NUMBER(5),  "
    "taskbarentry VARCHAR2(3))");

// What SQLite stores for the backup table made as a copy of `stickies`.
const QString kStoredBackupSchema = QStringLiteral(
    "CREATE TABLE stickies_backup(\n  id NUM,\n  visible TEXT,\n  colorRGB TEXT,\n  colorName "
    "TEXT,\n  creationDate NUM,\n  originalReminderDate NUM,\n  reminderDate NUM,\n  "
    "periodicMask NUM,\n  locked TEXT,\n  alwaysontop TEXT,\n  message TEXT,\n  xPos NUM,\n  "
    "yPos NUM,\n  width NUM,\n  height NUM,\n  taskbarentry TEXT\n)");

const QString kInspector = QStringLiteral("inspector");

// A second connection to the same file, as another program (or the sqlite3
// tool) would see it.
class Inspector
{
public:
    explicit Inspector(const QString &file)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kInspector);
        db.setDatabaseName(file);
        db.open();
    }
    ~Inspector() { QSqlDatabase::removeDatabase(kInspector); }

    QSqlDatabase db() const { return QSqlDatabase::database(kInspector); }

    bool exec(const QString &statement)
    {
        QSqlQuery query(db());
        const bool ok = query.exec(statement);
        if (!ok)
            qWarning() << statement << query.lastError().text();
        return ok;
    }

    QVariant scalar(const QString &statement)
    {
        QSqlQuery query(db());
        if (!query.exec(statement) || !query.next())
            return QVariant();
        return query.value(0);
    }

    QList<QVariantList> rows(const QString &statement) { return queryRows(db(), statement); }
};

QDateTime at(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds);
}

QStringList tableNames(Inspector &file)
{
    QStringList names;
    for (const QVariantList &row :
         file.rows(QStringLiteral("SELECT name FROM sqlite_master ORDER BY name")))
        names << row.first().toString();
    return names;
}

NoteRecord sampleRecord(int id)
{
    NoteRecord record;
    record.id = id;
    record.visible = true;
    record.colorRGB = QStringLiteral("#ADD8E6");
    record.colorName = QStringLiteral("Light Blue");
    record.creationDate = at(1700000000 + id);
    record.message = QStringLiteral("<p>note %1</p>").arg(id);
    record.x = 10 * id;
    record.y = 20 * id;
    record.width = 210;
    record.height = 150;
    return record;
}

} // namespace

class TestNoteDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newFileGetsTheStoredSchema();
    void everyWriteKeepsTheStoredForms();
    void newFileHoldsExactlyTheWelcomeNote();
    void welcomeNoteReadsAsWelcome();
    void welcomeNoteIsTheEarlierDocument();
    void secondOpenInsertsNothing();
    void openFailures_data();
    void openFailures();
    void missingDataDirectoryIsCreated();
    void recordsRoundTrip_data();
    void recordsRoundTrip();
    void saveKeepsThePreviousSaveAsBackup();
    void storedFormsDecode_data();
    void storedFormsDecode();
    void emptyTableLoadsTheBackup();
    void fileOfAnEarlierVersionLoadsUnchanged();
    void fileWithoutBackupTableStillSaves();
    void nullMaskOfAnEarlierVersionIsRewrittenAsEmptyText();
    void inspectSaysWhatIsWrong_data();
    void inspectSaysWhatIsWrong();

private:
    QString dataDirectory() const { return m_folder->path() + QStringLiteral("/.NotarellaData/"); }
    QString databaseFile() const { return dataDirectory() + QStringLiteral("ann"); }
    // A file with the stored schema and no rows, as an earlier version made it.
    void createEarlierVersionFile(bool withBackupTable);

    std::unique_ptr<QTemporaryDir> m_folder;
    NoteDatabase m_database;
};

void TestNoteDatabase::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestNoteDatabase::cleanup()
{
    m_database.close();
    m_folder.reset();
}

void TestNoteDatabase::createEarlierVersionFile(bool withBackupTable)
{
    QVERIFY(QDir().mkpath(dataDirectory()));
    Inspector file(databaseFile());
    QVERIFY(file.exec(kStoredSchema));
    if (withBackupTable)
        QVERIFY(
            file.exec(QStringLiteral("CREATE TABLE stickies_backup AS SELECT * FROM stickies")));
}

void TestNoteDatabase::newFileGetsTheStoredSchema()
{
    QCOMPARE(NoteSchema::kCreateTableStatement, kStoredSchema);
    QVERIFY(NoteSchema::kCreateTableStatement.contains(QLatin1String("alwaysontop  VATCHAR2(3)")));

    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    QVERIFY(QSqlDatabase::contains(QStringLiteral("sqlite")));
    Inspector file(databaseFile());
    QCOMPARE(file.scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'stickies'"))
                 .toString(),
             NoteSchema::kCreateTableStatement);

    // Sixteen columns in the order every SELECT and INSERT uses.
    const QStringList columns = {"id",           "visible",      "colorRGB",
                                 "colorName",    "creationDate", "originalReminderDate",
                                 "reminderDate", "periodicMask", "locked",
                                 "alwaysontop",  "message",      "xPos",
                                 "yPos",         "width",        "height",
                                 "taskbarentry"};
    for (const QString &table : {QStringLiteral("stickies"), QStringLiteral("stickies_backup")}) {
        QStringList found;
        for (const QVariantList &row :
             file.rows(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
            found << row.at(1).toString();
        QCOMPARE(found, columns);
    }
    QCOMPARE(tableNames(file), QStringList({"stickies", "stickies_backup", "stickies_trash"}));

    m_database.close();
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("sqlite")));
}

// The welcome note, a whole rewrite, a save of changed and added rows and a
// copy all leave the schema texts and each column's stored type as earlier
// versions wrote them.
void TestNoteDatabase::everyWriteKeepsTheStoredForms()
{
    const QVariantList types = {"integer", "text",    "text",    "text", "integer", "integer",
                                "integer", "text",    "text",    "text", "text",    "integer",
                                "integer", "integer", "integer", "text"};
    QString typeOf;
    for (const QString &column : NoteSchema::columns())
        typeOf += (typeOf.isEmpty() ? "SELECT " : ", ") + QStringLiteral("typeof(%1)").arg(column);
    const auto check = [&](const QString &file, int notes, int backup) {
        Inspector inspector(file);
        QCOMPARE(inspector.rows(QStringLiteral("SELECT sql FROM sqlite_master WHERE name LIKE "
                                               "'stickies%' AND name != 'stickies_trash' "
                                               "ORDER BY name")),
                 (QList<QVariantList>{{kStoredSchema}, {kStoredBackupSchema}}));
        QCOMPARE(inspector.rows(typeOf + " FROM stickies"), QList<QVariantList>(notes, types));
        QCOMPARE(inspector.rows(typeOf + " FROM stickies_backup"),
                 QList<QVariantList>(backup, types));
    };
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    check(databaseFile(), 1, 1);
    QList<NoteRecord> records = {sampleRecord(1), sampleRecord(2)};
    QVERIFY(m_database.save(records));
    records[0].x = 77;
    records.append(sampleRecord(3));
    QVERIFY(m_database.save(records));
    QVERIFY(m_database.save(records)); // rows rewritten in place and added, in both tables
    check(databaseFile(), 3, 3);
    const QString copy = m_folder->filePath(QStringLiteral("copy"));
    QVERIFY(NoteDatabase::writeCopy(copy, records, nullptr));
    check(copy, 3, 0);
}

void TestNoteDatabase::newFileHoldsExactlyTheWelcomeNote()
{
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    const qint64 after = QDateTime::currentSecsSinceEpoch();

    Inspector file(databaseFile());
    const QList<QVariantList> rows = file.rows(QStringLiteral("SELECT * FROM stickies"));
    QCOMPARE(rows.size(), 1);
    const QVariantList &row = rows.first();
    QCOMPARE(row.at(0).toInt(), 1);
    QCOMPARE(row.at(1).toString(), QStringLiteral("YES"));
    QCOMPARE(row.at(2).toString(), QStringLiteral("#FFFF00"));
    QCOMPARE(row.at(3).toString(), QStringLiteral("Yellow"));
    QVERIFY2(row.at(4).toLongLong() >= before && row.at(4).toLongLong() <= after,
             qPrintable(row.at(4).toString()));
    QCOMPARE(row.at(5).toLongLong(), 0);
    QCOMPARE(row.at(6).toLongLong(), 0);
    QCOMPARE(row.at(7).toString(), QString());
    QCOMPARE(row.at(8).toString(), QStringLiteral("YES"));
    QCOMPARE(row.at(9).toString(), QStringLiteral("NO"));
    QCOMPARE(row.at(10).toString(), WelcomeNote::document());
    QCOMPARE(row.at(11).toInt(), 200);
    QCOMPARE(row.at(12).toInt(), 200);
    QCOMPARE(row.at(13).toInt(), 300);
    QCOMPARE(row.at(14).toInt(), 200);
    QCOMPARE(row.at(15).toString(), QStringLiteral("YES"));
    // Stored as numbers, as the earlier versions' literal SQL did.
    QCOMPARE(file.scalar(QStringLiteral("SELECT typeof(creationDate) FROM stickies")).toString(),
             QStringLiteral("integer"));

    QCOMPARE(file.rows(QStringLiteral("SELECT * FROM stickies_backup")), rows);

    const QList<NoteRecord> loaded = m_database.load();
    QCOMPARE(loaded.size(), 1);
    QVERIFY(loaded.first().visible && loaded.first().locked && loaded.first().taskbarEntry);
    QVERIFY(!loaded.first().alwaysOnTop);
    QVERIFY(loaded.first().reminderDate.isNull() && loaded.first().originalReminderDate.isNull());
}

// Without a translation the welcome note is exactly the document that
// earlier versions wrote, byte for byte.
void TestNoteDatabase::welcomeNoteIsTheEarlierDocument()
{
    const QString paragraph =
        QStringLiteral("margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; "
                       "-qt-block-indent:0; text-indent:0px;");
    const QString font = QStringLiteral("font-family:'Pristina'; font-size:14pt;");
    const QString earlier =
        QStringLiteral(
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
            "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
            "<html><head><meta name=\"qrichtext\" content=\"1\" />"
            "<style type=\"text/css\">\np, li { white-space: pre-wrap; }\n</style></head>"
            "<body style=\" white-space: pre-wrap; font-family:'MS Shell Dlg'; "
            "font-weight:400; font-style:normal; text-decoration:none;\">\n"
            "<p align=\"center\" style=\" P\"><span style=\" font-size:14pt; "
            "font-weight:600; font-style:italic; color:#ff0000;\">Welcome to "
            "Notarella!</span></p>\n"
            "<p style=\" P\"><span style=\" F\">To get started, please open the context "
            "menu (usually by </span><span style=\" F font-weight:600;\">right-clicking</span>"
            "<span style=\" F\">) on the top portion of this sticky, and then select </span>"
            "<span style=\" F font-weight:600;\">Sticky Control Panel</span>"
            "<span style=\" F\">.</span></p></body></html>")
            .replace(QLatin1String(" P\""), QLatin1Char(' ') + paragraph + QLatin1Char('"'))
            .replace(QLatin1String(" F"), QLatin1Char(' ') + font);
    QCOMPARE(WelcomeNote::document(), earlier);
}

void TestNoteDatabase::welcomeNoteReadsAsWelcome()
{
    QTextDocument document;
    document.setHtml(WelcomeNote::document());
    QCOMPARE(document.toPlainText(),
             QStringLiteral("Welcome to Notarella!\nTo get started, please open the context menu "
                            "(usually by right-clicking) on the top portion of this sticky, and "
                            "then select Sticky Control Panel."));
    const QTextBlock title = document.firstBlock();
    QVERIFY(title.blockFormat().alignment() & Qt::AlignHCenter);
    QCOMPARE(title.blockFormat().topMargin(), 12.0);
    const QTextCharFormat titleFormat = title.begin().fragment().charFormat();
    QVERIFY(titleFormat.fontItalic());
    QCOMPARE(titleFormat.fontWeight(), 600);
    QCOMPARE(titleFormat.fontPointSize(), 14.0);
    QCOMPARE(titleFormat.foreground().color(), QColor(QStringLiteral("#ff0000")));

    const QTextBlock body = title.next();
    QVERIFY(!(body.blockFormat().alignment() & Qt::AlignHCenter));
    QStringList boldParts;
    for (auto it = body.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        QCOMPARE(format.fontFamilies().toStringList().value(0), QStringLiteral("Pristina"));
        QCOMPARE(format.fontPointSize(), 14.0);
        if (format.fontWeight() == 600)
            boldParts << it.fragment().text();
    }
    QCOMPARE(boldParts, (QStringList{"right-clicking", "Sticky Control Panel"}));
}

void TestNoteDatabase::secondOpenInsertsNothing()
{
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    m_database.close();
    QList<QVariantList> first;
    {
        Inspector file(databaseFile());
        first = file.rows(QStringLiteral("SELECT * FROM stickies"));
    }
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    Inspector file(databaseFile());
    QCOMPARE(file.rows(QStringLiteral("SELECT * FROM stickies")), first);
    QCOMPARE(file.rows(QStringLiteral("SELECT * FROM stickies_backup")), first);
    QCOMPARE(tableNames(file), QStringList({"stickies", "stickies_backup", "stickies_trash"}));
}

void TestNoteDatabase::openFailures_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");

    QTest::newRow("file where the data directory belongs")
        << "directory-is-file" << int(NoteDatabase::OpenResult::DirectoryFailed)
        << "Unable to create data storage directory!";
    QTest::newRow("folder where the database file belongs")
        << "database-is-folder" << int(NoteDatabase::OpenResult::OpenFailed)
        << "Can't open the Sticky database!";
    QTest::newRow("file that is no database")
        << "database-is-text" << int(NoteDatabase::OpenResult::OpenFailed)
        << "Can't open the Sticky database!";
}

void TestNoteDatabase::openFailures()
{
    QFETCH(QString, obstacle);
    QFETCH(int, result);
    QFETCH(QString, message);

    const QByteArray text = "These are my own notes, not a database.\n";
    const QString blocked = obstacle == QLatin1String("directory-is-file")
                                ? m_folder->path() + QStringLiteral("/.NotarellaData")
                                : databaseFile();
    if (obstacle == QLatin1String("database-is-folder")) {
        QVERIFY(QDir().mkpath(blocked));
    } else {
        QVERIFY(QDir().mkpath(QFileInfo(blocked).absolutePath()));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTest::ignoreMessage(QtCriticalMsg, qPrintable(message));
    QCOMPARE(int(m_database.open(dataDirectory(), databaseFile())), result);
    QVERIFY(!m_database.isOpen());
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("sqlite")));
    QVERIFY(m_database.load().isEmpty());
    QVERIFY(!m_database.save({sampleRecord(1)}));

    // What stood in the way is left as it was.
    if (obstacle == QLatin1String("database-is-folder")) {
        QVERIFY(QFileInfo(blocked).isDir());
        QVERIFY(QDir(blocked).isEmpty());
    } else {
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), text);
    }

    // The connection name is free again: a good file opens afterwards.
    const QString otherFolder = m_folder->path() + QStringLiteral("/other/");
    QCOMPARE(m_database.open(otherFolder, otherFolder + QStringLiteral("ann")),
             NoteDatabase::OpenResult::Opened);
}

void TestNoteDatabase::missingDataDirectoryIsCreated()
{
    QVERIFY(!QFileInfo::exists(dataDirectory()));
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    QVERIFY(QFileInfo(dataDirectory()).isDir());
    QVERIFY(QFileInfo(databaseFile()).isFile());
    QCOMPARE(QDir(dataDirectory()).entryList(QDir::Files), QStringList{QStringLiteral("ann")});
}

void TestNoteDatabase::recordsRoundTrip_data()
{
    QTest::addColumn<QList<NoteRecord>>("records");

    NoteRecord quotes = sampleRecord(2);
    quotes.message =
        QStringLiteral("<p align='center'>it's \"quoted\" '' ''' ; DROP TABLE stickies; --</p>");
    quotes.colorName = QStringLiteral("Baker's Chocolate");

    NoteRecord placeholders = sampleRecord(3);
    placeholders.message = QStringLiteral("%1 %2 %11 %3A http://x/?q=a%20b%3A %% %L1 %n");
    placeholders.colorName = QStringLiteral("%1");
    placeholders.periodicMask = QStringLiteral("|%1|'|");

    NoteRecord lines = sampleRecord(4);
    lines.message = QStringLiteral("first\nsecond\r\nthird\ttab\\backslash\n\n");

    NoteRecord unicode = sampleRecord(5);
    unicode.message = QStringLiteral("Grüße, 日本語, emoji 📝, ß, é");
    unicode.colorName = QStringLiteral("Gelb – hell");

    NoteRecord reminder = sampleRecord(6);
    reminder.visible = false;
    reminder.locked = true;
    reminder.alwaysOnTop = true;
    reminder.taskbarEntry = false;
    reminder.originalReminderDate = at(1800000000);
    reminder.reminderDate = at(1800000600);
    reminder.periodicMask = QStringLiteral("|0|9|*|*|1,2,3,4,5|");
    reminder.x = -50;
    reminder.y = -7;

    NoteRecord empty = sampleRecord(7);
    empty.message = QString();
    empty.colorName = QString();
    empty.creationDate = at(0);

    NoteRecord numberLike = sampleRecord(8);
    numberLike.message = QStringLiteral("12345");
    numberLike.colorName = QStringLiteral("007");
    numberLike.periodicMask = QStringLiteral("|1.50|");

    QTest::newRow("quotes") << QList<NoteRecord>{quotes};
    QTest::newRow("placeholders and percent codes") << QList<NoteRecord>{placeholders};
    QTest::newRow("line breaks") << QList<NoteRecord>{lines};
    QTest::newRow("non-ASCII") << QList<NoteRecord>{unicode};
    QTest::newRow("reminder and flags") << QList<NoteRecord>{reminder};
    QTest::newRow("empty texts, epoch") << QList<NoteRecord>{empty};
    QTest::newRow("texts that look like numbers") << QList<NoteRecord>{numberLike};
    QTest::newRow("many, order kept")
        << QList<NoteRecord>{reminder,     quotes, empty,      sampleRecord(40), unicode,
                             placeholders, lines,  numberLike, sampleRecord(9)};
    QTest::newRow("none") << QList<NoteRecord>{};
}

void TestNoteDatabase::recordsRoundTrip()
{
    QFETCH(QList<NoteRecord>, records);

    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    QVERIFY(m_database.save(records));
    if (records.isEmpty()) {
        // Nothing saved: the backup (the welcome note) is what loads.
        QCOMPARE(m_database.load().size(), 1);
        return;
    }
    QCOMPARE(m_database.load(), records);

    // And as read back by the next start.
    m_database.close();
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    QCOMPARE(m_database.load(), records);
}

void TestNoteDatabase::saveKeepsThePreviousSaveAsBackup()
{
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    const QList<NoteRecord> first = {sampleRecord(1), sampleRecord(2)};
    const QList<NoteRecord> second = {sampleRecord(3)};
    QVERIFY(m_database.save(first));
    QVERIFY(m_database.save(second));

    Inspector file(databaseFile());
    QCOMPARE(file.scalar(QStringLiteral("SELECT COUNT(*) FROM stickies")).toInt(), 1);
    QCOMPARE(file.rows(QStringLiteral("SELECT id FROM stickies_backup ORDER BY id")),
             (QList<QVariantList>{{1}, {2}}));
    QCOMPARE(m_database.load(), second);
}

void TestNoteDatabase::storedFormsDecode_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("storedValue"); // an SQL literal
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("visible 'yes' is hidden") << "visible"
                                             << "'yes'"
                                             << "visible" << QVariant(false);
    QTest::newRow("visible 'YES '") << "visible"
                                    << "'YES '"
                                    << "visible" << QVariant(false);
    QTest::newRow("visible 'YES'") << "visible"
                                   << "'YES'"
                                   << "visible" << QVariant(true);
    QTest::newRow("locked 'Yes'") << "locked"
                                  << "'Yes'"
                                  << "locked" << QVariant(false);
    QTest::newRow("on top 'YES'") << "alwaysontop"
                                  << "'YES'"
                                  << "alwaysOnTop" << QVariant(true);
    QTest::newRow("task bar ''") << "taskbarentry"
                                 << "''"
                                 << "taskbarEntry" << QVariant(false);
    QTest::newRow("task bar NULL") << "taskbarentry"
                                   << "NULL"
                                   << "taskbarEntry" << QVariant(false);
    QTest::newRow("task bar 'YES'") << "taskbarentry"
                                    << "'YES'"
                                    << "taskbarEntry" << QVariant(true);
    QTest::newRow("reminder 0") << "reminderDate"
                                << "0"
                                << "reminderDate" << QVariant(QDateTime());
    QTest::newRow("original reminder 0") << "originalReminderDate"
                                         << "0"
                                         << "originalReminderDate" << QVariant(QDateTime());
    QTest::newRow("reminder set") << "reminderDate"
                                  << "1800000000"
                                  << "reminderDate" << QVariant(at(1800000000));
    QTest::newRow("creation 0 is the epoch")
        << "creationDate"
        << "0"
        << "creationDate" << QVariant(QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC));
    QTest::newRow("creation as text") << "creationDate"
                                      << "'1700000000'"
                                      << "creationDate" << QVariant(at(1700000000));
}

void TestNoteDatabase::storedFormsDecode()
{
    QFETCH(QString, column);
    QFETCH(QString, storedValue);
    QFETCH(QString, field);
    QFETCH(QVariant, expected);

    createEarlierVersionFile(true);
    {
        Inspector file(databaseFile());
        QVERIFY(file.exec(QStringLiteral(
            "INSERT INTO stickies VALUES ( 5, 'YES', '#FFFF00', 'Yellow', 1700000000, 0, 0, '', "
            "'NO', 'NO', 'text', 1, 2, 300, 200, 'YES' )")));
        QVERIFY(file.exec(QStringLiteral("UPDATE stickies SET %1 = %2").arg(column, storedValue)));
    }
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    const QList<NoteRecord> loaded = m_database.load();
    QCOMPARE(loaded.size(), 1);
    const NoteRecord &record = loaded.first();

    const QMap<QString, QVariant> fields = {
        {"visible", record.visible},
        {"locked", record.locked},
        {"alwaysOnTop", record.alwaysOnTop},
        {"taskbarEntry", record.taskbarEntry},
        {"reminderDate", record.reminderDate},
        {"originalReminderDate", record.originalReminderDate},
        {"creationDate", record.creationDate},
    };
    QVERIFY(fields.contains(field));
    if (expected.typeId() == QMetaType::QDateTime) {
        const QDateTime wanted = expected.toDateTime();
        const QDateTime got = fields.value(field).toDateTime();
        QCOMPARE(got.isNull(), wanted.isNull());
        if (!wanted.isNull())
            QCOMPARE(got.toSecsSinceEpoch(), wanted.toSecsSinceEpoch());
    } else {
        QCOMPARE(fields.value(field), expected);
    }
}

void TestNoteDatabase::emptyTableLoadsTheBackup()
{
    createEarlierVersionFile(true);
    {
        Inspector file(databaseFile());
        QVERIFY(file.exec(QStringLiteral(
            "INSERT INTO stickies_backup VALUES ( 3, 'YES', '#90EE90', 'Light Green', 1700000000, "
            "0, 0, '', 'NO', 'NO', 'from the backup', 5, 6, 210, 150, 'NO' )")));
    }
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    const QList<NoteRecord> loaded = m_database.load();
    QCOMPARE(loaded.size(), 1);
    QCOMPARE(loaded.first().id, 3);
    QCOMPARE(loaded.first().message, QStringLiteral("from the backup"));

    // Both tables empty: no notes.
    Inspector file(databaseFile());
    QVERIFY(file.exec(QStringLiteral("DELETE FROM stickies_backup")));
    QVERIFY(m_database.load().isEmpty());
}

void TestNoteDatabase::fileOfAnEarlierVersionLoadsUnchanged()
{
    // Rows as the earlier versions wrote them: every value put into the
    // statement text, single quotes doubled in the message.
    createEarlierVersionFile(true);
    const QString message = QStringLiteral(
        "<html><body><p align=''center''>Bob''s list: 100% done, %1 and %3A</p></body></html>");
    {
        Inspector file(databaseFile());
        QVERIFY(file.exec(
            QStringLiteral("INSERT INTO STICKIES ( id, visible, colorRGB, colorName, creationDate, "
                           "originalReminderDate, reminderDate, periodicMask, locked, alwaysontop, "
                           "message, xPos, yPos, width, height, taskbarentry ) VALUES ( 7, 'YES', "
                           "'#FFC0CB', 'Pink', 1600000000, 1900000000, 1900000300, '|30|*|*|*|*|', "
                           "'YES', 'YES', '%1', 120, 80, 250, 180, 'NO' )")
                .arg(message)));
        QVERIFY(file.exec(QStringLiteral(
            "INSERT INTO STICKIES ( id, visible, colorRGB, colorName, creationDate, "
            "originalReminderDate, reminderDate, periodicMask, locked, alwaysontop, message, xPos, "
            "yPos, width, height, taskbarentry ) VALUES ( 2, 'NO', '#FFFF00', 'Yellow', "
            "1500000000, 0, 0, '', 'NO', 'NO', 'plain', 0, 0, 210, 150, 'YES' )")));
    }

    NoteRecord seven;
    seven.id = 7;
    seven.visible = true;
    seven.colorRGB = QStringLiteral("#FFC0CB");
    seven.colorName = QStringLiteral("Pink");
    seven.creationDate = at(1600000000);
    seven.originalReminderDate = at(1900000000);
    seven.reminderDate = at(1900000300);
    seven.periodicMask = QStringLiteral("|30|*|*|*|*|");
    seven.locked = true;
    seven.alwaysOnTop = true;
    seven.message = QStringLiteral(
        "<html><body><p align='center'>Bob's list: 100% done, %1 and %3A</p></body></html>");
    seven.x = 120;
    seven.y = 80;
    seven.width = 250;
    seven.height = 180;
    seven.taskbarEntry = false;

    NoteRecord two;
    two.id = 2;
    two.visible = false;
    two.colorRGB = QStringLiteral("#FFFF00");
    two.colorName = QStringLiteral("Yellow");
    two.creationDate = at(1500000000);
    two.message = QStringLiteral("plain");
    two.width = 210;
    two.height = 150;
    two.taskbarEntry = true;

    const QList<NoteRecord> expected = {seven, two};
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    QCOMPARE(m_database.load(), expected);

    // Saved again by this version, the rows read back the same.
    QVERIFY(m_database.save(m_database.load()));
    QCOMPARE(m_database.load(), expected);
}

void TestNoteDatabase::fileWithoutBackupTableStillSaves()
{
    createEarlierVersionFile(false);
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    {
        Inspector file(databaseFile());
        // Opening creates only the table of deleted notes when `stickies`
        // exists.
        QCOMPARE(tableNames(file), QStringList({"stickies", "stickies_trash"}));
        QCOMPARE(file.scalar(QStringLiteral("SELECT COUNT(*) FROM stickies")).toInt(), 0);
    }
    const QList<NoteRecord> records = {sampleRecord(1), sampleRecord(2)};
    QVERIFY(m_database.save(records));
    QCOMPARE(m_database.load(), records);
    QVERIFY(m_database.save({sampleRecord(3)}));
    QCOMPARE(m_database.load(), QList<NoteRecord>{sampleRecord(3)});
}

void TestNoteDatabase::nullMaskOfAnEarlierVersionIsRewrittenAsEmptyText()
{
    createEarlierVersionFile(true);
    {
        Inspector file(databaseFile());
        QVERIFY(file.exec(QStringLiteral(
            "INSERT INTO stickies (id, visible, colorRGB, colorName, creationDate, "
            "originalReminderDate, reminderDate, periodicMask, locked, alwaysontop, message, "
            "xPos, yPos, width, height, taskbarentry) VALUES (7, 'YES', '#FFFF00', 'Yellow', "
            "0, 0, 0, NULL, 'NO', 'NO', 'text', 10, 10, 200, 150, 'YES')")));
    }
    QCOMPARE(m_database.open(dataDirectory(), databaseFile()), NoteDatabase::OpenResult::Opened);
    QList<NoteRecord> records = m_database.load();
    QCOMPARE(records.size(), 1);
    // The note holds no pattern as empty text, as the note window does, and
    // nothing else changed: the save must still rewrite the NULL.
    records.first().periodicMask = QStringLiteral("");
    QVERIFY(m_database.save(records));
    Inspector file(databaseFile());
    QCOMPARE(file.scalar(QStringLiteral("SELECT COUNT(*) FROM stickies WHERE periodicMask IS NULL"))
                 .toInt(),
             0);
    QCOMPARE(file.scalar(QStringLiteral("SELECT periodicMask FROM stickies")).toString(),
             QString());
    QCOMPARE(file.scalar(QStringLiteral("SELECT typeof(periodicMask) FROM stickies")).toString(),
             QStringLiteral("text"));
}

void TestNoteDatabase::inspectSaysWhatIsWrong_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<int>("notes");
    QTest::newRow("note file") << "notes"
                               << "" << 40;
    QTest::newRow("missing") << "missing"
                             << "it does not exist." << -1;
    QTest::newRow("folder") << "folder"
                            << "it is a folder, not a file." << -1;
    QTest::newRow("FIFO") << "fifo"
                          << "it is a named pipe (FIFO), not a file." << -1;
    QTest::newRow("device") << "device"
                            << "it is a device, not a file." << -1;
    QTest::newRow("empty file") << "empty"
                                << "it is empty." << -1;
    QTest::newRow("random bytes") << "random"
                                  << "it is no database; its content is of another kind." << -1;
    QTest::newRow("cut short") << "truncated"
                               << "it is damaged or cut short." << -1;
    QTest::newRow("locked") << "locked"
                            << "another program holds it locked." << -1;
    QTest::newRow("notes in a view") << "view"
                                     << "its \"stickies\" is no table but a view." << -1;
    QTest::newRow("other columns")
        << "columns"
        << "its table \"stickies\" has other columns than a note table." << -1;
}

void TestNoteDatabase::inspectSaysWhatIsWrong()
{
    QFETCH(QString, kind);
    QVERIFY(QDir().mkpath(dataDirectory()));
    QString file = databaseFile();
    const auto write = [&](const QByteArray &bytes) {
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    };
    if (kind == QLatin1String("notes") || kind == QLatin1String("truncated") ||
        kind == QLatin1String("locked")) {
        QList<NoteRecord> records;
        for (int id = 1; id <= 40; ++id) {
            records.append(sampleRecord(id));
            records.last().message = QString(3000, QLatin1Char('a' + id % 26));
        }
        QCOMPARE(m_database.open(dataDirectory(), file), NoteDatabase::OpenResult::Opened);
        QVERIFY(m_database.save(records));
        m_database.close();
        if (kind == QLatin1String("truncated"))
            QVERIFY(QFile::resize(file, QFileInfo(file).size() / 2));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(file));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        file = QStringLiteral("/dev/null");
    } else if (kind == QLatin1String("empty")) {
        QVERIFY(write(QByteArray()));
    } else if (kind == QLatin1String("random")) {
        QByteArray bytes;
        for (int i = 0; i < 8192; ++i)
            bytes.append(char((i * 7919 + 13) % 251));
        QVERIFY(write(bytes));
    } else if (kind == QLatin1String("view") || kind == QLatin1String("columns")) {
        Inspector maker(file);
        QVERIFY(maker.exec(kind == QLatin1String("view")
                               ? QStringLiteral("CREATE VIEW stickies AS WITH RECURSIVE n(x) AS "
                                                "(SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT "
                                                "x AS id FROM n")
                               : QStringLiteral("CREATE TABLE stickies (id, note)")));
    }
    std::unique_ptr<Inspector> holder;
    if (kind == QLatin1String("locked")) {
        holder = std::make_unique<Inspector>(file);
        QVERIFY(holder->exec(QStringLiteral("BEGIN EXCLUSIVE")));
    }

    const NoteDatabase::FileCheck check = NoteDatabase::inspect(file);
    QTEST(check.problem, "problem");
    QTEST(check.notes, "notes");
    if (holder)
        QVERIFY(holder->exec(QStringLiteral("ROLLBACK")));

    // The note file itself is opened only when it is usable, and left as it
    // was when not. (An empty file is how a new note file starts.)
    if (kind == QLatin1String("device") || kind == QLatin1String("missing") ||
        kind == QLatin1String("locked") || kind == QLatin1String("empty"))
        return;
    const QByteArray before = QFileInfo(file).isFile() ? [&] {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }() : QByteArray();
    if (check.notes < 0)
        QTest::ignoreMessage(QtCriticalMsg, "Can't open the Sticky database!");
    QCOMPARE(m_database.open(dataDirectory(), file) == NoteDatabase::OpenResult::Opened,
             check.notes >= 0);
    m_database.close();
    if (QFileInfo(file).isFile() && check.notes < 0) {
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(in.readAll(), before);
    }
}

QTEST_MAIN(TestNoteDatabase)
#include "tst_notedatabase.moc"
