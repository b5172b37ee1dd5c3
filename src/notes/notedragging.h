#pragma once

#include <QPoint>
#include <QString>

class QMouseEvent;
class QWidget;

// Moving and resizing a frameless note with the mouse: its header moves it,
// its bottom-right corner resizes it. Where the window system can do either
// (a window manager or compositor, which snaps and stops at panels as the
// user is used to, and under Wayland is the only way) it is handed over;
// otherwise the window follows the mouse itself.
class NoteDragging
{
public:
    // The mode the Parts name: "NONE", "MOVE" or "RESIZE_BR".
    QString mode() const { return m_mode; }

    void press(QWidget &window, const QMouseEvent &event);
    void move(QWidget &window, const QMouseEvent &event);
    void release(QWidget &window);

private:
    QString m_mode = QStringLiteral("NONE");
    QPoint m_pressPosition;
};
