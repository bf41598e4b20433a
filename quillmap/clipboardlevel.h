// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"
#include "leveldata/levelfile.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmap {

// The level as the clipboard carries it, in the standard text format of box-pushing levels: a
// "Title:" line with the name (there even for an empty name, so that the next line is never taken
// for the title), the author as a comment line when there is one, then the board as the level
// tool's export writes it. Nothing when the export refuses the board (only walls, or a code the
// format has no symbol for).
std::optional<std::string> clipboardTextOf(const leveldata::Board &board, const leveldata::LevelInfo &info);

// What a paste makes of a text: the first level in it, placed on the board by the level tool's
// import (centred, every cell outside it Wall), and its title.
struct PastedLevel
{
    enum class Outcome {
        Pasted,
        NoLevel,   // the text holds no level
        TooLarge,  // the level does not fit the board; `size` says how large it is
        NotUsable, // it fits, but the import refuses it (one player, items and places, closed walls)
    };
    Outcome outcome = Outcome::NoLevel;
    leveldata::Board board; // the level when pasted
    std::string title;      // its title, empty when it has none
    std::string size;       // "17 × 9" for a level too large
};
[[nodiscard]] PastedLevel pastedLevelOf(std::string_view text);

} // namespace quillmap
