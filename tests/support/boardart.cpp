// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardart.h"

#include <ostream>
#include <stdexcept>
#include <string_view>

using namespace leveldata;

namespace {

constexpr std::string_view Symbols = "#.o@$+"; // indexed by TileCode 0 .. 5
constexpr char ItemOnPlace = '*';
constexpr char PlayerOnPlace = 'p';

} // namespace

namespace testsupport {

GameLevel levelFromArt(const Art &rows)
{
    if (rows.size() > static_cast<std::size_t>(BoardRows))
        throw std::invalid_argument("board art has more than 12 rows");
    GameLevel level;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string &line = rows[row];
        if (line.size() > static_cast<std::size_t>(BoardColumns))
            throw std::invalid_argument("board art row wider than 15: " + line);
        for (std::size_t column = 0; column < line.size(); ++column) {
            const char c = line[column];
            const std::size_t code = c == ItemOnPlace ? std::size_t{Item}
                : c == PlayerOnPlace                  ? std::size_t{Player}
                                                      : Symbols.find(c);
            if (code == std::string_view::npos)
                throw std::invalid_argument("unknown board art character in: " + line);
            const CellIndex i = cellIndex(static_cast<int>(column), static_cast<int>(row));
            level.board[i] = static_cast<TileCode>(code);
            if (code == Player)
                level.playerCell = i; // cells come in CellIndex order: the last one stays
            if (code == ItemPlace || c == ItemOnPlace || c == PlayerOnPlace)
                level.placeList.push_back(i);
        }
    }
    return level;
}

std::vector<CellIndex> coveredPlacesOf(const GameLevel &level)
{
    std::vector<CellIndex> covered;
    for (const CellIndex place : level.placeList) {
        if (level.board[place] != ItemPlace)
            covered.push_back(place);
    }
    return covered;
}

Art artOf(const Board &board)
{
    Art art(BoardRows);
    for (CellIndex i = 0; i < CellCount; ++i) {
        const TileCode code = board[i];
        art[static_cast<std::size_t>(rowOf(i))] +=
            code >= 0 && code < static_cast<TileCode>(Symbols.size()) ? Symbols[static_cast<std::size_t>(code)] : '?';
    }
    return art;
}

CellIndex stepOf(char move)
{
    constexpr std::string_view Moves = "LRUD";
    constexpr CellIndex Steps[] = {LeftStep, RightStep, UpStep, DownStep};
    if (const std::size_t i = Moves.find(move); i != std::string_view::npos)
        return Steps[i];
    throw std::invalid_argument(std::string("unknown move: ") + move);
}

const Board &exampleBoard()
{
    static const Board board = boardFromArt({
        "###############",
        "#.............#",
        "#.@...........#",
        "#...$.....o...#",
        "#.....###.....#",
        "#...$.....o...#",
        "#.............#",
        "#.............#",
        "#.............#",
        "#.............#",
        "#.............#",
        "###############",
    });
    return board;
}

const LevelInfo &exampleInfo()
{
    static const LevelInfo info{"Иван Петров", "Склад у реки", "Средний", "Все предметы на местах!"};
    return info;
}

} // namespace testsupport

void leveldata::PrintTo(const Board &board, std::ostream *out)
{
    for (const std::string &row : testsupport::artOf(board))
        *out << '\n' << row;
}
