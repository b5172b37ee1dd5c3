#pragma once

#include "store/notewriter.h"

#include <QDate>
#include <QObject>

class NoteBook;
class NoteSaving;
class QAction;
class QMenu;
class QWidget;
struct Note;

// The deleted notes: a note leaving the book goes into the note file's trash
// at once; "Deleted Notes…" lists them to restore or remove for good; notes
// kept their 30 days are removed, checked at start and once a day.
class TrashCommands : public QObject
{
    Q_OBJECT
public:
    // Adds "Deleted Notes…" to `menu`.
    TrashCommands(NoteBook &book, NoteWriter &writer, NoteSaving &saving, QMenu *menu,
                  QWidget *window);

    void retranslate();
    QAction *deletedNotesAction() const { return m_deletedNotesAction; }

    void showDeletedNotes();
    // Brings `notes` back from the trash as they were, each with its own id
    // while that is free, and saves.
    void restore(const QList<TrashedNote> &notes);
    // Removes the notes kept their 30 days, once a day.
    void expire();

private:
    void noteRemoved(const Note &note);
    void reportOutcome(const NoteWriter::Outcome &outcome);

    NoteBook &m_book;
    NoteWriter &m_writer;
    NoteSaving &m_saving;
    QWidget *m_window;
    QAction *m_deletedNotesAction = nullptr;
    QDate m_expiryDate; // the day the trash was last cleared of old notes
};
