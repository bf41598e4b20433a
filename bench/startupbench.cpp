// Start-up time and peak memory of the game beside the bare dialog, in one run.
//
//   startupbench <runs> <bare dialog> [<game> [game arguments...]]
//
// Each program is started <runs> times (after one unmeasured warm-up), the two in turn, with
// QT_QPA_PLATFORM=offscreen and BENCH_EXIT_WHEN_SHOWN=1. A program must then print a line
// starting with "shown" on stdout once its window is first shown, and exit. Start-up is the
// time from starting the process to reading that line; peak memory is the process's maximum
// resident set as wait4() reports it. The medians go out as rows of the results table; without
// a game, or when the game does not report, its rows read "n/a".
#include "resultstable.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double StartupRatioLimit = 1.3;
constexpr double MemoryAllowanceMiB = 8;
constexpr auto RunTimeout = std::chrono::seconds(10);

struct Sample
{
    double startupMs;
    double peakMiB;
};

// Starts `command`, waits for its "shown" line and its end. Nothing when it cannot be started,
// never reports, takes longer than RunTimeout (it is killed) or exits with a failure.
std::optional<Sample> runOnce(const std::vector<std::string> &command)
{
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char *> argv;
    for (const std::string &arg : command)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return std::nullopt;
    }

    std::string output;
    std::optional<Clock::time_point> shown;
    bool timedOut = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            start + RunTimeout - Clock::now());
        pollfd fd{out[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) == 0) {
            timedOut = true;
            break;
        }
        char buffer[256];
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(n));
        if (!shown && (output.starts_with("shown") || output.find("\nshown") != std::string::npos))
            shown = Clock::now();
    }
    ::close(out[0]);
    if (timedOut)
        ::kill(pid, SIGKILL);

    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || timedOut || !shown || !WIFEXITED(status)
        || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return Sample{std::chrono::duration<double, std::milli>(*shown - start).count(),
                  usage.ru_maxrss / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Program
{
    std::vector<std::string> command;
    std::vector<double> startupMs;
    std::vector<double> peakMiB;
    bool failed = false;

    void measure(bool keep)
    {
        if (failed || command.empty())
            return;
        const auto sample = runOnce(command);
        if (!sample) {
            std::fprintf(stderr, "startupbench: %s did not start, report \"shown\" and exit 0 "
                                 "within %lld s; its results are left out\n",
                         command[0].c_str(), static_cast<long long>(RunTimeout.count()));
            failed = true;
            return;
        }
        if (keep) {
            startupMs.push_back(sample->startupMs);
            peakMiB.push_back(sample->peakMiB);
        }
    }

    bool measured() const { return !failed && !startupMs.empty(); }
};

std::string fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s <runs> <bare dialog> [<game> [arguments...]]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("BENCH_EXIT_WHEN_SHOWN", "1", 1);

    Program bare;
    Program game;
    bare.command = {argv[2]};
    game.command.assign(argv + 3, argv + argc);
    for (int run = 0; run <= runs; ++run) {
        bare.measure(run > 0);
        game.measure(run > 0);
    }

    const std::string ofRuns = " (median of " + std::to_string(runs) + " runs)";
    const std::string startupTarget = "≤ " + fixed(StartupRatioLimit, 1) + " × bare";
    const std::string memoryTarget = "≤ bare + " + fixed(MemoryAllowanceMiB, 0) + " MiB";
    ResultRow bareStartup{"Start-up to first show, bare dialog" + ofRuns, "n/a"};
    ResultRow gameStartup{"Start-up to first shown board, game" + ofRuns, "n/a", startupTarget, "n/a"};
    ResultRow bareMemory{"Peak memory, bare dialog" + ofRuns, "n/a"};
    ResultRow gameMemory{"Peak memory, game" + ofRuns, "n/a", memoryTarget, "n/a"};

    if (bare.measured()) {
        const double bareMs = median(bare.startupMs);
        const double bareMiB = median(bare.peakMiB);
        bareStartup.value = fixed(bareMs, 1) + " ms";
        bareMemory.value = fixed(bareMiB, 1) + " MiB";
        if (game.measured()) {
            const double gameMs = median(game.startupMs);
            const double gameMiB = median(game.peakMiB);
            gameStartup.value = fixed(gameMs, 1) + " ms = " + fixed(gameMs / bareMs, 2) + " × bare";
            gameStartup.verdict = verdict(gameMs <= StartupRatioLimit * bareMs);
            const double extraMiB = gameMiB - bareMiB;
            gameMemory.value = fixed(gameMiB, 1) + " MiB = bare " + (extraMiB < 0 ? "− " : "+ ")
                               + fixed(std::abs(extraMiB), 1) + " MiB";
            gameMemory.verdict = verdict(gameMiB <= bareMiB + MemoryAllowanceMiB);
        }
    }
    for (const ResultRow &row : {bareStartup, gameStartup, bareMemory, gameMemory})
        printRow(row);
    return bare.measured() && !game.failed ? 0 : 1;
}
