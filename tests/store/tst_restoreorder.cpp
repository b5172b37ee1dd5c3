// A restore puts the copy over the note file durably: the copy is written,
// flushed to the disk, renamed over the note file, and then the folder is
// flushed. The program's own calls of fsync and rename are seen here: this
// test is linked with wrappers around them (see tests/CMakeLists.txt).

#include "store/notebackups.h"
#include "store/notedatabase.h"
#include "store/notewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QMutex gLock;
bool gRecording = false;
QStringList gEvents;

QString pathOf(int folder, const char *name)
{
    const QString given = QFile::decodeName(name);
    if (given.startsWith(QLatin1Char('/')))
        return given;
    const QString base = folder == AT_FDCWD
                             ? QDir::currentPath()
                             : QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(folder));
    return base + QLatin1Char('/') + given;
}

void record(const QString &event)
{
    const QMutexLocker locker(&gLock);
    if (gRecording)
        gEvents.append(event);
}

void setRecording(bool on)
{
    const QMutexLocker locker(&gLock);
    if (on)
        gEvents.clear();
    gRecording = on;
}

void recordRename(int fromFolder, const char *from, int toFolder, const char *to)
{
    record(QStringLiteral("rename %1 -> %2").arg(pathOf(fromFolder, from), pathOf(toFolder, to)));
}

} // namespace

extern "C" {
int __real_fsync(int fd);
int __real_rename(const char *from, const char *to);
int __real_renameat(int fromFolder, const char *from, int toFolder, const char *to);

// What the file holds when it is flushed tells that it was written before.
int __wrap_fsync(int fd)
{
    struct stat status = {};
    ::fstat(fd, &status);
    const QString path = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd));
    record(S_ISDIR(status.st_mode)
               ? QStringLiteral("fsync folder %1").arg(path)
               : QStringLiteral("fsync %1 (%2 bytes)").arg(path).arg(status.st_size));
    return __real_fsync(fd);
}

int __wrap_rename(const char *from, const char *to)
{
    recordRename(AT_FDCWD, from, AT_FDCWD, to);
    return __real_rename(from, to);
}

int __wrap_renameat(int fromFolder, const char *from, int toFolder, const char *to)
{
    recordRename(fromFolder, from, toFolder, to);
    return __real_renameat(fromFolder, from, toFolder, to);
}
}

class TestRestoreOrder : public QObject
{
    Q_OBJECT
private slots:
    void restoreIsDurableAndInOrder_data();
    void restoreIsDurableAndInOrder();
};

void TestRestoreOrder::restoreIsDurableAndInOrder_data()
{
    QTest::addColumn<bool>("unreadable"); // the note file could not be read
    QTest::newRow("restore from a backup") << false;
    QTest::newRow("unreadable note file replaced by a backup") << true;
}

void TestRestoreOrder::restoreIsDurableAndInOrder()
{
    QFETCH(bool, unreadable);
    QTemporaryDir temporary;
    const QString folder = QFileInfo(temporary.path()).canonicalFilePath();
    const QString file = folder + QStringLiteral("/notes");
    const QString backup = NoteBackups::dailyName(file, QDate(2026, 1, 5));
    NoteRecord note;
    note.id = 1;
    note.colorRGB = QStringLiteral("#FFFF00");
    note.message = QStringLiteral("restored");
    QString error;
    QVERIFY(NoteDatabase::writeCopy(backup, {note}, &error));
    const qint64 size = QFileInfo(backup).size();

    NoteWriter writer;
    bool done = false;
    if (unreadable) {
        QFile junk(file);
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a note file") > 0);
        junk.close();
        setRecording(true);
        QString keptAs;
        done = NoteBackups::replaceUnreadable(file, backup, &keptAs, &error);
    } else {
        QCOMPARE(writer.open(folder, file), NoteDatabase::OpenResult::Opened);
        QVERIFY(writer.save({}).saved);
        setRecording(true);
        const NoteWriter::Outcome outcome = writer.restore(
            backup, NoteBackups::beforeRestoreName(file, QDateTime::currentDateTime()));
        done = outcome.saved;
        error = outcome.error;
    }
    setRecording(false);
    QVERIFY2(done, qPrintable(error));

    // From the first step on the copy that comes in, nothing else happens to
    // it, to the note file or to the folder.
    const QString incoming = file + QStringLiteral(".restoring");
    const QStringList expected = {
        QStringLiteral("fsync %1 (%2 bytes)").arg(incoming).arg(size),
        QStringLiteral("rename %1 -> %2").arg(incoming, file),
        QStringLiteral("fsync folder %1").arg(folder),
    };
    qsizetype first = 0;
    while (first < gEvents.size() && !gEvents.at(first).contains(incoming))
        ++first;
    QCOMPARE(gEvents.mid(first), expected);
    QCOMPARE(NoteDatabase::inspect(file).notes, 1);
}

QTEST_GUILESS_MAIN(TestRestoreOrder)
#include "tst_restoreorder.moc"
