#include "asciiboard.h"

#include <gtest/gtest.h>

using namespace leveldata;

namespace {

constexpr char Symbols[] = {'#', '.', 'o', '@', '$'};   // indexed by TileCode 0..4

} // namespace

Board boardFromArt(const Art &rows)
{
    Board board;
    EXPECT_LE(rows.size(), static_cast<std::size_t>(BoardRows)) << "drawing too tall";
    for (int row = 0; row < BoardRows && row < static_cast<int>(rows.size()); ++row) {
        const std::string &line = rows[static_cast<std::size_t>(row)];
        EXPECT_LE(line.size(), static_cast<std::size_t>(BoardColumns)) << "row " << row << " too wide";
        for (int column = 0; column < BoardColumns && column < static_cast<int>(line.size()); ++column) {
            const char symbol = line[static_cast<std::size_t>(column)];
            TileCode code = -1;
            for (TileCode c = Wall; c <= Item; ++c) {
                if (Symbols[c] == symbol)
                    code = c;
            }
            EXPECT_NE(code, -1) << "unknown symbol '" << symbol << "' in row " << row;
            board[cellIndex(column, row)] = code;
        }
    }
    return board;
}

GameLevel levelFromArt(const Art &rows)
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

Art artOf(const Board &board, int columns, int rows)
{
    Art art;
    for (int row = 0; row < rows; ++row) {
        std::string line;
        for (int column = 0; column < columns; ++column) {
            const TileCode code = board[cellIndex(column, row)];
            line += code >= Wall && code <= Item ? Symbols[code] : '?';
        }
        art.push_back(line);
    }
    return art;
}

Art artLike(const Board &board, const Art &like)
{
    return artOf(board, like.empty() ? 0 : static_cast<int>(like.front().size()),
                 static_cast<int>(like.size()));
}
