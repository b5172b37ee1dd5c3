// The main window's commands for keys: the key that makes a note from any
// program, and the commands the desktop's own shortcuts start (toggling the
// notes, a note of the selected text).
#include "app/mainwindow.h"

#include "base/tracing.h"
#include "notes/stickywidget.h"
#include "platform/globalshortcut.h"
#include "settings/preferences.h"
#include "ui/userprompt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextBrowser>

namespace {

QString refusalText(X11Keys::Refusal refusal)
{
    switch (refusal) {
    case X11Keys::Refusal::NoModifier:
        return MainWindow::tr("Without Ctrl, Alt or Super it would be lost to typing in every "
                              "other program (only F1 to F35 may stand alone).");
    case X11Keys::Refusal::NotOnKeyboard:
        return MainWindow::tr("No key of this keyboard gives it.");
    case X11Keys::Refusal::NotOneKey:
    case X11Keys::Refusal::None:
        break;
    }
    return MainWindow::tr("Only one key, with Ctrl, Alt, Shift or Super, can be taken.");
}

} // namespace

void MainWindow::applyGlobalShortcut(bool report)
{
    if (!m_globalShortcut) {
        m_globalShortcut = new GlobalShortcut(this);
        connect(m_globalShortcut, &GlobalShortcut::activated, this,
                &MainWindow::newNoteFromShortcut);
    }
    const QKeySequence sequence =
        QKeySequence::fromString(Preferences::globalShortcut(), QKeySequence::PortableText);
    const GlobalShortcut::Result result = m_globalShortcut->setKeySequence(sequence);
    qCDebug(lcApp) << "MainWindow::applyGlobalShortcut()" << sequence.toString() << int(result);
    const QString key = sequence.toString(QKeySequence::NativeText).toHtmlEscaped();
    if (!report)
        return;
    if (result == GlobalShortcut::Result::Taken) {
        UserPrompt::notify(
            this, tr("Notarella - Key for a New Note"),
            tr("<p>The key <b>%1</b> is already taken by another program, so it does not make "
               "new notes.</p><p>Choose another key in <i>Options</i>, or free the key in the "
               "other program: Notarella tries again when it starts and when you save the "
               "options.</p>")
                .arg(key));
    } else if (result == GlobalShortcut::Result::Unusable) {
        UserPrompt::notify(this, tr("Notarella - Key for a New Note"),
                           tr("<p>The key <b>%1</b> cannot make new notes from other programs: "
                              "%2</p><p>Choose another key in <i>Options</i>.</p>")
                               .arg(key, refusalText(m_globalShortcut->refusal()).toHtmlEscaped()));
    }
}

void MainWindow::releaseGlobalShortcut()
{
    if (m_globalShortcut)
        m_globalShortcut->setKeySequence(QKeySequence());
}

void MainWindow::newNoteFromShortcut()
{
    qCDebug(lcApp) << "MainWindow::newNoteFromShortcut()";
    createStickyDefault();
    // Another program had the focus when the key was pressed: the note must
    // take it, with the cursor in its text, so typing goes on there.
    StickyWidget *note = stickyList.isEmpty() ? nullptr : stickyList.constLast();
    if (!note)
        return;
    note->raise();
    note->activateWindow();
    note->textBrowser()->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::createStickyFromSelection()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    QString text;
    if (clipboard->supportsSelection())
        text = clipboard->text(QClipboard::Selection);
    // A selection of nothing but blanks is no text the user meant to keep.
    if (text.trimmed().isEmpty())
        text = clipboard->text(QClipboard::Clipboard);
    qCDebug(lcApp) << "MainWindow::createStickyFromSelection()" << text.size() << "characters";
    createStickyWithText(text);
}

void MainWindow::toggleNotes()
{
    QList<int> allIds;
    QList<int> shownIds;
    for (const StickyWidget *sticky : std::as_const(stickyList)) {
        allIds.append(sticky->stickyID());
        if (!sticky->isHidden())
            shownIds.append(sticky->stickyID());
    }
    const NoteVisibilityToggle::Step step = m_noteToggle.toggle(allIds, shownIds);
    qCDebug(lcApp) << "MainWindow::toggleNotes() - hide" << step.hide << "show" << step.show;
    for (StickyWidget *sticky : std::as_const(stickyList)) {
        if (step.hide.contains(sticky->stickyID()))
            sticky->hide();
        else if (step.show.contains(sticky->stickyID()))
            sticky->showWithoutActivating();
    }
    saveStickiesInBackground();
}
