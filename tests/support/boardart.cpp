#include "boardart.h"

#include <ostream>
#include <stdexcept>

using namespace leveldata;

namespace {

constexpr std::string_view Symbols = "#.o@$+";   // indexed by TileCode 0 .. 5

} // namespace

namespace testsupport {

Board boardFromArt(std::initializer_list<std::string_view> rows)
{
    if (rows.size() > static_cast<std::size_t>(BoardRows))
        throw std::invalid_argument("board art has more than 12 rows");
    Board board;
    int row = 0;
    for (std::string_view line : rows) {
        if (line.size() > static_cast<std::size_t>(BoardColumns))
            throw std::invalid_argument("board art row wider than 15: " + std::string(line));
        for (std::size_t column = 0; column < line.size(); ++column) {
            const std::size_t code = Symbols.find(line[column]);
            if (code == std::string_view::npos)
                throw std::invalid_argument("unknown board art character in: " + std::string(line));
            board[cellIndex(static_cast<int>(column), row)] = static_cast<TileCode>(code);
        }
        ++row;
    }
    return board;
}

GameLevel levelFromArt(std::initializer_list<std::string_view> rows)
{
    GameLevel level;
    level.board = boardFromArt(rows);
    for (CellIndex i = 0; i < CellCount; ++i) {
        if (level.board[i] == Player)
            level.playerCell = i;
        if (level.board[i] == ItemPlace)
            level.placeList.push_back(i);
    }
    return level;
}

std::string artOf(const Board &board)
{
    std::string art;
    for (CellIndex i = 0; i < CellCount; ++i) {
        const TileCode code = board[i];
        art += code >= 0 && code < static_cast<TileCode>(Symbols.size()) ? Symbols[static_cast<std::size_t>(code)] : '?';
        if (columnOf(i) == BoardColumns - 1)
            art += '\n';
    }
    return art;
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
    *out << '\n' << testsupport::artOf(board);
}
