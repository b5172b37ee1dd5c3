#pragma once

#include "model/note.h"

#include <QHash>
#include <QList>
#include <QObject>

class NoteBook;
class StickyWidget;
struct NoteSettings;

// The note windows as a view of the note book: one StickyWidget per note,
// kept in stickyList in the book's order. A note added to the book gets its
// window (shown when the note is), a note removed loses it, and a change is
// handed to the window of its note. Windows never add or remove notes.
class NoteWindows : public QObject
{
    Q_OBJECT
public:
    explicit NoteWindows(NoteBook &book, QObject *parent = nullptr);
    // The windows end with their owner.
    ~NoteWindows() override;

    StickyWidget *windowOf(int id) const { return m_windows.value(id); }

    // Shows `windows` without activating them, handling window events every
    // few windows.
    static void showAll(const QList<StickyWidget *> &windows);

signals:
    // A window asked for the control panel, or to be deleted.
    void controlPanelRequest();
    void deleteRequested(StickyWidget *window);

private:
    StickyWidget *makeWindow(int id, const NoteSettings &settings);
    void rebuild();
    void noteAdded(int id);
    void noteChanged(int id, NoteFields fields);
    void noteRemoved(const Note &note);
    void showSoon(StickyWidget *window);

    NoteBook &m_book;
    QHash<int, StickyWidget *> m_windows;
    // Windows shown since control was last in the event loop.
    int m_shownThisTurn = 0;
};
