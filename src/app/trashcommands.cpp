#include "app/trashcommands.h"

#include "app/notesaving.h"
#include "base/tracing.h"
#include "model/notebook.h"
#include "panel/deletednotesdialog.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

TrashCommands::TrashCommands(NoteBook &book, NoteWriter &writer, NoteSaving &saving, QMenu *menu,
                             QWidget *window)
    : QObject(window), m_book(book), m_writer(writer), m_saving(saving), m_window(window)
{
    m_deletedNotesAction = menu->addAction(tr("&Deleted Notes…"));
    m_deletedNotesAction->setObjectName(QStringLiteral("deletedNotesAction"));
    connect(m_deletedNotesAction, &QAction::triggered, this, &TrashCommands::showDeletedNotes);
    connect(&book, &NoteBook::noteRemoved, this, &TrashCommands::noteRemoved);
}

void TrashCommands::retranslate()
{
    m_deletedNotesAction->setText(tr("&Deleted Notes…"));
}

void TrashCommands::noteRemoved(const Note &note)
{
    // In the file's trash before anything else: the notes themselves are
    // written by the next save, so whenever the program ends the note is in
    // the one or the other.
    reportOutcome(m_writer.moveToTrash({note.record(), note.trashed}));
}

void TrashCommands::showDeletedNotes()
{
    qCDebug(lcPanel) << "TrashCommands::showDeletedNotes()";
    DeletedNotesDialog dialog(m_window);
    dialog.setNotes(m_writer.trashedNotes());
    connect(&dialog, &DeletedNotesDialog::restoreRequested, this,
            [this, &dialog](const QList<TrashedNote> &notes) {
                restore(notes);
                dialog.setNotes(m_writer.trashedNotes());
            });
    connect(&dialog, &DeletedNotesDialog::eraseRequested, this,
            [this, &dialog](const QList<TrashedNote> &notes) {
                reportOutcome(m_writer.eraseFromTrash(notes));
                dialog.setNotes(m_writer.trashedNotes());
            });
    dialog.exec();
}

void TrashCommands::restore(const QList<TrashedNote> &notes)
{
    qCDebug(lcStore) << "TrashCommands::restore()" << notes.size();
    QList<NoteChange> batch;
    for (const TrashedNote &trashed : notes) {
        // Each note keeps its own id while that is free.
        Note note = Note::fromRecord(trashed.record);
        batch.append({NoteChange::Kind::Add, note, {}});
    }
    m_book.apply(batch, QDateTime(), NoteBook::KeepIds);
    // Out of the trash and back among the notes in one write.
    m_saving.reportSaveOutcome(m_writer.restoreFromTrash(notes, m_book.records()));
}

void TrashCommands::reportOutcome(const NoteWriter::Outcome &outcome)
{
    // A trash written says nothing about the notes: only a failure is told
    // (the next save writes the trash again).
    if (!outcome.saved)
        m_saving.reportSaveOutcome(outcome);
}

void TrashCommands::expire()
{
    const QDate today = QDate::currentDate();
    if (today == m_expiryDate)
        return;
    m_expiryDate = today;
    m_writer.expireTrashLater(QDateTime::currentDateTime());
}
