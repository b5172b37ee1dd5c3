// The main window's commands that the desktop's own shortcuts start:
// toggling the notes, a note of the selected text.
#include "app/mainwindow.h"

#include "base/tracing.h"
#include "notes/stickywidget.h"

#include <QClipboard>
#include <QGuiApplication>

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
