#include "base/apppaths.h"
#include "dialogdriving.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/rzopendefaultbrowser.h"
#include "richtext/rzrichtexteditor.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextList>
#include <QToolButton>

#include <memory>

using DialogDriving::pickItem;

namespace {
template <typename T> T *part(const QWidget *editor, const char *name)
{
    return editor->findChild<T *>(QLatin1String(name));
}

// Selects the first occurrence of `word`.
void selectWord(QTextEdit *browser, const QString &word)
{
    QTextCursor cursor = browser->document()->find(word);
    QVERIFY(!cursor.isNull());
    browser->setTextCursor(cursor);
}

int frameDepth(const QTextFrame *frame)
{
    int deepest = 0;
    for (const QTextFrame *child : frame->childFrames())
        deepest = std::max(deepest, frameDepth(child) + 1);
    return deepest;
}

void moveTo(QTextEdit *browser, int position)
{
    QTextCursor cursor = browser->textCursor();
    cursor.setPosition(position);
    browser->setTextCursor(cursor);
}
} // namespace

class TestRichTextEditor : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir appDirectory;
    std::unique_ptr<rz_RichTextEditor> editor;
    ELinkTextBrowser *browser = nullptr;

    QString iconPath(const QString &name) const
    {
        return appDirectory.path() + QStringLiteral("/icons/") + name + QStringLiteral(".png");
    }
    QComboBox *combo(const char *name) const { return part<QComboBox>(editor.get(), name); }
    QAction *action(const char *name) const { return part<QAction>(editor.get(), name); }
    void toggle() { action("toggleDisplayModeAction")->trigger(); }
    QTextCharFormat formatAt(int position) const
    {
        QTextCursor cursor(browser->document());
        cursor.setPosition(position);
        return cursor.charFormat();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(appDirectory.isValid());
        QVERIFY(QDir(appDirectory.path()).mkdir(QStringLiteral("icons")));
        QPixmap picture(8, 8);
        picture.fill(Qt::red);
        for (const char *name : {"star", "Arrow", "smile"})
            QVERIFY(picture.save(iconPath(QLatin1String(name))));
        QVERIFY(QFile::link(iconPath(QStringLiteral("star")), iconPath(QStringLiteral("linked"))));
        QFile other(appDirectory.path() + QStringLiteral("/icons/readme.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        AppPaths::setApplicationDirectoryForTesting(appDirectory.path());
        StandardDialogs::setAnswerOnlyFromQueue(true);
    }

    void init()
    {
        StandardDialogs::clearAnswers();
        StandardDialogs::takeHistory();
        editor = std::make_unique<rz_RichTextEditor>();
        editor->setHtml(QStringLiteral("<p>Buy milk and Notes today</p>"));
        browser = editor->editingArea();
        editor->show();
    }

    void cleanup()
    {
        editor.reset();
        QCOMPARE(StandardDialogs::pendingAnswers(), 0);
    }

    void iconMenuListsThePngFilesByName()
    {
        const QList<QAction *> icons = part<QMenu>(editor.get(), "iconMenu")->actions();
        QStringList files;
        for (const QAction *icon : icons)
            files << icon->data().toString();
        QCOMPARE(files, (QStringList{iconPath("Arrow"), iconPath("smile"), iconPath("star")}));
        QCOMPARE(part<QToolButton>(editor.get(), "insertIconButton")->defaultAction(),
                 icons.first());
    }

    void emptyIconFolderGivesNoDefaultIcon()
    {
        QTemporaryDir empty;
        AppPaths::setApplicationDirectoryForTesting(empty.path());
        rz_RichTextEditor bare;
        AppPaths::setApplicationDirectoryForTesting(appDirectory.path());
        QVERIFY(part<QMenu>(&bare, "iconMenu")->actions().isEmpty());
        QVERIFY(!part<QToolButton>(&bare, "insertIconButton")->defaultAction());
    }

    void fontFamilyAndSizeApplyToTheSelection()
    {
        selectWord(browser, QStringLiteral("milk"));
        QComboBox *sizes = combo("fontSizeComboBox");
        pickItem(sizes, sizes->findText(QStringLiteral("18")));
        QComboBox *families = combo("fontFamilyComboBox");
        const int family = families->count() - 1;
        pickItem(families, family);
        const QFont font = formatAt(6).font();
        QCOMPARE(font.pointSize(), 18);
        QCOMPARE(font.family(), families->itemText(family));
        QCOMPARE(formatAt(2).font().pointSize(), browser->document()->defaultFont().pointSize());
        // The toolbar follows the cursor.
        moveTo(browser, 6);
        QCOMPARE(sizes->currentText(), QStringLiteral("18"));
        moveTo(browser, 1);
        QVERIFY(sizes->currentText() != QStringLiteral("18"));
    }

    void pixelSizedTextShowsNoSize()
    {
        editor->setHtml(QStringLiteral("<p><span style=\"font-size:13px\">px</span></p>"));
        moveTo(browser, 1);
        QCOMPARE(combo("fontSizeComboBox")->currentIndex(), -1);
    }

    void colourFromTheList()
    {
        QComboBox *colours = combo("fontColorComboBox");
        QCOMPARE(colours->count(), 12);
        QCOMPARE(colours->currentText(), QStringLiteral("Black"));
        selectWord(browser, QStringLiteral("milk"));
        pickItem(colours, colours->findText(QStringLiteral("Orange")));
        QCOMPARE(formatAt(6).foreground().color(), QColor(QStringLiteral("#ffa500")));
    }

    void colourFromTheChooser_data()
    {
        QTest::addColumn<QColor>("answer");
        QTest::addColumn<QString>("shown");   // current entry of the colour list afterwards
        QTest::addColumn<QString>("applied"); // colour of the selected word afterwards
        QTest::addColumn<int>("entries");
        QTest::newRow("colour not listed") << QColor(0x12, 0x34, 0x56) << "Custom"
                                           << "#123456" << 13;
        QTest::newRow("listed colour") << QColor(Qt::red) << "Red"
                                       << "#ff0000" << 12;
        QTest::newRow("cancelled") << QColor() << "Black"
                                   << "#000000" << 12;
    }

    void colourFromTheChooser()
    {
        QFETCH(QColor, answer);
        QFETCH(QString, shown);
        QFETCH(QString, applied);
        QFETCH(int, entries);
        QComboBox *colours = combo("fontColorComboBox");
        selectWord(browser, QStringLiteral("milk"));
        StandardDialogs::queueColor(answer);
        pickItem(colours, colours->findData(QStringLiteral("more")));
        QCOMPARE(StandardDialogs::takeHistory().value(0).initialColor, QColor(Qt::black));
        QCOMPARE(colours->currentText(), shown);
        QCOMPARE(colours->count(), entries);
        QCOMPARE(formatAt(6).foreground().color().name(), applied);
        if (shown == QLatin1String("Custom")) {
            QCOMPARE(colours->itemData(0).toString(), applied);
            // Moving into black text takes "Custom" away again.
            moveTo(browser, 1);
            QCOMPARE(colours->currentText(), QStringLiteral("Black"));
            QCOMPARE(colours->findText(QStringLiteral("Custom")), -1);
        }
    }

    void demiBoldCountsAsBoldAndBecomesBold()
    {
        selectWord(browser, QStringLiteral("milk"));
        QTextCharFormat demiBold;
        demiBold.setFontWeight(QFont::DemiBold);
        browser->mergeCurrentCharFormat(demiBold);
        moveTo(browser, 6);
        QVERIFY(action("boldAction")->isChecked());
        selectWord(browser, QStringLiteral("milk"));
        action("boldAction")->trigger();
        QCOMPARE(formatAt(6).fontWeight(), int(QFont::Bold));
    }

    void alignment()
    {
        editor->setHtml(QStringLiteral("<p>one</p><p align=\"right\">two</p>"));
        QComboBox *align = combo("alignComboBox");
        moveTo(browser, 1);
        pickItem(align, align->findText(QStringLiteral("Center")));
        QCOMPARE(browser->document()->firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
        moveTo(browser, 6);
        QCOMPARE(align->currentText(), QStringLiteral("Right"));
        moveTo(browser, 1);
        QCOMPARE(align->currentText(), QStringLiteral("Center"));
    }

    void iconsInBothDisplayModes()
    {
        const QList<QAction *> icons = part<QMenu>(editor.get(), "iconMenu")->actions();
        moveTo(browser, 3);
        icons.at(1)->trigger(); // smile, which the button inserts from now on
        QCOMPARE(part<QToolButton>(editor.get(), "insertIconButton")->defaultAction(), icons.at(1));
        // Kept by name, so the note finds it wherever the program runs.
        QVERIFY(browser->toHtml().contains("<img src=\"notarella-icon:smile.png\" />"));
        QVERIFY(!browser->toHtml().contains(iconPath("smile")));

        toggle();
        QVERIFY(!editor->isDisplayingFunctionalObjects());
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Buy:smile: milk")));
        moveTo(browser, 0);
        part<QToolButton>(editor.get(), "insertIconButton")->click();
        QVERIFY(browser->toPlainText().startsWith(QStringLiteral(":smile:Buy:smile: milk")));

        const QString result = editor->html();
        QVERIFY(editor->isDisplayingFunctionalObjects());
        QCOMPARE(result.count("<img src=\"notarella-icon:smile.png\" />"), 2);
    }

    void hyperlinkReplacesTheSelection()
    {
        selectWord(browser, QStringLiteral("Notes"));
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(part<QLineEdit>(dialog, "displayTextLineEdit")->text(),
                     QStringLiteral("Notes"));
            part<QLineEdit>(dialog, "addressLineEdit")
                ->setText(QStringLiteral("http://n.org/?a&b"));
            DialogDriving::button(dialog, QStringLiteral("&OK"))->click();
        });
        pickItem(combo("insertItemComboBox"), 2);
        QCOMPARE(combo("insertItemComboBox")->currentIndex(), 0);
        QTest::keyClicks(browser, QStringLiteral(" later"));
        QCOMPARE(browser->toPlainText(), QStringLiteral("Buy milk and Notes later today"));
        const QString html = editor->html();
        QVERIFY2(html.contains(QStringLiteral("<a href=\"http://n.org/?a&amp;b\"><span style=\" "
                                              "text-decoration: underline; color:#0000ff;\">Notes"
                                              "</span></a> later")),
                 qPrintable(html));

        // The link goes to markup and back as it was.
        toggle();
        QVERIFY(browser->toPlainText().contains(
            QStringLiteral("<a href=\"http://n.org/?a&amp;b\">Notes</a>")));
        QCOMPARE(editor->html(), html);
    }

    void listStyleTwiceNestsTwoLevels()
    {
        moveTo(browser, 2);
        for (const char *style : {"Bullet List (Square)", "Ordered List (Alpha upper)"}) {
            StandardDialogs::queueItem(QLatin1String(style));
            pickItem(combo("insertItemComboBox"), 4);
        }
        const StandardDialogs::Request request = StandardDialogs::takeHistory().value(0);
        QCOMPARE(request.kind, StandardDialogs::Kind::Item);
        QCOMPARE(request.items.size(), 7);
        QCOMPARE(request.items.last(), QStringLiteral("Remove List"));
        const QTextList *list = browser->textCursor().currentList();
        QVERIFY(list);
        QCOMPARE(list->format().indent(), 2);
        QCOMPARE(list->format().style(), QTextListFormat::ListUpperAlpha);
    }

    void removeList_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("indent"); // of the paragraph afterwards
        QTest::newRow("list") << "<ul><li>one</li><li>Buy milk</li></ul>" << 0;
        QTest::newRow("nested list") << "<ul><li>one<ul><li>Buy milk</li></ul></li></ul>" << 1;
        QTest::newRow("indented paragraph in a list")
            << "<ol style=\"-qt-list-indent: 3;\"><li>Buy milk</li></ol>" << 2;
    }

    void removeList()
    {
        QFETCH(QString, html);
        QFETCH(int, indent);
        editor->setHtml(html);
        selectWord(browser, QStringLiteral("milk"));
        StandardDialogs::queueItem(QStringLiteral("Remove List"));
        pickItem(combo("insertItemComboBox"), 4);
        const QTextBlock block = browser->textCursor().block();
        QVERIFY(!block.textList());
        QCOMPARE(block.text(), QStringLiteral("Buy milk"));
        QCOMPARE(block.blockFormat().indent(), indent);
    }

    void removeListOutsideAListChangesNothing()
    {
        const QString before = browser->toHtml();
        selectWord(browser, QStringLiteral("milk"));
        StandardDialogs::queueItem(QStringLiteral("Remove List"));
        pickItem(combo("insertItemComboBox"), 4);
        QCOMPARE(browser->toHtml(), before);
        StandardDialogs::queueItem(std::nullopt);
        pickItem(combo("insertItemComboBox"), 4);
        QCOMPARE(browser->toHtml(), before);
    }

    // Text typed after a rule must reach the exported HTML: notes are saved
    // from it.
    void textAfterARuleSurvives_data()
    {
        QTest::addColumn<bool>("markupDisplay");
        QTest::addColumn<int>("position");
        // Paragraphs of the saved document, "--" for the rule.
        QTest::addColumn<QString>("paragraphs");
        QTest::newRow("mid-line") << false << 8 << "Buy milk|--|typed and Notes today";
        QTest::newRow("line start") << false << 0 << "--|typedBuy milk and Notes today";
        QTest::newRow("line end") << false << 24 << "Buy milk and Notes today|--|typed";
        QTest::newRow("markup display") << true << 8 << "Buy milk|--|typed and Notes today";
    }

    void textAfterARuleSurvives()
    {
        QFETCH(bool, markupDisplay);
        QFETCH(int, position);
        QFETCH(QString, paragraphs);
        if (markupDisplay)
            toggle();
        moveTo(browser, position);
        pickItem(combo("insertItemComboBox"), 1);
        QTest::keyClicks(browser, QStringLiteral("typed"));
        QTextDocument saved;
        saved.setHtml(editor->html());
        QStringList found;
        for (QTextBlock block = saved.begin(); block.isValid(); block = block.next()) {
            const bool rule =
                block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
            found << (rule ? QStringLiteral("--") : block.text());
        }
        QCOMPARE(found.join(QLatin1Char('|')), paragraphs);
    }

    void insertHeadingDoesNothing()
    {
        const QString before = browser->toHtml();
        pickItem(combo("insertItemComboBox"), 0);
        QCOMPARE(browser->toHtml(), before);
    }

    void displayModeSwitchState()
    {
        QAction *switchAction = action("toggleDisplayModeAction");
        QVERIFY(!switchAction->isChecked());
        const qint64 functionalPicture = switchAction->icon().cacheKey();
        toggle();
        QVERIFY(switchAction->isChecked());
        QVERIFY(switchAction->icon().cacheKey() != functionalPicture);
        toggle();
        QVERIFY(!switchAction->isChecked());
        QVERIFY(editor->isDisplayingFunctionalObjects());
    }

    void readOnlyEditorChangesNothing()
    {
        editor->setReadOnly(true);
        const QString before = browser->toHtml();
        part<QMenu>(editor.get(), "iconMenu")->actions().first()->trigger();
        combo("insertItemComboBox")->setCurrentIndex(1);
        QMetaObject::invokeMethod(editor.get(), "insertItem", Q_ARG(QString, "Horizontal Line"));
        QTest::keyClicks(browser, QStringLiteral("x"));
        QCOMPARE(browser->toHtml(), before);
        QVERIFY(!combo("fontColorComboBox")->isEnabled());
    }

    void backgroundIsTheNoteColour()
    {
        editor->setTextBackground(QColor(QStringLiteral("#FFFF00")));
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            QCOMPARE(browser->palette().color(group, QPalette::Base), QColor(Qt::yellow));
    }

    void everyCommandIsOneUndoStep_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *command :
             {"size", "family", "colour", "align", "bold", "rule", "list", "icon", "markup"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }

    // Each command on the selected word changes the text; Ctrl+Z brings back
    // the text before it, Ctrl+Y the change.
    void everyCommandIsOneUndoStep()
    {
        QFETCH(QString, command);
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        selectWord(browser, QStringLiteral("milk"));
        const QString before = browser->toHtml();
        if (command == u"size") {
            pickItem(combo("fontSizeComboBox"), combo("fontSizeComboBox")->findText("18"));
        } else if (command == u"family") {
            pickItem(combo("fontFamilyComboBox"), combo("fontFamilyComboBox")->count() - 1);
        } else if (command == u"colour") {
            pickItem(combo("fontColorComboBox"), combo("fontColorComboBox")->findText("Orange"));
        } else if (command == u"align") {
            pickItem(combo("alignComboBox"), combo("alignComboBox")->findText("Center"));
        } else if (command == u"bold") {
            action("boldAction")->trigger();
        } else if (command == u"rule") {
            pickItem(combo("insertItemComboBox"), 1);
        } else if (command == u"list") {
            StandardDialogs::queueItem(QStringLiteral("Bullet List (Square)"));
            pickItem(combo("insertItemComboBox"), 4);
        } else if (command == u"icon") {
            part<QMenu>(editor.get(), "iconMenu")->actions().first()->trigger();
        } else {
            toggle(); // markup is edited as text, its addresses included
            browser->moveCursor(QTextCursor::End);
            QTest::keyClicks(browser, QStringLiteral(" www.a.org "));
            QVERIFY(!browser->toHtml().contains(QLatin1String("href")));
            return;
        }
        const QString changed = browser->toHtml();
        QVERIFY(changed != before);
        QTest::keyClick(browser, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(browser->toHtml(), before);
        QTest::keyClick(browser, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(browser->toHtml(), changed);
    }

    // Typed markup that the switch to live objects would turn into tags
    // nesting too deeply: each "<img '" reaches past the end of its table.
    void displaySwitchRefusesMarkupNestingTooDeeply()
    {
        editor->setHtml(
            QStringLiteral("<table><tr><td>&lt;img src='</td></tr></table><p>'&gt;</p>").repeated(8));
        toggle();
        QVERIFY(!editor->isDisplayingFunctionalObjects());
        const QString markup = browser->toHtml();
        UserPrompt::takeHistory();
        UserPrompt::queueAnswer(QMessageBox::Ok);
        UserPrompt::queueAnswer(QMessageBox::Ok);
        toggle();
        QCOMPARE(UserPrompt::takeHistory().size(), 1);
        QVERIFY(!editor->isDisplayingFunctionalObjects());
        QVERIFY(action("toggleDisplayModeAction")->isChecked());
        QCOMPARE(frameDepth(browser->document()->rootFrame()), 1);
        // Taking the text back tries the switch once more.
        QCOMPARE(editor->html(), markup);
        QCOMPARE(UserPrompt::takeHistory().size(), 1);
    }

    void helpOpensTheEditorPage()
    {
        QList<QStringList> launches;
        RZOpenDefaultBrowser::setLauncherForTesting(
            [&](const QString &program, const QStringList &arguments) {
                launches << (QStringList{program} + arguments);
            });
        DialogDriving::button(editor.get(), QStringLiteral("&Help"))->click();
        RZOpenDefaultBrowser::setLauncherForTesting({});
        QCOMPARE(launches.size(), 1);
        QVERIFY(launches.first().join(' ').endsWith(QStringLiteral(
            "/documentation/HELP.CHM::/Additional Components/Rich Text Editor.html")));
    }
};

QTEST_MAIN(TestRichTextEditor)
#include "tst_rzrichtexteditor.moc"
