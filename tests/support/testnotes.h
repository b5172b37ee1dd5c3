#pragma once

#include "model/notebook.h"
#include "notes/notesettings.h"
#include "notes/stickywidget.h"

#include <QDateTime>
#include <QString>

// A note window with a book of its own, for tests of one window without the
// main window: the book goes with the window and hands it its changes, as
// the program's NoteWindows does.
inline StickyWidget *newTestNote(int id, const QString &rgb, const QString &name,
                                 const QDateTime &created, const QDateTime &originalReminder,
                                 const QDateTime &reminder, const QString &mask, bool locked,
                                 const QString &message,
                                 const NoteSettings &settings = NoteSettings::read())
{
    Note note;
    note.id = id;
    note.colorRGB = rgb;
    note.colorName = name;
    note.creationDate = created;
    note.originalReminderDate = originalReminder;
    note.reminderDate = reminder;
    note.periodicMask = mask;
    note.locked = locked;
    note.message = message;
    note.place = QRect(QPoint(0, 0), settings.defaultSize);
    auto *book = new NoteBook;
    // The book gives every note an id of at least 1.
    auto *window = new StickyWidget(*book, book->add(note, true), settings);
    book->setParent(window);
    QObject::connect(book, &NoteBook::noteChanged, window,
                     [window](int, NoteFields fields) { window->noteChanged(fields); });
    return window;
}
