#include "startupwatch.h"

#include "childprocess.h"

#include <QElapsedTimer>

#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {
// The line the main window writes when its constructor has run through.
constexpr char kConstructedLine[] = "MainWindow( constructor ) - end";
} // namespace

StartupWatch::~StartupWatch()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool StartupWatch::connectTo(const QString &display, uint32_t windowManagerWindow)
{
    m_connection = xcb_connect(qPrintable(display), nullptr);
    if (xcb_connection_has_error(m_connection))
        return false;
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    m_root = xcb_setup_roots_iterator(setup).data->root;
    m_clientMask = ~setup->resource_id_mask;
    m_ownClient = setup->resource_id_base & m_clientMask;
    m_windowManagerClient = windowManagerWindow ? (windowManagerWindow & m_clientMask) : 0;

    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    // The frames a window manager made before are known from the start.
    xcb_query_tree_reply_t *tree =
        xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr);
    if (tree) {
        const xcb_window_t *children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i)
            m_rootChildren.insert(children[i]);
        free(tree);
    }
    return true;
}

bool StartupWatch::isOwnedByOthers(uint32_t window) const
{
    const uint32_t client = window & m_clientMask;
    return client != m_ownClient && (m_windowManagerClient == 0 || client != m_windowManagerClient);
}

void StartupWatch::windowCreated(uint32_t window, uint32_t parent, bool overrideRedirect)
{
    if (parent != m_root)
        return;
    m_rootChildren.insert(window);
    if (overrideRedirect || !isOwnedByOthers(window))
        return;
    m_programWindows.insert(window, ProgramWindow{parent, false, false});
    // Its own map and reparent events follow it into a window manager's frame.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
    // It may have been mapped before the selection took effect: ask once.
    xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
    if (attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED) {
        m_programWindows[window].mapped = true;
        reevaluate(window);
    }
    free(attributes);
}

void StartupWatch::reevaluate(uint32_t window)
{
    const auto found = m_programWindows.find(window);
    if (found == m_programWindows.end())
        return;
    bool onScreen = false;
    if (found->mapped) {
        if (found->parent == m_root) {
            onScreen = true;
        } else if (m_rootChildren.contains(found->parent)) {
            onScreen = m_mappedRootChildren.contains(found->parent);
        } else {
            // Nested deeper than one frame: ask the server this once.
            xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
                m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
            onScreen = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            free(attributes);
        }
    }
    if (onScreen != found->onScreen) {
        found->onScreen = onScreen;
        m_onScreen += onScreen ? 1 : -1;
    }
}

void StartupWatch::reevaluateChildrenOf(uint32_t parent)
{
    for (auto it = m_programWindows.cbegin(); it != m_programWindows.cend(); ++it) {
        if (it->parent == parent)
            reevaluate(it.key());
    }
}

void StartupWatch::handleEvent(const void *event)
{
    const auto *generic = static_cast<const xcb_generic_event_t *>(event);
    switch (generic->response_type & ~0x80) {
    case XCB_CREATE_NOTIFY: {
        const auto *created = static_cast<const xcb_create_notify_event_t *>(event);
        windowCreated(created->window, created->parent, created->override_redirect);
        break;
    }
    case XCB_MAP_NOTIFY: {
        const auto *mapped = static_cast<const xcb_map_notify_event_t *>(event);
        if (m_rootChildren.contains(mapped->window) &&
            !m_mappedRootChildren.contains(mapped->window)) {
            m_mappedRootChildren.insert(mapped->window);
            reevaluateChildrenOf(mapped->window);
        }
        if (const auto found = m_programWindows.find(mapped->window);
            found != m_programWindows.end()) {
            found->mapped = true;
            reevaluate(mapped->window);
        }
        break;
    }
    case XCB_UNMAP_NOTIFY: {
        const auto *unmapped = static_cast<const xcb_unmap_notify_event_t *>(event);
        if (m_mappedRootChildren.remove(unmapped->window))
            reevaluateChildrenOf(unmapped->window);
        if (const auto found = m_programWindows.find(unmapped->window);
            found != m_programWindows.end()) {
            found->mapped = false;
            reevaluate(unmapped->window);
        }
        break;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto *reparented = static_cast<const xcb_reparent_notify_event_t *>(event);
        if (reparented->parent == m_root)
            m_rootChildren.insert(reparented->window);
        else
            m_rootChildren.remove(reparented->window);
        if (const auto found = m_programWindows.find(reparented->window);
            found != m_programWindows.end()) {
            found->parent = reparented->parent;
            reevaluate(reparented->window);
        }
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto *destroyed = static_cast<const xcb_destroy_notify_event_t *>(event);
        m_rootChildren.remove(destroyed->window);
        m_mappedRootChildren.remove(destroyed->window);
        if (const auto found = m_programWindows.find(destroyed->window);
            found != m_programWindows.end()) {
            if (found->onScreen)
                --m_onScreen;
            m_programWindows.erase(found);
        }
        break;
    }
    default:
        break;
    }
}

bool StartupWatch::readProgramOutput(int descriptor)
{
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(descriptor, buffer, sizeof buffer)) > 0)
        m_output.append(buffer, got);
    if (!m_constructed && m_output.contains(kConstructedLine))
        m_constructed = true;
    // Only the unfinished last line is kept for the next read.
    const qsizetype lineEnd = m_output.lastIndexOf('\n');
    if (lineEnd >= 0)
        m_output.remove(0, lineEnd + 1);
    return got != 0; // 0: the program closed its end
}

StartupWatch::Outcome StartupWatch::waitForWindows(ChildProcess &program, int windowCount,
                                                   const QElapsedTimer &clock, int timeoutMs)
{
    Outcome outcome;
    xcb_flush(m_connection);
    int errorDescriptor = program.stderrDescriptor();
    while (clock.elapsed() < timeoutMs) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            handleEvent(event);
            free(event);
        }
        if (xcb_connection_has_error(m_connection))
            break;
        if (m_onScreen >= windowCount && outcome.mappedMs < 0 && windowCount > 0)
            outcome.mappedMs = clock.nsecsElapsed() / 1e6;
        if (m_constructed && outcome.constructedMs < 0)
            outcome.constructedMs = clock.nsecsElapsed() / 1e6;
        if (outcome.constructedMs >= 0 && (windowCount == 0 || outcome.mappedMs >= 0)) {
            outcome.complete = true;
            break;
        }
        pollfd sources[2] = {{xcb_get_file_descriptor(m_connection), POLLIN, 0},
                             {errorDescriptor, POLLIN, 0}};
        poll(sources, errorDescriptor >= 0 ? 2 : 1, 100);
        if (errorDescriptor >= 0 && (sources[1].revents & (POLLIN | POLLHUP)) &&
            !readProgramOutput(errorDescriptor))
            errorDescriptor = -1;
        if (!program.isRunning())
            break;
    }
    outcome.windowsMapped = m_onScreen;
    return outcome;
}
