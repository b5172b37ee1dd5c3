#include "panel/tablecheckbox.h"

#include "base/tracing.h"
#include "notes/stickywidget.h"

TableCheckBox::TableCheckBox(StickyWidget *stickyWidget, QWidget *parent)
    : QCheckBox(parent), m_stickyWidget(stickyWidget)
{
    updateCheckBox();
    connect(this, &QCheckBox::toggled, this, &TableCheckBox::toggleSticky);
}

void TableCheckBox::updateCheckBox()
{
    qCDebug(lcPanel) << "TableCheckBox::updateCheckBox()";
    setChecked(m_stickyWidget && m_stickyWidget->isVisible());
    qCDebug(lcPanel) << "TableCheckBox::updateCheckBox() - end";
}

void TableCheckBox::toggleSticky(bool i_state)
{
    qCDebug(lcPanel) << "TableCheckBox::toggleSticky(" << i_state << ")";
    if (m_stickyWidget)
        m_stickyWidget->setVisible(i_state);
    qCDebug(lcPanel) << "TableCheckBox::toggleSticky() - END";
}
