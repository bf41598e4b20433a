// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveltool/levelconvert.h"

#include "solver/levelproblems.h"

#include <algorithm>
#include <deque>

namespace leveltool {

using namespace leveldata;

namespace {

constexpr std::string_view Symbols = "# .@$"; // indexed by TileCode 0 .. 4
constexpr char ItemOnPlace = '*';
constexpr char PlayerOnPlace = '+';

// The rows turned a quarter clockwise: the first column, read from the bottom up, is the first row.
std::vector<std::string> turnedRows(const std::vector<std::string> &rows, std::size_t width)
{
    std::vector<std::string> turned(width);
    for (std::size_t c = 0; c < width; ++c) {
        for (auto row = rows.rbegin(); row != rows.rend(); ++row)
            turned[c].push_back(c < row->size() ? (*row)[c] : ' ');
        turned[c].erase(turned[c].find_last_not_of(' ') + 1);
    }
    return turned;
}

std::string sizeText(std::size_t width, std::size_t height)
{
    return std::to_string(width) + " × " + std::to_string(height);
}

// The cells of the grid (rows padded with floor) that are floor joined to its edge.
std::vector<std::vector<bool>> outsideOf(const std::vector<std::string> &grid)
{
    const std::size_t height = grid.size(), width = grid.front().size();
    std::vector<std::vector<bool>> outside(height, std::vector<bool>(width, false));
    std::deque<std::pair<std::size_t, std::size_t>> queue;
    const auto visit = [&](std::size_t r, std::size_t c) {
        if (grid[r][c] != '#' && !outside[r][c]) {
            outside[r][c] = true;
            queue.emplace_back(r, c);
        }
    };
    for (std::size_t r = 0; r < height; ++r) {
        visit(r, 0);
        visit(r, width - 1);
    }
    for (std::size_t c = 0; c < width; ++c) {
        visit(0, c);
        visit(height - 1, c);
    }
    while (!queue.empty()) {
        const auto [r, c] = queue.front();
        queue.pop_front();
        if (r > 0)
            visit(r - 1, c);
        if (r + 1 < height)
            visit(r + 1, c);
        if (c > 0)
            visit(r, c - 1);
        if (c + 1 < width)
            visit(r, c + 1);
    }
    return outside;
}

} // namespace

const char *skipReasonName(SkipReason reason)
{
    switch (reason) {
    case SkipReason::None: return "written";
    case SkipReason::TooLarge: return "larger than 15 × 12";
    case SkipReason::OpenEdge: return "open at the board's edge";
    case SkipReason::NotPlayable: return "not playable";
    }
    return "unknown";
}

Conversion convertTextLevel(const TextLevel &text)
{
    Conversion result;
    std::size_t width = 0;
    for (const std::string &row : text.rows)
        width = std::max(width, row.size());
    std::size_t height = text.rows.size();
    const auto fits = [](std::size_t w, std::size_t h) {
        return w <= static_cast<std::size_t>(BoardColumns) && h <= static_cast<std::size_t>(BoardRows);
    };
    if (height == 0 || (!fits(width, height) && !fits(height, width))) {
        result.skip = SkipReason::TooLarge;
        result.detail = sizeText(width, height);
        return result;
    }
    result.turned = !fits(width, height);
    const std::vector<std::string> rows = result.turned ? turnedRows(text.rows, width) : text.rows;
    if (result.turned)
        std::swap(width, height);

    std::vector<std::string> grid;
    for (const std::string &row : rows) {
        grid.push_back(row + std::string(width - row.size(), ' '));
        for (char &c : grid.back()) {
            if (c == '-' || c == '_')
                c = ' ';
            else if (c != ItemOnPlace && c != PlayerOnPlace && Symbols.find(c) == std::string_view::npos) {
                result.skip = SkipReason::NotPlayable;
                result.detail = std::string("unknown character '") + c + "'";
                return result;
            }
        }
    }
    const auto outside = outsideOf(grid);
    bool playerOutside = false;
    for (std::size_t r = 0; r < height; ++r) {
        for (std::size_t c = 0; c < width; ++c)
            playerOutside |= outside[r][c] && (grid[r][c] == '@' || grid[r][c] == PlayerOnPlace);
    }

    Board &board = result.level.board; // all Wall
    const std::size_t left = (BoardColumns - width) / 2, top = (BoardRows - height) / 2;
    for (std::size_t r = 0; r < height; ++r) {
        for (std::size_t c = 0; c < width; ++c) {
            const char symbol = grid[r][c];
            if (symbol == ' ' && outside[r][c] && !playerOutside)
                continue;
            const CellIndex cell = cellIndex(static_cast<int>(left + c), static_cast<int>(top + r));
            if (symbol == ItemOnPlace || symbol == PlayerOnPlace) {
                board[cell] = symbol == ItemOnPlace ? Item : Player;
                result.level.coveredPlaces.push_back(cell);
            } else {
                board[cell] = static_cast<TileCode>(Symbols.find(symbol));
            }
        }
    }
    result.level.info = LevelInfo{text.author, text.title, "", std::string(ImportedVictoryMessage)};

    using levelsolver::Problem;
    for (const Problem &problem : levelsolver::levelProblems(board, result.level.coveredPlaces)) {
        if (problem.blocking || problem.kind == Problem::Kind::OpenRing) {
            result.skip = problem.blocking ? SkipReason::NotPlayable : SkipReason::OpenEdge;
            result.detail = problem.text();
            result.level = {};
            result.turned = false;
            break;
        }
    }
    return result;
}

bool textLevelOf(const EditorLevel &level, TextLevel &text, std::string &error)
{
    const Board &board = level.board;
    int top = BoardRows, bottom = -1, left = BoardColumns, right = -1;
    std::array<bool, CellCount> shown{};
    for (CellIndex i = 0; i < CellCount; ++i) {
        if (board[i] < Wall || board[i] > Item) {
            error = "unknown tile code " + std::to_string(board[i]) + " at column " + std::to_string(columnOf(i))
                + ", row " + std::to_string(rowOf(i));
            return false;
        }
        if (board[i] == Wall)
            continue;
        // A non-Wall cell shows itself and the walls around it.
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                const int r = rowOf(i) + dr, c = columnOf(i) + dc;
                if (r < 0 || r >= BoardRows || c < 0 || c >= BoardColumns)
                    continue;
                shown[static_cast<std::size_t>(cellIndex(c, r))] = true;
                top = std::min(top, r);
                bottom = std::max(bottom, r);
                left = std::min(left, c);
                right = std::max(right, c);
            }
        }
    }
    if (bottom < 0) {
        error = "the board is all walls";
        return false;
    }
    std::array<bool, CellCount> covered{};
    for (const CellIndex place : gameLevelOf(board, level.coveredPlaces).placeList)
        covered[static_cast<std::size_t>(place)] = board[place] != ItemPlace;
    std::vector<std::string> grid;
    for (int r = top; r <= bottom; ++r) {
        std::string row;
        bool anyShown = false;
        for (int c = left; c <= right; ++c) {
            const auto i = static_cast<std::size_t>(cellIndex(c, r));
            anyShown |= shown[i];
            if (!shown[i])
                row.push_back(' ');
            else if (covered[i])
                row.push_back(board[cellIndex(c, r)] == Item ? ItemOnPlace : PlayerOnPlace);
            else
                row.push_back(Symbols[static_cast<std::size_t>(board[cellIndex(c, r)])]);
        }
        // A blank line would end the level here, between two parts of it: the row shows its walls,
        // which is all it holds.
        if (!anyShown)
            row.assign(row.size(), Symbols[static_cast<std::size_t>(Wall)]);
        grid.push_back(std::move(row));
    }
    // A wall left out inside the level would be read back as floor: only the walls outside it are.
    const auto outside = outsideOf(grid);
    for (std::size_t r = 0; r < grid.size(); ++r) {
        for (std::size_t c = 0; c < grid[r].size(); ++c) {
            const CellIndex i = cellIndex(left + static_cast<int>(c), top + static_cast<int>(r));
            if (!shown[static_cast<std::size_t>(i)] && !outside[r][c])
                grid[r][c] = Symbols[static_cast<std::size_t>(Wall)];
        }
    }
    text = TextLevel{level.info.name, level.info.author, {}, 1};
    for (std::string &row : grid) {
        row.erase(row.find_last_not_of(' ') + 1);
        text.rows.push_back(std::move(row));
    }
    return true;
}

std::string levelFileName(int number, std::string_view title, std::string_view fallback, int digits)
{
    constexpr std::size_t MaxTitleBytes = 40;
    const auto sanitised = [](std::string_view text) {
        std::string name;
        bool gap = false;
        for (std::size_t i = 0; i < text.size() && name.size() < MaxTitleBytes;) {
            const auto c = static_cast<unsigned char>(text[i]);
            std::string piece;
            if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))
                piece.assign(1, static_cast<char>(c));
            else if (c >= 'A' && c <= 'Z')
                piece.assign(1, static_cast<char>(c + 32));
            else if ((c == 0xD0 || c == 0xD1) && i + 1 < text.size()
                     && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80)
                piece = std::string(text.substr(i, 2)); // U+0400 .. U+047F: Cyrillic
            i += piece.empty() ? 1 : piece.size();
            if (piece.empty()) {
                gap = !name.empty();
                continue;
            }
            if (name.size() + (gap ? 1 : 0) + piece.size() > MaxTitleBytes)
                break;
            if (gap)
                name.push_back('-');
            gap = false;
            name += piece;
        }
        return name;
    };
    std::string base = sanitised(title);
    if (base.empty())
        base = sanitised(fallback);
    if (base.empty())
        base = "level";
    std::string numeral = std::to_string(number);
    if (numeral.size() < static_cast<std::size_t>(digits))
        numeral.insert(0, static_cast<std::size_t>(digits) - numeral.size(), '0');
    return numeral + "-" + base + ".lay";
}

std::error_code writeNewLevelFile(const std::filesystem::path &path, const EditorLevel &level)
{
    std::error_code error;
    if (std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found)
        return error ? error : std::make_error_code(std::errc::file_exists);
    return writeLevel(path, level.board, level.info, level.coveredPlaces);
}

} // namespace leveltool
