// Start at log-in: the XDG autostart entry written and read by AutoRunManager.

#include "base/apppaths.h"
#include "platform/autostartentry.h"
#include "sandboxstate.h"
#include "widgets/autorunmanager.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

QString readEntry()
{
    QFile file(AutostartEntry::entryPath());
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// The Exec line of the entry file, without "Exec=".
QString execLine()
{
    const QStringList lines = readEntry().split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("Exec=")))
            return line.mid(5);
    }
    return QString();
}

} // namespace

class TestAutostart : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void entryLivesInTheAutostartFolder();
    void switchOnOffAndQuery();
    void switchingOffWithoutEntryIsHarmless();
    void movedExecutableIsNotEnabledUntilSwitchedOnAgain();
    void comparisonIsCaseSensitive();
    void entrySwitchedOffByTheDesktopIsOff_data();
    void entrySwitchedOffByTheDesktopIsOff();
    void execValueQuotesWhereNeeded_data();
    void execValueQuotesWhereNeeded();
    void programPathsRoundTrip_data();
    void programPathsRoundTrip();
    void entryWithArgumentsNamesItsProgram();
    void entryIsValidForTheDesktop();
};

void TestAutostart::init()
{
    SandboxState::reset();
}

void TestAutostart::entryLivesInTheAutostartFolder()
{
    QCOMPARE(AutostartEntry::entryPath(), qEnvironmentVariable("XDG_CONFIG_HOME") +
                                              QStringLiteral("/autostart/notarella.desktop"));
}

void TestAutostart::switchOnOffAndQuery()
{
    AutoRunManager manager;
    QVERIFY(!manager.isAutoRunEnabled());

    manager.enableAutoRun(true);
    QVERIFY(manager.isAutoRunEnabled());
    const QString entry = readEntry();
    QVERIFY2(entry.startsWith(QLatin1String("[Desktop Entry]\n")), qPrintable(entry));
    QVERIFY(entry.contains(QLatin1String("\nType=Application\n")));
    QCOMPARE(execLine(), AppPaths::executablePath()); // a path without blanks stays bare

    manager.enableAutoRun(true); // twice on is still one entry
    QVERIFY(manager.isAutoRunEnabled());

    manager.enableAutoRun(false);
    QVERIFY(!manager.isAutoRunEnabled());
    QVERIFY(!QFile::exists(AutostartEntry::entryPath()));
}

void TestAutostart::switchingOffWithoutEntryIsHarmless()
{
    // Other programs' entries in the same folder stay as they are.
    const QString folder = QFileInfo(AutostartEntry::entryPath()).absolutePath();
    QVERIFY(QDir().mkpath(folder));
    QFile other(folder + QStringLiteral("/other.desktop"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("[Desktop Entry]\nType=Application\nName=Other\nExec=/usr/bin/true\n");
    other.close();

    AutoRunManager().enableAutoRun(false);
    QVERIFY(!AutoRunManager().isAutoRunEnabled());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("other.desktop")});
    QVERIFY(QFile::remove(other.fileName()));
}

void TestAutostart::movedExecutableIsNotEnabledUntilSwitchedOnAgain()
{
    // An entry left by the program in its former folder.
    QVERIFY(AutostartEntry::write(QStringLiteral("/opt/Old Place/notarella")));
    QCOMPARE(AutostartEntry::executable(), QStringLiteral("/opt/Old Place/notarella"));
    QVERIFY(!AutoRunManager().isAutoRunEnabled());

    AutoRunManager().enableAutoRun(true);
    QVERIFY(AutoRunManager().isAutoRunEnabled());
    QCOMPARE(AutostartEntry::executable(), AppPaths::executablePath());
    QVERIFY(!readEntry().contains(QLatin1String("Old Place")));
}

void TestAutostart::comparisonIsCaseSensitive()
{
    QVERIFY(AutostartEntry::write(AppPaths::executablePath().toUpper()));
    QVERIFY(!AutoRunManager().isAutoRunEnabled());
}

void TestAutostart::entrySwitchedOffByTheDesktopIsOff_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("enabled");

    // A desktop's session settings switch an entry off without removing it.
    QTest::newRow("Hidden=true") << "Hidden=true" << false;
    QTest::newRow("GNOME switch off") << "X-GNOME-Autostart-enabled=false" << false;
    QTest::newRow("Hidden=false") << "Hidden=false" << true;
}

void TestAutostart::entrySwitchedOffByTheDesktopIsOff()
{
    QFETCH(QString, line);
    QFETCH(bool, enabled);

    AutoRunManager().enableAutoRun(true);
    QString entry = readEntry();
    entry.remove(QStringLiteral("X-GNOME-Autostart-enabled=true\n"));
    entry += line + QLatin1Char('\n');
    QFile file(AutostartEntry::entryPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(entry.toUtf8());
    file.close();
    QCOMPARE(AutoRunManager().isAutoRunEnabled(), enabled);

    // Switching on from the program's options makes it start again.
    AutoRunManager().enableAutoRun(true);
    QVERIFY(AutoRunManager().isAutoRunEnabled());
    QVERIFY(!readEntry().contains(line) || enabled);
}

void TestAutostart::execValueQuotesWhereNeeded_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("exec"); // as it stands in the file

    QTest::newRow("plain") << "/opt/notarella/notarella"
                           << "/opt/notarella/notarella";
    QTest::newRow("blank") << "/opt/My Apps/notarella"
                           << "\"/opt/My Apps/notarella\"";
    QTest::newRow("percent") << "/opt/100%/notarella"
                             << "/opt/100%%/notarella";
    QTest::newRow("percent and blank") << "/opt/a %1/n"
                                       << "\"/opt/a %%1/n\"";
    // Quoting escapes \ " ` $ with a backslash; the string escapes of the
    // file then double every backslash.
    QTest::newRow("double quote") << "/opt/say \"hi\"/n"
                                  << "\"/opt/say \\\\\"hi\\\\\"/n\"";
    QTest::newRow("dollar") << "/opt/$HOME/n"
                            << "\"/opt/\\\\$HOME/n\"";
    QTest::newRow("backslash") << "/opt/a\\b/n"
                               << "\"/opt/a\\\\\\\\b/n\"";
    QTest::newRow("single quote") << "/opt/it's/n"
                                  << "\"/opt/it's/n\"";
}

void TestAutostart::execValueQuotesWhereNeeded()
{
    QFETCH(QString, path);
    QFETCH(QString, exec);
    QCOMPARE(AutostartEntry::execValue(path), exec);
}

void TestAutostart::programPathsRoundTrip_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("plain") << "/opt/notarella/notarella";
    QTest::newRow("blanks") << "/home/ann/My Programs/Notarella 1.7/notarella";
    QTest::newRow("leading and double blanks") << "/tmp/  two  blanks /notarella";
    QTest::newRow("double quotes") << "/opt/\"quoted\"/notarella";
    QTest::newRow("single quotes") << "/opt/'single'/notarella";
    QTest::newRow("percent") << "/opt/100%/notarella";
    QTest::newRow("percent codes") << "/opt/%f %u %%/notarella";
    QTest::newRow("backslash") << "/opt/back\\slash/notarella";
    QTest::newRow("trailing backslash") << "/opt/end\\";
    QTest::newRow("dollar") << "/opt/$HOME/notarella";
    QTest::newRow("backtick") << "/opt/`date`/notarella";
    QTest::newRow("shell characters") << "/opt/a;b&c|d<e>f~g*h?i#j(k)/notarella";
    QTest::newRow("everything") << "/o pt/\"'\\%$`/n ota rella";
    QTest::newRow("tab") << "/opt/tab\there/notarella";
    QTest::newRow("non-ASCII") << QStringLiteral("/opt/Notizzettel für Jürgen/ノート/notarella");
}

void TestAutostart::programPathsRoundTrip()
{
    QFETCH(QString, path);

    const QString exec = AutostartEntry::execValue(path);
    QCOMPARE(AutostartEntry::programFromExecValue(exec), path);
    QVERIFY2(!exec.contains(QLatin1Char('\n')) && !exec.contains(QLatin1Char('\t')),
             qPrintable(exec));

    QVERIFY(AutostartEntry::write(path));
    QCOMPARE(execLine(), exec);
    QCOMPARE(AutostartEntry::executable(), path);
}

void TestAutostart::entryWithArgumentsNamesItsProgram()
{
    // Entries edited by hand or by a desktop's settings tool may carry
    // arguments after the program.
    QCOMPARE(AutostartEntry::programFromExecValue(QStringLiteral("/opt/n/notarella --minimized")),
             QStringLiteral("/opt/n/notarella"));
    QCOMPARE(AutostartEntry::programFromExecValue(
                 QStringLiteral("\"/opt/My Apps/notarella\" --minimized %U")),
             QStringLiteral("/opt/My Apps/notarella"));
}

void TestAutostart::entryIsValidForTheDesktop()
{
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed");
    const QStringList paths = {AppPaths::executablePath(), QStringLiteral("/opt/My Apps/notarella"),
                               QStringLiteral("/opt/\"q\" $x `y` \\z 100%/notarella")};
    for (const QString &path : paths) {
        QVERIFY(AutostartEntry::write(path));
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(validator, {AutostartEntry::entryPath()});
        QVERIFY(process.waitForFinished(10000));
        const QString output = QString::fromUtf8(process.readAll());
        QVERIFY2(process.exitCode() == 0 && !output.contains(QLatin1String("error")),
                 qPrintable(path + QLatin1String(": ") + output));
    }
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
