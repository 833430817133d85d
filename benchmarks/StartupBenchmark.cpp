// Start-up time: from starting a program to its main window being mapped on the X display, watched
// through the X server's own notifications (no polling). Wakelatch and the minimal Qt tray program built
// beside it run in turn; the median of each over the runs is printed, with their ratio.
//   build/benchmarks/wakelatch_startup_benchmark build/wakelatch build/benchmarks/minimal_tray_program [RUNS]
#include <xcb/xcb.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string WindowName(xcb_connection_t* connection, xcb_window_t window) {
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply) {
        return {};
    }
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

// Milliseconds from the start of `program` to the mapping of its window titled `title`; -1 when that
// window did not come within 20 s. The program is ended (SIGTERM) and reaped afterwards.
double TimeToWindow(xcb_connection_t* connection, const std::string& program, const std::string& title) {
    char* const arguments[] = {const_cast<char*>(program.c_str()), nullptr};
    const auto started = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, arguments, environ) != 0) {
        return -1;
    }
    double elapsed = -1;
    while (Clock::now() - started < std::chrono::seconds(20)) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_wait_for_event(connection),
                                                                         &std::free);
        if (!event) {
            break;
        }
        if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY) {
            continue;
        }
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        if (WindowName(connection, map->window) == title) {
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
            break;
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s WAKELATCH MINIMAL_TRAY_PROGRAM [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;
    // A fresh account of its own, kept over the runs: the first start's one-time work (help file,
    // folders) happens in the warm-up run, which is not counted.
    char folder[] = "/tmp/wakelatch-startup-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string home = std::string(folder) + "/home";
    const std::string runtime = std::string(folder) + "/run";
    mkdir(home.c_str(), 0700);
    mkdir(runtime.c_str(), 0700);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "no X display\n");
        return 77;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    struct Subject {
        std::string program;
        std::string title;
        std::vector<double> times;
    };
    Subject subjects[] = {{argv[1], "Wakelatch Version 1.0.0", {}}, {argv[2], "Minimal tray program", {}}};
    for (int run = 0; run <= runs; ++run) {
        for (Subject& subject : subjects) {
            const double ms = TimeToWindow(connection, subject.program, subject.title);
            if (run > 0 && ms >= 0) {
                subject.times.push_back(ms);
            }
        }
    }
    xcb_disconnect(connection);
    std::string cleanup = std::string("rm -rf ") + folder;
    [[maybe_unused]] const int ignored = std::system(cleanup.c_str());

    for (const Subject& subject : subjects) {
        const auto [low, high] = std::minmax_element(subject.times.begin(), subject.times.end());
        std::printf("%-40s median %6.1f ms (%.1f-%.1f ms, %zu runs)\n", subject.program.c_str(),
                    Median(subject.times), subject.times.empty() ? 0 : *low,
                    subject.times.empty() ? 0 : *high, subject.times.size());
    }
    std::printf("ratio %.2f\n", Median(subjects[0].times) / Median(subjects[1].times));
    return 0;
}
