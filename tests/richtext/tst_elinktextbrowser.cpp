#include "richtext/elinktextbrowser.h"
#include "richtext/rzopendefaultbrowser.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
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

    void historyKeys_data();
    void historyKeys();
    void replacementIsLoadingThatUndoTakesBack_data();
    void replacementIsLoadingThatUndoTakesBack();
    void finishedAddressesBecomeLinks_data();
    void finishedAddressesBecomeLinks();

    void screenReaderReadsText();
    void screenReaderEdits_data();
    void screenReaderEdits();

private:
    void showActive(ELinkTextBrowser &browser);
    void runSteps(ELinkTextBrowser &browser, const QStringList &steps);
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
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("enabled"); // one digit per entry of `entries` below

    // Entries: Undo, Redo, Cut, Copy, Copy Link Location, Paste, Delete,
    // Select All, Bold, Italicize, Underline, Strike Through.
    QTest::newRow("editable, as loaded") << QStringList{} << "000001011111";
    QTest::newRow("typed, text selected") << QStringList{"t:x", "all"} << "101101111111";
    QTest::newRow("typed, undone") << QStringList{"t:x", "^Z"} << "010001011111";
    QTest::newRow("locked, text selected") << QStringList{"t:x", "all", "lock"} << "000100010000";
    QTest::newRow("locked after undo") << QStringList{"t:x", "^Z", "lock"} << "000000010000";
    QTest::newRow("unlocked again") << QStringList{"t:x", "lock", "unlock"} << "100001011111";
}

// The menu as shown: every standard entry of an editable text, whether the
// text is locked or not, then the format toggles.
void TestELinkTextBrowser::contextMenuEndsWithFormatActions()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, enabled);

    QGuiApplication::clipboard()->setText(QStringLiteral("clipped"));
    ELinkTextBrowser browser;
    browser.showStoredHtml(QStringLiteral("<p>Some text</p>"));
    showActive(browser);
    runSteps(browser, steps);

    QStringList shown;
    QString shownEnabled;
    bool menuSeen = false;
    QTimer::singleShot(0, &browser, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        menuSeen = true;
        for (const QAction *action : menu->actions()) {
            shown << action->text().section(QLatin1Char('\t'), 0, 0);
            if (!action->isSeparator())
                shownEnabled += action->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        }
        menu->close();
    });
    const QPoint position(20, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                            browser.viewport()->mapToGlobal(position));
    QApplication::sendEvent(browser.viewport(), &event);

    QVERIFY(menuSeen);
    QCOMPARE(shown, (QStringList{"&Undo", "&Redo", "", "Cu&t", "&Copy", "Copy &Link Location",
                                 "&Paste", "Delete", "", "Select All", "", "Bold", "Italicize",
                                 "Underline", "Strike Through"}));
    QCOMPARE(shownEnabled, enabled);
}

// Steps: "t:TEXT" types, "^Z", "^+Z", "^Y", "^B", "^V" and "ret" press keys,
// "all" selects everything, "end" goes to the end, "sel:A-B" selects from A
// to B, "lock" and "unlock" set read-only, "clip:TEXT" fills the clipboard.
void TestELinkTextBrowser::runSteps(ELinkTextBrowser &browser, const QStringList &steps)
{
    for (const QString &step : steps) {
        const QString argument = step.section(QLatin1Char(':'), 1);
        if (step.startsWith(QLatin1String("t:"))) {
            QTest::keyClicks(&browser, argument);
        } else if (step == u"^Z") {
            QTest::keyClick(&browser, Qt::Key_Z, Qt::ControlModifier);
        } else if (step == u"^+Z") {
            QTest::keyClick(&browser, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        } else if (step == u"^Y") {
            QTest::keyClick(&browser, Qt::Key_Y, Qt::ControlModifier);
        } else if (step == u"^B") {
            QTest::keyClick(&browser, Qt::Key_B, Qt::ControlModifier);
        } else if (step == u"^V") {
            QTest::keyClick(&browser, Qt::Key_V, Qt::ControlModifier);
        } else if (step == u"ret") {
            QTest::keyClick(&browser, Qt::Key_Return);
        } else if (step == u"all") {
            browser.selectAll();
        } else if (step == u"end") {
            browser.moveCursor(QTextCursor::End);
        } else if (step.startsWith(QLatin1String("sel:"))) {
            QTextCursor cursor(browser.document());
            cursor.setPosition(argument.section(QLatin1Char('-'), 0, 0).toInt());
            cursor.setPosition(argument.section(QLatin1Char('-'), 1).toInt(),
                               QTextCursor::KeepAnchor);
            browser.setTextCursor(cursor);
        } else if (step == u"lock" || step == u"unlock") {
            browser.setReadOnly(step == u"lock");
        } else if (step.startsWith(QLatin1String("clip:"))) {
            QGuiApplication::clipboard()->setText(argument);
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
}

namespace {
// The characters of the text that are bold, in order.
QString boldCharacters(const QTextDocument &document)
{
    QString bold;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().fontWeight() == QFont::Bold)
                bold += it.fragment().text();
        }
    }
    return bold;
}

// Every link of the text as "text=>href", in order; a link spread over
// several fragments is one entry.
QStringList links(const QTextDocument &document)
{
    QStringList found;
    QString previousHref;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QString href = format.isAnchor() ? format.anchorHref() : QString();
            if (!href.isEmpty() && href == previousHref)
                found.last().insert(found.last().indexOf(QLatin1String("=>")),
                                    it.fragment().text());
            else if (!href.isEmpty())
                found << it.fragment().text() + QLatin1String("=>") + href;
            previousHref = href;
        }
        previousHref.clear();
    }
    return found;
}
} // namespace

void TestELinkTextBrowser::historyKeys_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bold");

    // The note reads "Note" when the steps begin, the cursor at its end.
    QTest::newRow("nothing to undo after loading") << QStringList{"^Z"} << "Note"
                                                   << "";
    QTest::newRow("typing undone") << QStringList{"t:more", "^Z"} << "Note"
                                   << "";
    QTest::newRow("redo with Ctrl+Shift+Z") << QStringList{"t:more", "^Z", "^+Z"} << "Notemore"
                                            << "";
    QTest::newRow("redo with Ctrl+Y") << QStringList{"t:more", "^Z", "^Y"} << "Notemore"
                                      << "";
    QTest::newRow("redo with nothing undone") << QStringList{"t:more", "^Y", "^+Z"} << "Notemore"
                                              << "";
    QTest::newRow("undo stops at the loaded text")
        << QStringList{"t:more", "^Z", "^Z", "^Z"} << "Note"
        << "";
    QTest::newRow("typing after undo drops the redo")
        << QStringList{"t:more", "^Z", "t:s", "^Y"} << "Notes"
        << "";
    QTest::newRow("bold") << QStringList{"sel:0-4", "^B"} << "Note"
                          << "Note";
    QTest::newRow("bold undone") << QStringList{"sel:0-4", "^B", "^Z"} << "Note"
                                 << "";
    QTest::newRow("bold redone") << QStringList{"sel:1-3", "^B", "^Z", "^Y"} << "Note"
                                 << "ot";
    QTest::newRow("typing in bold, undone step by step")
        << QStringList{"sel:0-4", "^B", "end", "t:X", "^Z"} << "Note"
        << "Note";
    QTest::newRow("locked: undo does nothing") << QStringList{"t:more", "lock", "^Z"} << "Notemore"
                                               << "";
    QTest::newRow("locked: redo does nothing")
        << QStringList{"t:more", "^Z", "lock", "^Y", "^+Z"} << "Note"
        << "";
    QTest::newRow("unlocked: undo works again")
        << QStringList{"t:more", "lock", "^Z", "unlock", "^Z"} << "Note"
        << "";
}

void TestELinkTextBrowser::historyKeys()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    QFETCH(QString, bold);

    ELinkTextBrowser browser;
    browser.showStoredHtml(QStringLiteral("<p>Note</p>"));
    showActive(browser);
    browser.moveCursor(QTextCursor::End);
    runSteps(browser, steps);

    QCOMPARE(browser.toPlainText(), text);
    QCOMPARE(boldCharacters(*browser.document()), bold);
}

void TestELinkTextBrowser::replacementIsLoadingThatUndoTakesBack_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    const QString mixed =
        QStringLiteral("<p>rule below</p><hr /><p>after <a href=\"http://x.org/?a&amp;b\">link</a> "
                       "<img src=\"/no/such/picture.png\" width=\"10\" height=\"10\" /></p>");
    QTest::newRow("plain to centred") << "<p>old</p>"
                                      << "<p align=\"center\">Centred</p><p>second</p>";
    QTest::newRow("centred to plain") << "<p align=\"center\">Centred</p>"
                                      << "<p>plain</p>";
    QTest::newRow("list first") << "<p>old</p>"
                                << "<ul><li>one</li><li>two</li></ul><p>after</p>";
    QTest::newRow("list replaced") << "<ol><li>first</li></ol>"
                                   << "<p>plain <i>text</i></p>";
    QTest::newRow("table") << "<p>old</p>"
                           << "<table border=\"1\"><tr><td>a</td><td>b</td></tr></table>";
    QTest::newRow("rule, link, picture") << "<p>old</p>" << mixed;
    QTest::newRow("fonts and indent")
        << "<p>old</p>"
        << "<p style=\"margin-left:40px\"><span style=\"font-family:'Serif'; font-size:20pt; "
           "color:#ff0000\">big</span></p>";
    QTest::newRow("to empty") << "<p align=\"right\"><i>old</i></p>"
                              << "";
    QTest::newRow("from empty") << ""
                                << "<p>new</p>";
    QTest::newRow("empty paragraphs at the end") << "<p>old</p>"
                                                 << "<p>a</p><p></p><p></p>";
}

// Taking the editor's text into a note gives what loading that text gives,
// and one undo brings back the text before.
void TestELinkTextBrowser::replacementIsLoadingThatUndoTakesBack()
{
    QFETCH(QString, before);
    QFETCH(QString, after);

    ELinkTextBrowser loaded;
    loaded.showStoredHtml(after);
    ELinkTextBrowser browser;
    browser.showStoredHtml(before);
    const QString htmlBefore = browser.toHtml();

    browser.replaceHtmlUndoably(after);
    QCOMPARE(browser.toHtml(), loaded.toHtml());
    browser.undo();
    QCOMPARE(browser.toHtml(), htmlBefore);
    QVERIFY(!browser.document()->isUndoAvailable());
    browser.redo();
    QCOMPARE(browser.toHtml(), loaded.toHtml());
}

void TestELinkTextBrowser::finishedAddressesBecomeLinks_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("links");

    const QString site = QStringLiteral("https://example.org");
    QTest::newRow("space") << "" << QStringList{"t:see " + site + " "} << "see " + site + " "
                           << QStringList{site + "=>" + site};
    QTest::newRow("not yet finished")
        << "" << QStringList{"t:see " + site} << "see " + site << QStringList{};
    QTest::newRow("Enter") << "" << QStringList{"t:see " + site, "ret"} << "see " + site + "\n"
                           << QStringList{site + "=>" + site};
    QTest::newRow("Enter inside a line")
        << "<p>see https://example.org/a more</p>" << QStringList{"sel:25-25", "ret"}
        << "see https://example.org/a\n more"
        << QStringList{"https://example.org/a=>https://example.org/a"};
    QTest::newRow("www gets http") << "" << QStringList{"t:www.example.org "} << "www.example.org "
                                   << QStringList{"www.example.org=>http://www.example.org"};
    QTest::newRow("full stop stays out") << "" << QStringList{"t:at " + site + ". "}
                                         << "at " + site + ". " << QStringList{site + "=>" + site};
    QTest::newRow("no address") << "" << QStringList{"t:e.g. www. mailto: httpx://a.org "}
                                << "e.g. www. mailto: httpx://a.org " << QStringList{};
    QTest::newRow("text after the link is not in it")
        << "" << QStringList{"t:" + site + " next"} << site + " next"
        << QStringList{site + "=>" + site};
    QTest::newRow("undo takes the link back, not the text")
        << "" << QStringList{"t:see " + site + " ", "^Z"} << "see " + site + " " << QStringList{};
    QTest::newRow("redo brings the link again")
        << "" << QStringList{"t:see " + site + " ", "^Z", "^Y"} << "see " + site + " "
        << QStringList{site + "=>" + site};
    QTest::newRow("existing link keeps its target")
        << "<p><a href=\"http://other.org\">https://example.org</a></p>"
        << QStringList{"end", "ret"} << site + "\n"
        << QStringList{site + "=>http://other.org"};
    QTest::newRow("pasted") << "" << QStringList{"clip:read <" + site + "/a?b=1&c=2> now", "^V"}
                            << "read <" + site + "/a?b=1&c=2> now"
                            << QStringList{site + "/a?b=1&c=2=>" + site + "/a?b=1&c=2"};
    QTest::newRow("paste completes an address")
        << "<p>see http</p>" << QStringList{"end", "clip:s://x.org/page", "^V"}
        << "see https://x.org/page" << QStringList{"https://x.org/page=>https://x.org/page"};
    QTest::newRow("paste of several lines")
        << "" << QStringList{"clip:one www.a.org\nmailto:me@b.org, two", "^V"}
        << "one www.a.org\nmailto:me@b.org, two"
        << QStringList{"www.a.org=>http://www.a.org", "mailto:me@b.org=>mailto:me@b.org"};
    QTest::newRow("paste undone with its links")
        << "<p>x</p>" << QStringList{"end", "clip: " + site, "^V", "^Z"} << "x" << QStringList{};
    QTest::newRow("locked note takes nothing")
        << "<p>x</p>" << QStringList{"lock", "end", "t: " + site + " ", "clip:" + site, "^V"} << "x"
        << QStringList{};
}

void TestELinkTextBrowser::finishedAddressesBecomeLinks()
{
    QFETCH(QString, html);
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    QFETCH(QStringList, links);

    ELinkTextBrowser browser;
    browser.showStoredHtml(html);
    showActive(browser);
    runSteps(browser, steps);

    QCOMPARE(browser.toPlainText(), text);
    QCOMPARE(::links(*browser.document()), links);
    // The links survive the export the note is saved in.
    QTextDocument saved;
    saved.setHtml(browser.toHtml());
    QCOMPARE(::links(saved), links);
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

void TestELinkTextBrowser::screenReaderReadsText()
{
    ELinkTextBrowser browser;
    browser.setPlainText(QStringLiteral("Buy\nmilk"));
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(&browser);
    QCOMPARE(reader->role(), QAccessible::EditableText);
    QVERIFY(reader->state().editable);
    QAccessibleTextInterface *text = reader->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), 8);
    QCOMPARE(text->text(0, -1), QStringLiteral("Buy\nmilk"));
    QCOMPARE(text->text(4, 99), QStringLiteral("milk"));
    text->setSelection(0, 1, 3);
    QCOMPARE(browser.textCursor().selectedText(), QStringLiteral("uy"));
    int start = 0;
    int end = 0;
    text->setSelection(0, 6, 20);
    text->selection(0, &start, &end);
    QCOMPARE(QList<int>({start, end}), QList<int>({6, 8}));
    text->setCursorPosition(100);
    QCOMPARE(text->cursorPosition(), 8);
    // Only the program's own text areas: a plain text browser stays static text.
    QTextBrowser plain;
    QVERIFY(QAccessible::queryAccessibleInterface(&plain)->role() != QAccessible::EditableText);
}

void TestELinkTextBrowser::screenReaderEdits_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("result");
    QTest::newRow("insert first") << 0 << 0 << "x" << false << "xBuy\nmilk";
    QTest::newRow("insert last") << 8 << 8 << "!" << false << "Buy\nmilk!";
    QTest::newRow("insert past the end") << 9 << 9 << "!" << false << "Buy\nmilk!";
    QTest::newRow("insert before the start") << -1 << -1 << "x" << false << "xBuy\nmilk";
    QTest::newRow("replace") << 4 << 8 << "bread" << false << "Buy\nbread";
    QTest::newRow("delete the paragraph break") << 3 << 4 << "" << false << "Buymilk";
    QTest::newRow("read-only refuses") << 0 << 0 << "x" << true << "Buy\nmilk";
}

void TestELinkTextBrowser::screenReaderEdits()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, text);
    QFETCH(bool, readOnly);
    QFETCH(QString, result);
    ELinkTextBrowser browser;
    browser.setPlainText(QStringLiteral("Buy\nmilk"));
    browser.setReadOnly(readOnly);
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(&browser);
    QCOMPARE(reader->state().readOnly, readOnly);
    QAccessibleEditableTextInterface *editor = reader->editableTextInterface();
    QVERIFY(editor);
    if (text.isEmpty())
        editor->deleteText(start, end);
    else if (start == end)
        editor->insertText(start, text);
    else
        editor->replaceText(start, end, text);
    QCOMPARE(browser.toPlainText(), result);
}

QTEST_MAIN(TestELinkTextBrowser)
#include "tst_elinktextbrowser.moc"
