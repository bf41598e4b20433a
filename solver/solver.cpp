// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/solver.h"

#include "cobbleton/gamestate.h"
#include "solver/maze.h"
#include "solver/portfolio.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <thread>

namespace levelsolver {

using namespace leveldata;

namespace {

constexpr std::string_view StepLetters = "lrud"; // in the order of Steps

// The shortest walk from `from` to `to` through `free`, as step letters; nothing when there is none.
std::optional<std::string> walk(CellIndex from, CellIndex to, const CellSet &free)
{
    std::array<std::int8_t, CellCount> sideTaken;
    sideTaken.fill(-1);
    std::array<CellIndex, CellCount> queue{};
    std::size_t head = 0, tail = 0;
    queue[tail++] = from;
    sideTaken[static_cast<std::size_t>(from)] = 4;
    while (head < tail && sideTaken[static_cast<std::size_t>(to)] < 0) {
        const CellIndex at = queue[head++];
        for (std::size_t side = 0; side < Steps.size(); ++side) {
            const CellIndex next = at + Steps[side];
            if (isOnBoard(next) && free.test(next) && sideTaken[static_cast<std::size_t>(next)] < 0) {
                sideTaken[static_cast<std::size_t>(next)] = static_cast<std::int8_t>(side);
                queue[tail++] = next;
            }
        }
    }
    if (sideTaken[static_cast<std::size_t>(to)] < 0)
        return std::nullopt;
    std::string letters;
    for (CellIndex at = to; at != from;) {
        const auto side = static_cast<std::size_t>(sideTaken[static_cast<std::size_t>(at)]);
        letters.push_back(StepLetters[side]);
        at -= Steps[side];
    }
    std::reverse(letters.begin(), letters.end());
    return letters;
}

std::string movesOf(const Maze &maze, const std::vector<Push> &pushes)
{
    std::string moves;
    CellSet items = maze.startItems();
    CellIndex player = maze.startPlayer();
    for (const Push &push : pushes) {
        const CellIndex step = Steps[static_cast<std::size_t>(push.side)];
        const auto path =
            isOnBoard(push.from - step) ? walk(player, push.from - step, maze.open() - items) : std::nullopt;
        if (!path)
            return {}; // not a solution: the replay that follows rejects it
        moves += *path;
        moves.push_back(static_cast<char>(std::toupper(StepLetters[static_cast<std::size_t>(push.side)])));
        items.reset(push.from);
        items.set(push.from + step);
        player = push.from;
    }
    return moves;
}

} // namespace

SolveResult solveBoard(const Board &board, const std::vector<CellIndex> &coveredPlaces, const SolveOptions &options)
{
    SolveResult result;
    result.problems = levelProblems(board, coveredPlaces);
    if (hasBlockingProblem(result.problems)) {
        result.verdict = Verdict::Invalid;
        return result;
    }
    const Maze maze(board, coveredPlaces);
    const PushSearch::Outcome outcome = searchPortfolio(maze, options);
    result.stats = outcome.stats;
    result.verdict = outcome.verdict;
    result.stopReason = outcome.stopReason;
    if (outcome.verdict == Verdict::Solved) {
        result.moves = movesOf(maze, outcome.pushes);
        result.pushCount = static_cast<int>(outcome.pushes.size());
        result.moveCount = static_cast<int>(result.moves.size());
        result.pushOptimal = outcome.optimal;
        // Never hand out a solution the game would not accept.
        if (!replaySolution(board, coveredPlaces, result.moves)) {
            result.verdict = Verdict::Unknown;
            result.moves.clear();
            result.pushCount = result.moveCount = 0;
            result.pushOptimal = false;
        }
    }
    return result;
}

unsigned defaultSolverThreads()
{
    return std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
}

// The one place that plays moves through the game's rules.
bool replaySolution(const Board &board, const std::vector<CellIndex> &coveredPlaces, std::string_view moves)
{
    const GameLevel level = gameLevelOf(board, coveredPlaces);
    if (!level.playerCell)
        return false;
    cobbleton::GameState state;
    cobbleton::loadLevel(state, level);
    for (char letter : moves) {
        const auto side = StepLetters.find(static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
        if (side == std::string_view::npos || !cobbleton::move(state, Steps[side]).moved)
            return false;
    }
    return cobbleton::isWon(state);
}

const char *verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Solved: return "solved";
    case Verdict::NoSolution: return "no solution";
    case Verdict::Unknown: return "unknown";
    case Verdict::Invalid: return "invalid";
    }
    return "unknown";
}

} // namespace levelsolver
