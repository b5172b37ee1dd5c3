#include "panel/notelistarea.h"

#include "base/tracing.h"
#include "model/notebook.h"
#include "panel/notesearchbar.h"
#include "panel/tablewidget.h"

#include <QTimer>

NoteListArea::NoteListArea(NoteBook &book, NoteSearchBar &searchBar, QWidget *parent)
    : QScrollArea(parent), m_book(book), m_searchBar(searchBar)
{
    QPalette white = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        white.setColor(group, QPalette::Window, Qt::white);
    setPalette(white);
    setWidgetResizable(true);
    connect(&book, &NoteBook::reset, this, &NoteListArea::rebuild);
    connect(&book, &NoteBook::noteAdded, this, &NoteListArea::notesCameOrWent);
    connect(&book, &NoteBook::noteRemoved, this, &NoteListArea::notesCameOrWent);
    connect(&searchBar, &NoteSearchBar::queryChanged, this, &NoteListArea::applyFilter);
    connect(&searchBar, &NoteSearchBar::searchStarting, this, [this] {
        if (m_list)
            m_list->prepareFilter();
    });
}

void NoteListArea::notesCameOrWent()
{
    // A batch (an import, a sync) gives one list at its end, not one a note.
    if (!m_book.isApplyingBatch()) {
        rebuild();
        return;
    }
    if (std::exchange(m_rebuildQueued, true))
        return;
    QTimer::singleShot(0, this, [this] {
        m_rebuildQueued = false;
        rebuild();
    });
}

void NoteListArea::rebuild()
{
    if (!isVisible()) {
        m_outdated = true;
        // The old list must not outlive a note it points to.
        if (QWidget *old = takeWidget())
            old->deleteLater();
        m_list = nullptr;
        qCDebug(lcPanel) << "NoteListArea::rebuild() - when the control panel is shown";
        return;
    }
    m_outdated = false;
    auto *list = new TableWidget(&m_book, this);
    // Filtered before it is shown, so rows that do not match never show.
    connect(list, &TableWidget::shownCountChanged, this,
            [this, list](int shown) { m_searchBar.setCounts(shown, list->noteCount()); });
    qCDebug(lcPanel) << "NoteListArea::rebuild() - new list";
    m_list = list;
    applyFilter();
    // A row's own menu may have asked for this (deleting its note): the old
    // list goes once that menu has returned, not under its feet.
    if (QWidget *old = takeWidget())
        old->deleteLater();
    setWidget(list);
    list->show();
}

void NoteListArea::applyFilter()
{
    if (m_list)
        m_searchBar.setCounts(m_list->applyFilter(m_searchBar.query()), m_list->noteCount());
}

void NoteListArea::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    if (m_outdated)
        rebuild();
}
