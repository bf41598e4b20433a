#pragma once

#include "leveldata/board.h"
#include "leveldata/levelfile.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace cobbleton {

using leveldata::Board;
using leveldata::CellIndex;
using leveldata::TileCode;

// The level in play. The game window keeps one for the life of the program (gameState()) and is
// its only user; the window's cell controls are the window's own and are not held here.
//
// Invariants the moves keep: every ItemPlace cell of `board` is listed in `placeList`; a listed
// place keeps its entry while an Item or the player stands on it; `playerCell` names the cell
// that holds the player.
struct GameState
{
    Board board;                                  // all Wall at start
    std::vector<CellIndex> placeList{0};          // item places, ascending; grows as needed
    int placeCount = 1;                           // entries of placeList in use; see below
    CellIndex playerCell = 0;
    TileCode underTile = leveldata::Floor;        // what the player's cell gets when the player leaves
    std::string victoryText;                      // UTF-8
    std::filesystem::path levelPath;              // the level file last chosen

    // The start values are deliberate: placeCount 1 with placeList {0} makes the victory test look
    // at cell 0, a Wall, so the empty start board is not won (0 places would count as won).
};

// The program's one GameState, created on first use and kept until the process ends.
GameState &gameState();

// What the window's initialisation does to the state: board all Wall and every placeList entry
// set to 0. placeCount, playerCell, underTile and the texts stay as they are.
void clearBoard(GameState &state);

// Takes a level as the game reads it: placeCount 0, then the file's places in order, the board,
// playerCell only when the file has a player (otherwise the previous one stays), victoryText, and
// underTile back to Floor. levelPath is not touched.
void loadLevel(GameState &state, const leveldata::GameLevel &level);

// Reads the file at state.levelPath (leveldata::readGameLevel: never fails, a missing or damaged
// file gives an all-Wall board with no places) and loads it as above.
void loadLevelFile(GameState &state);

// The victory test: true when each of the placeCount listed places holds an Item. A level with no
// places (placeCount 0) counts as won. A listed cell off the board never holds an Item.
bool isWon(const GameState &state);

// Called by the moves each time the board must be shown. The window shows all 180 cells and then
// runs its victory check (isWon, and the victory message box when it is true).
using ShowBoardFn = std::function<void()>;

// One move of the player by `step`: leveldata::LeftStep, RightStep, UpStep or DownStep.
// In this order: push an Item at the target unless the cell beyond is Wall or Item; step onto a
// free ItemPlace; step onto any other non-Wall cell; or do nothing at a Wall. Then every listed
// place that holds Floor becomes ItemPlace again. `showBoard` runs once after the step or push,
// while underTile still holds its old value (a push or plain step resets it to Floor only
// afterwards), and once more for every place the restore pass turns back.
// There is no column test: a step right from column 14 goes on in column 0 of the next row.
// A target or beyond cell outside 0..179 counts as a Wall, as does a playerCell off the board.
// An empty showBoard shows nothing. Returns true when the player moved.
bool move(GameState &state, CellIndex step, const ShowBoardFn &showBoard);

} // namespace cobbleton
