// Saves that meet a full disk, a read-only folder, a file deleted or replaced
// behind the program's back, and a damaged file.

#include "store/notedatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace {

NoteRecord noteOf(int id, int generation, int textSize)
{
    NoteRecord record;
    record.id = id;
    record.visible = true;
    record.colorRGB = QStringLiteral("#FFFF00");
    record.colorName = QStringLiteral("Yellow");
    record.creationDate = QDateTime::fromSecsSinceEpoch(1700000000 + id);
    record.message = QStringLiteral("<p>note %1 generation %2</p>").arg(id).arg(generation);
    record.message += QString(textSize - record.message.size(), QLatin1Char('a' + generation % 26));
    record.x = id;
    record.y = generation;
    record.width = 200;
    record.height = 150;
    return record;
}

QList<NoteRecord> generation(int number, int count, int textSize = 2000)
{
    QList<NoteRecord> records;
    for (int id = 1; id <= count; ++id)
        records.append(noteOf(id, number, textSize));
    return records;
}

QList<NoteRecord> sortedById(QList<NoteRecord> records)
{
    std::sort(records.begin(), records.end(),
              [](const NoteRecord &a, const NoteRecord &b) { return a.id < b.id; });
    return records;
}

TrashedNote trashedOf(int id)
{
    return {noteOf(id, 0, 500), QDateTime::fromSecsSinceEpoch(1750000000 + id)};
}

// The tables as another program sees them.
struct StoredTables
{
    QList<NoteRecord> notes;
    QList<NoteRecord> backup;
    QList<TrashedNote> trash;
};

StoredTables readTables(const QString &file)
{
    // Read from a copy on a disk with room: the emptying below needs some.
    StoredTables tables;
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("copy"));
    if (!QFile::copy(file, copy))
        return tables;
    NoteDatabase database(QStringLiteral("inspector"));
    if (database.open(scratch.path(), copy) != NoteDatabase::OpenResult::Opened)
        return tables;
    tables.notes = database.load();
    tables.trash = database.trash().notes();
    // The backup is what a load finds once `stickies` is empty.
    QSqlQuery query(database.connection());
    query.exec(QStringLiteral("DELETE FROM stickies"));
    tables.backup = database.load();
    return tables;
}

bool runAsRoot()
{
    return ::geteuid() == 0;
}

bool runCommand(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Runs the rest of a test as the user nobody when it runs as root.
class UnprivilegedUser
{
public:
    UnprivilegedUser() : m_wasRoot(runAsRoot())
    {
        if (m_wasRoot && ::seteuid(65534) != 0)
            qFatal("cannot become nobody");
    }
    ~UnprivilegedUser()
    {
        if (m_wasRoot && ::seteuid(0) != 0)
            qFatal("cannot become root again");
    }
    UnprivilegedUser(const UnprivilegedUser &) = delete;
    UnprivilegedUser &operator=(const UnprivilegedUser &) = delete;

private:
    bool m_wasRoot;
};

// A small disk of its own (tmpfs), mounted for one test and gone after it.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &size)
    {
        if (runAsRoot() && m_folder.isValid())
            m_mounted = runCommand(QStringLiteral("mount"),
                                   {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                    QStringLiteral("-o"), QStringLiteral("size=") + size,
                                    QStringLiteral("tmpfs"), m_folder.path()});
    }
    ~SmallDisk()
    {
        if (m_mounted)
            runCommand(QStringLiteral("umount"), {QStringLiteral("-l"), m_folder.path()});
    }
    bool mounted() const { return m_mounted; }
    QString path() const { return m_folder.path(); }
    qint64 freeBytes() const
    {
        struct statvfs status = {};
        if (::statvfs(QFile::encodeName(path()).constData(), &status) != 0)
            return -1;
        return qint64(status.f_bavail) * qint64(status.f_frsize);
    }
    // Takes all but `keep` bytes of the free space.
    bool fill(qint64 keep)
    {
        QFile filler(path() + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
        const QByteArray block(4096, 'x');
        while (freeBytes() > keep + block.size()) {
            if (filler.write(block) != block.size() || !filler.flush())
                break;
        }
        return true;
    }
    void makeRoom() { QFile::remove(path() + QStringLiteral("/filler")); }

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};

QByteArray contentOf(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// The page numbers of the leaves of a table whose root is an interior page,
// in rowid order.
QList<int> leafPages(const QByteArray &file, int pageSize, int rootPage)
{
    QList<int> leaves;
    const auto byteAt = [&](qsizetype at) { return quint8(file.at(at)); };
    const auto u16 = [&](qsizetype at) { return (byteAt(at) << 8) | byteAt(at + 1); };
    const auto u32 = [&](qsizetype at) { return (quint32(u16(at)) << 16) | quint32(u16(at + 2)); };
    const qsizetype page = qsizetype(rootPage - 1) * pageSize;
    if (byteAt(page) != 0x05)
        return leaves; // not an interior table page
    const int cells = u16(page + 3);
    for (int cell = 0; cell < cells; ++cell)
        leaves.append(int(u32(page + u16(page + 12 + 2 * cell))));
    leaves.append(int(u32(page + 8)));
    return leaves;
}

} // namespace

class TestSaveFailures : public QObject
{
    Q_OBJECT
private slots:
    void fullDiskKeepsThePreviousSaveWhole_data();
    void fullDiskKeepsThePreviousSaveWhole();
    void readOnlyFolderFailsWithAReason();
    void deletedFileIsWrittenAgain();
    void replacedFileIsKeptAside();
    void damagedFileKeepsEveryReadableNote_data();
    void damagedFileKeepsEveryReadableNote();
    void copyHasTheSameSchema();
};

void TestSaveFailures::fullDiskKeepsThePreviousSaveWhole_data()
{
    QTest::addColumn<int>("freeKiB");
    for (const int kib : {8, 60, 200, 500})
        QTest::addRow("%d KiB free", kib) << kib;
}

void TestSaveFailures::fullDiskKeepsThePreviousSaveWhole()
{
    QFETCH(int, freeKiB);
    SmallDisk disk(QStringLiteral("4m"));
    if (!disk.mounted())
        QSKIP("needs root to mount a small tmpfs");
    const QString file = disk.path() + QStringLiteral("/ann");
    constexpr int count = 200;
    {
        NoteDatabase database;
        QCOMPARE(database.open(disk.path(), file), NoteDatabase::OpenResult::Opened);
        QVERIFY2(database.save(generation(1, count)), qPrintable(database.lastError()));
        QVERIFY2(database.save(generation(2, count)), qPrintable(database.lastError()));
        QVERIFY(disk.fill(qint64(freeKiB) * 1024));

        // Every note changes its text: more than the space left.
        QVERIFY(!database.save(generation(3, count)));
        QVERIFY2(!database.lastError().isEmpty(), "a failed save must say why");
        // A second failure in a row finds no half-open transaction either.
        QVERIFY(!database.save(generation(4, count)));
        const StoredTables during = readTables(file);
        QCOMPARE(during.notes, generation(2, count));
        QCOMPARE(during.backup, generation(1, count));

        disk.makeRoom();
        QVERIFY2(database.save(generation(5, count)), qPrintable(database.lastError()));
    }
    const StoredTables after = readTables(file);
    QCOMPARE(after.notes, generation(5, count));
    QCOMPARE(after.backup, generation(2, count));
}

void TestSaveFailures::readOnlyFolderFailsWithAReason()
{
    QTemporaryDir top;
    QVERIFY(QFile::setPermissions(top.path(), QFileDevice::Permissions(0x7777)));
    // Folder permissions do not stop root: the save runs as nobody.
    const UnprivilegedUser nobody;
    const QString folder = top.filePath(QStringLiteral("data"));
    const QString file = folder + QStringLiteral("/ann");
    NoteDatabase database;
    QCOMPARE(database.open(folder, file), NoteDatabase::OpenResult::Opened);
    QVERIFY2(database.save(generation(1, 20)), qPrintable(database.lastError()));
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    QVERIFY(QFile::setPermissions(folder, readOnly));
    // Deleted while no save works: kept until one does.
    database.trash().add(trashedOf(21));
    QVERIFY(!database.save(generation(2, 20)));
    QVERIFY(!database.lastError().isEmpty());
    QVERIFY(!database.save(generation(3, 20)));
    QVERIFY(QFile::setPermissions(folder, readOnly | QFileDevice::WriteOwner));
    QVERIFY2(database.save(generation(4, 20)), qPrintable(database.lastError()));
    database.close();
    const StoredTables after = readTables(file);
    QCOMPARE(after.notes, generation(4, 20));
    QCOMPARE(after.backup, generation(1, 20));
    QCOMPARE(after.trash, QList<TrashedNote>{trashedOf(21)});
}

void TestSaveFailures::deletedFileIsWrittenAgain()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("ann"));
    NoteDatabase database;
    QCOMPARE(database.open(folder.path(), file), NoteDatabase::OpenResult::Opened);
    database.load();
    database.trash().add(trashedOf(9));
    QVERIFY(database.save(generation(1, 5)));
    QVERIFY(database.takeIncidents().isEmpty());

    QVERIFY(QFile::remove(file));
    QVERIFY(database.save(generation(2, 5)));
    const QList<NoteDatabase::Incident> incidents = database.takeIncidents();
    QCOMPARE(incidents.size(), 1);
    QCOMPARE(incidents.first().kind, NoteDatabase::Incident::Kind::Missing);
    QCOMPARE(readTables(file).notes, generation(2, 5));
    // The deleted notes are written again with them.
    QCOMPARE(readTables(file).trash, QList<TrashedNote>{trashedOf(9)});

    // Later saves go on into the new file, writing only what changed.
    QVERIFY(database.save(generation(3, 5)));
    QVERIFY(database.takeIncidents().isEmpty());
    const StoredTables after = readTables(file);
    QCOMPARE(after.notes, generation(3, 5));
    QCOMPARE(after.backup, generation(2, 5));
}

void TestSaveFailures::replacedFileIsKeptAside()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("ann"));
    NoteDatabase database;
    QCOMPARE(database.open(folder.path(), file), NoteDatabase::OpenResult::Opened);
    QVERIFY(database.save(generation(1, 5)));

    // Another program writes its own file and renames it over ours.
    const QString other = folder.filePath(QStringLiteral("ann.new"));
    QVERIFY(NoteDatabase::writeCopy(other, generation(7, 2), nullptr));
    const QByteArray replacement = contentOf(other);
    QVERIFY(::rename(QFile::encodeName(other).constData(), QFile::encodeName(file).constData()) ==
            0);

    QVERIFY(database.save(generation(2, 5)));
    const QList<NoteDatabase::Incident> incidents = database.takeIncidents();
    QCOMPARE(incidents.size(), 1);
    QCOMPARE(incidents.first().kind, NoteDatabase::Incident::Kind::Replaced);
    const QString keptAs = incidents.first().keptAs;
    QVERIFY2(QFileInfo(keptAs).fileName().startsWith(QStringLiteral("ann.replaced-")),
             qPrintable(keptAs));
    QCOMPARE(QFileInfo(keptAs).absolutePath(), QFileInfo(file).absolutePath());
    QCOMPARE(contentOf(keptAs), replacement);
    QCOMPARE(readTables(file).notes, generation(2, 5));
    QCOMPARE(readTables(keptAs).notes, generation(7, 2));
}

void TestSaveFailures::damagedFileKeepsEveryReadableNote_data()
{
    QTest::addColumn<QList<int>>("damagedRows");
    QTest::addColumn<int>("unreadable");
    // Rows of `stickies`, 1-based, whose pages are overwritten.
    QTest::newRow("second and fourth") << QList<int>{2, 4} << 2;
    QTest::newRow("first") << QList<int>{1} << 1;
    QTest::newRow("last two") << QList<int>{4, 5} << 2;
}

void TestSaveFailures::damagedFileKeepsEveryReadableNote()
{
    QFETCH(QList<int>, damagedRows);
    QFETCH(int, unreadable);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("ann"));
    // One note per page, so each overwritten page takes exactly one note.
    const QList<NoteRecord> notes = generation(1, 5, 3000);
    int rootPage = 0;
    int pageSize = 0;
    {
        NoteDatabase database;
        QCOMPARE(database.open(folder.path(), file), NoteDatabase::OpenResult::Opened);
        database.load();
        database.trash().add(trashedOf(6));
        QVERIFY(database.save(notes));
        QVERIFY(database.save(notes)); // the backup holds the same five
        QSqlQuery query(database.connection());
        QVERIFY(query.exec(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = "
                                          "'stickies'")) &&
                query.next());
        rootPage = query.value(0).toInt();
        QVERIFY(query.exec(QStringLiteral("PRAGMA page_size")) && query.next());
        pageSize = query.value(0).toInt();
    }
    QByteArray bytes = contentOf(file);
    const QList<int> leaves = leafPages(bytes, pageSize, rootPage);
    QCOMPARE(leaves.size(), notes.size());
    for (const int row : damagedRows)
        bytes.replace(qsizetype(leaves.at(row - 1) - 1) * pageSize, pageSize,
                      QByteArray(pageSize, char(0x5a)));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(bytes), bytes.size());
    }

    NoteDatabase database;
    QCOMPARE(database.open(folder.path(), file), NoteDatabase::OpenResult::Opened);
    QCOMPARE(sortedById(database.load()), notes);
    const QList<NoteDatabase::Incident> incidents = database.takeIncidents();
    QCOMPARE(incidents.size(), 1);
    QCOMPARE(incidents.first().kind, NoteDatabase::Incident::Kind::Damaged);
    QCOMPARE(incidents.first().unreadable, unreadable);
    QCOMPARE(incidents.first().fromBackup, unreadable);
    QCOMPARE(contentOf(incidents.first().keptAs), bytes);

    // The file at the path is sound again and takes the next save.
    QVERIFY(database.save(generation(2, 5, 3000)));
    database.close();
    QCOMPARE(readTables(file).notes, generation(2, 5, 3000));
    QCOMPARE(sortedById(readTables(file).backup), notes);
    QCOMPARE(readTables(file).trash, QList<TrashedNote>{trashedOf(6)});
}

void TestSaveFailures::copyHasTheSameSchema()
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("deeper/ann.rescued"));
    QString error;
    QVERIFY(NoteDatabase::writeCopy(copy, generation(1, 3), &error, {trashedOf(4)}));
    QVERIFY(error.isEmpty());
    NoteDatabase database;
    QCOMPARE(database.open(QFileInfo(copy).absolutePath(), copy), NoteDatabase::OpenResult::Opened);
    QSqlQuery query(database.connection());
    QVERIFY(query.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'stickies'")) &&
            query.next());
    QCOMPARE(query.value(0).toString(), NoteSchema::kCreateTableStatement);
    QCOMPARE(database.load(), generation(1, 3));
    QCOMPARE(database.trash().notes(), QList<TrashedNote>{trashedOf(4)});

    // A copy that cannot be written says so.
    QVERIFY(
        !NoteDatabase::writeCopy(copy + QStringLiteral("/under-a-file"), generation(1, 3), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestSaveFailures)
#include "tst_savefailures.moc"
