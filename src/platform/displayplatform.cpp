#include "platform/displayplatform.h"

#include <QtGlobal>

namespace DisplayPlatform {

Session currentSession()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"),
            qgetenv("XDG_SESSION_TYPE")};
}

QByteArray platformFor(const Session &session)
{
    if (!session.chosenPlatform.trimmed().isEmpty() || session.x11Display.isEmpty())
        return {};
    const bool wayland = !session.waylandDisplay.isEmpty() ||
                         session.sessionType.trimmed().toLower() == QByteArrayLiteral("wayland");
    // Wayland stays the fall-back should XWayland refuse the connection.
    return wayland ? QByteArrayLiteral("xcb;wayland") : QByteArray();
}

QByteArray chooseForThisSession()
{
    const QByteArray platform = platformFor(currentSession());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    return platform;
}

bool reportsWindowPositions(const QString &platformName)
{
    return !platformName.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive);
}

} // namespace DisplayPlatform
