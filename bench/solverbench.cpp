// SPDX-License-Identifier: GPL-3.0-or-later
// The level solver: every sample level solved for the fewest pushes, a six-item level in both
// modes, the search rate, the memory a search keeps to, and sweeps with a 10 s limit a level over
// the harder levels of bench/levels (made for measuring: 6 to 12 items, open rings, levels without
// a solution, items and the player starting on places) and over public collections in the text
// format: those in bench/collections and those named in COBBLETON_BENCH_COLLECTIONS (paths
// separated by ':'), each with its levels that fit the board by the importer's rules.
#include "resultstable.h"

#include "leveldata/levelfile.h"
#include "leveltool/levelconvert.h"
#include "leveltool/levelinput.h"
#include "solver/solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace levelsolver;

const fs::path SampleDir = LEVELS_DIR;
const fs::path HardDir = HARD_LEVELS_DIR;
const fs::path CollectionDir = COLLECTIONS_DIR;
const fs::path SixItems = HardDir / "h01-hall-six.lay";
const fs::path RateLevel = HardDir / "h21-courtyard-twelve.lay"; // a fewest-pushes search of seconds

constexpr double SecondNs = 1e9;
constexpr double SweepLimit = 10.0; // seconds a level in the sweeps
// A level decided within QuickRun seconds is run QuickRuns times and its median time counts;
// a longer one once (the machine's other work moves such times far less than short ones).
constexpr double QuickRun = 1.0;
constexpr int QuickRuns = 3;
const std::vector<unsigned> ThreadCounts{1, 2};

SolveOptions optionsFor(SolveMode mode, double seconds, std::size_t memoryMiB = 1024, unsigned threads = 1)
{
    SolveOptions options;
    options.mode = mode;
    options.threads = threads;
    options.timeLimit = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    options.memoryLimitBytes = memoryMiB << 20;
    return options;
}

SolveResult solveFile(const fs::path &file, SolveMode mode, double seconds, std::size_t memoryMiB = 1024,
                      unsigned threads = 1)
{
    const leveldata::EditorLevel level = leveldata::readEditorLevel(file);
    return solveBoard(level.board, level.coveredPlaces, optionsFor(mode, seconds, memoryMiB, threads));
}

void solveEach(benchmark::State &st, const fs::path &file, SolveMode mode)
{
    const leveldata::EditorLevel level = leveldata::readEditorLevel(file);
    SolveOptions options;
    options.mode = mode;
    bool solved = true;
    for (auto _ : st) {
        const SolveResult result = solveBoard(level.board, level.coveredPlaces, options);
        solved &= result.verdict == Verdict::Solved && (mode == SolveMode::Fast || result.pushOptimal);
    }
    if (!solved)
        st.SkipWithError("not solved");
}

void BM_SearchRate(benchmark::State &st)
{
    std::uint64_t pushes = 0;
    for (auto _ : st)
        pushes += solveFile(RateLevel, SolveMode::Optimal, 1.0).stats.pushes;
    st.SetItemsProcessed(static_cast<std::int64_t>(pushes));
}

std::string threadText(unsigned threads)
{
    return threads == 1 ? "1 thread" : std::to_string(threads) + " threads";
}

// Both searches of two threads together, in pushes tried a second: the median of three runs.
void twoThreadRate()
{
    std::vector<double> rates;
    for (int run = 0; run < QuickRuns; ++run) {
        const SolveResult r = solveFile(RateLevel, SolveMode::Optimal, 1.0, 1024, 2);
        rates.push_back(static_cast<double>(r.stats.pushes) / r.stats.seconds);
    }
    printRow({"Search rate, 2 threads (" + RateLevel.stem().string() + ", both searches together, 1 s)",
              fixed(percentile(rates, 0.5) / 1e6, 2) + " M pushes/s"});
}

void memoryRows()
{
    for (const unsigned threads : ThreadCounts) {
        for (const std::size_t mib : {std::size_t{64}, std::size_t{1024}}) {
            const SolveResult r = solveFile(RateLevel, SolveMode::Optimal, 10.0, mib, threads);
            char value[200];
            std::snprintf(value, sizeof value, "%.1f MiB kept, %llu positions (%.0f bytes each), %s",
                          r.stats.memoryBytes / 1048576.0, static_cast<unsigned long long>(r.stats.stored),
                          r.stats.stored ? static_cast<double>(r.stats.memoryBytes) / r.stats.stored : 0.0,
                          r.stopReason == StopReason::MemoryLimit     ? "stopped by the memory limit"
                              : r.stopReason == StopReason::TimeLimit ? "stopped by the 10 s limit"
                                                                      : verdictName(r.verdict));
            printRow({"Search memory, " + RateLevel.stem().string() + " fewest pushes, " + threadText(threads)
                          + ", budget " + std::to_string(mib) + " MiB",
                      value, "≤ " + std::to_string(mib) + " MiB", verdict(r.stats.memoryBytes <= (mib << 20))});
        }
    }
}

// One level of a sweep.
struct SweepLevel
{
    std::string name;
    leveldata::EditorLevel level;
};

// The levels of a text file that the importer would write.
std::vector<SweepLevel> collectionLevels(const fs::path &file)
{
    std::vector<SweepLevel> levels;
    const leveltool::InputFile input = leveltool::readTextFile(file);
    const std::vector<leveltool::TextLevel> texts = leveltool::parseTextLevels(input.bytes);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        leveltool::Conversion conversion = leveltool::convertTextLevel(texts[i]);
        if (conversion.skip == leveltool::SkipReason::None)
            levels.push_back({std::to_string(i + 1), std::move(conversion.level)});
    }
    return levels;
}

// A solve with the sweep's limit; a quick one repeated, its stats.seconds then the median.
SolveResult sweepSolve(const SweepLevel &level, SolveMode mode, unsigned threads)
{
    const SolveOptions options = optionsFor(mode, SweepLimit, 1024, threads);
    SolveResult result = solveBoard(level.level.board, level.level.coveredPlaces, options);
    if (result.verdict == Verdict::Unknown || result.stats.seconds > QuickRun)
        return result;
    std::vector<double> seconds{result.stats.seconds};
    while (seconds.size() < QuickRuns)
        seconds.push_back(solveBoard(level.level.board, level.level.coveredPlaces, options).stats.seconds);
    result.stats.seconds = percentile(seconds, 0.5);
    return result;
}

// Both modes on one level; the fewest-pushes search is left out when the first answer is final.
struct LevelOutcome
{
    SolveResult fast, optimal;
    bool optimalSearched = false; // optimal is a search of its own, not the fast one again

    bool decided() const { return fast.verdict != Verdict::Unknown || optimal.verdict != Verdict::Unknown; }
    bool proven() const { return optimal.pushOptimal; }
    // The time to the first verdict.
    double seconds() const { return fast.verdict != Verdict::Unknown ? fast.stats.seconds : optimal.stats.seconds; }
};

LevelOutcome sweepLevel(const SweepLevel &level, unsigned threads)
{
    LevelOutcome outcome{sweepSolve(level, SolveMode::Fast, threads), {}};
    outcome.optimalSearched = outcome.fast.verdict != Verdict::NoSolution && !outcome.fast.pushOptimal;
    outcome.optimal = outcome.optimalSearched ? sweepSolve(level, SolveMode::Optimal, threads) : outcome.fast;
    return outcome;
}

// The verdict, the solution's size (and whether its pushes were proven fewest, when that was
// asked) and the time.
std::string outcomeText(const SolveResult &r, bool proofAsked)
{
    std::string text = verdictName(r.verdict);
    if (r.verdict == Verdict::Solved)
        text.append(" ").append(std::to_string(r.pushCount)).append(" pushes");
    if (r.verdict == Verdict::Solved && proofAsked != r.pushOptimal)
        text.append(r.pushOptimal ? " (proven fewest)" : " (not proven fewest)");
    return text.append(" in ").append(formatDuration(r.stats.seconds * SecondNs));
}

// The summary row of one sweep: the counts, the times, the memory and the positions searched.
void printSweep(const std::string &name, unsigned threads, const std::vector<LevelOutcome> &outcomes)
{
    int solved = 0, noSolution = 0, unknown = 0, proven = 0;
    std::vector<double> decidedSeconds, provenSeconds;
    std::size_t peak = 0;
    std::uint64_t positions = 0;
    for (const LevelOutcome &o : outcomes) {
        solved += o.fast.verdict == Verdict::Solved || o.optimal.verdict == Verdict::Solved;
        noSolution += o.fast.verdict == Verdict::NoSolution || o.optimal.verdict == Verdict::NoSolution;
        unknown += !o.decided();
        proven += o.proven();
        if (o.decided())
            decidedSeconds.push_back(o.seconds());
        if (o.proven())
            provenSeconds.push_back(o.optimal.stats.seconds);
        peak = std::max({peak, o.fast.stats.memoryBytes, o.optimal.stats.memoryBytes});
        positions += o.fast.stats.expanded + (o.optimalSearched ? o.optimal.stats.expanded : 0);
    }
    const auto times = [](const std::vector<double> &seconds) {
        return seconds.empty() ? std::string("none")
                               : "median " + formatDuration(percentile(seconds, 0.5) * SecondNs) + ", worst "
                + formatDuration(*std::max_element(seconds.begin(), seconds.end()) * SecondNs);
    };
    const int levels = static_cast<int>(outcomes.size());
    printRow({name + " (" + std::to_string(levels) + " levels), " + threadText(threads) + ", 10 s a level",
              std::to_string(solved) + " solved, " + std::to_string(noSolution) + " no solution, "
                  + std::to_string(unknown) + " unknown; fewest pushes proven for " + std::to_string(proven)
                  + "; to a verdict " + times(decidedSeconds) + "; to proven fewest " + times(provenSeconds) + "; peak "
                  + fixed(peak / 1048576.0, 1) + " MiB; " + fixed(positions / 1e6, 2) + " M positions searched",
              "all decided, fewest proven for ≥ 95 % of the solvable",
              verdict(unknown == 0 && proven * 100 >= 95 * (levels - noSolution))});
}

// Every level of a sweep on each thread count; returns the outcomes by thread count.
std::vector<std::vector<LevelOutcome>> sweep(const std::vector<SweepLevel> &levels)
{
    std::vector<std::vector<LevelOutcome>> outcomes;
    for (const unsigned threads : ThreadCounts) {
        outcomes.emplace_back();
        for (const SweepLevel &level : levels)
            outcomes.back().push_back(sweepLevel(level, threads));
    }
    return outcomes;
}

void harderLevels()
{
    std::vector<SweepLevel> levels;
    for (const fs::path &file : filesIn(HardDir, ".lay"))
        levels.push_back({file.stem().string(), leveldata::readEditorLevel(file)});
    const auto outcomes = sweep(levels);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        std::string value;
        bool met = false;
        for (std::size_t t = 0; t < ThreadCounts.size(); ++t) {
            const LevelOutcome &o = outcomes[t][i];
            value += (value.empty() ? "" : " · ") + threadText(ThreadCounts[t]) + ": fast " + outcomeText(o.fast, false)
                + "; fewest pushes " + outcomeText(o.optimal, true);
            met = o.decided() && (o.proven() || o.fast.verdict == Verdict::NoSolution);
        }
        const leveldata::Board &board = levels[i].level.board;
        const auto items = std::count(board.begin(), board.end(), leveldata::Item);
        printRow({"Harder level " + levels[i].name + " (" + std::to_string(items) + " items)", value,
                  "decided, fewest proven (" + threadText(ThreadCounts.back()) + ")", verdict(met)});
    }
    for (std::size_t t = 0; t < ThreadCounts.size(); ++t)
        printSweep("Harder levels of bench/levels", ThreadCounts[t], outcomes[t]);
}

void collections()
{
    std::vector<fs::path> files = filesIn(CollectionDir, ".xsb");
    if (const char *more = std::getenv("COBBLETON_BENCH_COLLECTIONS")) {
        for (std::string_view rest = more; !rest.empty();) {
            const auto colon = rest.find(':');
            if (colon != 0)
                files.emplace_back(std::string(rest.substr(0, colon)));
            rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
        }
    }
    for (const fs::path &file : files) {
        const std::vector<SweepLevel> levels = collectionLevels(file);
        if (levels.empty()) {
            printRow({"Collection " + file.filename().string(), "n/a (no level that fits, or not readable)"});
            continue;
        }
        const auto outcomes = sweep(levels);
        for (std::size_t t = 0; t < ThreadCounts.size(); ++t)
            printSweep("Collection " + file.filename().string(), ThreadCounts[t], outcomes[t]);
    }
}

std::string loadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one, five;
    file >> one >> five;
    return one + " (1 min), " + five + " (5 min)";
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<BenchmarkRow> rows;
    for (const fs::path &file : filesIn(SampleDir, ".lay")) {
        const std::string name = "BM_Optimal_" + file.stem().string();
        benchmark::RegisterBenchmark(name.c_str(), solveEach, file, SolveMode::Optimal)->Unit(benchmark::kMillisecond);
        rows.push_back({name, "Sample level " + file.stem().string() + ", fewest pushes", SecondNs, ""});
    }
    for (const auto &[name, mode, label] : {std::tuple{"BM_SixItemsFast", SolveMode::Fast, "fast"},
                                            std::tuple{"BM_SixItemsOptimal", SolveMode::Optimal, "fewest pushes"}}) {
        benchmark::RegisterBenchmark(name, solveEach, SixItems, mode)->Unit(benchmark::kMillisecond);
        rows.push_back({name, std::string("Six-item level h01-hall-six, ") + label, SecondNs, ""});
    }
    benchmark::RegisterBenchmark("BM_SearchRate", BM_SearchRate)->Iterations(1)->Unit(benchmark::kMillisecond);
    rows.push_back(
        {"BM_SearchRate", "Search rate (" + RateLevel.stem().string() + ", fewest pushes, 1 s)", 0, "pushes/s"});
    const int status = runBenchmarks(argc, argv, rows);
    twoThreadRate();
    memoryRows();
    const std::string loadBefore = loadAverage();
    harderLevels();
    collections();
    printRow({"Load average over the sweeps (2 cores shared with other work)",
              "before " + loadBefore + "; after " + loadAverage()});
    return status;
}
