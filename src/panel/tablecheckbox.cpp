#include "panel/tablecheckbox.h"

#include "base/tracing.h"
#include "notes/notenames.h"
#include "notes/stickywidget.h"

#include <QSignalBlocker>

TableCheckBox::TableCheckBox(StickyWidget *stickyWidget, QWidget *parent)
    : QCheckBox(parent), m_stickyWidget(stickyWidget)
{
    // As updateCheckBox(), without its trace lines: the list makes dozens
    // of these at a time as it scrolls.
    showNoteVisibility();
    connect(this, &QCheckBox::toggled, this, &TableCheckBox::toggleSticky);
}

void TableCheckBox::setStickyWidget(StickyWidget *stickyWidget)
{
    m_stickyWidget = stickyWidget;
    // Not a click: the note keeps its visibility.
    const QSignalBlocker quiet(this);
    showNoteVisibility();
}

void TableCheckBox::updateCheckBox()
{
    qCDebug(lcPanel) << "TableCheckBox::updateCheckBox()";
    showNoteVisibility();
    qCDebug(lcPanel) << "TableCheckBox::updateCheckBox() - end";
}

void TableCheckBox::showNoteVisibility()
{
    setChecked(m_stickyWidget && m_stickyWidget->isVisible());
    setAccessibleName(m_stickyWidget ? NoteNames::shownCell(m_stickyWidget->summaryText())
                                     : QString());
}

void TableCheckBox::toggleSticky(bool i_state)
{
    qCDebug(lcPanel) << "TableCheckBox::toggleSticky(" << i_state << ")";
    if (m_stickyWidget)
        m_stickyWidget->setVisible(i_state);
    qCDebug(lcPanel) << "TableCheckBox::toggleSticky() - END";
}
