#include "xsession.h"

#include <QElapsedTimer>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

uint32_t supportingWindow(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t atom)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
    uint32_t window = 0;
    if (reply && xcb_get_property_value_length(reply) == 4)
        window = *static_cast<uint32_t *>(xcb_get_property_value(reply));
    free(reply);
    return window;
}

} // namespace

XSession::XSession()
    : m_server(std::make_unique<ChildProcess>()), m_windowManager(std::make_unique<ChildProcess>())
{
}

XSession::~XSession()
{
    m_windowManager->stop(3000);
    m_server->stop(3000);
}

bool XSession::start(const QStringList &environment, bool withWindowManager)
{
    // Xvfb picks a free display and writes its number to descriptor 3.
    int displayPipe[2];
    if (pipe2(displayPipe, O_CLOEXEC) != 0) {
        m_error = QStringLiteral("no pipe");
        return false;
    }
    const bool started = m_server->start(
        QStringLiteral("/usr/bin/Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("3"), QStringLiteral("-screen"),
         QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
         QStringLiteral("tcp"), QStringLiteral("-noreset")},
        environment, false, displayPipe[1]);
    close(displayPipe[1]);
    QByteArray number;
    pollfd readable{displayPipe[0], POLLIN, 0};
    while (started && !number.endsWith('\n') && poll(&readable, 1, 10000) > 0) {
        char buffer[16];
        const ssize_t got = read(displayPipe[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        number.append(buffer, got);
    }
    close(displayPipe[0]);
    if (!number.endsWith('\n')) {
        m_error = QStringLiteral("Xvfb did not start");
        return false;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    if (!withWindowManager)
        return true;

    QStringList windowManagerEnvironment = environment;
    windowManagerEnvironment.removeIf(
        [](const QString &entry) { return entry.startsWith(QLatin1String("DISPLAY=")); });
    windowManagerEnvironment.append(QStringLiteral("DISPLAY=") + m_display);
    if (!m_windowManager->start(QStringLiteral("/usr/bin/openbox"), {}, windowManagerEnvironment,
                                false)) {
        m_error = QStringLiteral("openbox did not start");
        return false;
    }
    return waitForWindowManager(15000);
}

bool XSession::waitForWindowManager(int timeoutMs)
{
    xcb_connection_t *connection = xcb_connect(qPrintable(m_display), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        m_error = QStringLiteral("cannot connect to ") + m_display;
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    static const char name[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    QElapsedTimer waited;
    waited.start();
    // Waiting before the measurement starts: a short poll costs nothing here.
    while (atom && !m_windowManagerWindow && waited.elapsed() < timeoutMs) {
        m_windowManagerWindow = supportingWindow(connection, root, atom->atom);
        if (!m_windowManagerWindow)
            QThread::msleep(50);
    }
    free(atom);
    xcb_disconnect(connection);
    if (!m_windowManagerWindow)
        m_error = QStringLiteral("openbox did not take over the screen");
    return m_windowManagerWindow != 0;
}
