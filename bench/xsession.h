#pragma once

#include "childprocess.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

// A fresh X server (Xvfb) on a display of its own choosing, with the openbox
// window manager when asked. Both are stopped by their process ids when the
// session ends.
class XSession
{
public:
    XSession();
    ~XSession();

    // `environment` is the one openbox runs with (its home and XDG folders);
    // DISPLAY is added.
    bool start(const QStringList &environment, bool withWindowManager);
    QString display() const { return m_display; }
    // The window through which the window manager announces itself
    // (_NET_SUPPORTING_WM_CHECK); 0 without one.
    uint32_t windowManagerWindow() const { return m_windowManagerWindow; }
    CpuSample serverCpuSample() const { return m_server->cpuSample(); }
    // Zero without a window manager.
    CpuSample windowManagerCpuSample() const
    {
        return m_windowManagerWindow ? m_windowManager->cpuSample() : CpuSample();
    }
    QString errorString() const { return m_error; }

private:
    bool waitForWindowManager(int timeoutMs);

    std::unique_ptr<ChildProcess> m_server;
    std::unique_ptr<ChildProcess> m_windowManager;
    QString m_display;
    uint32_t m_windowManagerWindow = 0;
    QString m_error;
};
