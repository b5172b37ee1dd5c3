#include "richtext/commandline.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void templates();
    void linkCommand_data();
    void linkCommand();
    void helpCommand_data();
    void helpCommand();
    void commandTextSplitsIntoArguments_data();
    void commandTextSplitsIntoArguments();
    void splitCommandLine_data();
    void splitCommandLine();
    void resolveProgram();
    void urlFromHandlerArguments_data();
    void urlFromHandlerArguments();
};

void TestCommandLine::templates()
{
    QCOMPARE(CommandLine::linkCommandTemplate(),
             QStringLiteral("rundll32 url.dll,FileProtocolHandler \"%1\""));
    QCOMPARE(CommandLine::helpStartCommandTemplate(),
             QStringLiteral("hh \"%1/documentation/HELP.chm\""));
    QCOMPARE(CommandLine::helpPageCommandPrefix(),
             QStringLiteral("hh \"%1/documentation/HELP.CHM::/"));
}

void TestCommandLine::linkCommand_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("commandText");

    QTest::newRow("web") << "http://www.example.com/"
                         << "rundll32 url.dll,FileProtocolHandler \"http://www.example.com/\"";
    QTest::newRow("blanks kept inside the quotes")
        << "http://example.com/a b  c"
        << "rundll32 url.dll,FileProtocolHandler \"http://example.com/a b  c\"";
    QTest::newRow("mailto")
        << "mailto:someone@example.com"
        << "rundll32 url.dll,FileProtocolHandler \"mailto:someone@example.com\"";
    QTest::newRow("file")
        << "file:C:/My Documents/list.txt"
        << "rundll32 url.dll,FileProtocolHandler \"file:C:/My Documents/list.txt\"";
    QTest::newRow("placeholders stay")
        << "http://x/%1%2%3%20"
        << "rundll32 url.dll,FileProtocolHandler \"http://x/%1%2%3%20\"";
    QTest::newRow("no escaping") << "\" & rm -rf x \""
                                 << "rundll32 url.dll,FileProtocolHandler \"\" & rm -rf x \"\"";
    QTest::newRow("empty") << ""
                           << "rundll32 url.dll,FileProtocolHandler \"\"";
}

void TestCommandLine::linkCommand()
{
    QFETCH(QString, url);
    QFETCH(QString, commandText);

    const CommandLine::LaunchCommand command = CommandLine::linkCommand(url);
    QCOMPARE(command.commandText, commandText);
    QCOMPARE(command.program, QStringLiteral("rundll32"));
    QCOMPARE(command.arguments, (QStringList{QStringLiteral("url.dll,FileProtocolHandler"), url}));
}

void TestCommandLine::helpCommand_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("commandText");
    QTest::addColumn<QString>("argument");

    const QString dir = QStringLiteral("/opt/Notarella");
    QTest::newRow("start page") << dir << ""
                                << "hh \"/opt/Notarella/documentation/HELP.chm\""
                                << "/opt/Notarella/documentation/HELP.chm";
    QTest::newRow("editor")
        << dir << "Additional Components/Rich Text Editor.html"
        << "hh \"/opt/Notarella/documentation/HELP.CHM::/Additional Components/Rich Text "
           "Editor.html\""
        << "/opt/Notarella/documentation/HELP.CHM::/Additional Components/Rich Text Editor.html";
    QTest::newRow("reminders")
        << dir << "Additional Components/Reminders.html"
        << "hh \"/opt/Notarella/documentation/HELP.CHM::/Additional Components/Reminders.html\""
        << "/opt/Notarella/documentation/HELP.CHM::/Additional Components/Reminders.html";
    QTest::newRow("date format")
        << dir << "Options/Formatting.html#DateFormatting"
        << "hh \"/opt/Notarella/documentation/HELP.CHM::/Options/Formatting.html#DateFormatting\""
        << "/opt/Notarella/documentation/HELP.CHM::/Options/Formatting.html#DateFormatting";
    QTest::newRow("directory with blanks and percent")
        << "/home/a b/100%1 notes"
        << ""
        << "hh \"/home/a b/100%1 notes/documentation/HELP.chm\""
        << "/home/a b/100%1 notes/documentation/HELP.chm";
    QTest::newRow("windows directory") << "C:/Program Files/Notarella"
                                       << "Options/Formatting.html"
                                       << "hh \"C:/Program Files/Notarella/documentation/"
                                          "HELP.CHM::/Options/Formatting.html\""
                                       << "C:/Program Files/Notarella/documentation/"
                                          "HELP.CHM::/Options/Formatting.html";
}

void TestCommandLine::helpCommand()
{
    QFETCH(QString, directory);
    QFETCH(QString, page);
    QFETCH(QString, commandText);
    QFETCH(QString, argument);

    const CommandLine::LaunchCommand command = CommandLine::helpCommand(directory, page);
    QCOMPARE(command.commandText, commandText);
    QCOMPARE(command.program, QStringLiteral("hh"));
    QCOMPARE(command.arguments, QStringList{argument});
}

// For every ordinary link and help page the program and arguments started are
// what the traced command line says; only a URL holding a double quote would
// fall apart on the command line.
void TestCommandLine::commandTextSplitsIntoArguments_data()
{
    QTest::addColumn<bool>("isLink");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("sameAsSplit");

    QTest::newRow("web") << true << "http://www.example.com/index.html?a=1&b=2" << true;
    QTest::newRow("blanks") << true << "http://example.com/a b  c" << true;
    QTest::newRow("mailto") << true << "mailto:someone@example.com?subject=Hi there" << true;
    QTest::newRow("file") << true << "file:///home/me/My Notes/list.txt" << true;
    QTest::newRow("help start") << false << "" << true;
    QTest::newRow("help page") << false << "Additional Components/Rich Text Editor.html" << true;
    QTest::newRow("help anchor") << false << "Options/Formatting.html#DateFormatting" << true;
    QTest::newRow("quote breaks the command line") << true << "\" & rm -rf x \"" << false;
}

void TestCommandLine::commandTextSplitsIntoArguments()
{
    QFETCH(bool, isLink);
    QFETCH(QString, value);
    QFETCH(bool, sameAsSplit);

    const CommandLine::LaunchCommand command =
        isLink ? CommandLine::linkCommand(value)
               : CommandLine::helpCommand(QStringLiteral("/opt/My Notarella"), value);
    const QStringList started = QStringList{command.program} + command.arguments;
    QCOMPARE(CommandLine::splitCommandLine(command.commandText) == started, sameAsSplit);
}

void TestCommandLine::splitCommandLine_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("plain") << "a b  c" << QStringList{"a", "b", "c"};
    QTest::newRow("outer blanks") << "  a\tb \n" << QStringList{"a", "b"};
    QTest::newRow("quoted group") << "hh \"C:/a b/HELP.chm\""
                                  << QStringList{"hh", "C:/a b/HELP.chm"};
    QTest::newRow("quote inside a word") << "ab\"c d\"e" << QStringList{"abc de"};
    QTest::newRow("triple quote is a literal") << "a\"\"\"b" << QStringList{"a\"b"};
    QTest::newRow("quoted literal quote") << "\"a \"\"\" b\"" << QStringList{"a \" b"};
    QTest::newRow("empty quotes vanish") << "a \"\" b" << QStringList{"a", "b"};
    QTest::newRow("unclosed quote") << "a \"b c" << QStringList{"a", "b c"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("injection splits")
        << "rundll32 url.dll,FileProtocolHandler \"\" & rm -rf x \"\""
        << QStringList{"rundll32", "url.dll,FileProtocolHandler", "&", "rm", "-rf", "x"};
}

void TestCommandLine::splitCommandLine()
{
    QFETCH(QString, command);
    QFETCH(QStringList, expected);

    QCOMPARE(CommandLine::splitCommandLine(command), expected);
    // Same reading as Qt's own.
    QCOMPARE(CommandLine::splitCommandLine(command), QProcess::splitCommand(command));
}

void TestCommandLine::resolveProgram()
{
    QTemporaryDir appDir;
    QVERIFY(appDir.isValid());
    const auto makeFile = [&](const QString &name, bool executable) {
        QFile file(appDir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (executable)
            permissions |= QFileDevice::ExeOwner;
        QVERIFY(file.setPermissions(permissions));
    };
    makeFile(QStringLiteral("rundll32"), true);
    makeFile(QStringLiteral("sh"), true);
    makeFile(QStringLiteral("notexecutable"), false);
    QVERIFY(QDir(appDir.path()).mkdir(QStringLiteral("hh"))); // a folder is no program

    const QString dir = appDir.path();
    QCOMPARE(CommandLine::resolveProgram(QStringLiteral("rundll32"), dir),
             appDir.filePath(QStringLiteral("rundll32")));
    // Our own folder comes before PATH.
    QCOMPARE(CommandLine::resolveProgram(QStringLiteral("sh"), dir),
             appDir.filePath(QStringLiteral("sh")));
    const QString systemShell = QStandardPaths::findExecutable(QStringLiteral("sh"));
    QVERIFY(!systemShell.isEmpty());
    QCOMPARE(CommandLine::resolveProgram(QStringLiteral("sh"), QString()), systemShell);
    // Not usable beside us: PATH, or the bare name when it is nowhere.
    QCOMPARE(CommandLine::resolveProgram(QStringLiteral("notexecutable"), dir),
             QStringLiteral("notexecutable"));
    QCOMPARE(CommandLine::resolveProgram(QStringLiteral("hh"), dir), QStringLiteral("hh"));
    // A path is taken as it is.
    QCOMPARE(CommandLine::resolveProgram(QStringLiteral("./rundll32"), dir),
             QStringLiteral("./rundll32"));
    QCOMPARE(CommandLine::resolveProgram(QStringLiteral("/bin/true"), dir),
             QStringLiteral("/bin/true"));
}

void TestCommandLine::urlFromHandlerArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("url");

    const QString entry = QStringLiteral("url.dll,FileProtocolHandler");
    QTest::newRow("web") << QStringList{entry, "http://example.com/"} << "http://example.com/";
    QTest::newRow("nasty kept whole")
        << QStringList{entry, "\" & rm -rf x \""} << "\" & rm -rf x \"";
    QTest::newRow("entry point in other case")
        << QStringList{"URL.DLL,fileprotocolhandler", "mailto:a@b.c"} << "mailto:a@b.c";
    QTest::newRow("no arguments") << QStringList{} << QString();
    QTest::newRow("entry point only") << QStringList{entry} << QString();
    QTest::newRow("empty url") << QStringList{entry, ""} << QString();
    QTest::newRow("two urls") << QStringList{entry, "http://a/", "http://b/"} << QString();
    QTest::newRow("other entry point")
        << QStringList{"shell32.dll,Control_RunDLL", "x"} << QString();
    QTest::newRow("url without entry point") << QStringList{"http://a/", "http://b/"} << QString();
    QTest::newRow("option-like url") << QStringList{entry, "--help"} << QString();
}

void TestCommandLine::urlFromHandlerArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, url);

    const QString found = CommandLine::urlFromHandlerArguments(arguments);
    QCOMPARE(found, url);
    QCOMPARE(found.isNull(), url.isNull());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
