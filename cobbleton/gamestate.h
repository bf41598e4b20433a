// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/movehistory.h"
#include "leveldata/board.h"
#include "leveldata/levelfile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace cobbleton {

using leveldata::Board;
using leveldata::CellIndex;
using leveldata::TileCode;

// The level in play. The game application owns one for the life of the program and hands it to
// the game window, its only user; the window's cell controls are the window's own.
//
// Invariants the moves keep: every ItemPlace cell of `board` is listed in `placeList`; a listed
// place keeps its entry while an Item or the player stands on it; `playerCell` names the cell
// that holds the player.
struct GameState
{
    Board board;                         // all Wall at start
    std::vector<CellIndex> placeList{0}; // item places, ascending; every entry counts
    CellIndex playerCell = 0;
    TileCode underTile = leveldata::Floor; // what the player's cell gets when the player leaves
    std::string victoryText;               // UTF-8
    std::filesystem::path levelPath;       // the level file last loaded
    MoveHistory history;                   // the steps since the level was loaded

    // The start value of placeList is deliberate: one place at cell 0, a Wall, so the empty start
    // board is not won (a level without places counts as won).
};

// What the window's initialisation does to the state: board all Wall and every placeList entry
// set to 0 (the list keeps its length), and an empty history. playerCell, underTile and the texts
// stay as they are.
void clearBoard(GameState &state);

// Takes a level as the game reads it: the file's places in order, the board, playerCell only
// when the file has a player (otherwise the previous one stays), victoryText, underTile back to
// Floor, and an empty history. levelPath is not touched.
void loadLevel(GameState &state, const leveldata::GameLevel &level);

// Loads the level file at `path` as leveldata::readGameLevel reads it and makes `path` the level
// path. Returns false, changing nothing, when the file cannot be read: missing, a directory, not
// a regular file, no read permission. A file longer than leveldata::MaxFileBytes is read as far
// as that, as readGameLevel does.
[[nodiscard]] bool loadLevelFile(GameState &state, const std::filesystem::path &path);

// The victory test (the rule of the window's CheckVictory): true when each listed place holds an
// Item. A level with no places counts as won. A listed cell off the board never holds an Item.
[[nodiscard]] bool isWon(const GameState &state);

// One showing of the board: the board as it stood and whether the victory test passed on it.
// The window shows the board, then the victory message when `won` is true.
struct Showing
{
    Board board;
    bool won = false;
};

// The showing of the state as it stands now.
Showing showingOf(const GameState &state);

// What one move, undo, redo or restart did: whether it changed the position (for a move:
// whether the player moved), and the showings it asks for, in order.
struct MoveResult
{
    bool moved = false;
    std::vector<Showing> showings;
};

// One move of the player by `step`: leveldata::LeftStep, RightStep, UpStep or DownStep.
// In this order: push an Item at the target unless the cell beyond is Wall or Item; step onto a
// free ItemPlace; step onto any other non-Wall cell; or do nothing at a Wall. Then every listed
// place that holds Floor becomes ItemPlace again. One showing follows the step or push, and one
// more follows each place the restore pass turns back; a refused move has none.
// There is no column test: a step right from column 14 goes on in column 0 of the next row.
// A target or beyond cell outside 0..179 counts as a Wall, as does a playerCell off the board.
// A move that changed the position is a step of the history (undo, redo); one that changed
// nothing, as a refused move, leaves the history alone.
MoveResult move(GameState &state, CellIndex step);

// The names of the history's steps (MoveHistory::names): l r u d a step, L R U D a push, and
// this one a restart.
inline constexpr char RestartStepName = 'x';

// The moves and pushes so far: those of the steps that can be undone, after the last restart
// among them (a restart is back at the start).
struct MoveCount
{
    int moves = 0;
    int pushes = 0;
    bool operator==(const MoveCount &) const = default;
};
MoveCount moveCountOf(const GameState &state);

// Plays the steps `names` (as MoveHistory::names gives them) on the level as loaded, then takes
// back all but the first `undoable` of them, so the position and the history (redo included) are
// those the names were taken from. False as soon as a step does not do what its name says (a
// move refused, a push that is a step or the other way round, an unknown name) or `undoable` is
// larger than the steps; the state then holds whatever was played so far.
[[nodiscard]] bool replayHistory(GameState &state, std::string_view names, std::size_t undoable);

// Takes back the last step of the history (a move or a restart): board, playerCell and
// underTile become what they were before it. Shows the board once; nothing when there is no step
// to take back.
MoveResult undo(GameState &state);

// Does again the step undone last; any step taken since the undo has dropped it. Shows the board
// once; nothing when there is no step to do again.
MoveResult redo(GameState &state);

// Puts the level back as it was loaded, as one step of the history, so an undo brings back the
// position it left. Shows the board once. Nothing happens, and nothing is recorded, when the
// position already is the loaded one. Time grows with the number of steps taken.
MoveResult restart(GameState &state);

} // namespace cobbleton
