#include "resultstable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

// Three significant digits for values from 1 to 999.
std::string threeDigits(double value, const char *unit)
{
    const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : 2;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit);
    return text;
}

// "2.00 ms" -> "2 ms", "1.50 ms" -> "1.5 ms": limits are round numbers.
std::string withoutTrailingZeros(std::string text)
{
    const auto space = text.find(' ');
    const auto point = text.find('.');
    if (point == std::string::npos || point > space)
        return text;
    auto last = text.find_last_not_of('0', space - 1);
    if (last == point)
        --last;
    return text.erase(last + 1, space - last - 1);
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
            if (run.error_occurred)
                failed = true;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, Run> medians;
    bool failed = false;
};

} // namespace

void printRow(const ResultRow &row)
{
    std::printf("| %s | %s | %s | %s |\n", row.measure.c_str(), row.value.c_str(),
                row.target.c_str(), row.verdict.c_str());
    std::fflush(stdout);
}

std::string formatDuration(double nanoseconds)
{
    if (nanoseconds < 1e3)
        return threeDigits(nanoseconds, "ns");
    if (nanoseconds < 1e6)
        return threeDigits(nanoseconds / 1e3, "µs");
    if (nanoseconds < 1e9)
        return threeDigits(nanoseconds / 1e6, "ms");
    return threeDigits(nanoseconds / 1e9, "s");
}

std::string formatRate(double perSecond, const std::string &unit)
{
    if (perSecond >= 1e6)
        return threeDigits(perSecond / 1e6, ("M " + unit).c_str());
    if (perSecond >= 1e3)
        return threeDigits(perSecond / 1e3, ("k " + unit).c_str());
    return threeDigits(perSecond, unit.c_str());
}

std::string verdict(bool met) { return met ? "met" : "missed"; }

int runBenchmarks(int argc, char **argv, const std::vector<BenchmarkRow> &rows)
{
    // Later flags win, so the caller's own flags override these defaults.
    std::vector<char *> args{argv[0]};
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregatesOnly = "--benchmark_report_aggregates_only=true";
    args.push_back(repetitions.data());
    args.push_back(aggregatesOnly.data());
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
        if (row.limitNanoseconds > 0) {
            result.target = "≤ " + withoutTrailingZeros(formatDuration(row.limitNanoseconds));
            result.verdict = "n/a";
        }
        const auto found = reporter.medians.find(row.benchmark);
        if (found != reporter.medians.end() && !found->second.error_occurred) {
            const auto &run = found->second;
            const double ns = run.GetAdjustedRealTime() * 1e9
                              / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const auto rate = run.counters.find("items_per_second");
            result.value = !row.rateUnit.empty() && rate != run.counters.end()
                               ? formatRate(rate->second.value, row.rateUnit)
                               : formatDuration(ns);
            if (row.limitNanoseconds > 0)
                result.verdict = verdict(ns <= row.limitNanoseconds);
        }
        printRow(result);
    }
    return reporter.failed ? 1 : 0;
}
