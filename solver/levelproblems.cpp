// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/levelproblems.h"

#include "solver/cellset.h"

#include <algorithm>

namespace levelsolver {

using namespace leveldata;

namespace {

std::string where(CellIndex cell)
{
    return "column " + std::to_string(columnOf(cell)) + ", row " + std::to_string(rowOf(cell));
}

} // namespace

std::string Problem::text() const
{
    switch (kind) {
    case Kind::NoPlayer: return "no player";
    case Kind::SeveralPlayers: return std::to_string(count) + " players (the game takes the last one)";
    case Kind::UnknownTile: return "unknown tile code at " + where(cell);
    case Kind::NoPlaces: return "no item places";
    case Kind::CountMismatch:
        return std::to_string(count) + (count == 1 ? " item" : " items") + " but " + std::to_string(other)
            + (other == 1 ? " item place" : " item places");
    case Kind::UnreachableItem: return "the item at " + where(cell) + " cannot be reached";
    case Kind::UnreachablePlace: return "the item place at " + where(cell) + " cannot be reached";
    case Kind::OpenRing: return "the outer ring is open at " + where(cell) + " (steps there wrap to the next row)";
    }
    return "unknown problem";
}

std::vector<Problem> levelProblems(const Board &board)
{
    std::vector<Problem> problems;
    int players = 0, items = 0, places = 0;
    CellIndex player = -1, unknown = -1, openRing = -1;
    CellSet open;
    for (CellIndex i = 0; i < CellCount; ++i) {
        const TileCode code = board[i];
        if (code != Wall)
            open.set(i);
        if (code == Player) {
            ++players;
            player = i;
        }
        items += code == Item;
        places += code == ItemPlace;
        if ((code < Wall || code > Item) && unknown < 0)
            unknown = i;
        if (code != Wall && isBorderCell(i) && openRing < 0)
            openRing = i;
    }
    if (players == 0)
        problems.push_back({Problem::Kind::NoPlayer});
    else if (players > 1)
        problems.push_back({Problem::Kind::SeveralPlayers, true, player, players});
    if (unknown >= 0)
        problems.push_back({Problem::Kind::UnknownTile, true, unknown});
    if (places == 0)
        problems.push_back({Problem::Kind::NoPlaces});
    if (items != places)
        problems.push_back({Problem::Kind::CountMismatch, true, -1, items, places});
    if (player >= 0) {
        const CellSet region = reachableFrom(player, open);
        for (CellIndex i = 0; i < CellCount; ++i) {
            if (region.test(i))
                continue;
            if (board[i] == Item)
                problems.push_back({Problem::Kind::UnreachableItem, true, i});
            else if (board[i] == ItemPlace)
                problems.push_back({Problem::Kind::UnreachablePlace, true, i});
        }
    }
    if (openRing >= 0)
        problems.push_back({Problem::Kind::OpenRing, false, openRing});
    return problems;
}

bool hasBlockingProblem(const std::vector<Problem> &problems)
{
    return std::any_of(problems.begin(), problems.end(), [](const Problem &p) { return p.blocking; });
}

} // namespace levelsolver
