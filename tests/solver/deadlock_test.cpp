// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/corralcheck.h"
#include "solver/filledplacebound.h"
#include "solver/freezecheck.h"
#include "solver/maze.h"
#include "solver/picorral.h"
#include "solver/placepairbound.h"
#include "solver/solver.h"

#include "tests/support/boardart.h"

#include <gtest/gtest.h>

using namespace levelsolver;
using testsupport::Art;
using testsupport::boardFromArt;

namespace {

// The drawing with every dead floor cell shown as 'x', the rest as drawn.
Art deadCellsOf(const Art &art)
{
    const Maze maze(boardFromArt(art));
    Art shown = art;
    for (std::size_t row = 0; row < art.size(); ++row) {
        for (std::size_t column = 0; column < art[row].size(); ++column) {
            if (maze.deadCells().test(leveldata::cellIndex(static_cast<int>(column), static_cast<int>(row))))
                shown[row][column] = 'x';
        }
    }
    return shown;
}

// A drawn position: the board with every '*' drawn as a place, and the cells of '$' and '*'.
struct Position
{
    leveldata::Board board;
    CellSet items;
};

Position positionOf(Art art)
{
    Position p;
    for (std::size_t row = 0; row < art.size(); ++row) {
        for (std::size_t column = 0; column < art[row].size(); ++column) {
            char &c = art[row][column];
            if (c == '$' || c == '*')
                p.items.set(leveldata::cellIndex(static_cast<int>(column), static_cast<int>(row)));
            if (c == '*')
                c = 'o';
        }
    }
    p.board = boardFromArt(art);
    return p;
}

// The start of a level drawn, paired as the search pairs it: the items in the rows, each cost the
// push distance with the player on its side.
struct StartPairing
{
    explicit StartPairing(const Art &art)
        : level(testsupport::levelFromArt(art)),
          covered(testsupport::coveredPlacesOf(level)),
          maze(level.board, covered),
          player(reachableFrom(maze.startPlayer(), maze.open() - maze.startItems()).first())
    {
        const std::size_t n = maze.placeList().size();
        for (const CellIndex item : maze.startItems()) {
            rows.push_back(item);
            for (std::size_t place = 0; place < n; ++place)
                cost.push_back(maze.pushDistance(place, item, maze.sidesFrom(item, player)));
        }
        plain = matching.solve(static_cast<int>(n), cost);
    }

    int fewestPushes() const
    {
        SolveOptions options;
        options.mode = SolveMode::Optimal;
        const SolveResult result = solveBoard(level.board, covered, options);
        return result.pushOptimal ? result.pushCount : -1;
    }

    leveldata::GameLevel level;
    std::vector<leveldata::CellIndex> covered;
    Maze maze;
    CellIndex player;
    std::vector<CellIndex> rows;
    std::vector<int> cost;
    MinCostMatching matching;
    int plain = 0;
};

} // namespace

TEST(DeadCells, AlongWallsWithoutPlacesAndInCorners)
{
    EXPECT_EQ(deadCellsOf({
                  "########",
                  "#......#",
                  "#.o....#",
                  "#......#",
                  "########",
              }),
              (Art{
                  "########",
                  "#xxxxxx#",
                  "#xo...x#",
                  "#xxxxxx#",
                  "########",
              }));
    // An item in the right column can only go into the corner, and the player never gets under
    // the bottom row to push an item out of it.
    EXPECT_EQ(deadCellsOf({
                  "#######",
                  "#o....#",
                  "####..#",
                  "#.....#",
                  "#######",
              }),
              (Art{
                  "#######",
                  "#o...x#",
                  "####.x#",
                  "#xxxxx#",
                  "#######",
              }));
}

// Each drawing is checked for the item on `cell` (column, row) just pushed there.
TEST(FreezeCheck, FrozenOffAPlaceIsADeadlock)
{
    struct Case
    {
        Art art;
        int column, row;
        bool deadlock;
    };
    const std::vector<Case> cases{
        {{"######", "#....#", "#.$$.#", "#.$$.#", "#o..o#", "#oo..#", "######"}, 2, 2, true}, // a square
        {{"######", "#....#", "#.**.#", "#.**.#", "#....#", "######"}, 2, 2, false},          // on places
        {{"######", "#o$$.#", "#o...#", "######"}, 3, 1, true},                               // a pair on a wall
        {{"######", "#o.$.#", "#o.$.#", "#....#", "######"}, 3, 1, false},                    // pushed away from below
        {{"#######", "#o.$..#", "#..$.o#", "#.....#", "#######"}, 3, 2, false}, // the lower one moves sideways
    };
    for (const Case &c : cases) {
        const Position position = positionOf(c.art);
        const Maze maze(position.board);
        FreezeCheck freeze(maze);
        EXPECT_EQ(freeze.isDeadlock(position.items, leveldata::cellIndex(c.column, c.row)), c.deadlock)
            << c.art[1] << "/" << c.art[2];
    }
}

// The first fence can only be pushed into the corner the player cannot reach, so neither item
// reaches a place; the second stands on places but seals off the place in the corner. No item is
// frozen, so only the corral check sees either.
TEST(CorralCheck, FenceThatCanOnlyCloseInIsADeadlock)
{
    const Art fence{"#######", "#.$.o.#", "#$....#", "#.....#", "#o..@.#", "#######"};
    const CellSet corner = CellSet::single(leveldata::cellIndex(1, 1));
    for (const Art &art : {fence, Art{"#######", "#o*#..#", "#*..$.#", "##....#", "#..@..#", "#######"}}) {
        const Position position = positionOf(art);
        const Maze maze(position.board);
        const CellSet reach = reachableFrom(maze.startPlayer(), maze.open() - position.items);
        ASSERT_FALSE(maze.deadCells().intersects(position.items));
        EXPECT_FALSE(FreezeCheck(maze).isDeadlock(position.items, leveldata::cellIndex(2, 1)));
        CorralCheck corral(maze, 1000);
        EXPECT_TRUE(corral.isDeadlock(position.items, reach, leveldata::cellIndex(2, 1))) << art[1];
        if (art == fence) { // with the corner open to the player nothing is lost
            EXPECT_FALSE(corral.isDeadlock(position.items, reach | corner, leveldata::cellIndex(2, 1)));
        }
    }

    // With the fence standing on places nothing is lost either.
    Art onPlaces = fence;
    onPlaces[1][2] = onPlaces[2][1] = '*';
    onPlaces[1][4] = onPlaces[4][1] = '.';
    const Position placed = positionOf(onPlaces);
    const Maze placedMaze(placed.board);
    const CellSet reach = reachableFrom(placedMaze.startPlayer(), placedMaze.open() - placed.items);
    EXPECT_FALSE(CorralCheck(placedMaze, 1000).isDeadlock(placed.items, reach, leveldata::cellIndex(2, 1)));
}

// The door can be pushed into the room and on to the place, but that takes two pushes: with room
// for one position the small search gives up, and a search that gives up proves nothing.
TEST(CorralCheck, GivingUpIsNoDeadlock)
{
    const Position position = positionOf({
        "#######",
        "#..@..#",
        "###$###",
        "###.###",
        "###o###",
        "#######",
    });
    const Maze maze(position.board);
    const CellSet reach = reachableFrom(maze.startPlayer(), maze.open() - position.items);
    EXPECT_FALSE(CorralCheck(maze, 1).isDeadlock(position.items, reach, leveldata::cellIndex(3, 2)));
}

TEST(PiCorral, OnlyPushesIntoAnUnfinishedCorral)
{
    // The item below the pocket can only go up into it: that push alone is tried.
    Position position = positionOf({
        "#######",
        "###o###",
        "###$###",
        "#.....#",
        "#.$.o.#",
        "#..@..#",
        "#######",
    });
    Maze maze(position.board);
    PiCorral::Pushes pushes =
        PiCorral::pushesOf(maze, position.items, reachableFrom(maze.startPlayer(), maze.open() - position.items));
    ASSERT_TRUE(pushes.restricted);
    EXPECT_FALSE(pushes.lost);
    const CellSet below = CellSet::single(leveldata::cellIndex(3, 2));
    EXPECT_EQ(pushes.items, (std::array<CellSet, 4>{CellSet{}, CellSet{}, below, CellSet{}}));

    // The corner fence of the corral test can only be pushed into the dead corner: lost.
    position = positionOf({"#######", "#.$.o.#", "#$....#", "#.....#", "#o..@.#", "#######"});
    maze = Maze(position.board);
    pushes = PiCorral::pushesOf(maze, position.items, reachableFrom(maze.startPlayer(), maze.open() - position.items));
    EXPECT_TRUE(pushes.lost);

    // In the open the items can be pushed anywhere: nothing is left out.
    position = positionOf({"#######", "#.....#", "#.$.o.#", "#..@..#", "#######"});
    maze = Maze(position.board);
    pushes = PiCorral::pushesOf(maze, position.items, reachableFrom(maze.startPlayer(), maze.open() - position.items));
    EXPECT_FALSE(pushes.restricted);
}

// Top: the item below the filled place goes down in one push, but only with the player on that
// place: three pushes round it. Bottom: walling the filled place up for good would shut the
// item below out of the back place and call the level lost, yet pushing the filled place's item
// on into the back first wins it in three.
TEST(FilledPlaceBound, FilledPlaceInTheWayCostsPushes)
{
    const std::vector<std::pair<Art, int>> cases{
        {{"#######", "#..*..#", "#..$..#", "#..o..#", "##.@.##", "#######"}, 3},
        {{"######", "##o###", "##*###", "#..$.#", "#...@#", "######"}, 3},
    };
    for (const auto &[art, fewest] : cases) {
        const StartPairing start(art);
        EXPECT_EQ(
            FilledPlaceBound(start.maze).improve(start.rows, start.player, start.cost, start.matching, start.plain),
            fewest)
            << art[1];
        EXPECT_EQ(start.fewestPushes(), fewest) << art[1];
    }
}

// The item in the door goes up into the near place from the cell between the places, with the
// player on the far one; the other item then cannot go down into the far place that way, the
// player's cell being filled, and goes round by the right: ten pushes where the pairing sees eight.
TEST(PlacePairBound, PlacesFacingAcrossACellCostPushesRound)
{
    const StartPairing start(
        {"##########", "#...#....#", "#...#.o..#", "#@$.$....#", "#...#.o..#", "#...#....#", "##########"});
    EXPECT_EQ(start.plain, 8);
    EXPECT_EQ(PlacePairBound(start.maze).improve(start.rows, start.player, start.cost, start.matching, start.plain),
              10);
    EXPECT_EQ(start.fewestPushes(), 10);
}
