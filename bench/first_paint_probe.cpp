// first-paint-probe: starts a program on an X display and reports how long it took until its
// window was first painted whole, and the program's peak memory up to then.
//
//   first-paint-probe [--verbose] [--settle-ms N] [--timeout-ms N] PROGRAM [ARGUMENT...]
//
// Prints one line, "first_paint_ms=<ms> peak_rss_kb=<kB> cpu_ms=<ms>", and exits 0; exits 1 on
// failure. cpu_ms is the processor time (user and system) the program used until it was ended:
// unlike the time to first paint, it hardly grows when other work shares the processors.
// --verbose also lists the map, configure and damage events it saw, with their times.
//
// The program is measured from outside, as a whole process, without any help from it: the
// probe watches the root window of the display with the X DAMAGE extension, which reports
// every area the server draws. The clock starts just before the program is started. When the
// program maps a top-level window, the probe samples that window on a 32 x 32 grid of points;
// the first paint is complete once drawing reported after the map (or after the window's last
// move or resize) has covered at least 90 % of those points. The probe then waits --settle-ms
// (default 100) so that work done straight after the first paint counts too, ends the program
// with SIGTERM and reads its peak resident set size from the kernel (ru_maxrss).
//
// Use it on a display of its own (Xvfb) where nothing else draws.

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kGrid = 32;
constexpr int kCoveredPercent = 90;

// Which sample points of the watched window have been drawn since it took its current shape.
class PaintCoverage
{
public:
    void reset(int x, int y, int width, int height)
    {
        m_x = x;
        m_y = y;
        m_width = width;
        m_height = height;
        m_covered.fill(false);
        m_count = 0;
    }

    void add(const xcb_rectangle_t &area)
    {
        for (int row = 0; row < kGrid; ++row) {
            const int py = m_y + (2 * row + 1) * m_height / (2 * kGrid);
            if (py < area.y || py >= area.y + area.height) {
                continue;
            }
            for (int column = 0; column < kGrid; ++column) {
                const int px = m_x + (2 * column + 1) * m_width / (2 * kGrid);
                bool &covered = m_covered[static_cast<std::size_t>(row * kGrid + column)];
                if (!covered && px >= area.x && px < area.x + area.width) {
                    covered = true;
                    ++m_count;
                }
            }
        }
    }

    bool complete() const { return m_count * 100 >= kCoveredPercent * kGrid * kGrid; }

private:
    int m_x = 0, m_y = 0, m_width = 0, m_height = 0;
    std::array<bool, kGrid * kGrid> m_covered{};
    int m_count = 0;
};

struct Options
{
    bool verbose = false;
    int settleMs = 100;
    int timeoutMs = 20000;
    char **program = nullptr;
};

bool parseOptions(int argc, char **argv, Options &options)
{
    int i = 1;
    for (; i < argc && std::string(argv[i]) == "--verbose"; ++i) {
        options.verbose = true;
    }
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        const std::string name = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (name == "--settle-ms") {
            options.settleMs = value;
        } else if (name == "--timeout-ms") {
            options.timeoutMs = value;
        } else {
            return false;
        }
    }
    if (i >= argc) {
        return false;
    }
    options.program = argv + i;
    return true;
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool hasExited(pid_t child)
{
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == child;
}

// Waits for the next X event, at most until `deadline`; nullptr on time-out, on a lost display
// or when the program has ended.
xcb_generic_event_t *nextEvent(xcb_connection_t *connection, pid_t child,
                               Clock::time_point deadline)
{
    constexpr long kSliceMs = 50; // how often an ended program is noticed
    for (;;) {
        if (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            return event;
        }
        if (xcb_connection_has_error(connection)) {
            return nullptr;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || hasExited(child)) {
            return nullptr;
        }
        pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&descriptor, 1, static_cast<int>(std::min<long>(left.count(), kSliceMs)));
    }
}

void logEvent(const xcb_generic_event_t *event, int damageEvent, double ms)
{
    const int type = event->response_type & 0x7f;
    if (type == XCB_MAP_NOTIFY) {
        const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event);
        std::fprintf(stderr, "%8.2f ms  map 0x%x%s\n", ms, map->window,
                     map->override_redirect ? " (override-redirect)" : "");
    } else if (type == XCB_CONFIGURE_NOTIFY) {
        const auto *c = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
        std::fprintf(stderr, "%8.2f ms  configure 0x%x %dx%d+%d+%d\n", ms, c->window, c->width,
                     c->height, c->x, c->y);
    } else if (type == damageEvent + XCB_DAMAGE_NOTIFY) {
        const xcb_rectangle_t &a = reinterpret_cast<const xcb_damage_notify_event_t *>(event)->area;
        std::fprintf(stderr, "%8.2f ms  damage %dx%d+%d+%d\n", ms, a.width, a.height, a.x, a.y);
    }
}

// Starts the program; the clock is read by the caller just before.
pid_t launch(char **program)
{
    const pid_t child = fork();
    if (child == 0) {
        execvp(program[0], program);
        std::fprintf(stderr, "first-paint-probe: cannot start %s: %s\n", program[0],
                     std::strerror(errno));
        _exit(127);
    }
    return child;
}

struct Usage
{
    long peakKb = 0;
    double cpuMs = 0;
};

// Ends the program and returns its peak resident set size and the processor time it used.
Usage stopAndMeasure(pid_t child)
{
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const auto ms = [](const timeval &t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return {usage.ru_maxrss, ms(usage.ru_utime) + ms(usage.ru_stime)};
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(
            stderr, "usage: first-paint-probe [--verbose] [--settle-ms N] [--timeout-ms N] PROGRAM "
                    "[ARG...]\n");
        return 1;
    }
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "first-paint-probe: cannot open the X display\n");
        return 1;
    }
    const xcb_query_extension_reply_t *damageExtension =
        xcb_get_extension_data(connection, &xcb_damage_id);
    if (damageExtension == nullptr || !damageExtension->present) {
        std::fprintf(stderr, "first-paint-probe: the display has no DAMAGE extension\n");
        return 1;
    }
    free(xcb_damage_query_version_reply(
        connection, xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, 0), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t rootEvents[] = {XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, rootEvents);
    xcb_damage_create(connection, xcb_generate_id(connection), root,
                      XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(connection);

    const Clock::time_point start = Clock::now();
    const pid_t child = launch(options.program);
    const Clock::time_point deadline = start + std::chrono::milliseconds(options.timeoutMs);

    xcb_window_t watched = XCB_NONE;
    PaintCoverage coverage;
    double firstPaintMs = -1;
    while (firstPaintMs < 0) {
        std::unique_ptr<xcb_generic_event_t, decltype(&free)> event(
            nextEvent(connection, child, deadline), &free);
        if (!event) {
            break;
        }
        const int type = event->response_type & 0x7f;
        if (options.verbose) {
            logEvent(event.get(), damageExtension->first_event, millisecondsSince(start));
        }
        if (type == XCB_MAP_NOTIFY) {
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event.get());
            if (watched == XCB_NONE && !map->override_redirect) {
                watched = map->window;
                std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> geometry(
                    xcb_get_geometry_reply(connection, xcb_get_geometry(connection, watched),
                                           nullptr),
                    &free);
                if (geometry) {
                    coverage.reset(geometry->x, geometry->y, geometry->width, geometry->height);
                }
            }
        } else if (type == XCB_CONFIGURE_NOTIFY) {
            const auto *configure = reinterpret_cast<xcb_configure_notify_event_t *>(event.get());
            if (configure->window == watched) {
                coverage.reset(configure->x, configure->y, configure->width, configure->height);
            }
        } else if (type == damageExtension->first_event + XCB_DAMAGE_NOTIFY &&
                   watched != XCB_NONE) {
            coverage.add(reinterpret_cast<xcb_damage_notify_event_t *>(event.get())->area);
            if (coverage.complete()) {
                firstPaintMs = millisecondsSince(start);
            }
        }
    }
    if (firstPaintMs >= 0) {
        usleep(static_cast<useconds_t>(options.settleMs) * 1000);
    }
    const Usage usage = stopAndMeasure(child);
    xcb_disconnect(connection);
    if (firstPaintMs < 0) {
        std::fprintf(
            stderr, "first-paint-probe: no painted window (time-out %d ms, or the program ended)\n",
            options.timeoutMs);
        return 1;
    }
    std::printf("first_paint_ms=%.2f peak_rss_kb=%ld cpu_ms=%.1f\n", firstPaintMs, usage.peakKb,
                usage.cpuMs);
    return 0;
}
