#include "notes/notedragging.h"

#include "base/tracing.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {
const QString kModeNone = QStringLiteral("NONE");
const QString kModeMove = QStringLiteral("MOVE");
const QString kModeResize = QStringLiteral("RESIZE_BR");
// The corner that resizes the note.
constexpr int kGripArea = 16;
} // namespace

void NoteDragging::press(QWidget &window, const QMouseEvent &event)
{
    if (event.button() != Qt::LeftButton)
        return;
    const QPoint position = event.position().toPoint();
    const bool resizing =
        window.width() - position.x() <= kGripArea && window.height() - position.y() <= kGripArea;
    if (QWindow *handle = window.windowHandle()) {
        const bool handedOver = resizing ? handle->startSystemResize(Qt::RightEdge | Qt::BottomEdge)
                                         : handle->startSystemMove();
        if (handedOver) {
            qCDebug(lcNotes) << "   +-- moved by the window system";
            m_mode = kModeNone;
            return;
        }
    }
    m_mode = resizing ? kModeResize : kModeMove;
    window.setCursor(resizing ? Qt::SizeFDiagCursor : Qt::PointingHandCursor);
    m_pressPosition = position;
}

void NoteDragging::move(QWidget &window, const QMouseEvent &event)
{
    if (m_mode == kModeNone)
        return;
    if (m_mode == kModeMove) {
        window.move(event.globalPosition().toPoint() - m_pressPosition);
        return;
    }
    const QPoint position = event.position().toPoint();
    if (position.x() > window.minimumWidth())
        window.resize(window.width() + position.x() - m_pressPosition.x(), window.height());
    if (position.y() > window.minimumHeight())
        window.resize(window.width(), window.height() + position.y() - m_pressPosition.y());
    m_pressPosition = position;
}

void NoteDragging::release(QWidget &window)
{
    m_mode = kModeNone;
    window.setCursor(Qt::ArrowCursor);
}
