#include "ui/selectallonfocus.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <utility>

void SelectAllOnFocus::install(QLineEdit *edit)
{
    edit->installEventFilter(new SelectAllOnFocus(edit));
}

SelectAllOnFocus::SelectAllOnFocus(QLineEdit *edit) : QObject(edit), m_edit(edit)
{
}

bool SelectAllOnFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::MouseFocusReason:
            m_selectAfterClick = true;
            break;
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            m_edit->selectAll();
            break;
        default: // back from a menu or another window: the user's selection stays
            break;
        }
        break;
    case QEvent::FocusOut:
        m_selectAfterClick = false;
        break;
    case QEvent::MouseButtonRelease:
        if (std::exchange(m_selectAfterClick, false) &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            // Queued: the line edit handles the release first.
            QMetaObject::invokeMethod(
                m_edit,
                [edit = m_edit] {
                    if (!edit->hasSelectedText())
                        edit->selectAll();
                },
                Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return false;
}
