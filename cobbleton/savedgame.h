// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace cobbleton {

// How the level in play came to be loaded: it decides the collection it is played in.
enum class LevelSource {
    Campaign,   // one of the ten levels of the menu
    MoreLevels, // a .lay file from "Дополнительные уровни": its folder, advancing after a victory
    Loaded,     // a .lay file from "Загрузить" or the command line: its folder, no advancing
    TextFile,   // a level of a text collection from "Дополнительные уровни"
};

// The one saved game: enough to load the same level again, see whether its file changed since,
// and replay its history (replayHistory) into the same position with the same undo and redo.
struct SavedGame
{
    LevelSource source = LevelSource::Loaded;
    std::filesystem::path path; // the level file, or the text file
    std::size_t index = 0;      // the level's place in its collection (campaign, text file)
    std::string digest;         // fileDigest of the file when the game was saved
    std::string steps;          // MoveHistory::names
    std::size_t undoable = 0;   // MoveHistory::undoableCount

    bool operator==(const SavedGame &) const = default;
};

} // namespace cobbleton
