// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveldata/levelfile.h"

#include "leveldata/cp1251.h"
#include "leveldata/filebytes.h"
#include "leveldata/profile.h"

#include <algorithm>
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

GameLevel gameLevelOf(const Board &board)
{
    GameLevel level;
    level.board = board;
    for (CellIndex i = 0; i < CellCount; ++i) {
        if (board[i] == Player)
            level.playerCell = i;
        else if (board[i] == ItemPlace)
            level.placeList.push_back(i);
    }
    return level;
}

GameLevel gameLevelFromBytes(std::string bytes)
{
    const Profile profile(std::move(bytes));
    GameLevel level = gameLevelOf(readBoard(profile));
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

std::error_code writeLevel(const std::filesystem::path &path, const Board &board, const LevelInfo &info)
{
    Profile profile;
    if (const auto ec = loadForUpdate(path, profile))
        return ec;
    for (CellIndex i = 0; i < CellCount; ++i)
        profile.write(LayerSection, decimal(i), decimal(board[i]));
    writeInfo(profile, info);
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
