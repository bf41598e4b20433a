// SPDX-License-Identifier: GPL-3.0-or-later
// cobbleton-levels: checks, solves, imports and exports levels from the command line. The search is
// the levelsolver library's, the file formats the leveltool library's; this file reads the
// arguments and prints.
#include "leveltool/levelconvert.h"
#include "leveltool/levelinput.h"
#include "leveltool/textformat.h"
#include "solver/levelproblems.h"
#include "solver/solver.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace levelsolver;
using namespace leveltool;

namespace {

constexpr int Success = 0, Failure = 1, UsageError = 2;

constexpr std::string_view Usage = R"(Usage: cobbleton-levels COMMAND [OPTION]... FILE...
Check, solve, import and export Cobbleton levels (.lay files).

Commands:
  check FILE.lay...        one line per file: the verdict with the solution's moves and
                           pushes, or the problems found
  solve FILE.lay           print a solution: l r u d for steps, L R U D for pushes
  import FILE              write each level of a text file (.xsb, .sok, .txt: # wall,
                           space - _ floor, . place, $ item, @ player, * item on a place,
                           + player on a place) as a .lay file
  export FILE.lay...       print the levels in that text format

Options:
      --optimal            (check, solve) find the fewest pushes; said so only when proven
      --time-limit=S       (check, solve) seconds of search per level, default 10
      --memory=MIB         (check, solve) MiB of memory for the search, default 1024
      --threads=N          (check, solve) 1: one search; 2 or more: the fast and the
                           fewest-pushes searches side by side, sharing the memory;
                           default the cores there are, at most 2
  -o, --output=DIR         (import) folder for the new files, default the current one
  -h, --help               show this help and leave

Imported files are named after the level's number and title, e.g. 007-first-steps.lay; an
existing file is never replaced: that level is skipped and reported. A level taller than the
15 x 12 board that fits it turned (at most 15 rows of 12) is turned a quarter clockwise, and
its line says so. Skipped, with the reason: levels larger than the board either way, open at
the board's edge, or not playable (players, counts, cells out of reach). Progress shows on
standard error when it is a terminal.

Exit status: 0 when everything succeeded (check: every file is a valid level with a solution;
solve: a solution was found; import: every level was written or skipped for a reason shown);
1 otherwise; 2 for a mistake in the command line.
)";

struct Arguments
{
    std::string command;
    std::vector<std::string> files;
    SolveOptions solve;
    fs::path outputDir = ".";
};

int usageError(const std::string &message)
{
    std::fprintf(stderr, "cobbleton-levels: %s\nTry 'cobbleton-levels --help'.\n", message.c_str());
    return UsageError;
}

template <typename T>
std::optional<T> numberIn(std::string_view text, T low, T high)
{
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// Reads the arguments; returns an exit status when the program should stop now.
std::optional<int> parseArguments(int argc, char **argv, Arguments &args)
{
    args.solve.threads = defaultSolverThreads();
    std::vector<std::string_view> words(argv + 1, argv + argc);
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string_view word = words[i];
        if (word == "-h" || word == "--help") {
            std::fputs(Usage.data(), stdout);
            return Success;
        }
        if (word.size() > 1 && word.front() == '-' && word != "--") {
            std::string_view name = word, value;
            const bool attached = word.find('=') != std::string_view::npos;
            if (attached) {
                name = word.substr(0, word.find('='));
                value = word.substr(word.find('=') + 1);
            }
            if (name == "--optimal" && !attached) {
                args.solve.mode = SolveMode::Optimal;
                continue;
            }
            if (name != "--time-limit" && name != "--memory" && name != "--threads" && name != "-o"
                && name != "--output")
                return usageError("unknown option '" + std::string(word) + "'");
            if (!attached) {
                if (i + 1 == words.size())
                    return usageError("option '" + std::string(name) + "' needs a value");
                value = words[++i];
            }
            if (name == "--time-limit") {
                const auto seconds = numberIn<double>(value, 0.001, 1e6);
                if (!seconds)
                    return usageError("--time-limit takes seconds, e.g. 2.5");
                args.solve.timeLimit = std::chrono::milliseconds(static_cast<long long>(*seconds * 1000));
            } else if (name == "--memory") {
                const auto mib = numberIn<std::size_t>(value, 16, std::size_t{1} << 20);
                if (!mib)
                    return usageError("--memory takes MiB, at least 16");
                args.solve.memoryLimitBytes = *mib << 20;
            } else if (name == "--threads") {
                const auto threads = numberIn<unsigned>(value, 1, 256);
                if (!threads)
                    return usageError("--threads takes a number of threads, at least 1");
                args.solve.threads = *threads;
            } else {
                args.outputDir = fs::path(std::string(value));
            }
            continue;
        }
        if (args.command.empty())
            args.command = word;
        else
            args.files.emplace_back(word);
    }
    if (args.command.empty())
        return usageError("no command given");
    if (args.command != "check" && args.command != "solve" && args.command != "import" && args.command != "export")
        return usageError("unknown command '" + args.command + "'");
    if (args.files.empty())
        return usageError(args.command + " needs a file");
    if ((args.command == "solve" || args.command == "import") && args.files.size() > 1)
        return usageError(args.command + " takes one file");
    return std::nullopt;
}

std::string joinedProblems(const std::vector<Problem> &problems, bool blocking)
{
    std::string text;
    for (const Problem &problem : problems) {
        if (problem.blocking != blocking)
            continue;
        if (!text.empty())
            text += "; ";
        text += problem.text();
    }
    return text;
}

std::string stopText(const SolveResult &result, const SolveOptions &options)
{
    switch (result.stopReason) {
    case StopReason::TimeLimit: {
        char text[64];
        std::snprintf(text, sizeof text, "time limit of %g s reached", options.timeLimit.count() / 1000.0);
        return text;
    }
    case StopReason::MemoryLimit:
        return "memory limit of " + std::to_string(options.memoryLimitBytes >> 20) + " MiB reached";
    case StopReason::Cancelled: return "stopped";
    case StopReason::None: break;
    }
    return "search gave up";
}

// Solves on a worker thread; past one second on a terminal, shows how far the search has got.
SolveResult solveShowingProgress(const leveldata::EditorLevel &level, SolveOptions options, const std::string &name)
{
    if (!isatty(STDERR_FILENO))
        return solveBoard(level.board, level.coveredPlaces, options);
    SearchProgress progress;
    options.progress = &progress;
    SolveResult result;
    std::atomic<bool> done{false};
    std::jthread worker([&] {
        result = solveBoard(level.board, level.coveredPlaces, options);
        done = true;
    });
    const auto start = std::chrono::steady_clock::now();
    bool shown = false;
    double shownAt = 0;
    while (!done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds >= 1.0 && seconds - shownAt >= 0.25 && !done) {
            shownAt = seconds;
            std::fprintf(stderr, "\r\033[K%s: searching, %.0f s, %llu positions, %llu pushes", name.c_str(), seconds,
                         static_cast<unsigned long long>(progress.expanded.load(std::memory_order_relaxed)),
                         static_cast<unsigned long long>(progress.pushes.load(std::memory_order_relaxed)));
            shown = true;
        }
    }
    worker.join();
    if (shown)
        std::fputs("\r\033[K", stderr);
    return result;
}

std::string solvedText(const SolveResult &result)
{
    std::string text = std::to_string(result.moveCount) + " moves, " + std::to_string(result.pushCount) + " pushes";
    if (result.pushOptimal)
        text += " (fewest pushes, proven)";
    return text;
}

int check(const Arguments &args)
{
    bool allSolved = true;
    for (const std::string &file : args.files) {
        const LevelInput input = readLevelInput(file);
        if (!input.error.empty()) {
            std::fprintf(stderr, "cobbleton-levels: %s: %s\n", file.c_str(), input.error.c_str());
            allSolved = false;
            continue;
        }
        std::string line;
        {
            const SolveResult result = solveShowingProgress(input.level, args.solve, file);
            line = verdictName(result.verdict);
            if (result.verdict == Verdict::Solved)
                line += ", " + solvedText(result);
            else if (result.verdict == Verdict::Invalid)
                line += ": " + joinedProblems(result.problems, true);
            else if (result.verdict == Verdict::Unknown)
                line += " (" + stopText(result, args.solve) + ")";
            const std::string warnings = joinedProblems(result.problems, false);
            if (!warnings.empty())
                line += " [warning: " + warnings + "]";
            allSolved &= result.verdict == Verdict::Solved;
        }
        std::printf("%s: %s\n", file.c_str(), line.c_str());
        std::fflush(stdout);
    }
    return allSolved ? Success : Failure;
}

int solve(const Arguments &args)
{
    const std::string &file = args.files.front();
    const LevelInput input = readLevelInput(file);
    if (!input.error.empty()) {
        std::fprintf(stderr, "cobbleton-levels: %s: %s\n", file.c_str(), input.error.c_str());
        return Failure;
    }
    const SolveResult result = solveShowingProgress(input.level, args.solve, file);
    for (const Problem &problem : result.problems) {
        if (!problem.blocking)
            std::fprintf(stderr, "cobbleton-levels: %s: warning: %s\n", file.c_str(), problem.text().c_str());
    }
    switch (result.verdict) {
    case Verdict::Solved: std::printf("%s\n%s\n", solvedText(result).c_str(), result.moves.c_str()); return Success;
    case Verdict::NoSolution:
        std::fprintf(stderr, "cobbleton-levels: %s: no solution (every position was searched)\n", file.c_str());
        break;
    case Verdict::Unknown:
        std::fprintf(stderr, "cobbleton-levels: %s: no solution found: %s\n", file.c_str(),
                     stopText(result, args.solve).c_str());
        break;
    case Verdict::Invalid:
        std::fprintf(stderr, "cobbleton-levels: %s: invalid level: %s\n", file.c_str(),
                     joinedProblems(result.problems, true).c_str());
        break;
    }
    return Failure;
}

int importLevels(const Arguments &args)
{
    const std::string &file = args.files.front();
    const InputFile input = readTextFile(file);
    if (!input.error.empty()) {
        std::fprintf(stderr, "cobbleton-levels: %s: %s\n", file.c_str(), input.error.c_str());
        return Failure;
    }
    if (std::error_code error; !fs::is_directory(args.outputDir, error)) {
        std::fprintf(stderr, "cobbleton-levels: %s: not a folder\n", args.outputDir.string().c_str());
        return Failure;
    }
    const std::vector<TextLevel> levels = parseTextLevels(input.bytes);
    if (levels.empty()) {
        std::fprintf(stderr, "cobbleton-levels: %s: no levels in this file\n", file.c_str());
        return Failure;
    }
    const bool showProgress = isatty(STDERR_FILENO) && levels.size() >= 50;
    const std::string stem = fs::path(file).stem().string();
    const int digits = std::max(3, static_cast<int>(std::to_string(levels.size()).size()));
    int written = 0, turned = 0;
    std::map<std::string, int> skipped;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        if (showProgress && i % 20 == 0)
            std::fprintf(stderr, "\r\033[Kimporting: %zu of %zu levels", i, levels.size());
        const Conversion conversion = convertTextLevel(levels[i]);
        std::string reason = skipReasonName(conversion.skip);
        std::string detail = conversion.detail;
        fs::path target;
        if (conversion.skip == SkipReason::None) {
            target = args.outputDir / levelFileName(number, levels[i].title, stem, digits);
            if (const std::error_code error = writeNewLevelFile(target, conversion.level);
                error == std::errc::file_exists) {
                reason = "file exists";
                detail = target.string();
            } else if (error) {
                if (showProgress)
                    std::fputs("\r\033[K", stderr);
                std::fprintf(stderr, "cobbleton-levels: %s: cannot write: %s\n", target.string().c_str(),
                             error.message().c_str());
                return Failure;
            }
        }
        if (reason == skipReasonName(SkipReason::None)) {
            ++written;
            turned += conversion.turned;
            std::printf("level %d (line %d): written to %s%s\n", number, levels[i].line, target.string().c_str(),
                        conversion.turned ? ", turned a quarter clockwise to fit" : "");
        } else {
            ++skipped[reason];
            std::printf("level %d (line %d): skipped: %s%s\n", number, levels[i].line, reason.c_str(),
                        detail.empty() ? "" : (" (" + detail + ")").c_str());
        }
    }
    if (showProgress)
        std::fputs("\r\033[K", stderr);
    std::printf("%d of %zu levels written", written, levels.size());
    if (turned > 0)
        std::printf(" (%d turned a quarter clockwise)", turned);
    for (const auto &[reason, count] : skipped)
        std::printf("; %d skipped: %s", count, reason.c_str());
    std::printf("\n");
    return Success;
}

int exportLevels(const Arguments &args)
{
    std::string text;
    for (const std::string &file : args.files) {
        const LevelInput input = readLevelInput(file);
        TextLevel level;
        std::string error = input.error;
        if (const bool exported = error.empty() && textLevelOf(input.level, level, error); !exported) {
            std::fprintf(stderr, "cobbleton-levels: %s: %s\n", file.c_str(), error.c_str());
            return Failure;
        }
        if (!text.empty())
            text += '\n';
        text += formatTextLevel(level);
    }
    std::fputs(text.c_str(), stdout);
    return Success;
}

} // namespace

int main(int argc, char **argv)
{
    Arguments args;
    if (const auto status = parseArguments(argc, argv, args))
        return *status;
    if (args.command == "check")
        return check(args);
    if (args.command == "solve")
        return solve(args);
    if (args.command == "import")
        return importLevels(args);
    return exportLevels(args);
}
