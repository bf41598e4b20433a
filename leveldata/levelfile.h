// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace leveldata {

// The four descriptive texts of a level, UTF-8 in memory. Difficulty is the text of one of the
// seven difficulty entries, never a number.
struct LevelInfo
{
    std::string author;
    std::string name;
    std::string difficulty;
    std::string victoryMessage;

    bool operator==(const LevelInfo &) const = default;
};

// What the game takes from a level file.
struct GameLevel
{
    Board board;
    std::optional<CellIndex> playerCell; // last Player cell in CellIndex order; none if no Player
    // Every ItemPlace cell and every covered place (below), ascending; no upper bound.
    std::vector<CellIndex> placeList;
    std::string victoryText; // UTF-8, at most 199 file bytes' worth
};

// What the editor takes from a level file.
struct EditorLevel
{
    Board board;
    LevelInfo info;
    std::vector<CellIndex> coveredPlaces; // see coveredPlacesFromText

    bool operator==(const EditorLevel &) const = default;
};

// Section and key names of a level file.
inline constexpr std::string_view LayerSection = "Layer";
inline constexpr std::string_view AuthorSection = "AUTOR";
inline constexpr std::string_view NameSection = "NAMELAYER";
inline constexpr std::string_view DifficultySection = "YROVWN";
inline constexpr std::string_view VictorySection = "TEXT";
// The places that lie under an Item or the Player, which "Layer" cannot show (it holds the Item
// or Player code there): key "text", their CellIndexes in rising order, decimal, separated by one
// space ("17 32 48"). Present only when the level has such a place.
inline constexpr std::string_view CoveredPlacesSection = "MESTA";
inline constexpr std::string_view TextKey = "text";

// A "Layer" value as atoi reads it: leading blanks, optional sign, digits up to the first other
// character, 0 when there are none. Out-of-range digit strings clamp to INT32_MAX / INT32_MIN.
TileCode tileCodeFromText(std::string_view text);

// The covered places a "text" value of CoveredPlacesSection lists, ascending, each once: the
// tokens (separated by blanks) that are a CellIndex 0..179 in decimal without sign or leading
// zeros and name a cell holding Item or Player on `board`. Every other token is ignored; any text
// of any length is accepted.
std::vector<CellIndex> coveredPlacesFromText(std::string_view text, const Board &board);

// The value written for `places`: those on an Item or Player cell of `board`, ascending, each
// once, in decimal separated by one space; "" when none is left.
std::string coveredPlacesText(const std::vector<CellIndex> &places, const Board &board);

// Readers never fail: a missing or unreadable file, section or key reads as Wall / empty text.
// A file is read once per call, at most MaxFileBytes of it (filebytes.h); texts come back as
// UTF-8 decoded from Windows-1251, first line only, at most 199 file bytes each. The covered places
// come from the whole of their value, however long.
GameLevel readGameLevel(const std::filesystem::path &path);
EditorLevel readEditorLevel(const std::filesystem::path &path);

// What the game takes from a board and its covered places (as coveredPlacesText keeps them), as
// its reader does: the player cell and the places; no text.
GameLevel gameLevelOf(const Board &board, const std::vector<CellIndex> &coveredPlaces = {});

// The same readers over a file's bytes already in memory; any bytes are accepted.
GameLevel gameLevelFromBytes(std::string bytes);
EditorLevel editorLevelFromBytes(std::string bytes);

// Writes a whole level into `path` (created, or updated key by key keeping everything else):
// "Layer" keys 0..179 with the codes of `board` as they are, then AUTOR, NAMELAYER, YROVWN, TEXT,
// then the covered places as coveredPlacesText gives them; when that is empty, a MESTA section
// the file had is removed instead, so a level without covered places is written byte for byte as
// one from before they existed.
// One crash-safe replacement of the file (replaceFileBytes) whose bytes equal those of the single
// writes (Profile::write); on failure the old file is untouched and the error is returned (empty
// on success).
// Texts are UTF-8, stored as Windows-1251 ('?' for a character it lacks); each line break in a
// text (CR LF, CR or LF) is stored as one space. An existing file that cannot be read (other than
// a missing one) or is longer than MaxFileBytes is not replaced: its error is returned.
[[nodiscard]] std::error_code writeLevel(const std::filesystem::path &path, const Board &board, const LevelInfo &info,
                                         const std::vector<CellIndex> &coveredPlaces = {});

// Writes only the four texts (AUTOR, NAMELAYER, YROVWN, TEXT, in that order), no "Layer" key.
// Same crash-safety and error reporting as writeLevel.
[[nodiscard]] std::error_code writeLevelInfo(const std::filesystem::path &path, const LevelInfo &info);

} // namespace leveldata
