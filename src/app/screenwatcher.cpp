#include "app/screenwatcher.h"

#include "base/tracing.h"

#include <QGuiApplication>
#include <QScreen>

ScreenWatcher::ScreenWatcher(std::function<void()> changed, QObject *parent)
    : QObject(parent), m_changed(std::move(changed))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(0);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        qCDebug(lcApp) << "ScreenWatcher: screens changed";
        m_changed();
    });
    auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!application)
        return;
    connect(application, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        watch(screen);
        m_settle.start();
    });
    connect(application, &QGuiApplication::screenRemoved, &m_settle, qOverload<>(&QTimer::start));
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens)
        watch(screen);
}

void ScreenWatcher::watch(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(screen, &QScreen::availableGeometryChanged, &m_settle, qOverload<>(&QTimer::start));
}
