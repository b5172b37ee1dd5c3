#include "widgets/trayicon.h"

#include "base/tracing.h"

#include <QCoreApplication>
#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>

TrayIcon::TrayIcon(const QPixmap &icon, const QString &toolTip, QMenu *popup, QObject *owner,
                   const char *name)
    : QObject(owner), popupMenu(popup), iconPixmap(icon), toolTipText(toolTip)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    if (iconPixmap.width() == 0 || iconPixmap.height() == 0) {
        iconPixmap = QPixmap(16, 16);
        iconPixmap.fill(Qt::transparent);
    }
}

TrayIcon::~TrayIcon()
{
    hide();
}

QString TrayIcon::shownToolTip(const QString &toolTip)
{
    return toolTip.left(kMaxToolTipLength);
}

namespace {
std::optional<bool> &trayAvailableOverride()
{
    static std::optional<bool> available;
    return available;
}
} // namespace

bool TrayIcon::isTrayAvailable()
{
    return trayAvailableOverride().value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void TrayIcon::setTrayAvailableForTesting(std::optional<bool> available)
{
    trayAvailableOverride() = available;
}

void TrayIcon::setIcon(const QPixmap &icon)
{
    iconPixmap = icon;
    if (trayBackend)
        trayBackend->setIcon(QIcon(iconPixmap));
}

void TrayIcon::setToolTip(const QString &toolTip)
{
    toolTipText = toolTip;
    if (trayBackend)
        trayBackend->setToolTip(shownToolTip(toolTipText));
}

bool TrayIcon::show()
{
    if (trayBackend)
        return true;
    qCDebug(lcWidgets) << "TrayIcon::show() - tray available:" << isTrayAvailable();
    trayBackend = new QSystemTrayIcon(QIcon(iconPixmap), this);
    trayBackend->setToolTip(shownToolTip(toolTipText));
    connect(trayBackend, &QSystemTrayIcon::activated, this, &TrayIcon::trayActivated);
    // Without a tray host this is harmless: Qt docks the icon as soon as a
    // host appears, and docks it again after a host restarts.
    trayBackend->show();
    return true;
}

bool TrayIcon::hide()
{
    if (trayBackend) {
        trayBackend->hide();
        delete std::exchange(trayBackend, nullptr);
    }
    return true;
}

void TrayIcon::newTrayOwner()
{
    hide();
    show();
}

void TrayIcon::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    qCDebug(lcWidgets) << "TrayIcon::trayActivated(" << reason << ")";
    // The tray reports a click once the button is released; a double click
    // follows the release of its first click.
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        sendMouseEvent(QEvent::MouseButtonRelease, Qt::LeftButton);
        break;
    case QSystemTrayIcon::Context:
        sendMouseEvent(QEvent::MouseButtonRelease, Qt::RightButton);
        break;
    case QSystemTrayIcon::MiddleClick:
        sendMouseEvent(QEvent::MouseButtonRelease, Qt::MiddleButton);
        break;
    case QSystemTrayIcon::DoubleClick:
        sendMouseEvent(QEvent::MouseButtonDblClick, Qt::LeftButton);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void TrayIcon::sendMouseEvent(QEvent::Type type, Qt::MouseButton button)
{
    const QPointF global = QCursor::pos();
    QMouseEvent mouseEvent(type, global, global, button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &mouseEvent);
}

bool TrayIcon::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        mouseMoveEvent(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonPress:
        mousePressEvent(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        mouseReleaseEvent(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        mouseDoubleClickEvent(static_cast<QMouseEvent *>(event));
        return true;
    default:
        return QObject::event(event);
    }
}

void TrayIcon::mouseMoveEvent(QMouseEvent *event)
{
    event->ignore();
}

void TrayIcon::mousePressEvent(QMouseEvent *event)
{
    event->ignore();
}

void TrayIcon::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    switch (event->button()) {
    case Qt::RightButton:
        if (popupMenu) {
            popupMenu->activateWindow();
            popupMenu->popup(global);
            popupMenu->activateWindow();
        }
        break;
    case Qt::LeftButton:
        emit newNoteRequested();
        break;
    case Qt::MiddleButton:
        emit clicked(global, int(Qt::MiddleButton));
        break;
    default:
        break;
    }
    event->ignore();
}

void TrayIcon::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(event->globalPosition().toPoint());
    event->accept();
}
