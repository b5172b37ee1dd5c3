#include "base/apppaths.h"
#include "richtext/helplocation.h"
#include "richtext/helpviewer.h"
#include "richtext/rzopendefaultbrowser.h"

#include <QAction>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QtTest>

class TestHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensRequestedPage_data();
    void opensRequestedPage();
    void unknownPageShowsStartPageWithNote_data();
    void unknownPageShowsStartPageWithNote();
    void linksBetweenPagesStayInside();
    void externalLinksGoToUrlHandler();
    void missingHelpFolder();

private:
    // Clicks the first link of the shown page whose target ends with `hrefEnd`.
    bool clickLink(HelpViewer &viewer, const QString &hrefEnd);
    QString shownPage(const HelpViewer &viewer) const;

    QString helpFolder;
    QList<QStringList> launches;
};

void TestHelpViewer::initTestCase()
{
    // The help as the program ships it, found the way the viewer's command
    // line names it.
    helpFolder = HelpLocation::findHelpFolder(QStringLiteral(NOTARELLA_APP_DIR) +
                                              QStringLiteral("/documentation/HELP.CHM"));
    QVERIFY(!helpFolder.isEmpty());
    AppPaths::setApplicationDirectoryForTesting(QStringLiteral(NOTARELLA_APP_DIR));
}

void TestHelpViewer::init()
{
    launches.clear();
    RZOpenDefaultBrowser::setLauncherForTesting(
        [this](const QString &program, const QStringList &arguments) {
            launches << (QStringList{program} + arguments);
        });
}

void TestHelpViewer::cleanup()
{
    RZOpenDefaultBrowser::setLauncherForTesting({});
}

QString TestHelpViewer::shownPage(const HelpViewer &viewer) const
{
    return QDir(helpFolder).relativeFilePath(viewer.browser()->source().toLocalFile());
}

bool TestHelpViewer::clickLink(HelpViewer &viewer, const QString &hrefEnd)
{
    QTextBrowser *browser = viewer.browser();
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isAnchor() ||
                !fragment.charFormat().anchorHref().endsWith(hrefEnd))
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + 1);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            const QRect rect = browser->cursorRect(cursor);
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                              QPoint(rect.left() - 2, rect.center().y()));
            return true;
        }
    }
    return false;
}

void TestHelpViewer::opensRequestedPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QString>("expectedPage");

    QTest::newRow("start page") << ""
                                << ""
                                << "index.html";
    QTest::newRow("reminders") << "Additional Components/Reminders.html"
                               << ""
                               << "Additional Components/Reminders.html";
    QTest::newRow("editor") << "Additional Components/Rich Text Editor.html"
                            << ""
                            << "Additional Components/Rich Text Editor.html";
    QTest::newRow("date format") << "Options/Formatting.html"
                                 << "DateFormatting"
                                 << "Options/Formatting.html";
    QTest::newRow("letter case ignored") << "options/FORMATTING.html"
                                         << "DateFormatting"
                                         << "Options/Formatting.html";
    QTest::newRow("anchor on the start page") << ""
                                              << "ControlPanel"
                                              << "index.html";
}

void TestHelpViewer::opensRequestedPage()
{
    QFETCH(QString, page);
    QFETCH(QString, anchor);
    QFETCH(QString, expectedPage);

    HelpViewer viewer(helpFolder);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QVERIFY(viewer.openPage(page, anchor));

    QCOMPARE(shownPage(viewer), expectedPage);
    QCOMPARE(viewer.browser()->source().fragment(), anchor);
    QVERIFY(viewer.noteText().isEmpty());
    QVERIFY(!viewer.browser()->documentTitle().isEmpty());
    QVERIFY(viewer.windowTitle().contains(viewer.browser()->documentTitle()));
    // Scrolled to the anchor, which lies further down the page.
    if (!anchor.isEmpty())
        QTRY_VERIFY(viewer.browser()->verticalScrollBar()->value() > 0);
    else
        QCOMPARE(viewer.browser()->verticalScrollBar()->value(), 0);
}

void TestHelpViewer::unknownPageShowsStartPageWithNote_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("missing page") << "Options/Colours.html";
    QTest::newRow("a folder") << "Additional Components";
    QTest::newRow("outside the help") << "../HELP.chm/index.html";
}

void TestHelpViewer::unknownPageShowsStartPageWithNote()
{
    QFETCH(QString, page);

    HelpViewer viewer(helpFolder);
    QVERIFY(!viewer.openPage(page, QStringLiteral("Somewhere")));
    QCOMPARE(shownPage(viewer), QStringLiteral("index.html"));
    QVERIFY(viewer.noteText().contains(page));

    // The note goes once a real page is shown.
    QVERIFY(viewer.openPage(QStringLiteral("Options/General.html")));
    QVERIFY(viewer.noteText().isEmpty());
}

void TestHelpViewer::linksBetweenPagesStayInside()
{
    HelpViewer viewer(helpFolder);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    viewer.openPage(QString());

    QVERIFY(clickLink(viewer, QStringLiteral("Reminders.html")));
    QCOMPARE(shownPage(viewer), QStringLiteral("Additional Components/Reminders.html"));
    QVERIFY(clickLink(viewer, QStringLiteral("Formatting.html#DateFormatting")));
    QCOMPARE(shownPage(viewer), QStringLiteral("Options/Formatting.html"));
    QCOMPARE(viewer.browser()->source().fragment(), QStringLiteral("DateFormatting"));
    QVERIFY(launches.isEmpty());

    const auto trigger = [&viewer](const QString &text) {
        for (QAction *action : viewer.findChildren<QAction *>()) {
            if (action->text() == text) {
                action->trigger();
                return true;
            }
        }
        return false;
    };
    QVERIFY(trigger(QStringLiteral("&Back")));
    QCOMPARE(shownPage(viewer), QStringLiteral("Additional Components/Reminders.html"));
    QVERIFY(trigger(QStringLiteral("&Back")));
    QCOMPARE(shownPage(viewer), QStringLiteral("index.html"));
    QVERIFY(trigger(QStringLiteral("&Forward")));
    QCOMPARE(shownPage(viewer), QStringLiteral("Additional Components/Reminders.html"));
    QVERIFY(trigger(QStringLiteral("&Home")));
    QCOMPARE(shownPage(viewer), QStringLiteral("index.html"));
}

void TestHelpViewer::externalLinksGoToUrlHandler()
{
    HelpViewer viewer(helpFolder);
    viewer.openPage(QStringLiteral("Options/General.html"));
    const QString html = viewer.browser()->toHtml();

    emit viewer.browser()->anchorClicked(QUrl(QStringLiteral("https://example.com/a page")));
    emit viewer.browser()->anchorClicked(QUrl(QStringLiteral("mailto:someone@example.com")));

    QCOMPARE(launches.size(), 2);
    const QString handler = QStringLiteral(NOTARELLA_APP_DIR "/rundll32");
    QCOMPARE(launches.at(0),
             (QStringList{handler, "url.dll,FileProtocolHandler", "https://example.com/a page"}));
    QCOMPARE(launches.at(1),
             (QStringList{handler, "url.dll,FileProtocolHandler", "mailto:someone@example.com"}));
    QCOMPARE(shownPage(viewer), QStringLiteral("Options/General.html"));
    QCOMPARE(viewer.browser()->toHtml(), html);
}

void TestHelpViewer::missingHelpFolder()
{
    QTemporaryDir empty;
    HelpViewer viewer(empty.filePath(QStringLiteral("HELP.chm")));
    QVERIFY(!viewer.openPage(QStringLiteral("index.html")));
    QVERIFY(!viewer.noteText().isEmpty());
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
