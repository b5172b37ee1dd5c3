#include "base/apppaths.h"
#include "richtext/rzopendefaultbrowser.h"
#include "ui/userprompt.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QWidget>
#include <QtTest>

namespace {

QStringList &traceLines()
{
    static QStringList lines;
    return lines;
}

void recordTrace(QtMsgType, const QMessageLogContext &, const QString &message)
{
    traceLines() << message.simplified();
}

// Reads what the recorder script wrote: one entry per argument it received.
QStringList readRecordedArguments(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no record>")};
    QList<QByteArray> parts = file.readAll().split('\0');
    parts.removeLast(); // every argument ends with a NUL
    QStringList arguments;
    for (const QByteArray &part : parts)
        arguments << QString::fromUtf8(part);
    return arguments;
}

} // namespace

class TestRZOpenDefaultBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void urlTrace();
    void helpTrace_data();
    void helpTrace();
    void helpersBesideTheProgramAreStarted();
    void samePageTwiceStartsTwice();

    void urlArrivesWholeAtOpener_data();
    void urlArrivesWholeAtOpener();
    void detachedStartReachesOpener();
    void handlerRefusesOtherCommandLines_data();
    void handlerRefusesOtherCommandLines();

    void failureMessageShowsLinkAndReasonAsGiven_data();
    void failureMessageShowsLinkAndReasonAsGiven();
    void linkThatCannotOpenIsReported_data();
    void linkThatCannotOpenIsReported();
    void busyOpenerIsLeftRunning();

private:
    QProcessEnvironment openerEnvironment(const QString &recordFile) const;

    QTemporaryDir workDir;
    QString recorder;
    QString writeScript(const QString &name, const QByteArray &body);
    QString appDir = QStringLiteral(NOTARELLA_APP_DIR);
    QList<QStringList> launches;
};

void TestRZOpenDefaultBrowser::initTestCase()
{
    QVERIFY(workDir.isValid());
    QVERIFY(QFileInfo(appDir + QStringLiteral("/rundll32")).isExecutable());
    // Stands in for xdg-open: writes each argument it got, NUL-terminated,
    // then moves the record into place so a reader never sees half of it.
    recorder = workDir.filePath(QStringLiteral("record-arguments"));
    QFile script(recorder);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        "#!/bin/sh\n"
        "for argument in \"$@\"; do printf '%s\\0' \"$argument\"; done > \"$RECORD_FILE.part\"\n"
        "mv \"$RECORD_FILE.part\" \"$RECORD_FILE\"\n");
    script.close();
    QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner));
    AppPaths::setApplicationDirectoryForTesting(appDir);
}

void TestRZOpenDefaultBrowser::cleanup()
{
    RZOpenDefaultBrowser::setLauncherForTesting({});
    qInstallMessageHandler(nullptr);
    traceLines().clear();
    launches.clear();
}

QProcessEnvironment TestRZOpenDefaultBrowser::openerEnvironment(const QString &recordFile) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NOTARELLA_URL_OPENER"), recorder);
    environment.insert(QStringLiteral("RECORD_FILE"), recordFile);
    return environment;
}

void TestRZOpenDefaultBrowser::urlTrace()
{
    RZOpenDefaultBrowser::setLauncherForTesting([](const QString &, const QStringList &) {});
    qInstallMessageHandler(recordTrace);
    RZOpenDefaultBrowser::url(QStringLiteral("http://example.com/a b"));
    qInstallMessageHandler(nullptr);

    QCOMPARE(
        traceLines(),
        (QStringList{
            "RZOpenDefaultBrowser::url( \"http://example.com/a b\" )", "|",
            "+-- command: \"rundll32 url.dll,FileProtocolHandler \"http://example.com/a b\"\""}));
}

void TestRZOpenDefaultBrowser::helpTrace_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("command");
    const QString dir = QStringLiteral(NOTARELLA_APP_DIR);
    QTest::newRow("start") << ""
                           << "hh \"" + dir + "/documentation/HELP.chm\"";
    QTest::newRow("reminders") << "Additional Components/Reminders.html"
                               << "hh \"" + dir +
                                      "/documentation/HELP.CHM::/Additional Components/"
                                      "Reminders.html\"";
}

void TestRZOpenDefaultBrowser::helpTrace()
{
    QFETCH(QString, page);
    QFETCH(QString, command);
    RZOpenDefaultBrowser::setLauncherForTesting([](const QString &, const QStringList &) {});
    qInstallMessageHandler(recordTrace);
    showHelpPage(page);
    qInstallMessageHandler(nullptr);
    QCOMPARE(traceLines(), (QStringList{"|", "+-- command: \"" + command + "\""}));
}

void TestRZOpenDefaultBrowser::helpersBesideTheProgramAreStarted()
{
    RZOpenDefaultBrowser::setLauncherForTesting(
        [this](const QString &program, const QStringList &arguments) {
            launches << (QStringList{program} + arguments);
        });
    RZOpenDefaultBrowser::url(QStringLiteral("mailto:someone@example.com"));
    showHelpPage(QStringLiteral("Options/Formatting.html#DateFormatting"));
    showHelpPage(QString());

    QCOMPARE(launches.size(), 3);
    QCOMPARE(launches.at(0), (QStringList{appDir + "/rundll32", "url.dll,FileProtocolHandler",
                                          "mailto:someone@example.com"}));
    QCOMPARE(launches.at(1),
             (QStringList{appDir + "/hh", appDir + "/documentation/HELP.CHM::/Options/"
                                                   "Formatting.html#DateFormatting"}));
    QCOMPARE(launches.at(2), (QStringList{appDir + "/hh", appDir + "/documentation/HELP.chm"}));
}

void TestRZOpenDefaultBrowser::samePageTwiceStartsTwice()
{
    int started = 0;
    RZOpenDefaultBrowser::setLauncherForTesting(
        [&started](const QString &, const QStringList &) { ++started; });
    showHelpPage(QStringLiteral("Additional Components/Reminders.html"));
    showHelpPage(QStringLiteral("Additional Components/Reminders.html"));
    QCOMPARE(started, 2);
}

void TestRZOpenDefaultBrowser::urlArrivesWholeAtOpener_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("blanks") << "http://example.com/a b  c";
    QTest::newRow("double quotes") << "http://example.com/\"quoted\" part";
    QTest::newRow("quote, ampersand, rm") << "\" & rm -rf x \"";
    QTest::newRow("command substitution") << "http://example.com/$(touch injected)";
    QTest::newRow("backticks") << "http://example.com/`touch injected`";
    QTest::newRow("placeholders") << "http://example.com/%1%2%20%";
    QTest::newRow("triple quotes") << "a\"\"\"b";
    QTest::newRow("semicolon and pipe") << "http://x/;touch injected|cat>injected";
    QTest::newRow("single quotes and backslash") << "file:///tmp/it's\\ \"here\"";
    QTest::newRow("line break") << "http://x/a\nb";
    QTest::newRow("shell variables") << "mailto:$USER@example.com?subject=${HOME}";
    QTest::newRow("non-ASCII") << "http://例え.jp/übung?q=ñ";
    QTest::newRow("file with blanks") << "file:///home/me/My Notes/list.txt";
}

// Starts the helper exactly as the program does (program and arguments from
// the launch) with a recorder in place of xdg-open, and compares what arrived.
void TestRZOpenDefaultBrowser::urlArrivesWholeAtOpener()
{
    QFETCH(QString, url);

    RZOpenDefaultBrowser::setLauncherForTesting(
        [this](const QString &program, const QStringList &arguments) {
            launches << (QStringList{program} + arguments);
        });
    RZOpenDefaultBrowser::url(url);
    QCOMPARE(launches.size(), 1);
    const QStringList launch = launches.first();
    QCOMPARE(launch.first(), appDir + QStringLiteral("/rundll32"));

    QTemporaryDir runDir;
    const QString recordFile = runDir.filePath(QStringLiteral("record"));
    QProcess helper;
    helper.setProcessEnvironment(openerEnvironment(recordFile));
    helper.setWorkingDirectory(runDir.path());
    helper.start(launch.first(), launch.mid(1));
    QVERIFY(helper.waitForFinished(10000));
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);

    QCOMPARE(readRecordedArguments(recordFile), QStringList{url});
    QVERIFY(!QFileInfo::exists(runDir.filePath(QStringLiteral("injected"))));
    QVERIFY(!QFileInfo::exists(runDir.filePath(QStringLiteral("x.part"))));
}

// The real detached start: nothing waits, yet the URL reaches the opener.
void TestRZOpenDefaultBrowser::detachedStartReachesOpener()
{
    const QString recordFile = workDir.filePath(QStringLiteral("detached-record"));
    const QString url = QStringLiteral("http://example.com/\" & touch injected & \"");
    qputenv("NOTARELLA_URL_OPENER", recorder.toLocal8Bit());
    qputenv("RECORD_FILE", recordFile.toLocal8Bit());
    RZOpenDefaultBrowser::url(url);
    qunsetenv("NOTARELLA_URL_OPENER");
    qunsetenv("RECORD_FILE");

    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(recordFile), 10000);
    QCOMPARE(readRecordedArguments(recordFile), QStringList{url});
}

void TestRZOpenDefaultBrowser::handlerRefusesOtherCommandLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("entry point only") << QStringList{"url.dll,FileProtocolHandler"};
    QTest::newRow("url split in two")
        << QStringList{"url.dll,FileProtocolHandler", "http://a", "b"};
    QTest::newRow("other entry point") << QStringList{"shell32.dll,OpenAs_RunDLL", "x"};
    QTest::newRow("option for the opener")
        << QStringList{"url.dll,FileProtocolHandler", "--manual"};
}

void TestRZOpenDefaultBrowser::handlerRefusesOtherCommandLines()
{
    QFETCH(QStringList, arguments);

    QTemporaryDir runDir;
    const QString recordFile = runDir.filePath(QStringLiteral("record"));
    QProcess helper;
    helper.setProcessEnvironment(openerEnvironment(recordFile));
    helper.start(appDir + QStringLiteral("/rundll32"), arguments);
    QVERIFY(helper.waitForFinished(10000));
    QCOMPARE(helper.exitCode(), 2);
    QVERIFY(helper.readAllStandardError().contains("usage: "));
    QVERIFY(!QFileInfo::exists(recordFile));
}

QString TestRZOpenDefaultBrowser::writeScript(const QString &name, const QByteArray &body)
{
    QFile script(workDir.filePath(name));
    if (!script.open(QIODevice::WriteOnly))
        return QString();
    script.write("#!/bin/sh\n" + body);
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return script.fileName();
}

void TestRZOpenDefaultBrowser::failureMessageShowsLinkAndReasonAsGiven_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("reason");
    QTest::newRow("markup and entities") << "http://x.org/?a=<b>&amp;c=\"d\""
                                         << "said <error> & 'quit'";
    QTest::newRow("placeholders") << "http://x.org/%1%2%20"
                                  << "exit %1 %2";
    QTest::newRow("plain") << "mailto:me@example.org"
                           << "no mail program";
}

void TestRZOpenDefaultBrowser::failureMessageShowsLinkAndReasonAsGiven()
{
    QFETCH(QString, url);
    QFETCH(QString, reason);
    QTextDocument shown;
    shown.setHtml(RZOpenDefaultBrowser::failureMessage(url, reason));
    const QStringList lines = shown.toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), "The link " + url + " could not be opened.");
    QCOMPARE(lines.value(1), reason);
}

void TestRZOpenDefaultBrowser::linkThatCannotOpenIsReported_data()
{
    QTest::addColumn<QByteArray>("opener"); // script body; empty: no opener at all
    QTest::addColumn<bool>("handlerThere");
    QTest::addColumn<QStringList>("said"); // in the message; empty: no message

    QTest::newRow("opener reports failure")
        << QByteArray("echo \"xdg-open: no method available for opening '$1'\" >&2\nexit 3\n")
        << true << QStringList{"exit code 3", "no method available for opening"};
    QTest::newRow("opener fails silently")
        << QByteArray("exit 4\n") << true << QStringList{"exit code 4"};
    QTest::newRow("opener killed")
        << QByteArray("kill -9 $$\n") << true << QStringList{"exit code 137", "signal 9"};
    QTest::newRow("opener missing")
        << QByteArray() << true << QStringList{"exit code 127", "cannot start"};
    QTest::newRow("handler missing")
        << QByteArray("exit 0\n") << false << QStringList{"rundll32", "could not be started"};
    QTest::newRow("opened") << QByteArray("exit 0\n") << true << QStringList{};
}

// The real start of the handler with a stand-in opener: whatever keeps the
// link from opening is told, naming the link.
void TestRZOpenDefaultBrowser::linkThatCannotOpenIsReported()
{
    QFETCH(QByteArray, opener);
    QFETCH(bool, handlerThere);
    QFETCH(QStringList, said);

    const QString openerPath = opener.isEmpty() ? workDir.filePath(QStringLiteral("no-opener"))
                                                : writeScript(QStringLiteral("opener"), opener);
    QTemporaryDir emptyAppDir;
    if (!handlerThere)
        AppPaths::setApplicationDirectoryForTesting(emptyAppDir.path());
    qputenv("NOTARELLA_URL_OPENER", openerPath.toLocal8Bit());
    UserPrompt::takeHistory();
    QWidget window;
    const QString url = QStringLiteral("http://example.org/a b?c=<d>&e");
    RZOpenDefaultBrowser::url(url, &window);
    qunsetenv("NOTARELLA_URL_OPENER");
    AppPaths::setApplicationDirectoryForTesting(appDir);

    // Nothing waited: the handler is watched until it ends.
    QTRY_VERIFY_WITH_TIMEOUT(qApp->findChildren<QProcess *>().isEmpty(), 10000);
    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    if (said.isEmpty()) {
        QVERIFY(shown.isEmpty());
        return;
    }
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Link Not Opened"));
    QVERIFY2(shown.first().text.contains(url.toHtmlEscaped()), qPrintable(shown.first().text));
    for (const QString &part : said)
        QVERIFY2(shown.first().text.contains(part), qPrintable(shown.first().text));
    QCOMPARE(window.findChildren<QMessageBox *>().size(), 1);
}

// An opener that takes long to answer (one that keeps a browser in the
// foreground) is left to carry on: the handler returns and the opener
// finishes its work afterwards.
void TestRZOpenDefaultBrowser::busyOpenerIsLeftRunning()
{
    const QString recordFile = workDir.filePath(QStringLiteral("busy-record"));
    const QString busy = writeScript(QStringLiteral("busy-opener"),
                                     "sleep 3\n\"" + recorder.toLocal8Bit() + "\" \"$@\"\n");
    QProcess helper;
    QProcessEnvironment environment = openerEnvironment(recordFile);
    environment.insert(QStringLiteral("NOTARELLA_URL_OPENER"), busy);
    environment.insert(QStringLiteral("NOTARELLA_URL_OPENER_WAIT_MS"), QStringLiteral("100"));
    helper.setProcessEnvironment(environment);
    helper.start(appDir + QStringLiteral("/rundll32"),
                 {QStringLiteral("url.dll,FileProtocolHandler"), QStringLiteral("http://x.org")});
    QVERIFY(helper.waitForFinished(10000));
    QCOMPARE(helper.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(recordFile)); // the opener was still busy
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(recordFile), 10000);
    QCOMPARE(readRecordedArguments(recordFile), QStringList{QStringLiteral("http://x.org")});
}

QTEST_MAIN(TestRZOpenDefaultBrowser)
#include "tst_rzopendefaultbrowser.moc"
