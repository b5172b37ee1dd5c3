// "notarella --export DIR" run as a program: the notes of the user's database
// file end up in the folder, and the file is left as it was.

#include "platform/username.h"
#include "programrun.h"
#include "sandboxstate.h"
#include "store/notedatabase.h"
#include "testappfolder.h"

#include <QCryptographicHash>
#include <QtTest>

namespace {

NoteRecord note(int id, const QString &colorName, const QString &message,
                const QDateTime &reminder = {}, const QString &mask = {})
{
    NoteRecord record;
    record.id = id;
    record.visible = true;
    record.colorRGB = QStringLiteral("#FFEE%1").arg(id, 2, 10, QLatin1Char('0'));
    record.colorName = colorName;
    record.creationDate = QDateTime(QDate(2026, 3, id), QTime(9, 30));
    record.originalReminderDate = reminder;
    record.reminderDate = reminder;
    record.periodicMask = mask;
    record.message = message;
    record.width = 200;
    record.height = 150;
    return record;
}

QList<NoteRecord> sampleNotes()
{
    return {
        note(1, QStringLiteral("Yellow"), QStringLiteral("<p>Buy <b>milk</b></p>")),
        note(2, QStringLiteral("Rosé <&> \"pink\""),
             QStringLiteral("<p>See <a href=\"https://example.org/?a=1&amp;b=2\">the site</a></p>"),
             QDateTime(QDate(2026, 4, 1), QTime(8, 0))),
        note(3, QStringLiteral("Blue"), QStringLiteral("<p>Stand-up</p>"),
             QDateTime(QDate(2026, 4, 2), QTime(9, 0)), QStringLiteral("0 9 * * 1-5")),
    };
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QByteArray checksum(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

} // namespace

class TestCommandLineExport : public QObject
{
    Q_OBJECT

private slots:
    void init() { SandboxState::reset(); }

    void programExportsWithoutChangingTheDatabase();
    void missingNotesAreReported();
    void plantedLinksAreRefused();
};

void TestCommandLineExport::programExportsWithoutChangingTheDatabase()
{
    TestAppFolder app;
    QVERIFY2(app.isValid(), qPrintable(app.errorString()));
    const QString database = app.databaseFile(Platform::currentUserName());
    QString error;
    QVERIFY2(NoteDatabase::writeCopy(database, sampleNotes(), &error), qPrintable(error));
    const QByteArray before = checksum(database);

    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("out dir"));
    ProgramRun run(app.executable(), {"--export", target});
    QVERIFY(run.start());
    QVERIFY2(run.waitForExit(20000), qPrintable(run.standardError()));
    QCOMPARE(run.exitCode(), 0);
    QVERIFY(!run.standardError().contains(ProgramRun::kStartedLine));
    QCOMPARE(checksum(database), before);

    QStringList expectedFiles{QStringLiteral("index.html")};
    for (int id : {1, 2, 3})
        expectedFiles << QStringLiteral("note-%1.html").arg(id)
                      << QStringLiteral("note-%1.md").arg(id);
    expectedFiles.sort();
    QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Hidden, QDir::Name), expectedFiles);
    const QString odd = readText(target + QStringLiteral("/note-2.html"));
    QVERIFY(odd.contains(QStringLiteral("Rosé &lt;&amp;&gt; &quot;pink&quot;")));
    QVERIFY(odd.contains(QStringLiteral("https://example.org/?a=1&amp;b=2")));
    QVERIFY(readText(target + QStringLiteral("/note-3.html")).contains("0 9 * * 1-5"));
    QVERIFY(readText(target + QStringLiteral("/note-1.md")).contains(QStringLiteral("milk")));
}

void TestCommandLineExport::missingNotesAreReported()
{
    TestAppFolder app;
    QVERIFY2(app.isValid(), qPrintable(app.errorString()));
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("out"));
    ProgramRun run(app.executable(), {"--export", target});
    run.setEnvironmentValue(QStringLiteral("USER"), QStringLiteral("nobody-here"));
    run.setEnvironmentValue(QStringLiteral("USERNAME"), QStringLiteral("nobody-here"));
    QVERIFY(run.start());
    QVERIFY(run.waitForExit(20000));
    QCOMPARE(run.exitCode(), 1);
    QVERIFY2(run.standardError().contains(QStringLiteral("nobody-here")),
             qPrintable(run.standardError()));
    // Nothing was made: neither the export nor a database for that user.
    QVERIFY(!QFileInfo::exists(target));
    QVERIFY(!QFileInfo::exists(app.databaseFile(QStringLiteral("nobody-here"))));
}

// Another user prepared the folder with links to the user's own files: the
// export writes nothing through them, says why, and fails.
void TestCommandLineExport::plantedLinksAreRefused()
{
    TestAppFolder app;
    QVERIFY2(app.isValid(), qPrintable(app.errorString()));
    QString error;
    QVERIFY2(NoteDatabase::writeCopy(app.databaseFile(Platform::currentUserName()), sampleNotes(),
                                     &error),
             qPrintable(error));
    QTemporaryDir folder;
    const QString profile = folder.filePath(QStringLiteral(".profile"));
    QFile own(profile);
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("PATH=/usr/bin\n");
    own.close();
    const QString target = folder.filePath(QStringLiteral("shared"));
    QVERIFY(QDir().mkpath(target));
    QVERIFY(QFile::link(profile, target + QStringLiteral("/note-1.html")));

    ProgramRun run(app.executable(), {"--export", target});
    QVERIFY(run.start());
    QVERIFY2(run.waitForExit(20000), qPrintable(run.standardError()));
    QCOMPARE(run.exitCode(), 1);
    QVERIFY2(run.standardError().contains(QStringLiteral("note-1.html")),
             qPrintable(run.standardError()));
    QCOMPARE(readText(profile), QStringLiteral("PATH=/usr/bin\n"));
    QCOMPARE(QDir(target).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                    QDir::System),
             QStringList{"note-1.html"});
}

QTEST_MAIN(TestCommandLineExport)
#include "tst_commandlineexport.moc"
