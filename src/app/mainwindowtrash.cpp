// The main window's deleted notes: the "Deleted Notes…" list, restoring
// from it, and the removal of notes kept their 30 days.

#include "app/mainwindow.h"
#include "base/tracing.h"
#include "notes/notesettings.h"
#include "notes/stickywidget.h"
#include "panel/deletednotesdialog.h"

#include <QAction>
#include <QMenu>

void MainWindow::setupTrash()
{
    QMenu *menu = notesMenu();
    menu->addSeparator();
    m_deletedNotesAction = menu->addAction(tr("&Deleted Notes…"));
    m_deletedNotesAction->setObjectName(QStringLiteral("deletedNotesAction"));
    connect(m_deletedNotesAction, &QAction::triggered, this, &MainWindow::showDeletedNotes);
    menu->addSeparator();
    menu->addAction(m_exitAction);
}

void MainWindow::showDeletedNotes()
{
    qCDebug(lcPanel) << "MainWindow::showDeletedNotes()";
    DeletedNotesDialog dialog(this);
    dialog.setNotes(m_writer.trashedNotes());
    connect(&dialog, &DeletedNotesDialog::restoreRequested, this,
            [this, &dialog](const QList<TrashedNote> &notes) {
                restoreDeletedNotes(notes);
                dialog.setNotes(m_writer.trashedNotes());
            });
    connect(&dialog, &DeletedNotesDialog::eraseRequested, this,
            [this, &dialog](const QList<TrashedNote> &notes) {
                reportTrashOutcome(m_writer.eraseFromTrash(notes));
                dialog.setNotes(m_writer.trashedNotes());
            });
    dialog.exec();
}

void MainWindow::restoreDeletedNotes(const QList<TrashedNote> &notes)
{
    qCDebug(lcStore) << "MainWindow::restoreDeletedNotes()" << notes.size();
    QList<int> ids;
    for (const StickyWidget *sticky : std::as_const(stickyList))
        ids.append(sticky->stickyID());
    const NoteSettings settings = NoteSettings::read();
    for (const TrashedNote &note : notes) {
        NoteRecord record = note.record;
        record.id = NoteTrash::restoredId(record.id, ids);
        ids.append(record.id);
        StickyWidget *sticky = createStickyFromRecord(record, settings);
        if (record.visible)
            sticky->show();
    }
    updateTableWidget();
    // Out of the trash and back among the notes in one write.
    reportSaveOutcome(m_writer.restoreFromTrash(notes, collectRecords()));
}

void MainWindow::reportTrashOutcome(const NoteWriter::Outcome &outcome)
{
    // A trash written says nothing about the notes: only a failure is told
    // (the next save writes the trash again).
    if (!outcome.saved)
        reportSaveOutcome(outcome);
}

void MainWindow::expireDeletedNotes()
{
    const QDate today = QDate::currentDate();
    if (today == m_trashExpiryDate)
        return;
    m_trashExpiryDate = today;
    m_writer.expireTrashLater(QDateTime::currentDateTime());
}
