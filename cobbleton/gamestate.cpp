// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/gamestate.h"

#include "leveldata/filebytes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace cobbleton {

using namespace leveldata;

namespace {

// Off-board cells behave as Wall, so no move leaves the board or reads outside it.
TileCode tileAt(const Board &board, std::int64_t cell)
{
    return cell >= 0 && cell < CellCount ? board[static_cast<CellIndex>(cell)] : Wall;
}

MoveResult changedPosition(const GameState &state)
{
    return {true, {showingOf(state)}};
}

constexpr std::array<std::pair<CellIndex, char>, 4> StepNames{
    {{LeftStep, 'l'}, {RightStep, 'r'}, {UpStep, 'u'}, {DownStep, 'd'}}};

char stepName(CellIndex step, bool pushed)
{
    for (const auto &[offset, name] : StepNames) {
        if (offset == step)
            return pushed ? static_cast<char>(name - 'a' + 'A') : name;
    }
    return '?';
}

} // namespace

void clearBoard(GameState &state)
{
    state.board.fill(Wall);
    std::fill(state.placeList.begin(), state.placeList.end(), 0);
    state.history.clear();
}

void loadLevel(GameState &state, const GameLevel &level)
{
    state.board = level.board;
    state.placeList = level.placeList;
    if (level.playerCell)
        state.playerCell = *level.playerCell;
    state.victoryText = level.victoryText;
    state.underTile = Floor;
    state.history.clear();
}

bool loadLevelFile(GameState &state, const std::filesystem::path &path)
{
    // Read once, so the bytes found readable are the bytes loaded (readGameLevel would read the
    // file again).
    std::string bytes;
    const std::error_code error = readFileBytes(path, bytes);
    if (error && error != std::errc::file_too_large)
        return false;
    state.levelPath = path;
    loadLevel(state, gameLevelFromBytes(std::move(bytes)));
    return true;
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
    const TileCode underBefore = state.underTile;
    MoveResult result;

    // For the history: the cells the step or push can write, with their tiles before it, and
    // after them any place the restore pass turns back elsewhere (only a state no loaded level
    // leads to has such a place).
    std::array<CellChange, 3 + CellCount> changes;
    std::size_t changeCount = 0;
    for (const std::int64_t cell : {std::int64_t{p}, t, b}) {
        if (cell >= 0 && cell < CellCount)
            changes[changeCount++] = {static_cast<CellIndex>(cell), board[static_cast<CellIndex>(cell)], 0};
    }
    const std::size_t watched = changeCount;

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
            if (place != p && place != t && place != b)
                changes[changeCount++] = {place, Floor, ItemPlace};
        }
    }

    for (std::size_t i = 0; i < watched; ++i)
        changes[i].after = board[changes[i].cell];
    // A refused move changed nothing and records nothing.
    const bool pushed = result.moved && target == Item;
    static_cast<void>(state.history.record(std::span(changes.data(), changeCount),
                                           {p, state.playerCell, underBefore, state.underTile},
                                           stepName(step, pushed)));
    return result;
}

MoveResult undo(GameState &state)
{
    if (!state.history.undo(state.board, state.playerCell, state.underTile))
        return {};
    return changedPosition(state);
}

MoveResult redo(GameState &state)
{
    if (!state.history.redo(state.board, state.playerCell, state.underTile))
        return {};
    return changedPosition(state);
}

MoveResult restart(GameState &state)
{
    Board board = state.board;
    CellIndex playerCell = state.playerCell;
    TileCode underTile = state.underTile;
    state.history.rewind(board, playerCell, underTile);

    std::array<CellChange, CellCount> changes;
    std::size_t changeCount = 0;
    for (CellIndex i = 0; i < CellCount; ++i) {
        if (board[i] != state.board[i])
            changes[changeCount++] = {i, state.board[i], board[i]};
    }
    if (!state.history.record(std::span(changes.data(), changeCount),
                              {state.playerCell, playerCell, state.underTile, underTile}, RestartStepName))
        return {};
    state.board = board;
    state.playerCell = playerCell;
    state.underTile = underTile;
    return changedPosition(state);
}

MoveCount moveCountOf(const GameState &state)
{
    const std::string_view names = std::string_view(state.history.names()).substr(0, state.history.undoableCount());
    const std::size_t restart = names.rfind(RestartStepName);
    MoveCount count;
    for (const char name : names.substr(restart == std::string_view::npos ? 0 : restart + 1)) {
        ++count.moves;
        count.pushes += name >= 'A' && name <= 'Z' ? 1 : 0;
    }
    return count;
}

bool replayHistory(GameState &state, std::string_view names, std::size_t undoable)
{
    if (undoable > names.size())
        return false;
    for (const char name : names) {
        if (name == RestartStepName) {
            if (!restart(state).moved)
                return false;
            continue;
        }
        const char lower = name >= 'A' && name <= 'Z' ? static_cast<char>(name - 'A' + 'a') : name;
        const auto entry = std::find_if(StepNames.begin(), StepNames.end(),
                                        [lower](const auto &known) { return known.second == lower; });
        if (entry == StepNames.end())
            return false;
        const std::size_t before = state.history.undoableCount();
        static_cast<void>(move(state, entry->first));
        // The move must be the one named: a step, or a push when the name says so.
        if (state.history.undoableCount() != before + 1 || state.history.names().back() != name)
            return false;
    }
    for (std::size_t i = undoable; i < names.size(); ++i)
        static_cast<void>(undo(state));
    return true;
}

} // namespace cobbleton
