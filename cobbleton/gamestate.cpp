#include "cobbleton/gamestate.h"

#include <algorithm>
#include <cstdint>

namespace cobbleton {

using namespace leveldata;

namespace {

// Off-board cells behave as Wall, so no move leaves the board or reads outside it.
TileCode tileAt(const Board &board, std::int64_t cell)
{
    return cell >= 0 && cell < CellCount ? board[static_cast<CellIndex>(cell)] : Wall;
}

} // namespace

void clearBoard(GameState &state)
{
    state.board.fill(Wall);
    std::fill(state.placeList.begin(), state.placeList.end(), 0);
}

void loadLevel(GameState &state, const GameLevel &level)
{
    state.board = level.board;
    state.placeList = level.placeList;
    if (level.playerCell)
        state.playerCell = *level.playerCell;
    state.victoryText = level.victoryText;
    state.underTile = Floor;
}

void loadLevelFile(GameState &state, const std::filesystem::path &path)
{
    state.levelPath = path;
    loadLevel(state, readGameLevel(path));
}

bool isWon(const GameState &state)
{
    return std::all_of(state.placeList.begin(), state.placeList.end(),
                       [&](CellIndex place) { return tileAt(state.board, place) == Item; });
}

Showing showingOf(const GameState &state)
{
    return {state.board, isWon(state)};
}

MoveResult move(GameState &state, CellIndex step)
{
    Board &board = state.board;
    const CellIndex p = state.playerCell;
    const std::int64_t t = std::int64_t{p} + step;
    const std::int64_t b = std::int64_t{p} + 2 * std::int64_t{step};
    const TileCode target = isOnBoard(p) ? tileAt(board, t) : Wall;
    MoveResult result;

    if (target == Item) {
        const TileCode beyond = tileAt(board, b);
        if (beyond != Wall && beyond != Item) {
            board[static_cast<CellIndex>(b)] = Item;
            board[static_cast<CellIndex>(t)] = Player;
            board[p] = state.underTile;
            state.playerCell = static_cast<CellIndex>(t);
            state.underTile = Floor;
            result.moved = true;
        }
    } else if (target == ItemPlace) {
        // The cell left behind becomes Floor even when it was a place; the restore pass below
        // turns it back, with a showing of its own.
        board[static_cast<CellIndex>(t)] = Player;
        board[p] = Floor;
        state.playerCell = static_cast<CellIndex>(t);
        state.underTile = ItemPlace;
        result.moved = true;
    } else if (target != Wall) {
        board[static_cast<CellIndex>(t)] = Player;
        board[p] = state.underTile;
        state.playerCell = static_cast<CellIndex>(t);
        state.underTile = Floor;
        result.moved = true;
    }
    if (result.moved)
        result.showings.push_back(showingOf(state));

    for (const CellIndex place : state.placeList) {
        if (isOnBoard(place) && board[place] == Floor) {
            board[place] = ItemPlace;
            result.showings.push_back(showingOf(state));
        }
    }
    return result;
}

} // namespace cobbleton
