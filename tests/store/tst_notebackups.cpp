// Copies of the note file: their names, which ones are kept, that a copy is
// always one whole save, and that a restore keeps the notes it replaces.

#include "platform/privatefile.h"
#include "sqlrows.h"
#include "store/notebackups.h"
#include "store/notedatabase.h"
#include "store/notewriter.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <future>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using NoteBackups::Kind;

namespace {

QList<NoteRecord> notes(int count, const QString &text)
{
    QList<NoteRecord> records;
    for (int i = 1; i <= count; ++i) {
        NoteRecord record;
        record.id = i;
        record.colorRGB = QStringLiteral("#FFFF00");
        record.colorName = QStringLiteral("Yellow");
        record.creationDate = QDateTime::fromSecsSinceEpoch(1700000000 + i);
        record.message =
            QStringLiteral("%1 %2 'quoted' %3").arg(text).arg(i).arg(QString(2000, u'x'));
        record.width = 300;
        record.height = 200;
        records << record;
    }
    return records;
}

QList<NoteRecord> storedNotes(const QString &file)
{
    NoteDatabase database(QStringLiteral("reader"));
    if (database.open(QFileInfo(file).absolutePath(), file) != NoteDatabase::OpenResult::Opened)
        return {};
    return database.load();
}

bool touch(const QString &file)
{
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write("x") == 1;
}

// Makes a database file `file` out of `statements`.
bool makeFile(const QString &file, const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "maker");
        database.setDatabaseName(file);
        ok = database.open();
        for (const QString &statement : statements)
            ok = ok && QSqlQuery(database).exec(statement);
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("maker"));
    return ok;
}

// Runs `work`; a test that would wait forever ends the program instead.
template <typename Work> auto unlessItHangs(Work work)
{
    auto result = std::async(std::launch::async, work);
    if (result.wait_for(std::chrono::minutes(2)) != std::future_status::ready)
        qFatal("still waiting after two minutes: it would wait forever");
    return result.get();
}

int modeOf(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777)
                                                                      : -1;
}

using Days = QList<QPair<int, int>>;

// A view that never ends, as a hostile file may hold.
const QString kEndlessView = QStringLiteral(
    "CREATE VIEW %1 AS WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
    "SELECT x AS id, 'YES' AS visible, '#FFFF00' AS colorRGB, 'Yellow' AS colorName, 0 AS "
    "creationDate, 0 AS originalReminderDate, 0 AS reminderDate, '' AS periodicMask, 'NO' AS "
    "locked, 'NO' AS alwaysontop, 'x' AS message, 0 AS xPos, 0 AS yPos, 9 AS width, 9 AS "
    "height, 'YES' AS taskbarentry FROM n");

} // namespace

class TestNoteBackups : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listFindsOnlyCopies_data();
    void listFindsOnlyCopies();
    void pruneKeepsTheNewestDailyCopies();
    void noteCount_data();
    void noteCount();
    void copyHoldsTheSaveBeforeIt();
    void copyIgnoresAWriteNotCommitted();
    void failedCopyLeavesNothing();
    void restoreKeepsTheCurrentFile();
    void restoreOfAnUnreadableCopyChangesNothing();
    void unusableCopyIsListedAndNeverRestored_data();
    void unusableCopyIsListedAndNeverRestored();
    void rotationKeepsTheCopyJustTaken_data();
    void rotationKeepsTheCopyJustTaken();
    void filesAreForTheUserAlone_data();
    void filesAreForTheUserAlone();
    void putAsideTakesTheJournalAlong_data();
    void putAsideTakesTheJournalAlong();
    void rescueGoesOnlyToFoldersOfOnesOwn_data();
    void rescueGoesOnlyToFoldersOfOnesOwn();
    void failedRescueLeavesNothing();

private:
    QString file() const { return m_folder->filePath(QStringLiteral("tester")); }
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestNoteBackups::init()
{
    ::umask(022); // as on most desktops
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestNoteBackups::cleanup()
{
    m_folder.reset();
}

void TestNoteBackups::listFindsOnlyCopies_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDateTime>("taken");
    const QDateTime midnight(QDate(2026, 12, 5), QTime(0, 0));
    const QDateTime afternoon(QDate(2026, 12, 5), QTime(14, 3, 9));
    QTest::newRow("daily") << "tester.backup-2026-12-05" << true << int(Kind::Daily) << midnight;
    QTest::newRow("by hand") << "tester.backup-2026-12-05-140309" << true << int(Kind::ByHand)
                             << afternoon;
    QTest::newRow("before restore") << "tester.before-restore-2026-12-05-140309" << true
                                    << int(Kind::BeforeRestore) << afternoon;
    QTest::newRow("unfinished") << "tester.backup-2026-12-05.part" << false << 0 << QDateTime();
    QTest::newRow("journal") << "tester.backup-2026-12-05-journal" << false << 0 << QDateTime();
    QTest::newRow("no such day") << "tester.backup-2026-02-30" << false << 0 << QDateTime();
    QTest::newRow("other user") << "tester2.backup-2026-12-05" << false << 0 << QDateTime();
    QTest::newRow("rescued") << "tester.rescued-20261205-140309" << false << 0 << QDateTime();
    QTest::newRow("the file") << "tester" << false << 0 << QDateTime();
}

void TestNoteBackups::listFindsOnlyCopies()
{
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QVERIFY(touch(m_folder->filePath(name)));
    const QList<NoteBackups::Copy> copies = NoteBackups::list(file());
    QCOMPARE(copies.size(), listed ? 1 : 0);
    if (!listed)
        return;
    QTEST(int(copies.first().kind), "kind");
    QTEST(copies.first().taken, "taken");
    QCOMPARE(copies.first().file, m_folder->filePath(name));
    QCOMPARE(copies.first().notes, -1); // not a database
}

void TestNoteBackups::pruneKeepsTheNewestDailyCopies()
{
    const QDate first(2026, 11, 20);
    for (int day = 0; day < 10; ++day)
        QVERIFY(touch(NoteBackups::dailyName(file(), first.addDays(day))));
    const QDateTime old(first.addDays(-30), QTime(9, 0));
    QVERIFY(touch(NoteBackups::byHandName(file(), old)));
    QVERIFY(touch(NoteBackups::beforeRestoreName(file(), old)));

    const QStringList removed = NoteBackups::prune(file(), 7);
    QCOMPARE(removed, QStringList({NoteBackups::dailyName(file(), first.addDays(2)),
                                   NoteBackups::dailyName(file(), first.addDays(1)),
                                   NoteBackups::dailyName(file(), first)}));
    const QList<NoteBackups::Copy> left = NoteBackups::list(file());
    QCOMPARE(left.size(), 9);
    QCOMPARE(left.first().taken.date(), first.addDays(9)); // newest first
    QCOMPARE(left.last().kind, Kind::BeforeRestore);
    QVERIFY(NoteBackups::prune(file(), 7).isEmpty());
}

void TestNoteBackups::noteCount_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<int>("expected");
    QTest::newRow("notes")
        << QStringList{NoteSchema::kCreateTableStatement, NoteSchema::kCreateBackupStatement,
                       "INSERT INTO stickies (id, message) VALUES (1, 'a'), (2, 'b')",
                       "INSERT INTO stickies_backup (id, message) VALUES (1, 'a')"}
        << 2;
    QTest::newRow("empty table loads the backup")
        << QStringList{NoteSchema::kCreateTableStatement, NoteSchema::kCreateBackupStatement,
                       "INSERT INTO stickies_backup (id, message) VALUES (1, 'a'), (2, 'b'), (3, "
                       "'c')"}
        << 3;
    QTest::newRow("no backup table")
        << QStringList{NoteSchema::kCreateTableStatement,
                       "INSERT INTO stickies (id, message) VALUES (4, 'a')"}
        << 1;
    QTest::newRow("no notes at all")
        << QStringList{NoteSchema::kCreateTableStatement, NoteSchema::kCreateBackupStatement} << 0;
    QTest::newRow("another database") << QStringList{"CREATE TABLE other (x)"} << -1;
    QTest::newRow("missing") << QStringList() << -1;
    QTest::newRow("notes in a view that never ends")
        << QStringList{kEndlessView.arg("stickies")} << -1;
    QTest::newRow("backup in a view that never ends")
        << QStringList{NoteSchema::kCreateTableStatement, kEndlessView.arg("stickies_backup")}
        << -1;
    QTest::newRow("other columns")
        << QStringList{"CREATE TABLE stickies (id, visible, colorRGB, note)",
                       "INSERT INTO stickies VALUES (1, 'YES', '#FFFF00', 'a')"}
        << -1;
}

void TestNoteBackups::noteCount()
{
    QFETCH(QStringList, statements);
    const QString copy = NoteBackups::dailyName(file(), QDate(2026, 12, 1));
    if (!statements.isEmpty()) {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "maker");
        database.setDatabaseName(copy);
        QVERIFY(database.open());
        for (const QString &statement : std::as_const(statements))
            QVERIFY2(QSqlQuery(database).exec(statement), qPrintable(statement));
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("maker"));
    QTEST(unlessItHangs([&] { return NoteBackups::noteCount(copy); }), "expected");
}

void TestNoteBackups::copyHoldsTheSaveBeforeIt()
{
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    const QList<NoteRecord> first = notes(300, QStringLiteral("first"));
    const QList<NoteRecord> second = notes(120, QStringLiteral("second"));
    const QString target = NoteBackups::byHandName(file(), QDateTime::currentDateTime());
    // Both saves are still being written when the copy is asked for.
    writer.saveLater(first);
    writer.saveLater(second);
    const NoteWriter::Outcome outcome = writer.backUp(target);
    QVERIFY2(outcome.saved, qPrintable(outcome.error));
    writer.saveLater(first); // after the copy: not in it

    QCOMPARE(storedNotes(target), second);
    QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
    QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "check");
    copy.setDatabaseName(target);
    QVERIFY(copy.open());
    QCOMPARE(queryRows(copy, "PRAGMA integrity_check"),
             QList<QVariantList>{{QStringLiteral("ok")}});
    QCOMPARE(queryRows(copy, "SELECT COUNT(*) FROM stickies_backup"), QList<QVariantList>{{300}});
    copy.close();
    copy = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

void TestNoteBackups::copyIgnoresAWriteNotCommitted()
{
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    const QList<NoteRecord> saved = notes(50, QStringLiteral("saved"));
    QVERIFY(writer.save(saved).saved);
    {
        // Another writer is half-way through replacing the notes.
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
        other.setDatabaseName(file());
        QVERIFY(other.open());
        QSqlQuery query(other);
        QVERIFY(query.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(query.exec(QStringLiteral("DELETE FROM stickies")));
        QVERIFY(
            query.exec(QStringLiteral("INSERT INTO stickies (id, message) VALUES (9, 'half')")));

        const QString target = NoteBackups::dailyName(file(), QDate(2026, 12, 7));
        const NoteWriter::Outcome outcome = writer.backUp(target);
        QVERIFY2(outcome.saved, qPrintable(outcome.error));
        QCOMPARE(storedNotes(target), saved);
        QVERIFY(query.exec(QStringLiteral("ROLLBACK")));
        query = QSqlQuery();
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

void TestNoteBackups::failedCopyLeavesNothing()
{
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    // A file stands where the copy's folder would have to be.
    const QString blocker = m_folder->filePath(QStringLiteral("blocker"));
    QVERIFY(touch(blocker));
    const NoteWriter::Outcome outcome = writer.backUp(blocker + QStringLiteral("/tester.copy"));
    QVERIFY(!outcome.saved);
    QVERIFY(!outcome.error.isEmpty());

    // An older copy of the same name survives a copy that fails.
    const QString target = NoteBackups::dailyName(file(), QDate(2026, 12, 7));
    QVERIFY(touch(target));
    // A folder stands where the unfinished copy is written.
    QVERIFY(QDir().mkpath(target + QStringLiteral(".part")));
    const NoteWriter::Outcome refused = writer.backUp(target);
    QVERIFY(!refused.saved);
    QCOMPARE(QFileInfo(target).size(), 1);
    QCOMPARE(QDir(m_folder->path()).entryList({"*.part"}, QDir::Files), QStringList());
}

void TestNoteBackups::restoreKeepsTheCurrentFile()
{
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    const QList<NoteRecord> old = notes(3, QStringLiteral("old"));
    const QList<NoteRecord> current = notes(5, QStringLiteral("current"));
    QVERIFY(writer.save(old).saved);
    const QString daily = NoteBackups::dailyName(file(), QDate(2026, 12, 6));
    QVERIFY(writer.backUp(daily).saved);
    QVERIFY(writer.save(current).saved);

    const QString keep = NoteBackups::beforeRestoreName(file(), QDateTime::currentDateTime());
    const NoteWriter::Outcome outcome = writer.restore(daily, keep);
    QVERIFY2(outcome.saved, qPrintable(outcome.error));
    QCOMPARE(storedNotes(keep), current);
    QCOMPARE(writer.load(nullptr), old);
    // The writer goes on with the restored file, and the copy is untouched.
    QVERIFY(writer.save(notes(1, QStringLiteral("after"))).saved);
    writer.waitForSaves();
    QCOMPARE(storedNotes(file()), notes(1, QStringLiteral("after")));
    QCOMPARE(storedNotes(daily), old);
    QVERIFY(!QFile::exists(file() + QStringLiteral(".restoring")));
}

void TestNoteBackups::restoreOfAnUnreadableCopyChangesNothing()
{
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    const QList<NoteRecord> current = notes(4, QStringLiteral("current"));
    QVERIFY(writer.save(current).saved);
    const QString broken = NoteBackups::dailyName(file(), QDate(2026, 12, 6));
    QVERIFY(touch(broken));
    const QString keep = NoteBackups::beforeRestoreName(file(), QDateTime::currentDateTime());

    const NoteWriter::Outcome outcome = writer.restore(broken, keep);
    QVERIFY(!outcome.saved);
    QVERIFY(outcome.error.contains(QDir::toNativeSeparators(broken)));
    QVERIFY(!QFile::exists(keep));
    QCOMPARE(writer.load(nullptr), current);
}

void TestNoteBackups::unusableCopyIsListedAndNeverRestored_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("problem");
    QTest::newRow("notes in a view that never ends")
        << QStringList{kEndlessView.arg("stickies")} << "no table but a view";
    QTest::newRow("backup in a view that never ends")
        << QStringList{NoteSchema::kCreateTableStatement, kEndlessView.arg("stickies_backup")}
        << "no table but a view";
    QTest::newRow("one column missing")
        << QStringList{QString(NoteSchema::kCreateTableStatement)
                           .replace(QStringLiteral(",  taskbarentry VARCHAR2(3)"), QString()),
                       "INSERT INTO stickies (id, message) VALUES (1, 'a')"}
        << "other columns";
    QTest::newRow("one column more")
        << QStringList{QString(NoteSchema::kCreateTableStatement)
                           .replace(QStringLiteral("VARCHAR2(3))"),
                                    QStringLiteral("VARCHAR2(3), extra NOT NULL)")),
                       "INSERT INTO stickies (id, message, extra) VALUES (1, 'a', 1)"}
        << "other columns";
    QTest::newRow("no notes table") << QStringList{"CREATE TABLE other (x)"} << "no table of notes";
}

void TestNoteBackups::unusableCopyIsListedAndNeverRestored()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, problem);
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    const QList<NoteRecord> current = notes(2, QStringLiteral("current"));
    QVERIFY(writer.save(current).saved);
    const QString copy = NoteBackups::dailyName(file(), QDate(2026, 12, 6));
    QVERIFY(makeFile(copy, statements));

    const QList<NoteBackups::Copy> listed =
        unlessItHangs([&] { return NoteBackups::list(file()); });
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed.first().notes, -1);
    QVERIFY2(listed.first().problem.contains(problem), qPrintable(listed.first().problem));

    const QString keep = NoteBackups::beforeRestoreName(file(), QDateTime::currentDateTime());
    const NoteWriter::Outcome outcome = unlessItHangs([&] { return writer.restore(copy, keep); });
    QVERIFY(!outcome.saved);
    QVERIFY2(outcome.error.contains(problem), qPrintable(outcome.error));
    QVERIFY(!QFile::exists(keep));
    QCOMPARE(writer.load(nullptr), current);
    QVERIFY(writer.save(current).saved);
}

void TestNoteBackups::rotationKeepsTheCopyJustTaken_data()
{
    // Each copy: days from today in its name, and in its file's time.
    QTest::addColumn<Days>("copies");
    QTest::addColumn<int>("keep");
    QTest::addColumn<QList<int>>("removed"); // by the days in their names
    QTest::newRow("no copy from the future") << Days{{-1, -1}, {-2, -2}} << 2 << QList<int>{-2};
    QTest::newRow("fewer from the future than kept")
        << Days{{400, 400}, {-1, -1}} << 2 << QList<int>{-1};
    QTest::newRow("as many from the future as kept")
        << Days{{400, 400}, {401, 401}} << 2 << QList<int>{400};
    QTest::newRow("more from the future than kept")
        << Days{{400, 400}, {401, 401}, {402, 402}} << 2 << QList<int>{400, 401};
    QTest::newRow("future name, old file") << Days{{400, -10}, {-1, -1}} << 2 << QList<int>{400};
    QTest::newRow("keep none but today's")
        << Days{{-1, -1}, {500, 500}} << 0 << QList<int>{-1, 500};
}

void TestNoteBackups::rotationKeepsTheCopyJustTaken()
{
    QFETCH(Days, copies);
    QFETCH(int, keep);
    QFETCH(QList<int>, removed);
    const QDate today = QDate::currentDate();
    for (const auto &[nameDays, fileDays] : std::as_const(copies)) {
        const QString copy = NoteBackups::dailyName(file(), today.addDays(nameDays));
        QVERIFY(makeFile(copy, {NoteSchema::kCreateTableStatement}));
        QFile out(copy);
        QVERIFY(out.open(QIODevice::ReadWrite));
        QVERIFY(out.setFileTime(QDateTime(today.addDays(fileDays), QTime(12, 0)),
                                QFileDevice::FileModificationTime));
    }
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    QVERIFY(writer.save(notes(1, QStringLiteral("today"))).saved);
    const QString todays = NoteBackups::dailyName(file(), today);
    writer.backUpDailyLater(todays, keep);
    writer.waitForSaves();

    QCOMPARE(storedNotes(todays), notes(1, QStringLiteral("today")));
    for (const auto &[nameDays, fileDays] : std::as_const(copies)) {
        const QString copy = NoteBackups::dailyName(file(), today.addDays(nameDays));
        QCOMPARE(QFileInfo::exists(copy), !removed.contains(nameDays));
    }
}

void TestNoteBackups::filesAreForTheUserAlone_data()
{
    QTest::addColumn<QString>("made");
    QTest::addColumn<int>("mode");
    QTest::newRow("new note file") << "note file" << 0600;
    QTest::newRow("note file of one's own choice") << "existing 0640" << 0640;
    QTest::newRow("daily copy") << "daily copy" << 0600;
    QTest::newRow("copy of the notes") << "copy" << 0600;
    QTest::newRow("restored file") << "restored" << 0600;
    QTest::newRow("file that was kept before a restore") << "kept before restore" << 0600;
    QTest::newRow("rescue copy") << "rescue" << 0600;
    QTest::newRow("new data folder") << "data folder" << 0700;
}

void TestNoteBackups::filesAreForTheUserAlone()
{
    QFETCH(QString, made);
    const QString folder = m_folder->filePath(QStringLiteral("data/deeper"));
    const QString noteFile = folder + QStringLiteral("/tester");
    if (made == QLatin1String("existing 0640")) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(makeFile(noteFile, {NoteSchema::kCreateTableStatement}));
        QVERIFY(::chmod(QFile::encodeName(noteFile).constData(), 0640) == 0);
    }
    NoteWriter writer;
    QCOMPARE(writer.open(folder, noteFile), NoteDatabase::OpenResult::Opened);
    QVERIFY(writer.save(notes(2, QStringLiteral("private"))).saved);
    QString path = noteFile;
    QString error;
    if (made == QLatin1String("daily copy")) {
        path = NoteBackups::dailyName(noteFile, QDate::currentDate());
        QVERIFY(writer.backUp(path).saved);
    } else if (made == QLatin1String("copy")) {
        path = m_folder->filePath(QStringLiteral("elsewhere/tester.copy"));
        QVERIFY(NoteDatabase::writeCopy(path, notes(1, QStringLiteral("copy")), &error));
    } else if (made == QLatin1String("restored") || made == QLatin1String("kept before restore")) {
        const QString daily = NoteBackups::dailyName(noteFile, QDate(2026, 12, 1));
        QVERIFY(writer.backUp(daily).saved);
        QVERIFY(::chmod(QFile::encodeName(daily).constData(), 0644) == 0); // of an older version
        const QString keep = NoteBackups::beforeRestoreName(noteFile, QDateTime::currentDateTime());
        QVERIFY(writer.restore(daily, keep).saved);
        if (made == QLatin1String("kept before restore"))
            path = keep;
    } else if (made == QLatin1String("rescue")) {
        path = NoteBackups::writeRescueCopy({m_folder->filePath(QStringLiteral("rescue"))},
                                            QStringLiteral("tester.rescued"),
                                            notes(1, QStringLiteral("rescued")), {}, &error);
        QVERIFY2(!path.isEmpty(), qPrintable(error));
    } else if (made == QLatin1String("data folder")) {
        path = folder;
    }
    QTEST(modeOf(path), "mode");
}

void TestNoteBackups::putAsideTakesTheJournalAlong_data()
{
    QTest::addColumn<QStringList>("companions");
    QTest::newRow("journal") << QStringList{"-journal"};
    QTest::newRow("write-ahead log") << QStringList{"-wal"};
    QTest::newRow("log and its index") << QStringList{"-wal", "-shm"};
    QTest::newRow("all three") << QStringList{"-journal", "-wal", "-shm"};
    QTest::newRow("none") << QStringList();
}

void TestNoteBackups::putAsideTakesTheJournalAlong()
{
    QFETCH(QStringList, companions);
    QVERIFY(touch(file()));
    for (const QString &companion : std::as_const(companions))
        QVERIFY(touch(file() + companion));
    const QString aside = NoteDatabase::putFileAside(file(), QStringLiteral(".damaged-"));
    QVERIFY(!aside.isEmpty());
    QVERIFY(QFileInfo::exists(aside));
    for (const QString &companion : {"-journal", "-wal", "-shm"}) {
        QVERIFY(!QFileInfo::exists(file() + companion));
        QCOMPARE(QFileInfo::exists(aside + companion), companions.contains(companion));
    }
}

void TestNoteBackups::rescueGoesOnlyToFoldersOfOnesOwn_data()
{
    QTest::addColumn<QString>("firstFolder");
    QTest::addColumn<QString>("expectedName"); // empty: in the second folder
    QTest::newRow("missing folder") << "missing"
                                    << "tester.rescued";
    QTest::newRow("folder of one's own") << "own"
                                         << "tester.rescued";
    QTest::newRow("folder of another user") << "foreign"
                                            << "";
    QTest::newRow("folder anyone may write into") << "open to all"
                                                  << "";
    QTest::newRow("link to a folder") << "link"
                                      << "";
    QTest::newRow("link planted at the name") << "planted link"
                                              << "tester.rescued-2";
    QTest::newRow("file planted at the name") << "planted file"
                                              << "tester.rescued-2";
    QTest::newRow("names taken up to the tenth") << "ten taken"
                                                 << "tester.rescued-11";
}

void TestNoteBackups::rescueGoesOnlyToFoldersOfOnesOwn()
{
    QFETCH(QString, firstFolder);
    QFETCH(QString, expectedName);
    const QString first = m_folder->filePath(QStringLiteral("first"));
    const QString second = m_folder->filePath(QStringLiteral("second"));
    const QString victim = m_folder->filePath(QStringLiteral("victim"));
    QVERIFY(touch(victim));
    if (firstFolder != QLatin1String("missing") && firstFolder != QLatin1String("link"))
        QVERIFY(QDir().mkpath(first));
    if (firstFolder == QLatin1String("foreign")) {
        if (::geteuid() != 0)
            QSKIP("making a folder of another user needs root");
        QVERIFY(::chown(QFile::encodeName(first).constData(), 65534, 65534) == 0);
    } else if (firstFolder == QLatin1String("open to all")) {
        QVERIFY(::chmod(QFile::encodeName(first).constData(), 0777) == 0);
    } else if (firstFolder == QLatin1String("link")) {
        QVERIFY(QDir().mkpath(victim + QStringLiteral("-folder")));
        QVERIFY(QFile::link(victim + QStringLiteral("-folder"), first));
    } else if (firstFolder == QLatin1String("planted link")) {
        QVERIFY(QFile::link(victim, first + QStringLiteral("/tester.rescued")));
    } else if (firstFolder == QLatin1String("planted file")) {
        QVERIFY(QFile::copy(victim, first + QStringLiteral("/tester.rescued")));
    } else if (firstFolder == QLatin1String("ten taken")) {
        QVERIFY(touch(first + QStringLiteral("/tester.rescued")));
        for (int n = 2; n <= 10; ++n)
            QVERIFY(touch(first + QStringLiteral("/tester.rescued-%1").arg(n)));
    }
    QString error;
    const QString rescue =
        NoteBackups::writeRescueCopy({first, second}, QStringLiteral("tester.rescued"),
                                     notes(3, QStringLiteral("rescued")), {}, &error);
    const QString expected = expectedName.isEmpty() ? second + QStringLiteral("/tester.rescued")
                                                    : first + QLatin1Char('/') + expectedName;
    QCOMPARE(rescue, expected);
    QCOMPARE(storedNotes(rescue), notes(3, QStringLiteral("rescued")));
    QCOMPARE(modeOf(rescue), 0600);
    QCOMPARE(modeOf(QFileInfo(rescue).absolutePath()) & 022, 0);
    if (firstFolder == QLatin1String("missing"))
        QCOMPARE(modeOf(first), 0700);
    // Nothing planted was written through, and nothing was left where the
    // notes did not go.
    QFile planted(victim);
    QVERIFY(planted.open(QIODevice::ReadOnly));
    QCOMPARE(planted.readAll(), QByteArray("x"));
    if (expectedName.isEmpty())
        QVERIFY(QDir(first).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty());
}

void TestNoteBackups::failedRescueLeavesNothing()
{
    const QString first = m_folder->filePath(QStringLiteral("first"));
    const QString second = m_folder->filePath(QStringLiteral("second"));
    QVERIFY(QDir().mkpath(first));
    QVERIFY(QDir().mkpath(second));
    // Every write beyond the first byte fails, as on a full disk.
    rlimit limit = {};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &limit) == 0);
    const rlimit full = {1, limit.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &full) == 0);
    QString error;
    const QString rescue =
        NoteBackups::writeRescueCopy({first, second}, QStringLiteral("tester.rescued"),
                                     notes(3, QStringLiteral("rescued")), {}, &error);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    QCOMPARE(rescue, QString());
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(first).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    QCOMPARE(QDir(second).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
}

QTEST_GUILESS_MAIN(TestNoteBackups)
#include "tst_notebackups.moc"
