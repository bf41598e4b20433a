// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/levelfile.h"
#include "leveltool/textformat.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace leveltool {

// Why a level of a text file does not become a level file.
enum class SkipReason {
    None,
    TooLarge,    // larger than 15 × 12 both as it is and turned a quarter
    OpenEdge,    // the level fills the board's width or height and is open there
    NotPlayable, // the player count, the item and place counts, or reachability (levelProblems)
};

const char *skipReasonName(SkipReason reason); // "larger than 15 × 12", …

// The victory message of every imported level.
inline constexpr std::string_view ImportedVictoryMessage = "Уровень пройден!";

struct Conversion
{
    SkipReason skip = SkipReason::None;
    std::string detail;           // what exactly, for a skipped level, e.g. "17 × 9"
    leveldata::EditorLevel level; // the level when not skipped
    bool turned = false;          // turned a quarter clockwise to fit the board
};

// A text level as a level file holds it: centred on the board, every cell outside it Wall, and the
// floor outside its outer wall (the floor joined to the edge of its rows, when the player is not
// in there) Wall too; '*' and '+' are an Item and the Player with a covered place under them. A
// level larger than 15 × 12 that fits turned (at most 15 rows of 12) is turned a quarter
// clockwise first. Name from the title, the author, no difficulty, ImportedVictoryMessage.
[[nodiscard]] Conversion convertTextLevel(const TextLevel &text);

// The board as a text level that reads back as the same board: the walls outside the level that
// touch no other cell (also diagonally) are left out, the rest cut to its bounding box, trailing
// floor removed from each row. A row between two parts of the level with nothing else to show
// shows its walls, so that no blank line splits the level. An Item or the Player on a covered
// place is '*' or '+'. Title and author from the name and author. False (with `error` set) for a board without any
// non-Wall cell or with a tile code other than 0 .. 4.
[[nodiscard]] bool textLevelOf(const leveldata::EditorLevel &level, TextLevel &text, std::string &error);

// "007-first-steps.lay": the number (at least `digits` digits, so the names of a pack sort in its
// order) then the title cut down to ASCII
// letters and digits (lower case) and Cyrillic letters, at most 40 bytes, each other run of
// characters one '-'; the fallback (a file's stem) when nothing of the title is left, "level" when
// nothing of either. Never holds a path separator, a dot other than the extension's, or a name
// reserved by Windows.
std::string levelFileName(int number, std::string_view title, std::string_view fallback, int digits = 3);

// Writes the level into a new file at `path`, through leveldata::writeLevel (so the bytes are
// those the editor saves). Never replaces anything: std::errc::file_exists when something is at
// `path` already.
[[nodiscard]] std::error_code writeNewLevelFile(const std::filesystem::path &path, const leveldata::EditorLevel &level);

} // namespace leveltool
