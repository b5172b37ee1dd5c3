// The pictures kept in the note file: written with the notes that refer to
// them, read back at load, carried by every whole-file write, copy and
// restore, and removed once no table of notes refers to them.

#include "sqlrows.h"
#include "store/notebackups.h"
#include "store/notedatabase.h"
#include "store/notepictures.h"
#include "store/notewriter.h"
#include "store/picturestore.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kInspector = QStringLiteral("inspector");

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

bool execIn(const QString &file, const QString &statement)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kInspector);
        db.setDatabaseName(file);
        QSqlQuery query(db);
        ok = db.open() && query.exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase(kInspector);
    return ok;
}

// The hashes the file's table of pictures holds, sorted.
QStringList picturesIn(const QString &file)
{
    QStringList hashes;
    for (const QVariantList &row : rowsOf(file, QStringLiteral("SELECT hash FROM pictures")))
        hashes << row.at(0).toString();
    hashes.sort();
    return hashes;
}

NoteRecord noteShowing(int id, const QStringList &hashes)
{
    NoteRecord record;
    record.id = id;
    record.visible = true;
    record.colorRGB = QStringLiteral("#FFFF00");
    record.colorName = QStringLiteral("Yellow");
    record.creationDate = QDateTime::fromSecsSinceEpoch(1700000000 + id);
    record.periodicMask = QStringLiteral("");
    record.message = QStringLiteral("<p>note %1</p>").arg(id);
    for (const QString &hash : hashes)
        record.message +=
            QStringLiteral("<img src=\"%1\" width=\"20\">").arg(PictureStore::imageSource(hash));
    record.width = 200;
    record.height = 150;
    return record;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class TestPictureStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> folder;
    QString directory() const { return folder->path() + QStringLiteral("/data"); }
    QString file() const { return directory() + QStringLiteral("/ann"); }
    QString p1, p2, p3;
    const QByteArray b1 = QByteArray("first picture"), b2 = QByteArray("second picture"),
                     b3 = QByteArray("third picture");

private slots:
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        PictureStore::instance().clear();
        p1 = PictureStore::instance().add(b1);
        p2 = PictureStore::instance().add(b2);
        p3 = PictureStore::instance().add(b3);
    }

    void referencesAreFoundAndChecked()
    {
        const QString html = QStringLiteral("<img src=\"notarella-image:%1\"> notarella-image:%2 "
                                            "notarella-image:%3 notarella-image:xyz")
                                 .arg(p1, p2, p1.toUpper());
        QCOMPARE(PictureStore::referencedIn(html), QSet<QString>({p1, p2}));
        QCOMPARE(PictureStore::hashOfSource(PictureStore::imageSource(p1)), p1);
        QVERIFY(
            PictureStore::hashOfSource(QStringLiteral("notarella-image:") + p1.left(63)).isEmpty());
        QVERIFY(PictureStore::hashOfSource(QStringLiteral("/home/a/") + p1).isEmpty());
        QVERIFY(!PictureStore::instance().addWithHash(p1.left(63) + QLatin1Char('0'), b1));
    }

    // Written with the notes, once each, and read back into the store by a
    // later load.
    void picturesTravelWithTheNotes()
    {
        {
            NoteDatabase database;
            QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
            QVERIFY(database.save({noteShowing(1, {p1}), noteShowing(2, {p1, p2})}));
            QVERIFY(database.save({noteShowing(1, {p1}), noteShowing(2, {p1, p2})}));
        }
        QCOMPARE(picturesIn(file()), sorted({p1, p2}));
        QCOMPARE(
            rowsOf(file(), QStringLiteral("SELECT data FROM pictures WHERE hash = '%1'").arg(p2))
                .value(0)
                .value(0)
                .toByteArray(),
            b2);

        PictureStore::instance().clear();
        NoteDatabase database;
        QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
        QCOMPARE(database.load().size(), 2);
        QCOMPARE(PictureStore::instance().bytes(p1), b1);
        QCOMPARE(PictureStore::instance().bytes(p2), b2);
        QVERIFY(!PictureStore::instance().contains(p3));
    }

    // A file of notes without pictures gets no table.
    void fileWithoutPicturesHasNoTable()
    {
        NoteDatabase database;
        QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
        QVERIFY(database.save({noteShowing(1, {})}));
        QCOMPARE(rowsOf(file(), QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = "
                                               "'pictures'"))
                     .value(0)
                     .value(0)
                     .toInt(),
                 0);
    }

    // Rows that cannot be pictures are not taken from the file; from another
    // file (an import) a picture whose data does not match its hash is not
    // taken either.
    void unusableStoredPicturesAreRefused()
    {
        {
            NoteDatabase database;
            QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
            QVERIFY(database.save({noteShowing(1, {p1, p2})}));
        }
        QVERIFY(execIn(file(),
                       QStringLiteral("UPDATE pictures SET data = x'' WHERE hash = '%1'").arg(p2)));
        QVERIFY(execIn(file(), QStringLiteral("INSERT INTO pictures VALUES ('abc', x'00')")));
        PictureStore::instance().clear();
        {
            NoteDatabase database;
            QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
            database.load();
            QCOMPARE(PictureStore::instance().bytes(p1), b1);
            QCOMPARE(PictureStore::instance().size(), 1);
        }

        QVERIFY(execIn(
            file(), QStringLiteral("UPDATE pictures SET data = x'00' WHERE hash = '%1'").arg(p1)));
        PictureStore::instance().clear();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kInspector);
            db.setDatabaseName(file());
            QVERIFY(db.open());
            QCOMPARE(NotePictures::loadReferenced(db, {noteShowing(1, {p1, p2})}), 0);
            db.close();
        }
        QSqlDatabase::removeDatabase(kInspector);
        QCOMPARE(PictureStore::instance().size(), 0);
    }

    // Another program removed the picture rows: the next save notices the
    // file changed and writes them again.
    void picturesRemovedBehindTheProgramAreWrittenAgain()
    {
        NoteDatabase database;
        QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
        const QList<NoteRecord> notes = {noteShowing(1, {p1})};
        QVERIFY(database.save(notes));
        QVERIFY(execIn(file(), QStringLiteral("DELETE FROM pictures")));
        QVERIFY(database.save(notes));
        QCOMPARE(picturesIn(file()), QStringList{p1});
    }

    // A picture stays while any table of notes refers to it: the notes, the
    // save before (backup) and the trash; once none does, the first save of a
    // later opening removes it.
    void picturesNoTableRefersToAreRemoved()
    {
        {
            NoteDatabase database;
            QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
            QVERIFY(database.save({noteShowing(1, {p1}), noteShowing(2, {p3})}));
            QVERIFY(database.save({noteShowing(1, {p2})}));
            QCOMPARE(picturesIn(file()), sorted({p1, p2, p3})); // the backup shows p1, p3
        }
        QVERIFY(execIn(file(), QStringLiteral("INSERT INTO stickies_trash SELECT *, "
                                              "strftime('%s', 'now') FROM stickies_backup "
                                              "WHERE id = 2")));
        {
            NoteDatabase database;
            QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
            database.load();
            QVERIFY(database.save({noteShowing(1, {p2})}));
            // The backup now holds what the notes held (p2); p3 is in the trash.
            QCOMPARE(picturesIn(file()), sorted({p2, p3}));
        }
        // A table of notes that cannot be read for its texts keeps them all.
        QVERIFY(execIn(file(), QStringLiteral("DROP TABLE stickies_trash")));
        QVERIFY(execIn(file(), QStringLiteral("CREATE TABLE stickies_other (id NUMBER)")));
        {
            NoteDatabase database;
            QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
            QVERIFY(database.save({noteShowing(1, {p2})}));
            QCOMPARE(picturesIn(file()), sorted({p2, p3}));
        }
        // Removed from the file, kept in memory: an undone deletion in a
        // note brings the picture back with the next save.
        QVERIFY(PictureStore::instance().contains(p3));
    }

    // The note file deleted while the program runs is written again whole,
    // pictures included; so is the rescue copy written at exit.
    void wholeFileWritesCarryThePictures()
    {
        NoteDatabase database;
        QCOMPARE(database.open(directory(), file()), NoteDatabase::OpenResult::Opened);
        const QList<NoteRecord> notes = {noteShowing(1, {p1, p2})};
        // A deleted note's pictures go with it into the new file.
        const TrashedNote deleted{noteShowing(2, {p3}), QDateTime::fromSecsSinceEpoch(1700000000)};
        database.trash().add(deleted);
        QVERIFY(database.save(notes));
        QVERIFY(QFile::remove(file()));
        QVERIFY(database.save(notes));
        QCOMPARE(picturesIn(file()), sorted({p1, p2, p3}));

        const QString rescue = folder->path() + QStringLiteral("/rescue/ann.rescued");
        QString error;
        QVERIFY2(NoteDatabase::writeCopy(rescue, notes, &error, {deleted}), qPrintable(error));
        QCOMPARE(picturesIn(rescue), sorted({p1, p2, p3}));
    }

    // A copy taken by hand and restored later brings its pictures back, even
    // into a process that no longer holds them.
    void backupAndRestoreKeepThePictures()
    {
        NoteWriter writer;
        QCOMPARE(writer.open(directory(), file()), NoteDatabase::OpenResult::Opened);
        writer.load(nullptr);
        QVERIFY(writer.save({noteShowing(1, {p1})}).saved);
        const QString copy = NoteBackups::byHandName(file(), QDateTime::currentDateTime());
        QVERIFY(writer.backUp(copy).saved);
        QCOMPARE(picturesIn(copy), QStringList{p1});

        QVERIFY(writer.save({noteShowing(1, {})}).saved);
        QVERIFY(writer.save({noteShowing(1, {})}).saved);
        PictureStore::instance().clear();
        const QString keep = NoteBackups::beforeRestoreName(file(), QDateTime::currentDateTime());
        QVERIFY(writer.restore(copy, keep).saved);
        const QList<NoteRecord> restored = writer.load(nullptr);
        QCOMPARE(restored.size(), 1);
        QCOMPARE(PictureStore::referencedIn(restored.first().message), QSet<QString>{p1});
        QCOMPARE(PictureStore::instance().bytes(p1), b1);
    }
};

QTEST_MAIN(TestPictureStore)
#include "tst_picturestore.moc"
