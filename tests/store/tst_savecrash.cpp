// Kills a process in the middle of saving, many times over, and checks that
// the database always holds one complete save.

#include "store/notedatabase.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>

namespace {

int noteCountOf(int generation)
{
    return 30 + generation % 25; // rows are added and removed between saves
}

QList<NoteRecord> generationRecords(int generation)
{
    QList<NoteRecord> records;
    for (int i = 0; i < noteCountOf(generation); ++i) {
        NoteRecord record;
        record.id = i + 1;
        record.visible = true;
        record.colorRGB = QStringLiteral("#FFFF00");
        record.colorName = QStringLiteral("Yellow");
        record.creationDate = QDateTime::fromSecsSinceEpoch(1700000000);
        record.message = QStringLiteral("<p>generation %1 note %2</p>").arg(generation).arg(i + 1) +
                         QString(1500 + generation % 7 * 100, QLatin1Char('x'));
        record.x = generation;
        records.append(record);
    }
    return records;
}

// The child: saves generation after generation until it is killed.
int runWriter(const QString &folder)
{
    NoteDatabase database;
    if (database.open(folder + QStringLiteral("/"), folder + QStringLiteral("/notes")) !=
        NoteDatabase::OpenResult::Opened)
        return 2;
    const QList<NoteRecord> existing = database.load();
    int generation = existing.isEmpty() ? 0 : existing.first().x;
    for (;;) {
        ++generation;
        if (!database.save(generationRecords(generation)))
            return 3;
    }
}

// The child: makes a new note file, as the first start does, and says so
// just before.
int runCreator(const QString &file)
{
    std::fputs("creating\n", stdout);
    std::fflush(stdout);
    NoteDatabase database;
    const QString folder = QFileInfo(file).path() + QStringLiteral("/");
    return database.open(folder, file) == NoteDatabase::OpenResult::Opened ? 0 : 2;
}

} // namespace

class TestSaveCrash : public QObject
{
    Q_OBJECT
private slots:
    void killedSaveLeavesOneWholeSave();
    void killedFirstStartLeavesAFileToBuildOn();
};

void TestSaveCrash::killedSaveLeavesOneWholeSave()
{
    QTemporaryDir folder;
    const QRegularExpression stamp(QStringLiteral("generation (\\d+) note (\\d+)"));
    int completeSavesSeen = 0;
    int lastGeneration = 0;
    for (int round = 0; round < 40; ++round) {
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--writer"), folder.path()});
        QVERIFY(writer.waitForStarted());
        QTest::qWait(20 + QRandomGenerator::global()->bounded(120));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        NoteDatabase database;
        QCOMPARE(database.open(folder.path() + QStringLiteral("/"),
                               folder.path() + QStringLiteral("/notes")),
                 NoteDatabase::OpenResult::Opened);
        const QList<NoteRecord> records = database.load();
        QVERIFY(!records.isEmpty());
        if (records.size() == 1 && records.first().message.contains(QStringLiteral("Welcome")))
            continue; // killed before its first save ended
        const int generation = records.first().x;
        QVERIFY2(generation >= lastGeneration, "a later start found an older save");
        QCOMPARE(records, generationRecords(generation));
        for (const NoteRecord &record : records) {
            const QRegularExpressionMatch match = stamp.match(record.message);
            QVERIFY(match.hasMatch());
            QCOMPARE(match.captured(1).toInt(), generation);
        }
        lastGeneration = generation;
        ++completeSavesSeen;
    }
    // The check above only means something when kills hit saves in progress.
    QVERIFY2(completeSavesSeen >= 20, qPrintable(QString::number(completeSavesSeen)));
    QVERIFY(lastGeneration > 40);
}

void TestSaveCrash::killedFirstStartLeavesAFileToBuildOn()
{
    QTemporaryDir folder;
    for (int round = 0; round < 60; ++round) {
        const QString file = folder.filePath(QStringLiteral("notes-%1").arg(round));
        QProcess creator;
        creator.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--creator"), file});
        QVERIFY(creator.waitForReadyRead());
        // Making the file takes a few milliseconds: the kills fall all over it.
        QThread::usleep(round % 30 * 200);
        ::kill(static_cast<pid_t>(creator.processId()), SIGKILL);
        QVERIFY(creator.waitForFinished());

        NoteDatabase database;
        QCOMPARE(database.open(folder.path() + QStringLiteral("/"), file),
                 NoteDatabase::OpenResult::Opened);
        const QList<NoteRecord> records = database.load();
        QCOMPARE(records.size(), 1);
        QVERIFY(records.first().message.contains(QStringLiteral("Welcome")));
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--writer") == 0)
        return runWriter(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--creator") == 0)
        return runCreator(QString::fromLocal8Bit(argv[2]));
    TestSaveCrash test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_savecrash.moc"
