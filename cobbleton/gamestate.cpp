#include "cobbleton/gamestate.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace cobbleton {

using namespace leveldata;

namespace {

// Entries of placeList that are in use; never more than the list holds.
std::size_t usedPlaces(const GameState &state)
{
    if (state.placeCount <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(state.placeCount), state.placeList.size());
}

// Off-board cells behave as Wall, so no move leaves the board or reads outside it.
TileCode tileAt(const Board &board, std::int64_t cell)
{
    return cell >= 0 && cell < CellCount ? board[static_cast<CellIndex>(cell)] : Wall;
}

} // namespace

GameState &gameState()
{
    static GameState state;
    return state;
}

void clearBoard(GameState &state)
{
    state.board.fill(Wall);
    std::fill(state.placeList.begin(), state.placeList.end(), 0);
}

void loadLevel(GameState &state, const GameLevel &level)
{
    state.placeCount = 0;
    state.placeList.clear();
    state.board = level.board;
    for (CellIndex place : level.placeList) {
        state.placeList.push_back(place);
        ++state.placeCount;
    }
    if (level.playerCell)
        state.playerCell = *level.playerCell;
    state.victoryText = level.victoryText;
    state.underTile = Floor;
}

void loadLevelFile(GameState &state)
{
    loadLevel(state, readGameLevel(state.levelPath));
}

bool isWon(const GameState &state)
{
    const std::size_t used = usedPlaces(state);
    const auto filled = std::count_if(state.placeList.begin(), state.placeList.begin() + used,
                                      [&](CellIndex place) { return tileAt(state.board, place) == Item; });
    return static_cast<std::int64_t>(filled) == state.placeCount;
}

bool move(GameState &state, CellIndex step, const ShowBoardFn &showBoard)
{
    Board &board = state.board;
    const CellIndex p = state.playerCell;
    const std::int64_t t = std::int64_t{p} + step;
    const std::int64_t b = std::int64_t{p} + 2 * std::int64_t{step};
    const TileCode target = isOnBoard(p) ? tileAt(board, t) : Wall;
    bool moved = false;
    const auto show = [&] {
        if (showBoard)
            showBoard();
    };

    if (target == Item) {
        const TileCode beyond = tileAt(board, b);
        if (beyond != Wall && beyond != Item) {
            board[static_cast<CellIndex>(b)] = Item;
            board[static_cast<CellIndex>(t)] = Player;
            board[p] = state.underTile;
            state.playerCell = static_cast<CellIndex>(t);
            show();
            state.underTile = Floor;
            moved = true;
        }
    } else if (target == ItemPlace) {
        // The cell left behind becomes Floor even when it was a place; the restore pass below
        // turns it back, with a showing of its own.
        board[static_cast<CellIndex>(t)] = Player;
        board[p] = Floor;
        state.playerCell = static_cast<CellIndex>(t);
        state.underTile = ItemPlace;
        show();
        moved = true;
    } else if (target != Wall) {
        board[static_cast<CellIndex>(t)] = Player;
        board[p] = state.underTile;
        state.playerCell = static_cast<CellIndex>(t);
        show();
        state.underTile = Floor;
        moved = true;
    }

    const std::size_t used = usedPlaces(state);
    for (std::size_t i = 0; i < used; ++i) {
        const CellIndex place = state.placeList[i];
        if (isOnBoard(place) && board[place] == Floor) {
            board[place] = ItemPlace;
            show();
        }
    }
    return moved;
}

} // namespace cobbleton
