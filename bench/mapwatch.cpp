// Starts a program and prints the milliseconds from just before its exec to the moment its
// top-level window titled TITLE is mapped on the X display; then ends the program (SIGTERM) and
// waits for it. The display is watched through X events, so nothing polls while the program
// starts.
//   usage: mapwatch TITLE PROGRAM [ARGS...]
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string title(xcb_connection_t *c, xcb_window_t w, xcb_atom_t netName, xcb_atom_t utf8)
{
    for (const auto &[property, type] : {std::pair{netName, utf8}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_STRING)}}) {
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1024), nullptr), &std::free);
        if (reply && xcb_get_property_value_length(reply.get()) > 0)
            return std::string(static_cast<const char *>(xcb_get_property_value(reply.get())),
                               std::size_t(xcb_get_property_value_length(reply.get())));
    }
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: mapwatch TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::string wanted = argv[1];
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "mapwatch: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    xcb_flush(c);

    const double started = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    // A window is watched from its creation; one already mapped when the watch starts counts too.
    const auto mappedWithTitle = [&](xcb_window_t w) { return title(c, w, netName, utf8) == wanted; };
    double mappedAt = -1;
    while (mappedAt < 0) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_wait_for_event(c), &std::free);
        if (!event)
            break;
        switch (event->response_type & 0x7f) {
        case XCB_CREATE_NOTIFY: {
            const auto *e = reinterpret_cast<xcb_create_notify_event_t *>(event.get());
            const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
            xcb_change_window_attributes(c, e->window, XCB_CW_EVENT_MASK, &mask);
            std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
                xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, e->window), nullptr), &std::free);
            if (attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED && mappedWithTitle(e->window))
                mappedAt = nowMs();
            break;
        }
        case XCB_MAP_NOTIFY: {
            const auto *e = reinterpret_cast<xcb_map_notify_event_t *>(event.get());
            if (mappedWithTitle(e->window))
                mappedAt = nowMs();
            break;
        }
        default:
            break;
        }
    }
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    xcb_disconnect(c);
    if (mappedAt < 0) {
        std::fprintf(stderr, "mapwatch: no window titled %s\n", wanted.c_str());
        return 1;
    }
    std::printf("%.2f\n", mappedAt - started);
    return 0;
}
