// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultstable.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

// `value` in the largest of `units` (each 1000 times the one before) that keeps it at 1 or more,
// with three significant digits; a `limit` is a round number and shows no trailing zeros.
std::string inUnits(double value, const std::vector<std::string> &units, bool limit = false)
{
    auto unit = units.begin();
    for (; value >= 1e3 && unit + 1 != units.end(); ++unit)
        value /= 1e3;
    const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : 2;
    char text[64];
    if (limit)
        std::snprintf(text, sizeof text, "%.3g %s", value, unit->c_str());
    else
        std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit->c_str());
    return text;
}

// The console report as usual, and the median aggregate of every benchmark kept by name.
class CollectingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians.insert_or_assign(run.run_name.function_name, run);
            failed |= run.error_occurred;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, Run> medians;
    bool failed = false;
};

const std::vector<std::string> TimeUnits{"ns", "µs", "ms", "s"};

} // namespace

void printRow(const ResultRow &row)
{
    std::printf("| %s | %s | %s | %s |\n", row.measure.c_str(), row.value.c_str(), row.target.c_str(),
                row.verdict.c_str());
    std::fflush(stdout);
}

std::string formatDuration(double nanoseconds)
{
    return inUnits(nanoseconds, TimeUnits);
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

double nanosecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::filesystem::path> filesIn(const std::filesystem::path &dir, const std::string &extension)
{
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() == extension)
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string verdict(bool met)
{
    return met ? "met" : "missed";
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

int runBenchmarks(int argc, char **argv, const std::vector<BenchmarkRow> &rows)
{
    // Later flags win, so the caller's own flags override these defaults.
    std::string defaults[] = {"--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"};
    std::vector<char *> args{argv[0], defaults[0].data(), defaults[1].data()};
    args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;

    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    for (const BenchmarkRow &row : rows) {
        ResultRow result{row.measure, "n/a"};
        if (row.limitNanoseconds > 0)
            result = {row.measure, "n/a", "≤ " + inUnits(row.limitNanoseconds, TimeUnits, true), "n/a"};
        const auto found = reporter.medians.find(row.benchmark);
        if (found != reporter.medians.end() && !found->second.error_occurred) {
            const auto &run = found->second;
            const double ns = run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const auto rate = run.counters.find("items_per_second");
            const std::string &unit = row.rateUnit;
            result.value = !unit.empty() && rate != run.counters.end()
                ? inUnits(rate->second.value, {unit, "k " + unit, "M " + unit})
                : formatDuration(ns);
            if (row.limitNanoseconds > 0)
                result.verdict = verdict(ns <= row.limitNanoseconds);
        }
        printRow(result);
    }
    return reporter.failed ? 1 : 0;
}
