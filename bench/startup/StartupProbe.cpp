// Starts a program on $DISPLAY and prints, in milliseconds from its start, when
// its first top-level window was mapped and when that window was first painted:
//   startup_probe <program> [arguments...]
// The window system itself reports both moments (structure events on the root
// window, and a damage report on each new window), so any program can be
// measured the same way. The program is ended once it has painted.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Windows smaller than this are a toolkit's helpers, not the program's window.
constexpr int kMinSide = 100;
constexpr int kTimeoutMs = 20000;

struct Free {
    void operator()(void* p) const { std::free(p); }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_probe <program> [arguments...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "startup_probe: the display has no DAMAGE extension\n");
        return 1;
    }
    std::unique_ptr<xcb_damage_query_version_reply_t, Free> version(
        xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "startup_probe: cannot start %s\n", argv[1]);
        return 1;
    }

    std::set<xcb_window_t> created;
    xcb_window_t shown = XCB_NONE;
    double mapped = -1, painted = -1;
    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (painted < 0 && MsSince(start) < kTimeoutMs) {
        std::unique_ptr<xcb_generic_event_t, Free> event(xcb_poll_for_event(c));
        if (!event) {
            if (xcb_connection_has_error(c))
                break;
            poll(&pfd, 1, 100);
            continue;
        }
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* e = reinterpret_cast<xcb_create_notify_event_t*>(event.get());
            if (e->parent == root && !e->override_redirect) {
                // Watched from its creation, so that no paint comes too early to be seen.
                created.insert(e->window);
                xcb_damage_create(c, xcb_generate_id(c), e->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(c);
            }
        } else if (type == XCB_MAP_NOTIFY && shown == XCB_NONE) {
            const auto* e = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
            std::unique_ptr<xcb_get_geometry_reply_t, Free> g(
                xcb_get_geometry_reply(c, xcb_get_geometry(c, e->window), nullptr));
            if (created.count(e->window) && g && g->width >= kMinSide && g->height >= kMinSide) {
                mapped = MsSince(start);
                shown = e->window;
            }
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const auto* e = reinterpret_cast<xcb_damage_notify_event_t*>(event.get());
            if (shown != XCB_NONE && e->drawable == shown)
                painted = MsSince(start);
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(c);
    if (painted < 0) {
        std::fprintf(stderr, "startup_probe: %s showed no painted window\n", argv[1]);
        return 1;
    }
    std::printf("%.2f %.2f\n", mapped, painted);
    return 0;
}
