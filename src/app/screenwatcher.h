#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QScreen;

// Calls `changed` once after screens were added, removed or resized (a
// monitor unplugged, a resolution changed, a panel moved); bursts of such
// events give one call.
class ScreenWatcher : public QObject
{
    Q_OBJECT

public:
    ScreenWatcher(std::function<void()> changed, QObject *parent = nullptr);

private:
    void watch(QScreen *screen);

    std::function<void()> m_changed;
    QTimer m_settle;
};
