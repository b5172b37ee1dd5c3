#include "notes/notewindows.h"

#include "base/tracing.h"
#include "model/notebook.h"
#include "notes/notesettings.h"
#include "notes/stickylist.h"
#include "notes/stickywidget.h"

#include <QCoreApplication>
#include <QSet>
#include <QTimer>
#include <QWindow>

NoteWindows::NoteWindows(NoteBook &book, QObject *parent) : QObject(parent), m_book(book)
{
    connect(&book, &NoteBook::reset, this, &NoteWindows::rebuild);
    connect(&book, &NoteBook::noteAdded, this, &NoteWindows::noteAdded);
    connect(&book, &NoteBook::noteChanged, this, &NoteWindows::noteChanged);
    connect(&book, &NoteBook::noteRemoved, this, &NoteWindows::noteRemoved);
}

NoteWindows::~NoteWindows()
{
    // Notes are top-level windows without a parent.
    const QSet<StickyWidget *> ours(m_windows.cbegin(), m_windows.cend());
    stickyList.removeIf([&ours](StickyWidget *window) { return ours.contains(window); });
    qDeleteAll(ours);
}

StickyWidget *NoteWindows::makeWindow(int id, const NoteSettings &settings)
{
    auto *window = new StickyWidget(m_book, id, settings);
    m_windows.insert(id, window);
    connect(window, &StickyWidget::stickyDeleted, this, &NoteWindows::deleteRequested);
    connect(window, &StickyWidget::controlPanelRequest, this, &NoteWindows::controlPanelRequest);
    // Fitted to this machine's screens.
    window->keepOnScreen();
    return window;
}

void NoteWindows::rebuild()
{
    qCDebug(lcStore) << "NoteWindows::rebuild()" << m_book.size();
    const QSet<StickyWidget *> old(m_windows.cbegin(), m_windows.cend());
    stickyList.removeIf([&old](StickyWidget *window) { return old.contains(window); });
    for (StickyWidget *window : old) {
        window->detachFromBook(Note());
        window->hide();
        window->deleteLater();
    }
    m_windows.clear();
    const NoteSettings settings = NoteSettings::read(); // once for all notes
    // The shown notes are made and shown first, and the hidden ones only
    // then: the user waits for the notes on screen, not for thousands kept
    // out of sight.
    QList<StickyWidget *> toShow;
    for (qsizetype i = 0; i < m_book.size(); ++i) {
        if (m_book.at(i).visible)
            toShow.append(makeWindow(m_book.at(i).id, settings));
    }
    stickyList += toShow;
    // A window manager gives the focus to every new window it maps; with a
    // thousand notes its queue of focus changes grows with the square of
    // their number. So the notes come up without taking the focus, and only
    // the last one is activated, which leaves the same note active as
    // activating each in turn.
    showAll(toShow);
    if (!toShow.isEmpty())
        toShow.last()->activateWindow();
    // The last shown notes go to the window system before the hidden ones
    // are made. A note deleted meanwhile stays out; one made meanwhile (by a
    // command from another start) comes after the loaded ones, as in the
    // book.
    if (!toShow.isEmpty() && toShow.size() < m_book.size())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QList<StickyWidget *> inOrder;
    inOrder.reserve(m_book.size());
    for (qsizetype i = 0; i < m_book.size(); ++i) {
        const int id = m_book.at(i).id;
        StickyWidget *window = m_windows.value(id);
        inOrder.append(window ? window : makeWindow(id, settings));
    }
    const QSet<StickyWidget *> ours(inOrder.cbegin(), inOrder.cend());
    stickyList.removeIf([&ours](StickyWidget *window) { return ours.contains(window); });
    stickyList += inOrder;
}

void NoteWindows::noteAdded(int id)
{
    StickyWidget *window = makeWindow(id, NoteSettings::read());
    stickyList.append(window);
    if (m_book.find(id)->visible)
        showSoon(window);
}

void NoteWindows::showSoon(StickyWidget *window)
{
    // Notes added one after the other (an import, a sync, a restore) come up
    // without taking the focus; showing many windows at once piles up
    // window-system and paint events that Qt compresses by scanning its
    // queues, so they are handled every few windows.
    window->showWithoutActivating();
    if (++m_shownThisTurn % 25 == 0)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (m_shownThisTurn == 1)
        QTimer::singleShot(0, this, [this] { m_shownThisTurn = 0; });
}

void NoteWindows::noteChanged(int id, NoteFields fields)
{
    if (StickyWidget *window = m_windows.value(id))
        window->noteChanged(fields);
}

void NoteWindows::noteRemoved(const Note &note)
{
    StickyWidget *window = m_windows.take(note.id);
    if (!window)
        return;
    stickyList.removeAll(window);
    window->detachFromBook(note);
    // The note may have asked for its own removal from inside one of its
    // slots (its context menu may still be unwinding): it goes at once from
    // view, and is destroyed when control is back in the event loop.
    window->hide();
    window->deleteLater();
}

void NoteWindows::showAll(const QList<StickyWidget *> &windows)
{
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows.at(i)->showWithoutActivating();
        if (i % 25 == 24)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}
