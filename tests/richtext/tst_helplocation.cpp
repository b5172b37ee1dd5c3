#include "richtext/helplocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestHelpLocation : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void findHelpFolder();
    void findPage_data();
    void findPage();

private:
    QTemporaryDir fixture;
};

void TestHelpLocation::parse_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("anchor");

    const QString dir = QStringLiteral("/opt/Notarella/documentation");
    QTest::newRow("start page") << dir + "/HELP.chm" << true << dir + "/HELP.chm"
                                << ""
                                << "";
    QTest::newRow("page") << dir + "/HELP.CHM::/Additional Components/Reminders.html" << true
                          << dir + "/HELP.CHM"
                          << "Additional Components/Reminders.html"
                          << "";
    QTest::newRow("page and anchor")
        << dir + "/HELP.CHM::/Options/Formatting.html#DateFormatting" << true << dir + "/HELP.CHM"
        << "Options/Formatting.html"
        << "DateFormatting";
    QTest::newRow("mixed case suffix")
        << dir + "/help.ChM::/index.html" << true << dir + "/help.ChM"
        << "index.html"
        << "";
    QTest::newRow("separator without slash")
        << dir + "/HELP.chm::Options/General.html" << true << dir + "/HELP.chm"
        << "Options/General.html"
        << "";
    QTest::newRow("separator, no page") << dir + "/HELP.chm::/" << true << dir + "/HELP.chm"
                                        << ""
                                        << "";
    QTest::newRow("anchor on the start page")
        << dir + "/HELP.chm::/#Notes" << true << dir + "/HELP.chm"
        << ""
        << "Notes";
    QTest::newRow("windows separators")
        << "C:\\Program Files\\Notarella\\documentation\\HELP.CHM::/Options\\General.html" << true
        << "C:/Program Files/Notarella/documentation/HELP.CHM"
        << "Options/General.html"
        << "";
    QTest::newRow("blanks around") << "  " + dir + "/HELP.chm  " << true << dir + "/HELP.chm"
                                   << ""
                                   << "";
    QTest::newRow("chm inside a folder name")
        << "/a.chm/documentation/HELP.chm::/index.html" << true << "/a.chm/documentation/HELP.chm"
        << "index.html"
        << "";
    QTest::newRow("empty") << "" << false << ""
                           << ""
                           << "";
    QTest::newRow("not a help file") << dir + "/HELP.txt" << false << ""
                                     << ""
                                     << "";
    QTest::newRow("page without help file") << dir + "/index.html::/a.html" << false << ""
                                            << ""
                                            << "";
    QTest::newRow("suffix only") << dir + "/.chm" << false << ""
                                 << ""
                                 << "";
    QTest::newRow("folder of that name") << dir + "/HELP.chm/" << false << ""
                                         << ""
                                         << "";
}

void TestHelpLocation::parse()
{
    QFETCH(QString, argument);
    QFETCH(bool, valid);
    QFETCH(QString, file);
    QFETCH(QString, page);
    QFETCH(QString, anchor);

    const std::optional<HelpLocation> location = HelpLocation::parse(argument);
    QCOMPARE(location.has_value(), valid);
    if (!valid)
        return;
    QCOMPARE(location->helpFilePath, file);
    QCOMPARE(location->page, page);
    QCOMPARE(location->anchor, anchor);
}

void TestHelpLocation::findHelpFolder()
{
    QVERIFY(fixture.isValid());
    const QDir root(fixture.path());
    QVERIFY(root.mkpath(QStringLiteral("documentation/HELP.chm")));
    QFile plain(fixture.filePath(QStringLiteral("documentation/notes.chm")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    const QString expected = fixture.filePath(QStringLiteral("documentation/HELP.chm"));
    const QString base = fixture.path() + QStringLiteral("/documentation/");
    QCOMPARE(HelpLocation::findHelpFolder(base + "HELP.chm"), expected);
    QCOMPARE(HelpLocation::findHelpFolder(base + "HELP.CHM"), expected);
    QCOMPARE(HelpLocation::findHelpFolder(base + "help.chm"), expected);
    // Only the file name is matched loosely; a file is no help folder.
    QCOMPARE(HelpLocation::findHelpFolder(fixture.path() + "/DOCUMENTATION/HELP.chm"), QString());
    QCOMPARE(HelpLocation::findHelpFolder(base + "notes.chm"), QString());
    QCOMPARE(HelpLocation::findHelpFolder(base + "other.chm"), QString());
    QCOMPARE(HelpLocation::findHelpFolder(QString()), QString());
}

void TestHelpLocation::findPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("expected"); // relative to the help folder, empty for none

    QTest::newRow("start page") << "index.html"
                                << "index.html";
    QTest::newRow("in a folder") << "Additional Components/Reminders.html"
                                 << "Additional Components/Reminders.html";
    QTest::newRow("any letter case") << "additional components/REMINDERS.HTML"
                                     << "Additional Components/Reminders.html";
    QTest::newRow("doubled slashes") << "Options//Formatting.html"
                                     << "Options/Formatting.html";
    QTest::newRow("exact match first") << "Options/case.html"
                                       << "Options/case.html";
    QTest::newRow("unknown page") << "Options/Nothing.html"
                                  << "";
    QTest::newRow("a folder is no page") << "Options"
                                         << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("leaving the help") << "../secret.html"
                                      << "";
    QTest::newRow("leaving through a folder") << "Options/../../secret.html"
                                              << "";
    QTest::newRow("dot") << "./index.html"
                         << "";
}

void TestHelpLocation::findPage()
{
    QFETCH(QString, page);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("HELP.chm/Additional Components")));
    QVERIFY(root.mkpath(QStringLiteral("HELP.chm/Options")));
    for (const char *name : {"HELP.chm/index.html", "HELP.chm/Additional Components/Reminders.html",
                             "HELP.chm/Options/Formatting.html", "HELP.chm/Options/CASE.html",
                             "HELP.chm/Options/case.html", "secret.html"}) {
        QFile file(root.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString helpFolder = root.filePath(QStringLiteral("HELP.chm"));
    const QString found = HelpLocation::findPage(helpFolder, page);
    QCOMPARE(found, expected.isEmpty() ? QString() : helpFolder + "/" + expected);
}

QTEST_GUILESS_MAIN(TestHelpLocation)
#include "tst_helplocation.moc"
