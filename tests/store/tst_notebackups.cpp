// Copies of the note file: their names, which ones are kept, that a copy is
// always one whole save, and that a restore keeps the notes it replaces.

#include "sqlrows.h"
#include "store/notebackups.h"
#include "store/notedatabase.h"
#include "store/notewriter.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

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

private:
    QString file() const { return m_folder->filePath(QStringLiteral("tester")); }
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestNoteBackups::init()
{
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
        << QStringList{NoteDatabase::kCreateTableStatement, NoteDatabase::kCreateBackupStatement,
                       "INSERT INTO stickies (id, message) VALUES (1, 'a'), (2, 'b')",
                       "INSERT INTO stickies_backup (id, message) VALUES (1, 'a')"}
        << 2;
    QTest::newRow("empty table loads the backup")
        << QStringList{NoteDatabase::kCreateTableStatement, NoteDatabase::kCreateBackupStatement,
                       "INSERT INTO stickies_backup (id, message) VALUES (1, 'a'), (2, 'b'), (3, "
                       "'c')"}
        << 3;
    QTest::newRow("no backup table")
        << QStringList{NoteDatabase::kCreateTableStatement,
                       "INSERT INTO stickies (id, message) VALUES (4, 'a')"}
        << 1;
    QTest::newRow("no notes at all")
        << QStringList{NoteDatabase::kCreateTableStatement, NoteDatabase::kCreateBackupStatement}
        << 0;
    QTest::newRow("another database") << QStringList{"CREATE TABLE other (x)"} << -1;
    QTest::newRow("missing") << QStringList() << -1;
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
    QTEST(NoteBackups::noteCount(copy), "expected");
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

QTEST_GUILESS_MAIN(TestNoteBackups)
#include "tst_notebackups.moc"
