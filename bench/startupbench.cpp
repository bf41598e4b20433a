// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time and peak memory of programs against a baseline, the first program given.
//
//   startupbench shown <runs> <bare dialog> <game>
//   startupbench mapped <runs> <baseline dialog> <game> <editor>
//
// Each program is started <runs> times after one unmeasured warm-up, all of them in turn.
// shown: on Qt's offscreen platform; the program prints "shown" once its window has been painted
// and exits with 0 (baredialog, gamestartup). Start-up ends when that is read.
// mapped: the programs run unchanged with Qt's xcb platform, under an X server of their own
// (scripts/bench starts Xvfb) where no window manager places windows, so a window is mapped the
// moment its program asks for it. Start-up ends when the X server reports the program's first
// top-level window mapped; the program is then given SettleTime to paint and is killed.
// Peak memory is the maximum resident set wait4() reports. Prints the medians as rows of the
// results table; a program that fails reads "n/a" and makes the exit status 1.
#include "resultstable.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
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

constexpr double MemoryAllowanceMiB = 8;
constexpr auto Timeout = std::chrono::seconds(10);
constexpr auto SettleTime = std::chrono::milliseconds(300);

struct Sample
{
    double startupMs, peakMiB;
};

// Milliseconds left until `deadline`, at least 0.
int msUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(left.count(), 0));
}

// Starts `program` without arguments, stdin and stderr on /dev/null, stdout on `out` (/dev/null
// when -1). Returns its pid, 0 when it cannot be started.
pid_t spawn(const std::string &program, int out)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (out >= 0)
        posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : 0;
}

// Ends a run that began at `start`: with `kill`, kills the program, which must still be running;
// otherwise waits for it to exit with 0. Nothing when it did not, or never `reached` its window.
std::optional<Sample> finish(pid_t pid, Clock::time_point start, std::optional<Clock::time_point> reached, bool kill)
{
    if (kill)
        ::kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    const bool waited = ::wait4(pid, &status, 0, &usage) == pid;
    const bool endedRight =
        kill ? WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL : WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!waited || !endedRight || !reached)
        return std::nullopt;
    const double ms = std::chrono::duration<double, std::milli>(*reached - start).count();
    return Sample{ms, usage.ru_maxrss / 1024.0};
}

std::optional<Sample> runUntilShown(const std::string &program)
{
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return std::nullopt;
    const auto start = Clock::now();
    const pid_t pid = spawn(program, out[1]);
    ::close(out[1]);
    std::string output;
    std::optional<Clock::time_point> shown;
    while (pid) {
        pollfd fd{out[0], POLLIN, 0};
        if (::poll(&fd, 1, msUntil(start + Timeout)) <= 0) {
            ::kill(pid, SIGKILL);
            break;
        }
        char buffer[256];
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(n));
        if (!shown && output.find("shown") != std::string::npos)
            shown = Clock::now();
    }
    ::close(out[0]);
    return pid ? finish(pid, start, shown, false) : std::nullopt;
}

// Our connection to the X server, told of every top-level window that is mapped; nullptr when
// there is none. It stays open until the program ends.
xcb_connection_t *watchMaps()
{
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x))
        return nullptr;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t *error =
        xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask));
    const bool watching = !error;
    std::free(error);
    return watching ? x : nullptr;
}

// The moment a top-level window (not a menu or tooltip) is mapped; nothing by `deadline`, or
// when the connection breaks.
std::optional<Clock::time_point> waitForMap(xcb_connection_t *x, Clock::time_point deadline)
{
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY
                && !reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect;
            std::free(event);
            if (mapped)
                return Clock::now();
        }
        if (xcb_connection_has_error(x) || ::poll(&fd, 1, msUntil(deadline)) <= 0)
            return std::nullopt;
    }
}

std::optional<Sample> runUntilMapped(xcb_connection_t *x, const std::string &program)
{
    // Forgets what happened before (the windows of earlier runs going away).
    while (xcb_generic_event_t *event = xcb_poll_for_event(x))
        std::free(event);
    const auto start = Clock::now();
    const pid_t pid = spawn(program, -1);
    if (!pid)
        return std::nullopt;
    const std::optional<Clock::time_point> mapped = waitForMap(x, start + Timeout);
    // Meanwhile it paints; any further window it maps does not matter.
    while (mapped && Clock::now() < *mapped + SettleTime)
        waitForMap(x, *mapped + SettleTime);
    return finish(pid, start, mapped, true);
}

struct Program
{
    std::string startupMeasure, memoryMeasure, path;
    std::vector<double> startupMs, peakMiB;
    bool failed = false;
};

} // namespace

int main(int argc, char **argv)
{
    const std::string_view mode = argc > 1 ? argv[1] : "";
    const bool mapped = mode == "mapped";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 0;
    if (runs < 1 || (mode != "shown" && !mapped) || argc != (mapped ? 6 : 5)) {
        std::fprintf(stderr,
                     "usage: startupbench shown <runs> <bare dialog> <game>\n"
                     "       startupbench mapped <runs> <baseline dialog> <game> <editor>\n");
        return 2;
    }
    xcb_connection_t *x = mapped ? watchMaps() : nullptr;
    if (mapped && !x) {
        std::fprintf(stderr, "startupbench: cannot watch the X server of DISPLAY\n");
        return 2;
    }
    // Mapped: the real platform, what the user's desktop uses.
    mapped ? ::unsetenv("QT_QPA_PLATFORM") : ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    const std::string ofRuns = " (median of " + std::to_string(runs) + " runs)";
    const std::string baselineName = mapped ? "baseline dialog (one label, one push button)" : "bare dialog";
    const std::string names[] = {baselineName, "game", "editor"};
    std::vector<Program> programs;
    for (int i = 3; i < argc; ++i) {
        const std::string startup = mapped ? "Start-up to mapped window, "
            : i == 3                       ? "Start-up to first show, "
                                           : "Start-up to first shown board, ";
        const std::string &name = names[i - 3];
        programs.push_back({startup + name + ofRuns, "Peak memory, " + name + ofRuns, argv[i], {}, {}});
    }

    for (int run = 0; run <= runs; ++run) {
        for (Program &program : programs) {
            if (program.failed)
                continue;
            const auto sample = mapped ? runUntilMapped(x, program.path) : runUntilShown(program.path);
            if (!sample) {
                std::fprintf(stderr, "startupbench: %s failed to %s in time; its results are left out\n",
                             program.path.c_str(), mapped ? "map a window and run on" : "report and exit 0");
                program.failed = true;
            } else if (run > 0) {
                program.startupMs.push_back(sample->startupMs);
                program.peakMiB.push_back(sample->peakMiB);
            }
        }
    }

    const std::string base = mapped ? "baseline" : "bare";
    const double ratioLimit = mapped ? 1.2 : 1.3;
    const Program &baseline = programs.front();
    std::vector<ResultRow> rows(2 * programs.size()); // the start-up rows, then the memory rows
    bool anyFailed = false;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const Program &program = programs[i];
        anyFailed |= program.failed;
        ResultRow &startup = rows[i] = {program.startupMeasure, "n/a"};
        ResultRow &memory = rows[programs.size() + i] = {program.memoryMeasure, "n/a"};
        if (&program != &baseline) {
            startup.target = "≤ " + fixed(ratioLimit, 1) + " × " + base;
            memory.target = "≤ " + base + " + " + fixed(MemoryAllowanceMiB, 0) + " MiB";
            startup.verdict = memory.verdict = "n/a";
        }
        if (!program.failed) {
            const double ms = percentile(program.startupMs, 0.5);
            const double mib = percentile(program.peakMiB, 0.5);
            startup.value = fixed(ms, 1) + " ms";
            memory.value = fixed(mib, 1) + " MiB";
            if (&program != &baseline && !baseline.failed) {
                const double baseMs = percentile(baseline.startupMs, 0.5);
                const double extraMiB = mib - percentile(baseline.peakMiB, 0.5);
                startup.value += " = " + fixed(ms / baseMs, 2) + " × " + base;
                startup.verdict = verdict(ms <= ratioLimit * baseMs);
                memory.value += " = " + base + (extraMiB < 0 ? " − " : " + ");
                memory.value += fixed(std::abs(extraMiB), 1) + " MiB";
                memory.verdict = verdict(extraMiB <= MemoryAllowanceMiB);
            }
        }
    }
    for (const ResultRow &row : rows)
        printRow(row);
    return anyFailed ? 1 : 0;
}
