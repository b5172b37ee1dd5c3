#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <cstdint>

class ChildProcess;
class QElapsedTimer;
struct xcb_connection_t;

// Watches an X server for the top-level windows of one starting program and
// tells when a given number of them is on screen. It learns everything from
// X events (SubstructureNotify on the root window, StructureNotify on each of
// the program's windows) instead of asking the server again and again, which
// would slow down the very server it measures.
//
// A window of the program counts as on screen when it is mapped and so is
// the frame a window manager put it in. Windows of the window manager and of
// the watch itself are told apart by the client part of their ids.
class StartupWatch
{
public:
    struct Outcome
    {
        bool complete = false;
        int windowsMapped = 0;
        double mappedMs = -1;      // when the last awaited window came on screen
        double constructedMs = -1; // when the program reported its main window built
    };

    StartupWatch() = default;
    StartupWatch(const StartupWatch &) = delete;
    StartupWatch &operator=(const StartupWatch &) = delete;
    ~StartupWatch();

    // Connects and starts listening; call before the program is launched.
    bool connectTo(const QString &display, uint32_t windowManagerWindow);

    // Waits until `windowCount` windows of the program are on screen and its
    // main window reported the end of its constructor on standard error (with
    // `windowCount` 0 only the latter), the program ends or `timeoutMs`
    // passes. Times are read from `clock`, started at the launch.
    Outcome waitForWindows(ChildProcess &program, int windowCount, const QElapsedTimer &clock,
                           int timeoutMs);

private:
    struct ProgramWindow
    {
        uint32_t parent = 0;
        bool mapped = false;
        bool onScreen = false;
    };

    void handleEvent(const void *event);
    void windowCreated(uint32_t window, uint32_t parent, bool overrideRedirect);
    void reevaluate(uint32_t window);
    void reevaluateChildrenOf(uint32_t parent);
    bool isOwnedByOthers(uint32_t window) const;
    bool readProgramOutput(int descriptor);

    xcb_connection_t *m_connection = nullptr;
    uint32_t m_root = 0;
    uint32_t m_clientMask = 0;
    uint32_t m_ownClient = 0;
    uint32_t m_windowManagerClient = 0;
    QHash<uint32_t, ProgramWindow> m_programWindows;
    QSet<uint32_t> m_rootChildren;
    QSet<uint32_t> m_mappedRootChildren;
    int m_onScreen = 0;
    QByteArray m_output;
    bool m_constructed = false;
};
