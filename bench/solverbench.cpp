// SPDX-License-Identifier: GPL-3.0-or-later
// The level solver: every sample level solved for the fewest pushes, a six-item level in both
// modes, the search rate, the memory a search keeps to, and one run of each harder level in
// bench/levels (made for measuring: 6 to 12 items, open rings, levels without a solution, items
// and the player starting on places).
#include "resultstable.h"

#include "leveldata/levelfile.h"
#include "solver/solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace levelsolver;

const fs::path SampleDir = LEVELS_DIR;
const fs::path HardDir = HARD_LEVELS_DIR;
const fs::path SixItems = HardDir / "h01-hall-six.lay";
const fs::path RateLevel = HardDir / "h04-dozen.lay"; // long searches in both modes

constexpr double SecondNs = 1e9;

std::vector<fs::path> levelsIn(const fs::path &dir)
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".lay")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

SolveResult solveFile(const fs::path &file, SolveMode mode, double seconds, std::size_t memoryMiB = 1024)
{
    SolveOptions options;
    options.mode = mode;
    options.timeLimit = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    options.memoryLimitBytes = memoryMiB << 20;
    const leveldata::EditorLevel level = leveldata::readEditorLevel(file);
    return solveBoard(level.board, level.coveredPlaces, options);
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

// One line for a level: the verdict, the solution's size or why the search stopped, and the time.
std::string outcome(const SolveResult &r)
{
    std::string text = verdictName(r.verdict);
    if (r.verdict == Verdict::Solved)
        text.append(" ").append(std::to_string(r.pushCount)).append(" pushes");
    return text.append(" in ").append(formatDuration(r.stats.seconds * SecondNs));
}

void harderLevels()
{
    constexpr double Limit = 10.0;
    std::string undecided;
    for (const fs::path &file : levelsIn(HardDir)) {
        const SolveResult fast = solveFile(file, SolveMode::Fast, Limit);
        const SolveResult optimal = solveFile(file, SolveMode::Optimal, Limit);
        const std::string name = file.stem().string();
        if (fast.verdict == Verdict::Unknown && optimal.verdict == Verdict::Unknown)
            undecided += (undecided.empty() ? "" : ", ") + name;
        std::string value = "fast: " + outcome(fast) + "; fewest pushes: " + outcome(optimal);
        if (optimal.verdict == Verdict::Solved && !optimal.pushOptimal)
            value += " (not proven)";
        const leveldata::Board board = leveldata::readGameLevel(file).board;
        const auto items = std::count(board.begin(), board.end(), leveldata::Item);
        printRow({"Harder level " + name + " (" + std::to_string(items) + " items)", value, "decided in 10 s",
                  verdict(fast.verdict != Verdict::Unknown || optimal.verdict != Verdict::Unknown)});
    }
    printRow({"Harder levels undecided in 10 s (either mode)", undecided.empty() ? "none" : undecided});
}

void memoryRows()
{
    for (const std::size_t mib : {std::size_t{64}, std::size_t{1024}}) {
        const SolveResult r = solveFile(RateLevel, SolveMode::Optimal, 10.0, mib);
        char value[160];
        std::snprintf(value, sizeof value, "%.1f MiB kept, %llu positions, stopped by %s",
                      r.stats.memoryBytes / 1048576.0, static_cast<unsigned long long>(r.stats.stored),
                      r.stopReason == StopReason::MemoryLimit     ? "the memory limit"
                          : r.stopReason == StopReason::TimeLimit ? "the 10 s limit"
                                                                  : verdictName(r.verdict));
        printRow(
            {"Search memory, " + RateLevel.stem().string() + " fewest pushes, budget " + std::to_string(mib) + " MiB",
             value, "≤ " + std::to_string(mib) + " MiB", verdict(r.stats.memoryBytes <= (mib << 20))});
    }
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<BenchmarkRow> rows;
    for (const fs::path &file : levelsIn(SampleDir)) {
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
    rows.push_back({"BM_SearchRate", "Search rate (h04-dozen, fewest pushes, 1 s)", 0, "pushes/s"});
    const int status = runBenchmarks(argc, argv, rows);
    memoryRows();
    harderLevels();
    return status;
}
