// The command line: every accepted form gives the right request, and every
// wrong one is refused with a message instead of starting the program.

#include "app/programarguments.h"

#include <QTemporaryDir>
#include <QtTest>

using Request = CommandLine::ProgramRequest;
Q_DECLARE_METATYPE(Request::Action)

class TestProgramArguments : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void syncFolderOption_data();
    void syncFolderOption();
    void syncFolderIsResolved_data();
    void syncFolderIsResolved();
    void toggleAndSelection_data();
    void toggleAndSelection();
    void usageNamesEveryOption();
};

void TestProgramArguments::parse_data()
{
    QTest::addColumn<QStringList>("arguments"); // without the program name
    QTest::addColumn<Request::Action>("action");
    QTest::addColumn<QString>("noteText");
    QTest::addColumn<QString>("exportDirectory");
    QTest::addColumn<QString>("importPath");

    using A = Request::Action;
    const QString none;
    QTest::newRow("nothing") << QStringList{} << A::Run << none << none << none;
    QTest::newRow("--help") << QStringList{"--help"} << A::Help << none << none << none;
    QTest::newRow("-h") << QStringList{"-h"} << A::Help << none << none << none;
    QTest::newRow("help wins over a command")
        << QStringList{"--new-note", "x", "--help"} << A::Help << none << none << none;
    QTest::newRow("--version") << QStringList{"--version"} << A::Version << none << none << none;
    QTest::newRow("-v") << QStringList{"-v"} << A::Version << none << none << none;
    QTest::newRow("new note without text")
        << QStringList{"--new-note"} << A::NewNote << "" << none << none;
    QTest::newRow("new note with text")
        << QStringList{"--new-note", "Buy milk"} << A::NewNote << "Buy milk" << none << none;
    QTest::newRow("text before the option")
        << QStringList{"Call Anna", "--new-note"} << A::NewNote << "Call Anna" << none << none;
    QTest::newRow("text that looks like an option after --")
        << QStringList{"--new-note", "--", "--export"} << A::NewNote << "--export" << none << none;
    QTest::newRow("accents and lines") << QStringList{"--new-note", "Crème brûlée\nà 8h"}
                                       << A::NewNote << "Crème brûlée\nà 8h" << none << none;
    QTest::newRow("show panel") << QStringList{"--show-panel"} << A::ShowPanel << none << none
                                << none;
    QTest::newRow("export") << QStringList{"--export", "/tmp/out dir"} << A::Export << none
                            << "/tmp/out dir" << none;
    QTest::newRow("export with =")
        << QStringList{"--export=notes"} << A::Export << none << "notes" << none;

    QTest::newRow("unknown option")
        << QStringList{"--frobnicate"} << A::Invalid << none << none << none;
    QTest::newRow("export without folder")
        << QStringList{"--export"} << A::Invalid << none << none << none;
    QTest::newRow("export with empty folder")
        << QStringList{"--export", ""} << A::Invalid << none << none << none;
    QTest::newRow("two commands") << QStringList{"--new-note", "--show-panel"} << A::Invalid << none
                                  << none << none;
    QTest::newRow("export and new note")
        << QStringList{"--export", "d", "--new-note"} << A::Invalid << none << none << none;
    QTest::newRow("two texts") << QStringList{"--new-note", "a", "b"} << A::Invalid << none << none
                               << none;
    QTest::newRow("text without command")
        << QStringList{"hello"} << A::Invalid << none << none << none;
    QTest::newRow("text with show panel")
        << QStringList{"--show-panel", "hello"} << A::Invalid << none << none << none;
    QTest::newRow("import a folder") << QStringList{"--import", "/tmp/exported notes"} << A::Import
                                     << none << none << "/tmp/exported notes";
    QTest::newRow("import with =")
        << QStringList{"--import=notes.db"} << A::Import << none << none << "notes.db";
    QTest::newRow("import without path")
        << QStringList{"--import"} << A::Invalid << none << none << none;
    QTest::newRow("import with empty path")
        << QStringList{"--import", ""} << A::Invalid << none << none << none;
    QTest::newRow("import and export")
        << QStringList{"--import", "a", "--export", "b"} << A::Invalid << none << none << none;
    QTest::newRow("import and new note")
        << QStringList{"--new-note", "--import", "a"} << A::Invalid << none << none << none;
    QTest::newRow("import with a stray text")
        << QStringList{"--import", "a", "b"} << A::Invalid << none << none << none;
}

void TestProgramArguments::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(Request::Action, action);
    QFETCH(QString, noteText);
    QFETCH(QString, exportDirectory);
    QFETCH(QString, importPath);

    const Request request =
        CommandLine::parseProgramArguments(QStringList{"notarella"} + arguments);
    QCOMPARE(request.action, action);
    QCOMPARE(request.noteText, noteText);
    QCOMPARE(request.exportDirectory, exportDirectory);
    QCOMPARE(request.importPath, importPath);
    // A refusal always says why; an accepted line never carries an error.
    QCOMPARE(request.error.isEmpty(), action != Request::Action::Invalid);
}

void TestProgramArguments::syncFolderOption_data()
{
    QTest::addColumn<QStringList>("arguments"); // without the program name
    QTest::addColumn<Request::Action>("action");
    QTest::addColumn<QString>("syncFolder");
    using A = Request::Action;
    QTest::newRow("a folder") << QStringList{"--sync-folder", "a b"} << A::SyncFolder << "a b";
    QTest::newRow("empty turns off") << QStringList{"--sync-folder="} << A::SyncFolder << "";
    QTest::newRow("no folder") << QStringList{"--sync-folder"} << A::Invalid << "";
    QTest::newRow("and import") << QStringList{"--import", "i", "--sync-folder", "d"} << A::Invalid
                                << "";
    QTest::newRow("stray text") << QStringList{"--sync-folder", "d", "e"} << A::Invalid << "";
}

void TestProgramArguments::syncFolderOption()
{
    QFETCH(QStringList, arguments);
    QFETCH(Request::Action, action);
    QFETCH(QString, syncFolder);
    const Request request =
        CommandLine::parseProgramArguments(QStringList{"notarella"} + arguments);
    QCOMPARE(request.action, action);
    QCOMPARE(request.syncFolder, syncFolder);
    QCOMPARE(request.error.isEmpty(), action != Request::Action::Invalid);
}

void TestProgramArguments::syncFolderIsResolved_data()
{
    QTest::addColumn<QString>("given"); // "@" stands for the test's folder
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("usable");
    QTest::newRow("empty turns off") << ""
                                     << "" << true;
    QTest::newRow("relative") << "./x/../Sync/"
                              << "@/work/Sync" << true;
    QTest::newRow("absolute") << "@/work/Sync"
                              << "@/work/Sync" << true;
    QTest::newRow("missing") << "Gone"
                             << "@/work/Gone" << false;
    QTest::newRow("a file") << "notes.txt"
                            << "@/work/notes.txt" << false;
}

void TestProgramArguments::syncFolderIsResolved()
{
    QFETCH(QString, given);
    QFETCH(QString, folder);
    QFETCH(bool, usable);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath("work/Sync"));
    QFile file(root.filePath("work/notes.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    given.replace("@", root.path());
    folder.replace("@", root.path());

    const auto resolved = CommandLine::resolveSyncFolder(given, root.filePath("work"));
    QCOMPARE(resolved.folder, folder);
    QCOMPARE(resolved.error.isEmpty(), usable);
    QVERIFY(usable || resolved.error.contains(folder)); // names the folder the user meant
}

void TestProgramArguments::toggleAndSelection_data()
{
    QTest::addColumn<QStringList>("arguments"); // without the program name
    QTest::addColumn<Request::Action>("action");
    QTest::addColumn<bool>("fromSelection");
    using A = Request::Action;
    QTest::newRow("toggle") << QStringList{"--toggle"} << A::Toggle << false;
    QTest::newRow("toggle and new note")
        << QStringList{"--toggle", "--new-note"} << A::Invalid << false;
    QTest::newRow("toggle and show panel")
        << QStringList{"--show-panel", "--toggle"} << A::Invalid << false;
    QTest::newRow("toggle with a stray text")
        << QStringList{"--toggle", "x"} << A::Invalid << false;
    QTest::newRow("help wins over toggle") << QStringList{"--toggle", "-h"} << A::Help << false;
    QTest::newRow("note from selection")
        << QStringList{"--new-note", "--from-selection"} << A::NewNote << true;
    QTest::newRow("selection first")
        << QStringList{"--from-selection", "--new-note"} << A::NewNote << true;
    QTest::newRow("plain new note") << QStringList{"--new-note"} << A::NewNote << false;
    QTest::newRow("selection alone") << QStringList{"--from-selection"} << A::Invalid << false;
    QTest::newRow("selection with toggle")
        << QStringList{"--toggle", "--from-selection"} << A::Invalid << false;
    QTest::newRow("selection and a text")
        << QStringList{"--new-note", "--from-selection", "x"} << A::Invalid << false;
}

void TestProgramArguments::toggleAndSelection()
{
    QFETCH(QStringList, arguments);
    QFETCH(Request::Action, action);
    QFETCH(bool, fromSelection);
    const Request request =
        CommandLine::parseProgramArguments(QStringList{"notarella"} + arguments);
    QCOMPARE(request.action, action);
    QCOMPARE(request.fromSelection, fromSelection);
    QVERIFY(request.noteText.isEmpty());
    QCOMPARE(request.error.isEmpty(), action != Request::Action::Invalid);
}

void TestProgramArguments::usageNamesEveryOption()
{
    const QString usage = CommandLine::programUsageText();
    for (const char *option : {"--help", "--version", "--new-note", "--show-panel", "--export",
                               "--import", "--sync-folder", "--toggle", "--from-selection"})
        QVERIFY2(usage.contains(QLatin1String(option)), option);
    QVERIFY(CommandLine::programVersionText().startsWith(QStringLiteral("Notarella ")));
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    TestProgramArguments test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programarguments.moc"
