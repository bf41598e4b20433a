// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/portfolio.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace levelsolver {

namespace {

using Outcome = PushSearch::Outcome;

// How often the waiting caller adds up the searches' progress.
constexpr std::chrono::milliseconds ProgressEvery{20};

// The searches' outcomes, each kept when its search ends. The fast search's thread goes on, in
// Optimal mode, with a second fewest-pushes search in the other order among equals once it has
// a solution to hold: the core it leaves idle races the first one to the proof.
struct Race
{
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<Outcome> fast, optimal, secondOptimal;
    const Outcome *last = nullptr; // the one that ended last
    int running = 2;               // threads still searching
};

// The outcome to give once the verdict is settled, or nothing while it is open. A complete search
// of either mode settles it (both prune only positions that cannot be won), and so does a win of
// a fewest-pushes search; the fast search's win settles it only when no proof of the fewest
// pushes was asked for, or when every search has stopped without one.
const Outcome *settled(SolveMode mode, const Race &race)
{
    const auto &fast = race.fast;
    for (const auto *optimal : {&race.optimal, &race.secondOptimal}) {
        if (*optimal && (*optimal)->verdict != Verdict::Unknown)
            return &**optimal;
    }
    if (fast && fast->verdict == Verdict::NoSolution)
        return &*fast;
    if (fast && fast->verdict == Verdict::Solved && (mode == SolveMode::Fast || race.running == 0))
        return &*fast;
    if (race.running == 0)
        return race.last; // all stopped: the reason of the one that went on longest
    return nullptr;
}

// Runs one search on the calling thread; `options.stop` is replaced by the thread's own stop
// token, which the caller's stop request and a settled verdict both trigger.
void searchInto(std::stop_token stop, const Maze &maze, SolveOptions options, PushSearch::TieOrder order, Race &race,
                std::optional<Outcome> &slot)
{
    options.stop = std::move(stop);
    Outcome outcome = PushSearch(maze, options, order).run();
    const std::scoped_lock lock(race.mutex);
    slot = std::move(outcome);
    race.last = &*slot;
    race.ended.notify_all();
}

void endThread(Race &race)
{
    const std::scoped_lock lock(race.mutex);
    --race.running;
    race.ended.notify_all();
}

// The fewest-pushes search's thread.
void searchOptimal(std::stop_token stop, const Maze &maze, const SolveOptions &options, Race &race)
{
    searchInto(stop, maze, options, PushSearch::TieOrder::Varied, race, race.optimal);
    endThread(race);
}

// The fast search's thread; in Optimal mode, after a solution and while time is left, the second
// fewest-pushes search with the whole of this thread's memory and the rest of the time.
void searchFast(std::stop_token stop, const Maze &maze, SolveOptions options, SolveMode mode, Race &race,
                SearchProgress *secondProgress)
{
    const auto start = std::chrono::steady_clock::now();
    searchInto(stop, maze, options, PushSearch::TieOrder::Varied, race, race.fast);
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    if (mode == SolveMode::Optimal && race.fast->verdict == Verdict::Solved && !stop.stop_requested()
        && spent < options.timeLimit) {
        options.mode = SolveMode::Optimal;
        options.timeLimit -= spent;
        options.progress = secondProgress;
        searchInto(stop, maze, options, PushSearch::TieOrder::NewestFirst, race, race.secondOptimal);
    }
    endThread(race);
}

} // namespace

Outcome searchPortfolio(const Maze &maze, const SolveOptions &options)
{
    if (options.threads <= 1)
        return PushSearch(maze, options).run();

    const auto start = std::chrono::steady_clock::now();
    Race race;
    SearchProgress progress[3]; // the fast search, the fewest-pushes one, the second of those
    const auto halfOf = [&](SolveMode mode, SearchProgress &own) {
        SolveOptions half = options;
        half.mode = mode;
        half.memoryLimitBytes = options.memoryLimitBytes / 2;
        half.progress = &own;
        half.threads = 1;
        return half;
    };
    std::jthread fast(searchFast, std::cref(maze), halfOf(SolveMode::Fast, progress[0]), options.mode, std::ref(race),
                      &progress[2]);
    std::jthread optimal(searchOptimal, std::cref(maze), halfOf(SolveMode::Optimal, progress[1]), std::ref(race));
    const std::stop_callback passOn(options.stop, [&] {
        fast.request_stop();
        optimal.request_stop();
    });

    const auto report = [&] {
        if (!options.progress)
            return;
        for (auto counter : {&SearchProgress::expanded, &SearchProgress::pushes}) {
            std::uint64_t sum = 0;
            for (const SearchProgress &own : progress)
                sum += (own.*counter).load(std::memory_order_relaxed);
            (options.progress->*counter).store(sum, std::memory_order_relaxed);
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

    // The searches of one thread ran one after the other: their memory is the larger of the two.
    result.stats = {};
    std::size_t secondThreadBytes = 0;
    for (const auto *slot : {&race.fast, &race.optimal, &race.secondOptimal}) {
        if (!*slot)
            continue;
        const SearchStats &stats = (*slot)->stats;
        result.stats.expanded += stats.expanded;
        result.stats.pushes += stats.pushes;
        result.stats.stored += stats.stored;
        if (slot == &race.optimal)
            result.stats.memoryBytes = stats.memoryBytes;
        else
            secondThreadBytes = std::max(secondThreadBytes, stats.memoryBytes);
    }
    result.stats.memoryBytes += secondThreadBytes;
    result.stats.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

} // namespace levelsolver
