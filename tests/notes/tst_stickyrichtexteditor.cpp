#include "app/mainwindow.h"
#include "notes/stickywidget.h"
#include "printdialogcount.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/markupsafety.h"
#include "richtext/rzrichtexteditor.h"
#include "testnotes.h"
#include "ui/userprompt.h"
#include "widgets/noteprinting.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<StickyWidget> makeNote(bool locked,
                                       const QString &message = QStringLiteral("<p>Buy milk</p>"))
{
    return std::unique_ptr<StickyWidget>(
        newTestNote(3, QStringLiteral("#ADD8E6"), QStringLiteral("Light Blue"),
                    QDateTime(QDate(2026, 1, 2), QTime(3, 4)), QDateTime(), QDateTime(), QString(),
                    locked, message));
}

// Eight tables, each inside the last, spelled with blanks after '<': too deep
// for the guard, yet cheap for Qt should a path lay them out. The padding
// makes laid-out tables run over many pages.
QString tooDeepNote()
{
    return QStringLiteral("<p>Keep</p>") +
           QStringLiteral("< table cellpadding=300>< tr>< td>").repeated(8) +
           QStringLiteral("inside");
}

qsizetype topLevelFrames(const QTextDocument *document)
{
    return document->rootFrame()->childFrames().size();
}

// Opens the note's editor and hands it to `act` once it is up; `act` closes it.
bool runEditor(StickyWidget *note, const std::function<void(rz_RichTextEditor *)> &act)
{
    bool seen = false;
    QTimer::singleShot(0, note, [&] {
        auto *editor = qobject_cast<rz_RichTextEditor *>(QApplication::activeModalWidget());
        if (!editor)
            return;
        seen = true;
        act(editor);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, note, [] {
        if (auto *stuck = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            stuck->reject();
    });
    watchdog.start(5000);
    QMetaObject::invokeMethod(note, "showRichTextEditor");
    return seen;
}

} // namespace

class TestStickyRichTextEditor : public QObject
{
    Q_OBJECT

private slots:
    void editorTakesTheNoteAndGivesItBack_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << false << true;
        QTest::newRow("Cancel") << false << false;
        QTest::newRow("locked, OK") << true << true;
    }

    void editorTakesTheNoteAndGivesItBack()
    {
        QFETCH(bool, accept);
        auto note = makeNote(false);
        note->show();
        const QString before = note->message();
        // The text the note holds each time it tells the list to update
        // its row (leaving the note's text for the editor tells it too).
        QStringList rowTexts;
        connect(note.get(), &StickyWidget::updateTableWidgetItems, this,
                [&] { rowTexts << note->textBrowser()->toPlainText(); });
        QColor background;
        QVERIFY(runEditor(note.get(), [&](rz_RichTextEditor *editor) {
            QTextEdit *area = editor->editingArea();
            background = area->palette().color(QPalette::Base);
            QCOMPARE(area->toPlainText(), QStringLiteral("Buy milk"));
            QTextCursor cursor(area->document());
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(QStringLiteral(" and bread"));
            editor->done(accept ? QDialog::Accepted : QDialog::Rejected);
        }));
        QCOMPARE(background, QColor(QStringLiteral("#ADD8E6")));
        if (accept) {
            QCOMPARE(note->textBrowser()->toPlainText(), QStringLiteral("Buy milk and bread"));
            QCOMPARE(note->windowTitle(), QStringLiteral("\"Buy milk and bread\""));
            QCOMPARE(rowTexts.value(rowTexts.size() - 1), QStringLiteral("Buy milk and bread"));
        } else {
            QCOMPARE(note->message(), before);
            QVERIFY(!rowTexts.contains(QStringLiteral("Buy milk and bread")));
        }
    }

    // A note shown as its text because its markup nests too deeply opens in
    // the editor as that text, after a warning; OK keeps the text.
    void tooDeepNoteOpensAsItsText_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << false << true;
        QTest::newRow("Cancel") << false << false;
        QTest::newRow("locked, OK") << true << true;
    }

    void tooDeepNoteOpensAsItsText()
    {
        QFETCH(bool, locked);
        QFETCH(bool, accept);
        UserPrompt::takeHistory();
        const QString hostile = tooDeepNote();
        auto note = makeNote(locked, hostile);
        UserPrompt::queueAnswer(QMessageBox::Ok);
        int frames = -1;
        QString shown;
        QVERIFY(runEditor(note.get(), [&](rz_RichTextEditor *editor) {
            frames = topLevelFrames(editor->editingArea()->document());
            shown = editor->editingArea()->toPlainText();
            editor->done(accept ? QDialog::Accepted : QDialog::Rejected);
        }));
        QCOMPARE(frames, 0);
        QCOMPARE(shown, QStringLiteral("Keep\ninside"));
        const QList<UserPrompt::Record> told = UserPrompt::takeHistory();
        QCOMPARE(told.size(), 1);
        // Only an unlocked note is offered the text without its formatting.
        QCOMPARE(told.first().text.contains(QStringLiteral("with OK")), !locked);
        if (accept && !locked) {
            QCOMPARE(note->textBrowser()->toPlainText(), QStringLiteral("Keep\ninside"));
            QVERIFY(MarkupSafety::isSafeToLayOut(note->message()));
        } else {
            QCOMPARE(note->message(), hostile);
        }
    }

    // Printed alone or with all notes, such a note is its text.
    void tooDeepNotePrintsAsItsText()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        auto hostile = makeNote(false, tooDeepNote());
        const QString pdf = folder.filePath(QStringLiteral("note.pdf"));
        StandardDialogs::queuePrintToFile(pdf);
        hostile->print();
        QCOMPARE(takePrintDialogCount(), 1);
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
        QCOMPARE(QString::fromLatin1(printed.readAll()).count(page), 1);

        auto plain = makeNote(false, QStringLiteral("<table><tr><td>cell</td></tr></table>"));
        QTextDocument document;
        NotePrinting::appendNotes(document,
                                  MainWindow::printedNotes({hostile.get(), plain.get()}, true));
        QCOMPARE(topLevelFrames(&document), 1);
        QVERIFY(document.toPlainText().contains(QStringLiteral("Keep\ninside")));
    }

    void editorInMarkupDisplayGivesBackLiveObjects()
    {
        auto note = makeNote(false);
        QVERIFY(runEditor(note.get(), [](rz_RichTextEditor *editor) {
            editor->findChild<QAction *>(QStringLiteral("toggleDisplayModeAction"))->trigger();
            editor->editingArea()->insertPlainText(
                QStringLiteral("<a href=\"http://x.org\">x</a>"));
            editor->accept();
        }));
        QVERIFY2(note->message().contains(QStringLiteral("<a href=\"http://x.org\">")),
                 qPrintable(note->message()));
    }

    // The editor's change is one step of the note's own history.
    void noteUndoTakesBackTheEditorsChange()
    {
        auto note = makeNote(false);
        note->show();
        note->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(note.get()));
        QTextEdit *text = note->textBrowser();
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, QStringLiteral(" now"));
        QVERIFY(runEditor(note.get(), [](rz_RichTextEditor *editor) {
            editor->editingArea()->selectAll();
            editor->editingArea()->insertHtml(QStringLiteral("<h1>Shopping</h1><p>bread</p>"));
            editor->accept();
        }));
        QCOMPARE(text->toPlainText(), QStringLiteral("Shopping\nbread"));
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text->toPlainText(), QStringLiteral("Buy milk now"));
        QTest::keyClick(text, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(text->toPlainText(), QStringLiteral("Shopping\nbread"));
        QVERIFY(note->message().contains(QStringLiteral("Shopping")));
        QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text->toPlainText(), QStringLiteral("Buy milk"));
    }

    void loadedNoteKeepsItsTextOnUndo_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::newRow("unlocked") << false;
        QTest::newRow("locked") << true;
    }

    void loadedNoteKeepsItsTextOnUndo()
    {
        QFETCH(bool, locked);
        auto note = makeNote(locked);
        note->show();
        note->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(note.get()));
        const QString before = note->message();
        QTest::keyClick(note->textBrowser(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(note->message(), before);
        QCOMPARE(note->textBrowser()->toPlainText(), QStringLiteral("Buy milk"));
    }

    void lockedNoteKeepsItsText()
    {
        auto note = makeNote(true);
        const QString before = note->message();
        bool readOnly = false;
        QVERIFY(runEditor(note.get(), [&](rz_RichTextEditor *editor) {
            readOnly = editor->editingArea()->isReadOnly();
            editor->editingArea()->document()->setPlainText(QStringLiteral("changed anyway"));
            editor->accept();
        }));
        QVERIFY(readOnly);
        QCOMPARE(note->message(), before);
    }
};

QTEST_MAIN(TestStickyRichTextEditor)
#include "tst_stickyrichtexteditor.moc"
