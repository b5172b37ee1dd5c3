// The guard of a note file on its own: what it refuses to read, what it
// tells about the file at a path, and the time limit of a connection.

#include "store/notedatabase.h"
#include "store/notefileguard.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Makes a database file `file` out of `statements`.
bool makeFile(const QString &file, const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "maker");
        database.setDatabaseName(file);
        ok = database.open();
        QSqlQuery query(database);
        for (const QString &statement : statements)
            ok = ok && query.exec(statement);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("maker"));
    return ok;
}

// A statement that never ends on its own.
const QString kEndless = QStringLiteral(
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT MAX(x) FROM n");
// One that ends after some ten thousand steps.
const QString kBounded = QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 "
                                        "FROM n WHERE x < 10000) SELECT MAX(x) FROM n");

} // namespace

class TestNoteFileGuard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_folder.reset(); }
    void inspectRefusesByItself_data();
    void inspectRefusesByItself();
    void atPathTellsWhatIsThere();
    void timeLimitStopsAStatement();

private:
    QString path(const QString &name) const { return m_folder->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestNoteFileGuard::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestNoteFileGuard::inspectRefusesByItself_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<int>("notes");
    QTest::newRow("link to a note file") << "link"
                                         << "" << 2;
    QTest::newRow("link to nothing") << "dangling"
                                     << "it does not exist." << -1;
    QTest::newRow("text") << "text"
                          << "it is no database; its content is of another kind." << -1;
    QTest::newRow("tables of another program")
        << "foreign"
        << "it holds no table of notes (\"stickies\")." << -1;
    QTest::newRow("backup table is a view")
        << "backup view"
        << "its \"stickies_backup\" is no table but a view." << -1;
}

void TestNoteFileGuard::inspectRefusesByItself()
{
    QFETCH(QString, kind);
    const QString file = path(QStringLiteral("checked"));
    const QString notes = path(QStringLiteral("notes"));
    const QString row = QStringLiteral("INSERT INTO stickies (id) VALUES (1)");
    if (kind == QLatin1String("link")) {
        QVERIFY(makeFile(notes, {NoteSchema::kCreateTableStatement, row, row}));
        QVERIFY(QFile::link(notes, file));
    } else if (kind == QLatin1String("dangling")) {
        QVERIFY(QFile::link(path(QStringLiteral("gone")), file));
    } else if (kind == QLatin1String("text")) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QByteArray("id,message\n1,").repeated(400));
    } else if (kind == QLatin1String("foreign")) {
        QVERIFY(makeFile(file, {QStringLiteral("CREATE TABLE recipes (id, text)"),
                                QStringLiteral("INSERT INTO recipes VALUES (1, 'x')")}));
    } else {
        QVERIFY(makeFile(file, {NoteSchema::kCreateTableStatement,
                                QStringLiteral("CREATE VIEW stickies_backup AS WITH RECURSIVE "
                                               "n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM "
                                               "n) SELECT x AS id FROM n")}));
    }
    const NoteFileGuard::FileCheck check = NoteFileGuard::inspect(file);
    QTEST(check.problem, "problem");
    QTEST(check.notes, "notes");
}

void TestNoteFileGuard::atPathTellsWhatIsThere()
{
    using AtPath = NoteFileGuard::AtPath;
    const QString file = path(QStringLiteral("notes"));
    QVERIFY(makeFile(file, {NoteSchema::kCreateTableStatement}));
    const std::optional<Platform::FileIdentity> opened = Platform::fileIdentity(file);
    QVERIFY(opened);
    QCOMPARE(NoteFileGuard::atPath(file, opened), AtPath::Same);
    QCOMPARE(NoteFileGuard::atPath(file, std::nullopt), AtPath::Other);

    QVERIFY(QFile::rename(file, file + QStringLiteral(".moved")));
    QCOMPARE(NoteFileGuard::atPath(file, opened), AtPath::Gone);
    // A link to the file opened is that file.
    QVERIFY(QFile::link(file + QStringLiteral(".moved"), file));
    QCOMPARE(NoteFileGuard::atPath(file, opened), AtPath::Same);
    QVERIFY(QFile::remove(file));
    QVERIFY(QFile::copy(file + QStringLiteral(".moved"), file));
    QCOMPARE(NoteFileGuard::atPath(file, opened), AtPath::Other);
    QVERIFY(QFile::remove(file));
    QVERIFY(QDir().mkdir(file));
    QCOMPARE(NoteFileGuard::atPath(file, opened), AtPath::NotAFile);
}

void TestNoteFileGuard::timeLimitStopsAStatement()
{
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "limited");
        database.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(database.open());
        QSqlQuery query(database);
        {
            NoteFileGuard guard(database, 1000);
            QVERIFY(!query.exec(kEndless));
            QVERIFY(guard.wasStopped());
            QCOMPARE(NoteFileGuard::reasonOf(query.lastError()),
                     QStringLiteral("reading it did not end in time; it may hold a query that "
                                    "never ends."));
            guard.restartClock();
            QVERIFY(!guard.wasStopped());
            QVERIFY(query.exec(kBounded));
            // Asked to stop, well within the time.
            guard.setStopCheck([] { return true; });
            guard.restartClock();
            QVERIFY(!query.exec(kBounded));
            QVERIFY(guard.wasStopped());
        }
        // Gone with the guard: nothing stops a statement any more.
        QVERIFY(query.exec(kBounded) && query.next());
        QCOMPARE(query.value(0).toInt(), 10000);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("limited"));
}

QTEST_MAIN(TestNoteFileGuard)
#include "tst_notefileguard.moc"
