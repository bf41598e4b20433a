// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveldata/levelfile.h"

#include "leveldata/cp1251.h"
#include "leveldata/filebytes.h"
#include "leveldata/profile.h"

#include <algorithm>
#include <bitset>
#include <charconv>
#include <limits>

namespace leveldata {
namespace {

std::string decimal(std::int32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

Board readBoard(const Profile &profile)
{
    Board board;
    for (CellIndex i = 0; i < CellCount; ++i)
        board[i] = tileCodeFromText(profile.read(LayerSection, decimal(i)));
    return board;
}

bool canCoverPlace(TileCode code)
{
    return code == Item || code == Player;
}

std::vector<CellIndex> placesOf(const std::bitset<CellCount> &cells)
{
    std::vector<CellIndex> places;
    for (CellIndex i = 0; i < CellCount; ++i) {
        if (cells[static_cast<std::size_t>(i)])
            places.push_back(i);
    }
    return places;
}

// The cells of `places` that can be covered places on `board`.
std::bitset<CellCount> coveredCells(const std::vector<CellIndex> &places, const Board &board)
{
    std::bitset<CellCount> cells;
    for (const CellIndex cell : places) {
        if (isOnBoard(cell) && canCoverPlace(board[cell]))
            cells.set(static_cast<std::size_t>(cell));
    }
    return cells;
}

// A CellIndex as the writer spells it: "0" .. "179", no sign, no leading zero.
std::optional<CellIndex> cellOfToken(std::string_view token)
{
    if (token.empty() || token.size() > 3 || (token.size() > 1 && token[0] == '0'))
        return std::nullopt;
    CellIndex cell = 0;
    for (const char c : token) {
        if (c < '0' || c > '9')
            return std::nullopt;
        cell = cell * 10 + (c - '0');
    }
    return isOnBoard(cell) ? std::optional(cell) : std::nullopt;
}

std::vector<CellIndex> readCoveredPlaces(const Profile &profile, const Board &board)
{
    return coveredPlacesFromText(profile.read(CoveredPlacesSection, TextKey, std::string::npos), board);
}

std::string readText(const Profile &profile, std::string_view section)
{
    return cp1251ToUtf8(profile.read(section, TextKey));
}

void writeInfo(Profile &profile, const LevelInfo &info)
{
    profile.write(AuthorSection, TextKey, utf8ToCp1251(info.author));
    profile.write(NameSection, TextKey, utf8ToCp1251(info.name));
    profile.write(DifficultySection, TextKey, utf8ToCp1251(info.difficulty));
    profile.write(VictorySection, TextKey, utf8ToCp1251(info.victoryMessage));
}

// The file as it stands, or an empty one when there is none yet.
[[nodiscard]] std::error_code loadForUpdate(const std::filesystem::path &path, Profile &profile)
{
    std::string bytes;
    const auto ec = readFileBytes(path, bytes);
    if (ec && ec != std::errc::no_such_file_or_directory)
        return ec;
    profile = Profile(std::move(bytes));
    return {};
}

std::string fileBytesOrEmpty(const std::filesystem::path &path)
{
    std::string bytes;
    // A failed or partial read still yields what could be read.
    static_cast<void>(readFileBytes(path, bytes));
    return bytes;
}

} // namespace

TileCode tileCodeFromText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Accumulate towards the sign so that INT32_MIN itself needs no special case.
    constexpr std::int64_t Max = std::numeric_limits<TileCode>::max();
    constexpr std::int64_t Min = std::numeric_limits<TileCode>::min();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = negative ? std::max(value * 10 - digit, Min) : std::min(value * 10 + digit, Max);
    }
    return static_cast<TileCode>(value);
}

std::vector<CellIndex> coveredPlacesFromText(std::string_view text, const Board &board)
{
    std::bitset<CellCount> cells;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t begin = std::min(text.find_first_not_of(" \t", pos), text.size());
        const std::size_t end = std::min(text.find_first_of(" \t", begin), text.size());
        if (const std::optional<CellIndex> cell = cellOfToken(text.substr(begin, end - begin));
            cell && canCoverPlace(board[*cell]))
            cells.set(static_cast<std::size_t>(*cell));
        pos = end;
    }
    return placesOf(cells);
}

std::string coveredPlacesText(const std::vector<CellIndex> &places, const Board &board)
{
    std::string text;
    for (const CellIndex cell : placesOf(coveredCells(places, board))) {
        if (!text.empty())
            text += ' ';
        text += decimal(cell);
    }
    return text;
}

GameLevel gameLevelOf(const Board &board, const std::vector<CellIndex> &coveredPlaces)
{
    const std::bitset<CellCount> covered = coveredCells(coveredPlaces, board);
    GameLevel level;
    level.board = board;
    for (CellIndex i = 0; i < CellCount; ++i) {
        if (board[i] == Player)
            level.playerCell = i;
        if (board[i] == ItemPlace || covered[static_cast<std::size_t>(i)])
            level.placeList.push_back(i);
    }
    return level;
}

GameLevel gameLevelFromBytes(std::string bytes)
{
    const Profile profile(std::move(bytes));
    const Board board = readBoard(profile);
    GameLevel level = gameLevelOf(board, readCoveredPlaces(profile, board));
    level.victoryText = readText(profile, VictorySection);
    return level;
}

EditorLevel editorLevelFromBytes(std::string bytes)
{
    const Profile profile(std::move(bytes));
    EditorLevel level;
    level.board = readBoard(profile);
    level.info.author = readText(profile, AuthorSection);
    level.info.name = readText(profile, NameSection);
    level.info.difficulty = readText(profile, DifficultySection);
    level.info.victoryMessage = readText(profile, VictorySection);
    level.coveredPlaces = readCoveredPlaces(profile, level.board);
    return level;
}

GameLevel readGameLevel(const std::filesystem::path &path)
{
    return gameLevelFromBytes(fileBytesOrEmpty(path));
}

EditorLevel readEditorLevel(const std::filesystem::path &path)
{
    return editorLevelFromBytes(fileBytesOrEmpty(path));
}

std::error_code writeLevel(const std::filesystem::path &path, const Board &board, const LevelInfo &info,
                           const std::vector<CellIndex> &coveredPlaces)
{
    Profile profile;
    if (const auto ec = loadForUpdate(path, profile))
        return ec;
    for (CellIndex i = 0; i < CellCount; ++i)
        profile.write(LayerSection, decimal(i), decimal(board[i]));
    writeInfo(profile, info);
    if (const std::string places = coveredPlacesText(coveredPlaces, board); places.empty())
        profile.removeSection(CoveredPlacesSection);
    else
        profile.write(CoveredPlacesSection, TextKey, places);
    return replaceFileBytes(path, profile.bytes());
}

std::error_code writeLevelInfo(const std::filesystem::path &path, const LevelInfo &info)
{
    Profile profile;
    if (const auto ec = loadForUpdate(path, profile))
        return ec;
    writeInfo(profile, info);
    return replaceFileBytes(path, profile.bytes());
}

} // namespace leveldata
