// SPDX-License-Identifier: GPL-3.0-or-later
// The game's lost-position line after a dead push: the time to the verdict (the check of the
// position) and to the count of undos (then the search back), each search with the game's own
// limit (LostCheckTimeLimit) and nothing known before the push, as the window runs them on its
// worker. On each sample level and each harder level of bench/levels that can be won, after the
// first push from the start (items in cell order, sides L R U D) that loses it.
#include "resultstable.h"

#include "cobbleton/advisor.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace cobbleton;

struct Timing
{
    double verdictNs = 0;
    double countNs = 0;
    bool counted = false;
};

Winnable verdictOf(const GameState &state, std::chrono::milliseconds limit)
{
    return searchPosition(solverPositionOf(state.board, state.playerCell, state.placeList), limit, {}).winnable;
}

// The position after the first push from the start that loses the level; nothing when the level
// cannot be won, or no single push loses it.
std::optional<GameState> afterDeadPush(const fs::path &file)
{
    GameState start;
    if (!loadLevelFile(start, file) || verdictOf(start, std::chrono::seconds(30)) != Winnable::Yes)
        return std::nullopt;
    for (CellIndex item = 0; item < leveldata::CellCount; ++item) {
        for (const char push : std::string("LRUD")) {
            const CellIndex step = stepOfLetter(push);
            const std::optional<std::string> walk = start.board[item] == leveldata::Item
                ? walkOf(start.board, start.playerCell, item - step)
                : std::nullopt;
            if (!walk)
                continue;
            GameState state = start;
            bool played = true;
            for (const char move : *walk + push)
                played = played && cobbleton::move(state, stepOfLetter(move)).moved;
            if (played && state.history.names().back() == push && verdictOf(state, LostCheckTimeLimit) == Winnable::No)
                return state;
        }
    }
    return std::nullopt;
}

// Both searches the window runs after the push, timed.
Timing checkAfterPush(const GameState &state)
{
    Advisor advisor;
    advisor.startLevel(state.placeList);
    const auto search = [&] {
        if (std::optional<Advisor::LostCheck> check = advisor.assess(state).check) {
            for (const Advisor::Finding &found : Advisor::runLostCheck(*check, LostCheckTimeLimit, {}))
                advisor.learn(found.from, found.verdict);
        }
    };
    Timing timing;
    const auto start = std::chrono::steady_clock::now();
    search();
    timing.verdictNs = nanosecondsSince(start);
    search();
    timing.countNs = nanosecondsSince(start);
    timing.counted = advisor.assess(state).undos.has_value();
    return timing;
}

// Median and worst of the verdicts and of the counts, and how many counts were found in time.
void report(const std::string &levels, const std::vector<Timing> &timings)
{
    std::vector<double> verdicts, counts;
    int counted = 0;
    for (const Timing &timing : timings) {
        verdicts.push_back(timing.verdictNs);
        counts.push_back(timing.countNs);
        counted += timing.counted ? 1 : 0;
    }
    const double limitNs = std::chrono::duration<double, std::nano>(LostCheckTimeLimit).count();
    const std::string of = ", " + levels + " (" + std::to_string(timings.size()) + "): median, worst";
    for (const auto &[what, values, limit] : {std::tuple{"lost-position verdict after a dead push", verdicts, limitNs},
                                              std::tuple{"count of undos after it", counts, 2 * limitNs}}) {
        const bool any = !values.empty();
        const double worst = any ? percentile(values, 1.0) : 0;
        printRow({what + of, any ? formatDuration(percentile(values, 0.5)) + ", " + formatDuration(worst) : "n/a",
                  "worst ≤ " + formatDuration(limit), any ? verdict(worst <= limit) : "n/a"});
    }
    printRow({"counts of undos found in time, " + levels,
              std::to_string(counted) + " of " + std::to_string(timings.size())});
}

} // namespace

int main()
{
    for (const auto &[dir, levels] : {std::pair{fs::path(LEVELS_DIR), std::string("sample levels")},
                                      std::pair{fs::path(HARD_LEVELS_DIR), std::string("bench levels")}}) {
        std::vector<Timing> timings;
        for (const fs::path &file : filesIn(dir, ".lay")) {
            if (const std::optional<GameState> state = afterDeadPush(file))
                timings.push_back(checkAfterPush(*state));
        }
        report(levels, timings);
    }
    return 0;
}
