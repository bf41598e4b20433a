// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/solver/randomlevel.h"

#include "solver/levelproblems.h"

#include <algorithm>
#include <array>
#include <vector>

namespace solvercheck {

using namespace leveldata;

namespace {

constexpr std::array<CellIndex, 4> Moves{LeftStep, RightStep, UpStep, DownStep};

class Draw
{
public:
    explicit Draw(std::mt19937 &random) : m_random(random) { }
    int operator()(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::mt19937 &engine() { return m_random; }

private:
    std::mt19937 &m_random;
};

bool contains(const std::vector<CellIndex> &cells, CellIndex cell)
{
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

// The floor cells of one rectangle, or of two where the second grows out of a cell of the first,
// each cell left Wall by chance, and of those only the ones joined to the first. The rectangles lie
// in CellIndex space: a row that runs past column 14 goes on in column 0 of the next row, as the
// game's steps do.
std::vector<CellIndex> randomRoom(Draw &draw, const RandomLevelOptions &options)
{
    std::vector<CellIndex> room;
    CellIndex corner = draw(-BoardColumns, CellCount - 1);
    for (int rectangles = draw(1, 2); rectangles > 0; --rectangles) {
        const int width = draw(3, options.maxWidth), height = draw(2, options.maxHeight);
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                const CellIndex cell = corner + row * BoardColumns + column;
                if (isOnBoard(cell) && !contains(room, cell) && draw(1, 100) > options.wallPercent)
                    room.push_back(cell);
            }
        }
        if (room.empty())
            return room;
        corner = room[static_cast<std::size_t>(draw(0, static_cast<int>(room.size()) - 1))];
    }
    std::vector<CellIndex> joined{room.front()};
    for (std::size_t i = 0; i < joined.size(); ++i) {
        for (const CellIndex step : Moves) {
            const CellIndex next = joined[i] + step;
            if (contains(room, next) && !contains(joined, next))
                joined.push_back(next);
        }
    }
    return joined;
}

// The game's moves backwards: the player takes random steps through `room` and now and then pulls
// along the item behind it, so pushing the items back the way they came wins.
void pullBack(Draw &draw, const std::vector<CellIndex> &room, CellIndex &player, std::vector<CellIndex> &items)
{
    const auto isFree = [&](CellIndex cell) { return contains(room, cell) && !contains(items, cell); };
    const auto onPlace = [&, places = items] {
        return std::find_first_of(items.begin(), items.end(), places.begin(), places.end()) != items.end();
    };
    // Until no item stands on its place any more, a few hundred steps at most.
    for (int moves = draw(20, 200), limit = 500; (moves > 0 || onPlace()) && limit > 0; --moves, --limit) {
        const CellIndex step = Moves[static_cast<std::size_t>(draw(0, 3))];
        if (!isFree(player + step))
            continue;
        const auto behind = std::find(items.begin(), items.end(), player - step);
        if (behind != items.end() && draw(0, 3) > 0)
            *behind = player;
        player += step;
    }
}

// Moves two room cells facing each other across a floor cell to room[1] and room[2], leaving
// room[0] (the player's) where it is, and walls up the cells beside them across the line, so that
// the way in from the cell between is the short one; false when the room has no such cells.
bool bringFacing(std::vector<CellIndex> &room)
{
    for (std::size_t i = 1; i < room.size(); ++i) {
        for (const CellIndex step : Moves) {
            const auto across = std::find(room.begin() + 1, room.end(), room[i] + 2 * step);
            if (across == room.end() || !contains(room, room[i] + step))
                continue;
            const CellIndex near = room[i], far = *across;
            const CellIndex aside = step == LeftStep || step == RightStep ? UpStep : LeftStep;
            const std::vector<CellIndex> walled{near - aside, near + aside, far - aside, far + aside, near, far};
            if (contains(walled, room[0]))
                continue;
            std::erase_if(room, [&](CellIndex cell) { return contains(walled, cell); });
            room.insert(room.begin() + 1, near);
            room.insert(room.begin() + 2, far);
            return true;
        }
    }
    return false;
}

} // namespace

Board randomLevel(std::mt19937 &random, const RandomLevelOptions &options)
{
    Draw draw(random);
    for (;;) {
        std::vector<CellIndex> room = randomRoom(draw, options);
        if (room.size() < 3)
            continue;
        const auto items = std::min(static_cast<std::size_t>(draw(1, options.maxItems)), (room.size() - 1) / 2);
        std::shuffle(room.begin(), room.end(), draw.engine());
        if (options.facingPlaces && (items < 2 || !bringFacing(room)))
            continue;
        CellIndex player = room[0];
        std::vector<CellIndex> itemCells(room.begin() + 1, room.begin() + 1 + static_cast<std::ptrdiff_t>(items));
        std::vector<CellIndex> places = itemCells;
        // Half the levels start from the won position and are sure to be won; the others have
        // their places anywhere and are mostly lost.
        if (draw(0, 1) == 1 || options.facingPlaces)
            pullBack(draw, room, player, itemCells);
        else
            places.assign(room.begin() + 1 + static_cast<std::ptrdiff_t>(items),
                          room.begin() + 1 + 2 * static_cast<std::ptrdiff_t>(items));

        // A board cannot show an item or the player standing on a place.
        if (contains(places, player)
            || std::find_first_of(itemCells.begin(), itemCells.end(), places.begin(), places.end()) != itemCells.end())
            continue;

        Board board;
        for (const CellIndex cell : room)
            board[cell] = Floor;
        for (const CellIndex cell : places)
            board[cell] = ItemPlace;
        for (const CellIndex cell : itemCells)
            board[cell] = Item;
        board[player] = Player;
        if (!levelsolver::hasBlockingProblem(levelsolver::levelProblems(board)))
            return board;
    }
}

} // namespace solvercheck
