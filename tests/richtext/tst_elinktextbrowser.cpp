#include "richtext/elinktextbrowser.h"
#include "richtext/rzopendefaultbrowser.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTimer>
#include <QtTest>

// Collects the trace lines written while it lives.
class TraceRecorder
{
public:
    TraceRecorder()
    {
        lines().clear();
        previous = qInstallMessageHandler(&TraceRecorder::handle);
    }
    ~TraceRecorder() { qInstallMessageHandler(previous); }
    static QStringList &lines()
    {
        static QStringList recorded;
        return recorded;
    }
    bool contains(const QString &text) const
    {
        for (const QString &line : lines()) {
            if (line.contains(text))
                return true;
        }
        return false;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        lines() << message;
    }
    QtMessageHandler previous = nullptr;
};

class TestELinkTextBrowser : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void textAtARuleReachesTheExport_data();
    void textAtARuleReachesTheExport();
    void cleanup();

    void linkClickOpensOutsideAndKeepsDocument_data();
    void linkClickOpensOutsideAndKeepsDocument();
    void setSourceNeverLoads();

    void shortcutsKeepSelectionAndDirection_data();
    void shortcutsKeepSelectionAndDirection();
    void boldFollowsLastCharacter_data();
    void boldFollowsLastCharacter();
    void toggleWithoutSelectionAffectsNextTypedText_data();
    void toggleWithoutSelectionAffectsNextTypedText();
    void strikeoutChangesOnlyStrikeout();

    void contextMenuEndsWithFormatActions_data();
    void contextMenuEndsWithFormatActions();

private:
    void showActive(ELinkTextBrowser &browser);
    QPoint pointOfPosition(ELinkTextBrowser &browser, int position);
    QTextCharFormat formatAt(ELinkTextBrowser &browser, int position);

    QList<QStringList> launches;
};

void TestELinkTextBrowser::init()
{
    launches.clear();
    RZOpenDefaultBrowser::setLauncherForTesting(
        [this](const QString &program, const QStringList &arguments) {
            launches << (QStringList{program} + arguments);
        });
}

void TestELinkTextBrowser::cleanup()
{
    RZOpenDefaultBrowser::setLauncherForTesting({});
}

void TestELinkTextBrowser::showActive(ELinkTextBrowser &browser)
{
    browser.resize(400, 300);
    browser.show();
    browser.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&browser));
    browser.setFocus();
}

// The viewport point in the middle of the character at `position`.
QPoint TestELinkTextBrowser::pointOfPosition(ELinkTextBrowser &browser, int position)
{
    QTextCursor cursor(browser.document());
    cursor.setPosition(position);
    const QRect before = browser.cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect after = browser.cursorRect(cursor);
    return QPoint((before.left() + after.left()) / 2, before.center().y());
}

QTextCharFormat TestELinkTextBrowser::formatAt(ELinkTextBrowser &browser, int position)
{
    // The format of the character after `position`.
    QTextCursor cursor(browser.document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

void TestELinkTextBrowser::linkClickOpensOutsideAndKeepsDocument_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("lockFirst");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("web, editable") << "http://example.com/some page" << false << false;
    QTest::newRow("web, locked") << "http://example.com/some page" << false << true;
    QTest::newRow("web, unlocked again") << "http://example.com/some page" << true << false;
    QTest::newRow("mailto") << "mailto:someone@example.com" << false << false;
    QTest::newRow("file") << "file:///tmp/notes/list.txt" << false << false;
    QTest::newRow("percent and quotes") << "http://example.com/?q=%22a%22&x=%1" << false << false;
}

void TestELinkTextBrowser::linkClickOpensOutsideAndKeepsDocument()
{
    QFETCH(QString, href);
    QFETCH(bool, lockFirst);
    QFETCH(bool, readOnly);

    ELinkTextBrowser browser;
    browser.setHtml(QStringLiteral("<p>Before <a href=\"%1\">the link text</a> after</p>")
                        .arg(href.toHtmlEscaped()));
    if (lockFirst)
        browser.setReadOnly(true);
    browser.setReadOnly(readOnly);
    showActive(browser);
    const QString htmlBefore = browser.toHtml();

    const int linkPosition = browser.toPlainText().indexOf(QStringLiteral("link text"));
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {},
                      pointOfPosition(browser, linkPosition + 2));

    QCOMPARE(launches.size(), 1);
    QCOMPARE(launches.first().mid(1),
             (QStringList{QStringLiteral("url.dll,FileProtocolHandler"), QUrl(href).toString()}));
    QCOMPARE(browser.toHtml(), htmlBefore);
    QVERIFY(browser.source().isEmpty());

    // A click beside the link opens nothing.
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, pointOfPosition(browser, 1));
    QCOMPARE(launches.size(), 1);
}

void TestELinkTextBrowser::setSourceNeverLoads()
{
    QTemporaryDir dir;
    QFile page(dir.filePath(QStringLiteral("page.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<p>Other page</p>");
    page.close();

    ELinkTextBrowser browser;
    browser.setHtml(QStringLiteral("<p>Own text</p>"));
    TraceRecorder trace;
    browser.setSource(QUrl::fromLocalFile(page.fileName()));
    QCOMPARE(browser.toPlainText(), QStringLiteral("Own text"));
    QVERIFY(trace.contains(QStringLiteral("ELinkTextBrowser::setSource(")));
    QVERIFY(launches.isEmpty());
}

void TestELinkTextBrowser::shortcutsKeepSelectionAndDirection_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("expectFlipTrace");

    // Text: "Hello wonderful 😀 world" - the emoji takes two positions.
    QTest::newRow("bold, backward") << int(Qt::Key_B) << 15 << 6 << true;
    QTest::newRow("bold, forward") << int(Qt::Key_B) << 6 << 15 << false;
    QTest::newRow("italic, backward") << int(Qt::Key_I) << 15 << 6 << true;
    QTest::newRow("underline, backward") << int(Qt::Key_U) << 15 << 6 << true;
    QTest::newRow("strikeout, backward") << int(Qt::Key_S) << 15 << 6 << true;
    QTest::newRow("backward over emoji") << int(Qt::Key_B) << 24 << 6 << true;
    QTest::newRow("forward over emoji") << int(Qt::Key_I) << 6 << 24 << false;
}

void TestELinkTextBrowser::shortcutsKeepSelectionAndDirection()
{
    QFETCH(int, key);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(bool, expectFlipTrace);

    ELinkTextBrowser browser;
    browser.setPlainText(QStringLiteral("Hello wonderful \U0001F600 world"));
    showActive(browser);
    QTextCursor cursor(browser.document());
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    browser.setTextCursor(cursor);
    const QString selectedBefore = browser.textCursor().selectedText();

    TraceRecorder trace;
    QTest::keyClick(&browser, Qt::Key(key), Qt::ControlModifier);

    QCOMPARE(browser.textCursor().anchor(), anchor);
    QCOMPARE(browser.textCursor().position(), position);
    QCOMPARE(browser.textCursor().selectedText(), selectedBefore);
    QCOMPARE(browser.toPlainText(), QStringLiteral("Hello wonderful \U0001F600 world"));
    QCOMPARE(trace.contains(QStringLiteral("Flipped from backward to forward")), expectFlipTrace);
    QCOMPARE(trace.contains(QStringLiteral("Flipped from forward to backward")), expectFlipTrace);

    // The whole selection took the format, nothing outside it did.
    const int first = qMin(anchor, position);
    const int last = qMax(anchor, position);
    const auto formatted = [key](const QTextCharFormat &format) {
        switch (key) {
        case Qt::Key_B:
            return format.fontWeight() == QFont::Bold;
        case Qt::Key_I:
            return format.fontItalic();
        case Qt::Key_U:
            return format.fontUnderline();
        default:
            return format.fontStrikeOut();
        }
    };
    for (int i = first; i < last; ++i)
        QVERIFY2(formatted(formatAt(browser, i)), qPrintable(QString::number(i)));
    QVERIFY(!formatted(formatAt(browser, first - 1)));
    QVERIFY(!formatted(formatAt(browser, last)));
    QVERIFY(browser.hasFocus());
}

void TestELinkTextBrowser::boldFollowsLastCharacter_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<int>("expectedWeight");

    // The selection covers "abcd"; its last character is "d".
    QTest::newRow("last bold, rest normal") << "<p>ab<b>cd</b>e</p>" << false << int(QFont::Normal);
    QTest::newRow("last bold, backward") << "<p>ab<b>cd</b>e</p>" << true << int(QFont::Normal);
    QTest::newRow("first bold, last normal") << "<p><b>a</b>bcde</p>" << false << int(QFont::Bold);
    QTest::newRow("first bold, last normal, backward")
        << "<p><b>a</b>bcde</p>" << true << int(QFont::Bold);
    QTest::newRow("last demibold counts as not bold")
        << "<p><b>abc</b><span style=\"font-weight:600\">d</span>e</p>" << false
        << int(QFont::Bold);
    QTest::newRow("last extra bold counts as not bold")
        << "<p>abc<span style=\"font-weight:800\">d</span>e</p>" << false << int(QFont::Bold);
}

void TestELinkTextBrowser::boldFollowsLastCharacter()
{
    QFETCH(QString, html);
    QFETCH(bool, backward);
    QFETCH(int, expectedWeight);

    ELinkTextBrowser browser;
    browser.setHtml(html);
    QTextCursor cursor(browser.document());
    cursor.setPosition(backward ? 4 : 0);
    cursor.setPosition(backward ? 0 : 4, QTextCursor::KeepAnchor);
    browser.setTextCursor(cursor);

    browser.boldText();

    for (int i = 0; i < 4; ++i)
        QCOMPARE(formatAt(browser, i).fontWeight(), expectedWeight);
    QCOMPARE(formatAt(browser, 4).fontWeight(), int(QFont::Normal)); // "e" untouched
}

void TestELinkTextBrowser::toggleWithoutSelectionAffectsNextTypedText_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Ctrl+I") << int(Qt::Key_I);
    QTest::newRow("Ctrl+B") << int(Qt::Key_B);
    QTest::newRow("Ctrl+U") << int(Qt::Key_U);
    QTest::newRow("Ctrl+S") << int(Qt::Key_S);
}

void TestELinkTextBrowser::toggleWithoutSelectionAffectsNextTypedText()
{
    QFETCH(int, key);

    ELinkTextBrowser browser;
    showActive(browser);
    QTest::keyClicks(&browser, QStringLiteral("ab"));
    TraceRecorder trace;
    QTest::keyClick(&browser, Qt::Key(key), Qt::ControlModifier);
    QTest::keyClicks(&browser, QStringLiteral("cd"));
    QTest::keyClick(&browser, Qt::Key(key), Qt::ControlModifier);
    QTest::keyClicks(&browser, QStringLiteral("ef"));

    QCOMPARE(browser.toPlainText(), QStringLiteral("abcdef"));
    const auto formatted = [key](const QTextCharFormat &format) {
        switch (key) {
        case Qt::Key_B:
            return format.fontWeight() == QFont::Bold;
        case Qt::Key_I:
            return format.fontItalic();
        case Qt::Key_U:
            return format.fontUnderline();
        default:
            return format.fontStrikeOut();
        }
    };
    const QList<bool> expected{false, false, true, true, false, false};
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(formatted(formatAt(browser, i)) == expected.at(i), qPrintable(QString::number(i)));
    QVERIFY(!trace.contains(QStringLiteral("Flipped")));
}

void TestELinkTextBrowser::strikeoutChangesOnlyStrikeout()
{
    ELinkTextBrowser browser;
    browser.setHtml(QStringLiteral(
        "<p><span style=\"font-family:'Serif'; font-size:17pt; font-style:italic; color:#ff0000;\">"
        "abcd</span></p>"));
    QTextCursor cursor(browser.document());
    cursor.setPosition(4);
    cursor.setPosition(1, QTextCursor::KeepAnchor);
    browser.setTextCursor(cursor);

    browser.strikeoutText();
    QTextCharFormat changed = formatAt(browser, 2);
    QVERIFY(changed.fontStrikeOut());
    QVERIFY(changed.fontItalic());
    QCOMPARE(changed.fontPointSize(), 17.0);
    QCOMPARE(changed.foreground().color(), QColor(Qt::red));
    QVERIFY(!formatAt(browser, 0).fontStrikeOut());

    browser.strikeoutText();
    QVERIFY(!formatAt(browser, 2).fontStrikeOut());
    QVERIFY(formatAt(browser, 2).fontItalic());
}

void TestELinkTextBrowser::contextMenuEndsWithFormatActions_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("editable") << false;
    QTest::newRow("locked") << true;
}

void TestELinkTextBrowser::contextMenuEndsWithFormatActions()
{
    QFETCH(bool, readOnly);

    ELinkTextBrowser browser;
    browser.setPlainText(QStringLiteral("Some text"));
    browser.setReadOnly(readOnly);
    showActive(browser);

    const QPoint position(20, 10);
    std::unique_ptr<QMenu> standard(browser.createStandardContextMenu(position));
    QStringList expected;
    for (const QAction *action : standard->actions())
        expected << action->text();
    QVERIFY(!expected.isEmpty());
    expected.removeLast();
    expected << QStringLiteral("Bold") << QStringLiteral("Italicize") << QStringLiteral("Underline")
             << QStringLiteral("Strike Through");

    QStringList shown;
    bool menuSeen = false;
    QTimer::singleShot(0, &browser, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        menuSeen = true;
        for (const QAction *action : menu->actions())
            shown << action->text();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                            browser.viewport()->mapToGlobal(position));
    QApplication::sendEvent(browser.viewport(), &event);

    QVERIFY(menuSeen);
    QCOMPARE(shown, expected);
    QVERIFY(!readOnly || !shown.contains(QStringLiteral("&Paste")));
}

// Notes are saved from toHtml(), which writes a rule's paragraph as "<hr />"
// alone: whatever lands in it must move out or it is lost on the next save.
void TestELinkTextBrowser::textAtARuleReachesTheExport_data()
{
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("expectedParagraphs");
    QTest::newRow("typed") << "typed"
                           << "typed";
    QTest::newRow("pasted lines") << "one\ntwo"
                                  << "one|two";
}

void TestELinkTextBrowser::textAtARuleReachesTheExport()
{
    QFETCH(QString, inserted);
    QFETCH(QString, expectedParagraphs);
    ELinkTextBrowser browser;
    browser.setHtml(QStringLiteral("<p>before</p><hr /><p>after</p>"));
    QTextCursor cursor(browser.document()->findBlockByNumber(1));
    browser.setTextCursor(cursor);
    if (inserted.contains(QLatin1Char('\n')))
        browser.insertPlainText(inserted);
    else
        QTest::keyClicks(&browser, inserted);

    QTextDocument exported;
    exported.setHtml(browser.toHtml());
    QStringList paragraphs;
    bool ruleKept = false;
    for (QTextBlock block = exported.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
            ruleKept = true;
        else
            paragraphs << block.text();
    }
    QVERIFY(ruleKept);
    QCOMPARE(paragraphs.join(QLatin1Char('|')),
             QStringLiteral("before|") + expectedParagraphs + QStringLiteral("|after"));
    // The text is where the cursor is: typing goes on after it.
    QTest::keyClicks(&browser, QStringLiteral("!"));
    QVERIFY(browser.toPlainText().contains(inserted.split(QLatin1Char('\n')).last() + "!"));
}

QTEST_MAIN(TestELinkTextBrowser)
#include "tst_elinktextbrowser.moc"
