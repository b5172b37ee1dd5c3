#pragma once

#include <QByteArray>
#include <QString>

// Which of Qt's window-system platforms the program runs on. A Wayland
// session lets no program place its own windows, and a note that cannot be
// put back where it was is a note the user has to find again; most Wayland
// desktops also run XWayland, where notes keep their places.
namespace DisplayPlatform {

// The environment that decides the choice.
struct Session
{
    QByteArray chosenPlatform; // QT_QPA_PLATFORM: the user's own choice wins
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray x11Display;     // DISPLAY: XWayland's, in a Wayland session
    QByteArray sessionType;    // XDG_SESSION_TYPE
};

// The session of this process.
Session currentSession();

// The platform to ask Qt for, or empty to leave the choice to Qt: XWayland
// ("xcb", then "wayland" should it fail) in a Wayland session that offers it,
// unless the user chose a platform.
QByteArray platformFor(const Session &session);

// Sets QT_QPA_PLATFORM for the session of this process; call before the
// application object is made. Returns the platform set, or empty.
QByteArray chooseForThisSession();

// Whether windows on the Qt platform `platformName` report where they are.
// Wayland's do not: every window says it lies at (0,0).
bool reportsWindowPositions(const QString &platformName);

} // namespace DisplayPlatform
