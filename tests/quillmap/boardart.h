#pragma once

#include "leveldata/board.h"

#include <initializer_list>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

// A Board drawn as 12 rows of 15 characters: '#' Wall, '.' Floor, 'o' ItemPlace, '@' Player,
// '$' Item, '+' Cursor. Throws std::invalid_argument on a wrong size or an unknown character,
// which fails the calling test.
inline leveldata::Board boardFromArt(std::initializer_list<std::string_view> rows)
{
    if (rows.size() != static_cast<std::size_t>(leveldata::BoardRows))
        throw std::invalid_argument("board art needs 12 rows");
    leveldata::Board board;
    int row = 0;
    for (std::string_view line : rows) {
        if (line.size() != static_cast<std::size_t>(leveldata::BoardColumns))
            throw std::invalid_argument("board art row needs 15 columns: " + std::string(line));
        for (int column = 0; column < leveldata::BoardColumns; ++column) {
            leveldata::TileCode code = leveldata::Wall;
            switch (line[static_cast<std::size_t>(column)]) {
            case '#': code = leveldata::Wall; break;
            case '.': code = leveldata::Floor; break;
            case 'o': code = leveldata::ItemPlace; break;
            case '@': code = leveldata::Player; break;
            case '$': code = leveldata::Item; break;
            case '+': code = leveldata::Cursor; break;
            default: throw std::invalid_argument("unknown board art character in: " + std::string(line));
            }
            board[leveldata::cellIndex(column, row)] = code;
        }
        ++row;
    }
    return board;
}

namespace leveldata {

// Lets GoogleTest print a Board as art; codes without a character show as '?'.
inline void PrintTo(const Board &board, std::ostream *out)
{
    static constexpr std::string_view Chars = "#.o@$+";
    for (CellIndex i = 0; i < CellCount; ++i) {
        if (columnOf(i) == 0)
            *out << '\n';
        const TileCode code = board[i];
        *out << (code >= 0 && code < static_cast<TileCode>(Chars.size()) ? Chars[static_cast<std::size_t>(code)] : '?');
    }
}

} // namespace leveldata
