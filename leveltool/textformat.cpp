// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveltool/textformat.h"

#include <optional>

namespace leveltool {

namespace {

constexpr std::string_view Blanks = " \t";

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(Blanks) - first + 1);
}

std::string_view withoutTrailingBlanks(std::string_view s)
{
    const auto last = s.find_last_not_of(Blanks);
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

// A row of a level: board characters only, with a wall unless it continues a level (a row open
// at both ends has none).
bool isBoardLine(std::string_view line, bool inBoard)
{
    line = withoutTrailingBlanks(line);
    return line.find_first_not_of("#@+$*.-_ ") == std::string_view::npos
        && (line.find('#') != std::string_view::npos || (inBoard && !line.empty()));
}

bool sameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The value of a "Key: value" line for this key, or nothing.
std::optional<std::string> keyValue(std::string_view line, std::string_view key)
{
    line = trimmed(line);
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || !sameLetters(trimmed(line.substr(0, colon)), key))
        return std::nullopt;
    return std::string(trimmed(line.substr(colon + 1)));
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
    return lines;
}

} // namespace

std::vector<TextLevel> parseTextLevels(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3); // a UTF-8 byte order mark would hide the first row
    const std::vector<std::string_view> lines = splitLines(text);
    bool titlesBefore = false;
    for (std::string_view line : lines) {
        if (isBoardLine(line, false))
            break;
        if (keyValue(line, "title")) {
            titlesBefore = true;
            break;
        }
    }

    struct Pending
    {
        std::optional<std::string> title, author;
    };
    std::vector<TextLevel> levels;
    std::vector<Pending> keys;         // per level: texts from key lines
    std::vector<std::string> fallback; // per level: the text line before it
    Pending ahead;                     // key lines waiting for the next level
    std::optional<std::string> defaultAuthor;
    std::string lastText;
    bool inBoard = false;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        if (isBoardLine(line, inBoard)) {
            if (!inBoard) {
                levels.push_back(TextLevel{});
                levels.back().line = static_cast<int>(n + 1);
                keys.push_back(titlesBefore ? ahead : Pending{});
                fallback.push_back(lastText);
                ahead = {};
                lastText.clear();
                inBoard = true;
            }
            std::string row(withoutTrailingBlanks(line));
            for (char &c : row) {
                if (c == '-' || c == '_')
                    c = ' ';
            }
            levels.back().rows.push_back(std::move(row));
            continue;
        }
        inBoard = false;
        if (trimmed(line).empty())
            continue;
        const auto title = keyValue(line, "title");
        const auto author = keyValue(line, "author");
        Pending *target = titlesBefore || levels.empty() ? &ahead : &keys.back();
        if (title) {
            if (!target->title)
                target->title = *title;
        } else if (author) {
            if (levels.empty() && !titlesBefore)
                defaultAuthor = *author;
            else if (!target->author)
                target->author = *author;
        } else if (line.find(':') == std::string_view::npos || trimmed(line).front() == ';') {
            std::string_view textLine = trimmed(line);
            while (!textLine.empty() && textLine.front() == ';')
                textLine.remove_prefix(1);
            if (!trimmed(textLine).empty())
                lastText = std::string(trimmed(textLine));
        }
    }
    for (std::size_t i = 0; i < levels.size(); ++i) {
        levels[i].title = keys[i].title.value_or(fallback[i]);
        levels[i].author = keys[i].author.value_or(defaultAuthor.value_or(std::string()));
    }
    return levels;
}

std::string formatTextLevel(const TextLevel &level)
{
    std::string text;
    for (const std::string &row : level.rows)
        text += row + '\n';
    if (!level.title.empty())
        text += "Title: " + level.title + '\n';
    if (!level.author.empty())
        text += "Author: " + level.author + '\n';
    return text;
}

} // namespace leveltool
