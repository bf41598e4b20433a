// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace leveltool {

// One level in the standard text format of box-pushing levels:
//   '#' wall   ' ' '-' '_' floor   '.' place   '$' item   '@' player   '*' item on a place
//   '+' player on a place
struct TextLevel
{
    std::string title; // as in the file (UTF-8 expected, not checked)
    std::string author;
    std::vector<std::string> rows; // floor as ' ', trailing blanks removed, at least one row
    int line = 0;                  // line number of the first row, from 1

    bool operator==(const TextLevel &) const = default;
};

// Every level of a file in the text format (.xsb, .sok, .txt). A level is a run of board lines:
// lines of the characters above only (tabs not allowed), the first holding at least one '#', the
// others not blank. Anything else separates levels. Titles and authors come from "Title:" and
// "Author:" lines (any case), which follow their level, or precede it in files whose first
// "Title:" line comes before the first board; a level without one takes the last comment (';')
// or other text line before it as its title. An "Author:" line before the first level of a file
// whose titles follow their levels is the author of every level without one. Lines end in LF,
// CR LF or CR; a UTF-8 byte order mark at the start is skipped. Never fails: a text without board
// lines gives no levels.
std::vector<TextLevel> parseTextLevels(std::string_view text);

// The level as text: its rows, then "Title: …" and "Author: …" lines for the texts that are not
// empty; every line ends in '\n'.
std::string formatTextLevel(const TextLevel &level);

} // namespace leveltool
