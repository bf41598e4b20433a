// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/portfolio.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace levelsolver {

namespace {

using Outcome = PushSearch::Outcome;

// How often the waiting caller adds up the searches' progress.
constexpr std::chrono::milliseconds ProgressEvery{20};

// The two searches' outcomes, each kept when its search ends.
struct Race
{
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<Outcome> fast, optimal;
    const Outcome *last = nullptr; // the one that ended last
};

// The outcome to give once the verdict is settled, or nothing while it is open. A complete search
// of either mode settles it (both prune only positions that cannot be won), and so does a win of
// the fewest-pushes search; the fast search's win settles it only when no proof of the fewest
// pushes was asked for, or when that search has stopped without one.
const Outcome *settled(SolveMode mode, const Race &race)
{
    const auto &fast = race.fast, &optimal = race.optimal;
    if (optimal && optimal->verdict != Verdict::Unknown)
        return &*optimal;
    if (fast && fast->verdict == Verdict::NoSolution)
        return &*fast;
    if (fast && fast->verdict == Verdict::Solved && (mode == SolveMode::Fast || optimal))
        return &*fast;
    if (fast && optimal)
        return race.last; // both stopped: the reason of the one that went on longest
    return nullptr;
}

// One search of the portfolio, on its own thread; `options.stop` is replaced by the thread's own
// stop token, which the caller's stop request and a settled verdict both trigger.
void searchOne(std::stop_token stop, const Maze &maze, SolveOptions options, Race &race, std::optional<Outcome> &slot)
{
    options.stop = std::move(stop);
    Outcome outcome = PushSearch(maze, options).run();
    const std::scoped_lock lock(race.mutex);
    slot = std::move(outcome);
    race.last = &*slot;
    race.ended.notify_all();
}

} // namespace

Outcome searchPortfolio(const Maze &maze, const SolveOptions &options)
{
    if (options.threads <= 1)
        return PushSearch(maze, options).run();

    const auto start = std::chrono::steady_clock::now();
    Race race;
    SearchProgress progress[2];
    const auto halfOf = [&](SolveMode mode, SearchProgress &own) {
        SolveOptions half = options;
        half.mode = mode;
        half.memoryLimitBytes = options.memoryLimitBytes / 2;
        half.progress = &own;
        half.threads = 1;
        return half;
    };
    std::jthread fast(searchOne, std::cref(maze), halfOf(SolveMode::Fast, progress[0]), std::ref(race),
                      std::ref(race.fast));
    std::jthread optimal(searchOne, std::cref(maze), halfOf(SolveMode::Optimal, progress[1]), std::ref(race),
                         std::ref(race.optimal));
    const std::stop_callback passOn(options.stop, [&] {
        fast.request_stop();
        optimal.request_stop();
    });

    const auto report = [&] {
        if (!options.progress)
            return;
        for (auto counter : {&SearchProgress::expanded, &SearchProgress::pushes}) {
            (options.progress->*counter)
                .store((progress[0].*counter).load(std::memory_order_relaxed)
                           + (progress[1].*counter).load(std::memory_order_relaxed),
                       std::memory_order_relaxed);
        }
    };
    std::unique_lock lock(race.mutex);
    while (!settled(options.mode, race)) {
        race.ended.wait_for(lock, ProgressEvery);
        report();
    }
    Outcome result = *settled(options.mode, race);
    lock.unlock();
    fast.request_stop();
    optimal.request_stop();
    fast.join();
    optimal.join();
    report();

    result.stats = {};
    for (const auto *outcome : {&*race.fast, &*race.optimal}) {
        result.stats.expanded += outcome->stats.expanded;
        result.stats.pushes += outcome->stats.pushes;
        result.stats.stored += outcome->stats.stored;
        result.stats.memoryBytes += outcome->stats.memoryBytes;
    }
    result.stats.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

} // namespace levelsolver
