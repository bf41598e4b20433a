// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

// One line of the results table. Every benchmark program prints its lines as markdown table rows,
// "| measure | value | target | met |", and scripts/bench collects every line that starts with
// "| " from their output into one table.
struct ResultRow
{
    std::string measure;
    std::string value;
    std::string target = "—";
    std::string verdict = "—"; // "met", "missed", "n/a", or "—" when there is no target
};

void printRow(const ResultRow &row);

// "850 ns", "12.3 µs", "1.45 ms", "2.10 s": three significant digits in the largest unit that
// keeps the number at 1 or more.
std::string formatDuration(double nanoseconds);

// `value` with `decimals` digits after the point.
std::string fixed(double value, int decimals);

// Nanoseconds from `start` until now.
double nanosecondsSince(std::chrono::steady_clock::time_point start);

// The files in `dir` named with `extension` (".lay"), sorted.
std::vector<std::filesystem::path> filesIn(const std::filesystem::path &dir, const std::string &extension);

// "met" or "missed".
std::string verdict(bool met);

// The value that a `fraction` (0 < fraction <= 1) of `values` (not empty) do not exceed: the
// median for 0.5 and an odd count.
double percentile(std::vector<double> values, double fraction);

// What the table shows of one Google Benchmark: the median of its repetitions.
struct BenchmarkRow
{
    std::string benchmark;       // the registered function name, e.g. "BM_Move", "BM_Read/game"
    std::string measure;         // the row's text in the table
    double limitNanoseconds = 0; // target for the median real time per iteration; 0: none
    std::string rateUnit;        // when set, show items_per_second in this unit, not the time
};

// Runs the registered benchmarks as BENCHMARK_MAIN does, with 5 repetitions reported as
// aggregates by default (flags in argv override), then prints one ResultRow per entry of `rows`
// from the "median" aggregate. A benchmark that failed or was filtered out reads "n/a".
// Returns 0, or 1 when a benchmark failed or argv held an unknown flag. A missed target is a
// result, not a failure.
int runBenchmarks(int argc, char **argv, const std::vector<BenchmarkRow> &rows);
