#pragma once

#include "platform/x11keys.h"

#include <QAbstractNativeEventFilter>
#include <QKeySequence>
#include <QObject>

#include <optional>

// A key that reaches the program whatever window has the focus: on X11 the
// key is grabbed on the root window, and its presses come in through the
// application's native event filter. Other platforms (Wayland) let no
// program take a key for itself: there the desktop's own shortcut settings
// start the program with a command instead.
class GlobalShortcut : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    enum class Result
    {
        Off,        // no key asked for: nothing grabbed
        Active,     // the key is ours until changed or switched off
        Taken,      // another program holds the key
        Unusable,   // the key cannot be grabbed (see refusal())
        Unsupported // this platform offers no global keys
    };

    explicit GlobalShortcut(QObject *parent = nullptr);
    ~GlobalShortcut() override;

    // Whether global keys can be had here: an X11 display, outside a
    // Wayland session (whose X server sees keys only while one of its own
    // windows has the focus).
    static bool isSupported();
    static bool isSupportedOn(const QString &platformName, const QString &waylandDisplay);

    // Lets go of the key held so far and grabs `sequence` (empty: none).
    Result setKeySequence(const QKeySequence &sequence);
    QKeySequence keySequence() const { return m_sequence; }
    // Why the last key was Unusable.
    X11Keys::Refusal refusal() const { return m_refusal; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    // The key was pressed; delivered from the event loop, after the press.
    void activated();

private:
    void release();

    QKeySequence m_sequence;
    X11Keys::Refusal m_refusal = X11Keys::Refusal::None;
    std::optional<X11Keys::KeyGrab> m_grab;
    std::uint16_t m_numLock = 0;
    bool m_filterInstalled = false;
};
