// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/solver/plainsearch.h"

#include "cobbleton/gamestate.h"
#include "leveldata/levelfile.h"

#include <algorithm>
#include <deque>
#include <string>
#include <unordered_map>

namespace solvercheck {

using namespace leveldata;
using cobbleton::GameState;

namespace {

// A game position as bytes: one per board cell (the codes of the levels checked fit), then the
// player cell and the tile under the player.
std::string keyOf(const GameState &game)
{
    std::string key(CellCount + 2, '\0');
    std::copy(game.board.begin(), game.board.end(), key.begin());
    key[CellCount] = static_cast<char>(game.playerCell);
    key[CellCount + 1] = static_cast<char>(game.underTile);
    return key;
}

void setPosition(GameState &game, const std::string &key)
{
    std::copy(key.begin(), key.begin() + CellCount, game.board.begin());
    game.playerCell = static_cast<unsigned char>(key[CellCount]);
    game.underTile = key[CellCount + 1];
    game.history.clear();
}

} // namespace

std::optional<int> fewestPushes(const Board &board)
{
    GameState game;
    cobbleton::loadLevel(game, gameLevelOf(board));
    // A step costs nothing and a push one: a step's position goes to the front of the queue and
    // a push's to the back, so positions leave the queue in order of pushes.
    std::unordered_map<std::string, int> pushes{{keyOf(game), 0}};
    std::deque<std::string> queue{keyOf(game)};
    while (!queue.empty()) {
        const std::string key = std::move(queue.front());
        queue.pop_front();
        const int done = pushes.at(key);
        setPosition(game, key);
        if (cobbleton::isWon(game))
            return done;
        for (const CellIndex step : {LeftStep, RightStep, UpStep, DownStep}) {
            setPosition(game, key);
            const CellIndex target = game.playerCell + step;
            const int cost = done + (isOnBoard(target) && game.board[target] == Item ? 1 : 0);
            if (!cobbleton::move(game, step).moved)
                continue;
            const auto [entry, fresh] = pushes.try_emplace(keyOf(game), cost);
            if (!fresh && entry->second <= cost)
                continue;
            entry->second = cost;
            if (cost == done)
                queue.push_front(entry->first);
            else
                queue.push_back(entry->first);
        }
    }
    return std::nullopt;
}

SolverAnswer askSolver(const Board &board, std::optional<int> plain, levelsolver::SolveMode mode,
                       std::chrono::milliseconds timeLimit)
{
    using levelsolver::Verdict;
    levelsolver::SolveOptions options;
    options.mode = mode;
    options.timeLimit = timeLimit;
    SolverAnswer answer{levelsolver::solveBoard(board, options)};
    const levelsolver::SolveResult &r = answer.result;
    if (!plain)
        answer.agrees = r.verdict == Verdict::NoSolution;
    else if (mode == levelsolver::SolveMode::Optimal)
        answer.agrees = r.verdict == Verdict::Solved && r.pushOptimal && r.pushCount == *plain;
    else
        answer.agrees = r.verdict == Verdict::Solved && r.pushCount >= *plain;
    return answer;
}

} // namespace solvercheck
