#pragma once

class QWidget;

// Whether a window is listed by task bars. Qt's tool window type keeps a
// window off the Windows task bar, but on X11 task bars go by the EWMH state
// _NET_WM_STATE_SKIP_TASKBAR, which Qt does not set for tool windows.
namespace TaskbarHint {

// Sets or clears the state on the window's native window. Call it while the
// window is being shown (before it is mapped) and after every change of the
// tool type; it does nothing on other platforms or without a native window.
void apply(QWidget *window, bool skipTaskbar);

} // namespace TaskbarHint
