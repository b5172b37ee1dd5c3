// The trash of deleted notes in the note file: kept through saves and
// reopening, written in the same transaction as the notes, removed after 30
// days, and never touching the tables of the notes.

#include "sqlrows.h"
#include "store/notedatabase.h"
#include "store/notetrash.h"
#include "store/notewriter.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

NoteRecord noteOf(int id)
{
    NoteRecord record;
    record.id = id;
    record.visible = id % 2 == 1;
    record.colorRGB = QStringLiteral("#FFC0CB");
    record.colorName = QStringLiteral("Pink 'n' %1");
    record.creationDate = QDateTime::fromSecsSinceEpoch(1700000000 + id);
    record.originalReminderDate = QDateTime::fromSecsSinceEpoch(1800000000);
    record.reminderDate = QDateTime::fromSecsSinceEpoch(1800000300);
    record.periodicMask = QStringLiteral("|0|9|*|*|1-5|");
    record.locked = true;
    record.alwaysOnTop = true;
    record.message = QStringLiteral("<p>note %1: it's 100% \"done\" %2</p>").arg(id);
    record.x = 10 * id;
    record.y = 20 * id;
    record.width = 230;
    record.height = 170;
    record.taskbarEntry = false;
    return record;
}

TrashedNote trashed(int id, qint64 deletedAt = 1750000000)
{
    return {noteOf(id), QDateTime::fromSecsSinceEpoch(deletedAt)};
}

QList<NoteRecord> notesOf(const QList<int> &ids)
{
    QList<NoteRecord> records;
    for (int id : ids)
        records.append(noteOf(id));
    return records;
}

const QString kInspector = QStringLiteral("inspector");

// Rows of `statement` as another program sees the file.
QList<QVariantList> rowsOf(const QString &file, const QString &statement)
{
    QList<QVariantList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kInspector);
        db.setDatabaseName(file);
        if (db.open())
            rows = queryRows(db, statement);
        db.close();
    }
    QSqlDatabase::removeDatabase(kInspector);
    return rows;
}

} // namespace

class TestNoteTrash : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void expiryBound_data();
    void expiryBound();
    void newestFirst();
    void restoredId();
    void trashSurvivesSavesAndReopening();
    void fileWithoutTrashReadsEmpty();
    void notesTablesKeepTheirSchema();
    void deletionIsWrittenAtOnce();
    void deletionCutShortIsUndoneAtLoad();
    void erasingRemovesRowsAtOnce();
    // The sync state is written with the notes and read back with them.
    void syncRowsGoWithTheNotes();

private:
    QString file() const { return m_folder->filePath(QStringLiteral("ann")); }
    void open(NoteDatabase &database) const
    {
        QCOMPARE(database.open(m_folder->path(), file(), NoteDatabase::NewFile::Empty),
                 NoteDatabase::OpenResult::Opened);
    }
    // The trash as a fresh start reads it.
    QList<TrashedNote> storedTrash() const
    {
        NoteDatabase reader(QStringLiteral("reader"));
        if (reader.open(m_folder->path(), file()) != NoteDatabase::OpenResult::Opened)
            return {};
        reader.load();
        return reader.trash().notes();
    }
    QList<NoteRecord> storedNotes() const
    {
        NoteDatabase reader(QStringLiteral("reader"));
        if (reader.open(m_folder->path(), file()) != NoteDatabase::OpenResult::Opened)
            return {};
        return reader.load();
    }

    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestNoteTrash::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
}

void TestNoteTrash::cleanup()
{
    m_folder.reset();
}

void TestNoteTrash::expiryBound_data()
{
    QTest::addColumn<qint64>("age");
    QTest::addColumn<bool>("kept");
    QTest::newRow("30 days less a minute") << NoteTrash::kKeptSeconds - 60 << true;
    QTest::newRow("exactly 30 days") << NoteTrash::kKeptSeconds << false;
    QTest::newRow("30 days and a minute") << NoteTrash::kKeptSeconds + 60 << false;
}

void TestNoteTrash::expiryBound()
{
    QFETCH(qint64, age);
    QFETCH(bool, kept);
    QCOMPARE(NoteTrash::kKeptSeconds, qint64(30) * 24 * 3600);
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1760000000);
    NoteDatabase database;
    open(database);
    database.load();
    // A fresh note beside it shows that only the old one goes.
    database.trash().add(trashed(1, now.toSecsSinceEpoch() - age));
    database.trash().add(trashed(2, now.toSecsSinceEpoch() - 60));
    QVERIFY(database.save({}));
    QCOMPARE(database.trash().removeExpired(now), kept ? 0 : 1);
    QString error;
    QVERIFY(database.trash().commit(&error));
    database.close();
    QList<TrashedNote> expected = {trashed(2, now.toSecsSinceEpoch() - 60)};
    if (kept)
        expected.prepend(trashed(1, now.toSecsSinceEpoch() - age));
    QCOMPARE(storedTrash(), expected);
}

void TestNoteTrash::newestFirst()
{
    // In deletion order: 1 and 3 in the same second, 2 earlier.
    const QList<TrashedNote> notes = {trashed(1, 500), trashed(2, 400), trashed(3, 500)};
    const QList<TrashedNote> expected = {trashed(3, 500), trashed(1, 500), trashed(2, 400)};
    QCOMPARE(NoteTrash::newestFirst(notes), expected);
}

void TestNoteTrash::restoredId()
{
    QCOMPARE(NoteTrash::restoredId(4, {1, 7}), 4);
    QCOMPARE(NoteTrash::restoredId(2, {9, 2, 5}), 10); // after the largest, not after its own
    QCOMPARE(NoteTrash::restoredId(3, {}), 3);
}

void TestNoteTrash::trashSurvivesSavesAndReopening()
{
    NoteDatabase database;
    open(database);
    database.load();
    database.trash().add(trashed(3));
    QVERIFY(database.save(notesOf({1, 2})));
    // The periodic saves that follow leave it where it is.
    QVERIFY(database.save(notesOf({1, 2})));
    QVERIFY(database.save(notesOf({2})));
    database.close();
    QCOMPARE(storedTrash(), QList<TrashedNote>{trashed(3)});
    QCOMPARE(storedNotes(), notesOf({2}));

    // Reopened, the trash is what the file holds, and grows from there.
    open(database);
    database.load();
    database.trash().add(trashed(4, 1750000100));
    QVERIFY(database.save(notesOf({2})));
    database.close();
    QCOMPARE(storedTrash(), QList<TrashedNote>({trashed(3), trashed(4, 1750000100)}));
}

void TestNoteTrash::fileWithoutTrashReadsEmpty()
{
    {
        NoteDatabase earlier;
        open(earlier);
        QVERIFY(earlier.save(notesOf({1})));
        QSqlQuery query(earlier.connection());
        QVERIFY(query.exec(QStringLiteral("DROP TABLE stickies_trash")));
    }
    NoteDatabase database;
    open(database);
    QCOMPARE(database.load(), notesOf({1}));
    QVERIFY(database.trash().notes().isEmpty());
    // Opening gave it the table, empty.
    QCOMPARE(rowsOf(file(), QStringLiteral("SELECT COUNT(*) FROM stickies_trash")),
             QList<QVariantList>{{0}});
}

void TestNoteTrash::notesTablesKeepTheirSchema()
{
    // The tables of the notes as earlier versions made them.
    const QString earlier = m_folder->filePath(QStringLiteral("earlier"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kInspector);
        db.setDatabaseName(earlier);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(NoteSchema::kCreateTableStatement));
        QVERIFY(query.exec(QStringLiteral("CREATE TABLE stickies_backup AS SELECT * FROM "
                                          "stickies")));
    }
    QSqlDatabase::removeDatabase(kInspector);

    NoteDatabase database;
    open(database);
    database.load();
    database.trash().add(trashed(5));
    QVERIFY(database.save(notesOf({1, 2})));
    database.close();
    const QString schema = QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE name IN ('stickies', 'stickies_backup') "
        "ORDER BY name");
    QCOMPARE(rowsOf(file(), schema), rowsOf(earlier, schema));
    QCOMPARE(rowsOf(file(), schema).size(), 2);
    QCOMPARE(rowsOf(file(), QStringLiteral("SELECT id FROM stickies")),
             QList<QVariantList>({{1}, {2}}));
}

void TestNoteTrash::deletionIsWrittenAtOnce()
{
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    writer.load(nullptr);
    QVERIFY(writer.save(notesOf({1, 2, 3})).saved);
    QVERIFY(writer.moveToTrash(trashed(2)).saved);
    QCOMPARE(writer.trashedNotes(), QList<TrashedNote>{trashed(2)});
    // Read while the program still runs, as after a kill: the trash holds it
    // before any further save.
    QCOMPARE(storedTrash(), QList<TrashedNote>{trashed(2)});
    QVERIFY(writer.save(notesOf({1, 3})).saved);
    QCOMPARE(storedNotes(), notesOf({1, 3}));
    QCOMPARE(storedTrash(), QList<TrashedNote>{trashed(2)});
}

void TestNoteTrash::deletionCutShortIsUndoneAtLoad()
{
    {
        NoteWriter writer;
        QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
        writer.load(nullptr);
        QVERIFY(writer.save(notesOf({1, 2, 3})).saved);
        QVERIFY(writer.moveToTrash(trashed(2)).saved);
        // Note 3 changed after the last save: its live row is older than the
        // deleted one, and both are kept.
        NoteRecord changed = noteOf(3);
        changed.message = QStringLiteral("edited");
        QVERIFY(writer.moveToTrash({changed, QDateTime::fromSecsSinceEpoch(1750000000)}).saved);
    } // ended before the notes were saved again
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    QCOMPARE(writer.load(nullptr), notesOf({1, 2, 3}));
    QCOMPARE(writer.trashedNotes().size(), 1);
    QCOMPARE(writer.trashedNotes().first().record.message, QStringLiteral("edited"));
    QCOMPARE(storedTrash().size(), 1);
}

void TestNoteTrash::erasingRemovesRowsAtOnce()
{
    NoteWriter writer;
    QCOMPARE(writer.open(m_folder->path(), file()), NoteDatabase::OpenResult::Opened);
    writer.load(nullptr);
    QVERIFY(writer.save(notesOf({1})).saved);
    for (int id : {2, 3, 4})
        QVERIFY(writer.moveToTrash(trashed(id)).saved);
    const QList<QVariantList> backupBefore =
        rowsOf(file(), QStringLiteral("SELECT * FROM stickies_backup"));
    QVERIFY(writer.eraseFromTrash({trashed(3)}).saved);
    QCOMPARE(storedTrash(), QList<TrashedNote>({trashed(2), trashed(4)}));
    // Only the trash changed: the backup of the notes is the one before.
    QCOMPARE(rowsOf(file(), QStringLiteral("SELECT * FROM stickies_backup")), backupBefore);
    QVERIFY(writer.eraseFromTrash(writer.trashedNotes()).saved);
    QVERIFY(storedTrash().isEmpty());
    QCOMPARE(storedNotes(), notesOf({1}));
}

QTEST_GUILESS_MAIN(TestNoteTrash)
#include "tst_notetrash.moc"

void TestNoteTrash::syncRowsGoWithTheNotes()
{
    const auto storedRows = [this] {
        NoteDatabase reader(QStringLiteral("reader"));
        if (reader.open(m_folder->path(), file()) != NoteDatabase::OpenResult::Opened)
            return QHash<QString, QString>();
        reader.load();
        return reader.syncTable().rows();
    };
    NoteDatabase database;
    open(database);
    database.load();
    QVERIFY(database.syncTable().rows().isEmpty());
    QHash<QString, QString> rows{{QStringLiteral("installation"), QStringLiteral("it's \"one\"")},
                                 {QStringLiteral("a"), QStringLiteral("first")},
                                 {QStringLiteral("b"), QStringLiteral("second")}};
    database.syncTable().set(rows);
    QVERIFY(database.save(notesOf({1})));
    QCOMPARE(storedRows(), rows);

    // Changed, removed and added rows, in one later save.
    rows.insert(QStringLiteral("a"), QStringLiteral("first, changed"));
    rows.remove(QStringLiteral("b"));
    rows.insert(QStringLiteral("c"), QStringLiteral("third"));
    database.syncTable().set(rows);
    QVERIFY(database.save(notesOf({1, 2})));
    QCOMPARE(storedRows(), rows);
    QCOMPARE(storedNotes(), notesOf({1, 2}));

    // A file removed behind the program's back gets the whole state again.
    QVERIFY(QFile::remove(file()));
    QVERIFY(database.save(notesOf({1})));
    QCOMPARE(storedRows(), rows);
}
