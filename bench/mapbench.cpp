// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time and peak memory of the real programs on a real X server, against a baseline.
//
//   mapbench <runs> <baseline> <name>=<program> [<name>=<program> ...]
//
// Runs under an X server of its own (scripts/bench starts Xvfb), where no window manager places
// windows: a window is mapped the moment its program asks for it. Each program is started <runs>
// times after one unmeasured warm-up, all of them in turn, with Qt's xcb platform. Start-up is
// the time from starting the process to the X server reporting its first top-level window
// mapped; the program is then given SettleTime to paint and is killed, and its peak memory is
// the maximum resident set wait4() reports. The programs run unchanged, with no hook of ours.
// Prints the medians as rows of the results table; a program that fails reads "n/a".
#include "resultstable.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double StartupRatioLimit = 1.2;
constexpr double MemoryAllowanceMiB = 8;
constexpr auto MapTimeout = std::chrono::seconds(10);
constexpr auto SettleTime = std::chrono::milliseconds(300);

struct Sample
{
    double startupMs;
    double peakMiB;
};

// Our connection to the X server, told of every top-level window that is mapped.
class MapWatcher
{
public:
    bool open()
    {
        m_connection.reset(xcb_connect(nullptr, nullptr));
        if (xcb_connection_has_error(m_connection.get()))
            return false;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        const xcb_void_cookie_t cookie = xcb_change_window_attributes_checked(
            m_connection.get(), root, XCB_CW_EVENT_MASK, &mask);
        std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(m_connection.get(), cookie), &std::free);
        return !error;
    }

    // Forgets what happened before (the windows of earlier runs going away).
    void drain()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection.get()))
            std::free(event);
    }

    // The moment a top-level window (not a menu or tooltip) is mapped; nothing by `deadline`,
    // or when the connection breaks.
    std::optional<Clock::time_point> waitForMap(Clock::time_point deadline)
    {
        pollfd fd{xcb_get_file_descriptor(m_connection.get()), POLLIN, 0};
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection.get())) {
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY
                    && !reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect;
                std::free(event);
                if (mapped)
                    return Clock::now();
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0 || xcb_connection_has_error(m_connection.get())
                || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0)
                return std::nullopt;
        }
    }

private:
    struct Disconnect
    {
        void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
    };
    std::unique_ptr<xcb_connection_t, Disconnect> m_connection;
};

// Starts `program`, waits for its window, lets it paint, ends it. Nothing when it cannot be
// started, maps no window in time or ends by itself before it is killed.
std::optional<Sample> runOnce(MapWatcher &watcher, const std::string &program)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(program.c_str()), nullptr};

    watcher.drain();
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return std::nullopt;

    const std::optional<Clock::time_point> mapped = watcher.waitForMap(start + MapTimeout);
    // Meanwhile it paints; any further window it maps does not matter.
    while (mapped && Clock::now() < *mapped + SettleTime)
        watcher.waitForMap(*mapped + SettleTime);
    const bool running = ::waitpid(pid, nullptr, WNOHANG) == 0;
    ::kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || !mapped || !running)
        return std::nullopt;
    return Sample{std::chrono::duration<double, std::milli>(*mapped - start).count(),
                  usage.ru_maxrss / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

std::string fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

struct Program
{
    Program(std::string name, std::string path) : name(std::move(name)), path(std::move(path)) {}

    std::string name;
    std::string path;
    std::vector<double> startupMs;
    std::vector<double> peakMiB;
    bool failed = false;

    void measure(MapWatcher &watcher, bool keep)
    {
        if (failed)
            return;
        const std::optional<Sample> sample = runOnce(watcher, path);
        if (!sample) {
            std::fprintf(stderr, "mapbench: %s did not map a window within %lld s and keep "
                                 "running; its results are left out\n",
                         path.c_str(), static_cast<long long>(MapTimeout.count()));
            failed = true;
        } else if (keep) {
            startupMs.push_back(sample->startupMs);
            peakMiB.push_back(sample->peakMiB);
        }
    }

    bool measured() const { return !failed && !startupMs.empty(); }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s <runs> <baseline> <name>=<program> ...\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    MapWatcher watcher;
    if (!watcher.open()) {
        std::fprintf(stderr, "mapbench: cannot watch the X server of DISPLAY\n");
        return 2;
    }
    // The real platform: what the user's desktop uses, not the offscreen one.
    ::unsetenv("QT_QPA_PLATFORM");

    std::vector<Program> programs;
    programs.emplace_back("baseline dialog (one label, one push button)", argv[2]);
    for (int i = 3; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto equals = argument.find('=');
        if (equals == std::string::npos) {
            std::fprintf(stderr, "mapbench: %s is not <name>=<program>\n", argv[i]);
            return 2;
        }
        programs.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
    }
    for (int run = 0; run <= runs; ++run) {
        for (Program &program : programs)
            program.measure(watcher, run > 0);
    }

    const Program &baseline = programs.front();
    const std::string ofRuns = " (median of " + std::to_string(runs) + " runs)";
    std::vector<ResultRow> startupRows;
    std::vector<ResultRow> memoryRows;
    for (const Program &program : programs) {
        const bool isBaseline = &program == &baseline;
        ResultRow startup{"Start-up to mapped window, " + program.name + ofRuns, "n/a"};
        ResultRow memory{"Peak memory, " + program.name + ofRuns, "n/a"};
        if (!isBaseline) {
            startup.target = "≤ " + fixed(StartupRatioLimit, 1) + " × baseline";
            memory.target = "≤ baseline + " + fixed(MemoryAllowanceMiB, 0) + " MiB";
            startup.verdict = memory.verdict = "n/a";
        }
        if (program.measured()) {
            const double ms = median(program.startupMs);
            const double mib = median(program.peakMiB);
            startup.value = fixed(ms, 1) + " ms";
            memory.value = fixed(mib, 1) + " MiB";
            if (!isBaseline && baseline.measured()) {
                const double baseMs = median(baseline.startupMs);
                const double extraMiB = mib - median(baseline.peakMiB);
                startup.value += " = " + fixed(ms / baseMs, 2) + " × baseline";
                startup.verdict = verdict(ms <= StartupRatioLimit * baseMs);
                memory.value += std::string(" = baseline ") + (extraMiB < 0 ? "− " : "+ ")
                                + fixed(std::abs(extraMiB), 1) + " MiB";
                memory.verdict = verdict(extraMiB <= MemoryAllowanceMiB);
            }
        }
        startupRows.push_back(startup);
        memoryRows.push_back(memory);
    }
    for (const auto *rows : {&startupRows, &memoryRows}) {
        for (const ResultRow &row : *rows)
            printRow(row);
    }
    const bool anyFailed = std::any_of(programs.begin(), programs.end(),
                                       [](const Program &program) { return program.failed; });
    return anyFailed ? 1 : 0;
}
