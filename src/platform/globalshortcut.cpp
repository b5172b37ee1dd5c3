#include "platform/globalshortcut.h"

#include "base/tracing.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

struct FreeDeleter
{
    void operator()(void *pointer) const { std::free(pointer); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t *x11Connection()
{
    if (!GlobalShortcut::isSupported())
        return nullptr;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The server's key code table and modifier map, read afresh: the user may
// have switched keyboard layouts since the last key was grabbed.
X11Keys::KeyboardMapping readKeyboardMapping(xcb_connection_t *connection)
{
    X11Keys::KeyboardMapping mapping;
    const xcb_setup_t *setup = xcb_get_setup(connection);
    mapping.minKeycode = setup->min_keycode;
    const Reply<xcb_get_keyboard_mapping_reply_t> keys(xcb_get_keyboard_mapping_reply(
        connection,
        xcb_get_keyboard_mapping(connection, setup->min_keycode,
                                 std::uint8_t(setup->max_keycode - setup->min_keycode + 1)),
        nullptr));
    if (keys) {
        mapping.keysymsPerKeycode = keys->keysyms_per_keycode;
        const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(keys.get());
        const int count = xcb_get_keyboard_mapping_keysyms_length(keys.get());
        mapping.keysyms = QList<std::uint32_t>(symbols, symbols + count);
    }
    const Reply<xcb_get_modifier_mapping_reply_t> modifiers(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (modifiers) {
        mapping.keycodesPerModifier = modifiers->keycodes_per_modifier;
        const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(modifiers.get());
        const int count = xcb_get_modifier_mapping_keycodes_length(modifiers.get());
        mapping.modifierKeycodes = QList<std::uint8_t>(codes, codes + count);
    }
    return mapping;
}

} // namespace

GlobalShortcut::GlobalShortcut(QObject *parent) : QObject(parent)
{
}

GlobalShortcut::~GlobalShortcut()
{
    release();
    if (m_filterInstalled && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool GlobalShortcut::isSupported()
{
    return isSupportedOn(QGuiApplication::platformName(), qEnvironmentVariable("WAYLAND_DISPLAY"));
}

bool GlobalShortcut::isSupportedOn(const QString &platformName, const QString &waylandDisplay)
{
    return platformName == QLatin1String("xcb") && waylandDisplay.isEmpty();
}

GlobalShortcut::Result GlobalShortcut::setKeySequence(const QKeySequence &sequence)
{
    release();
    m_sequence = sequence;
    m_refusal = X11Keys::Refusal::None;
    if (sequence.isEmpty())
        return Result::Off;
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return Result::Unsupported;

    const X11Keys::KeyboardMapping mapping = readKeyboardMapping(connection);
    const X11Keys::Translation translation = X11Keys::translate(sequence, mapping);
    if (translation.refusal != X11Keys::Refusal::None) {
        m_refusal = translation.refusal;
        qCWarning(lcPlatform) << "GlobalShortcut: cannot grab" << sequence.toString();
        return Result::Unusable;
    }
    const std::uint16_t numLock = X11Keys::numLockMask(mapping);
    const xcb_window_t root = rootWindow(connection);
    QList<std::uint16_t> grabbed;
    // Checked one by one: a refusal (another client holds the key with one
    // of the lock states) must not be lost among the program's other
    // requests, and what was grabbed before it is given back.
    for (const std::uint16_t state : X11Keys::lockVariants(translation.grab.modifiers, numLock)) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(connection, 0, root, state, translation.grab.keycode,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        const Reply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
        if (error) {
            qCWarning(lcPlatform) << "GlobalShortcut:" << sequence.toString()
                                  << "is held by another program, X error" << error->error_code;
            for (const std::uint16_t done : std::as_const(grabbed))
                xcb_ungrab_key(connection, translation.grab.keycode, root, done);
            xcb_flush(connection);
            return Result::Taken;
        }
        grabbed.append(state);
    }
    m_grab = translation.grab;
    m_numLock = numLock;
    if (!m_filterInstalled) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filterInstalled = true;
    }
    qCDebug(lcPlatform) << "GlobalShortcut: grabbed" << sequence.toString() << "as key code"
                        << translation.grab.keycode << "modifiers" << translation.grab.modifiers;
    return Result::Active;
}

void GlobalShortcut::release()
{
    if (!m_grab)
        return;
    if (xcb_connection_t *connection = x11Connection()) {
        const xcb_window_t root = rootWindow(connection);
        for (const std::uint16_t state : X11Keys::lockVariants(m_grab->modifiers, m_numLock))
            xcb_ungrab_key(connection, m_grab->keycode, root, state);
        xcb_flush(connection);
    }
    m_grab.reset();
}

bool GlobalShortcut::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (!m_grab || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto *press = static_cast<const xcb_key_press_event_t *>(message);
    if (press->event == press->root &&
        X11Keys::matches(*m_grab, press->detail, press->state, m_numLock)) {
        qCDebug(lcPlatform) << "GlobalShortcut: pressed" << m_sequence.toString();
        // Queued, and the press left to Qt: Qt takes the press's time as the
        // time of the user's last action, which lets a window shown for it
        // take the focus.
        QMetaObject::invokeMethod(this, &GlobalShortcut::activated, Qt::QueuedConnection);
    }
    return false;
}
