// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/positionsearch.h"

#include "solver/solver.h"

#include <algorithm>
#include <cctype>

namespace cobbleton {

using namespace leveldata;

namespace {

constexpr std::array<std::pair<CellIndex, char>, 4> Steps{
    {{LeftStep, 'l'}, {RightStep, 'r'}, {UpStep, 'u'}, {DownStep, 'd'}}};

bool walkable(const Board &board, CellIndex cell)
{
    return isOnBoard(cell) && board[cell] != Wall && board[cell] != Item;
}

} // namespace

SolverPosition solverPositionOf(const Board &board, CellIndex playerCell, const std::vector<CellIndex> &placeList)
{
    SolverPosition position{board, {}};
    for (CellIndex i = 0; i < CellCount; ++i) {
        TileCode &code = position.board[i];
        if ((code == Player && i != playerCell) || code < Wall || code > Item)
            code = Floor;
    }
    for (const CellIndex place : placeList) {
        if (isOnBoard(place) && (position.board[place] == Item || position.board[place] == Player))
            position.coveredPlaces.push_back(place);
    }
    return position;
}

PositionKey positionKeyOf(const Board &board, CellIndex playerCell)
{
    PositionKey key;
    for (CellIndex i = 0; i < CellCount; ++i) {
        if (board[i] == Item)
            key.items[std::size_t(i) / 64] |= std::uint64_t{1} << (i % 64);
    }
    if (!isOnBoard(playerCell))
        return key;
    std::array<bool, CellCount> seen{};
    std::array<CellIndex, CellCount> queue{};
    std::size_t head = 0, tail = 0;
    queue[tail++] = playerCell;
    seen[std::size_t(playerCell)] = true;
    key.reach = playerCell;
    while (head < tail) {
        const CellIndex at = queue[head++];
        key.reach = std::min(key.reach, at);
        for (const auto &[step, letter] : Steps) {
            const CellIndex next = at + step;
            if (walkable(board, next) && !seen[std::size_t(next)]) {
                seen[std::size_t(next)] = true;
                queue[tail++] = next;
            }
        }
    }
    return key;
}

std::optional<std::string> walkOf(const Board &board, CellIndex from, CellIndex to)
{
    if (!isOnBoard(from) || !isOnBoard(to))
        return std::nullopt;
    std::array<char, CellCount> letterTo{}; // the step that first reached each cell
    std::array<CellIndex, CellCount> queue{};
    std::size_t head = 0, tail = 0;
    queue[tail++] = from;
    letterTo[std::size_t(from)] = '.';
    while (head < tail && letterTo[std::size_t(to)] == 0) {
        const CellIndex at = queue[head++];
        for (const auto &[step, letter] : Steps) {
            const CellIndex next = at + step;
            if (walkable(board, next) && letterTo[std::size_t(next)] == 0) {
                letterTo[std::size_t(next)] = letter;
                queue[tail++] = next;
            }
        }
    }
    if (letterTo[std::size_t(to)] == 0)
        return std::nullopt;
    std::string letters;
    for (CellIndex at = to; at != from; at -= stepOfLetter(letters.back()))
        letters.push_back(letterTo[std::size_t(at)]);
    std::reverse(letters.begin(), letters.end());
    return letters;
}

CellIndex stepOfLetter(char letter)
{
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    for (const auto &[step, name] : Steps) {
        if (name == lower)
            return step;
    }
    return 0;
}

PositionVerdict searchPosition(const SolverPosition &position, std::chrono::milliseconds timeLimit,
                               std::stop_token stop)
{
    levelsolver::SolveOptions options;
    options.timeLimit = timeLimit;
    options.stop = stop;
    options.threads = levelsolver::defaultSolverThreads();
    levelsolver::SolveResult result = levelsolver::solveBoard(position.board, position.coveredPlaces, options);
    switch (result.verdict) {
    case levelsolver::Verdict::Solved: return {Winnable::Yes, false, std::move(result.moves)};
    case levelsolver::Verdict::NoSolution: return {Winnable::No, false, {}};
    case levelsolver::Verdict::Unknown:
        return {Winnable::Unknown, result.stopReason != levelsolver::StopReason::Cancelled, {}};
    case levelsolver::Verdict::Invalid: break;
    }
    // Every push keeps the number of items, and a win needs one on each place.
    using levelsolver::Problem;
    const bool tooFewItems = std::any_of(result.problems.begin(), result.problems.end(), [](const Problem &p) {
        return p.kind == Problem::Kind::CountMismatch && p.count < p.other;
    });
    return {tooFewItems ? Winnable::No : Winnable::Unknown, false, {}};
}

} // namespace cobbleton
