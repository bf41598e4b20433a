// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/gamestate.h"

#include "tests/cobbleton/gamecommands.h"
#include "tests/support/boardart.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

using namespace cobbleton;
using namespace leveldata;
using testsupport::Art;
using testsupport::boardFromArt;
using testsupport::levelFromArt;

namespace {

// What the last of a series of moves showed: the board at each showing, and at how many of them
// the victory test passed (each would open the victory box).
struct Shown
{
    std::vector<Board> boards;
    int victories = 0;
};

Shown play(GameState &state, const std::string &moves)
{
    Shown shown;
    for (char letter : moves) {
        shown = {};
        for (const Showing &showing : act(state, letter).showings) {
            shown.boards.push_back(showing.board);
            shown.victories += showing.won ? 1 : 0;
        }
    }
    return shown;
}

} // namespace

// Undoing and redoing every step of random play is in SampleLevels; these are the edges.
TEST(GameMove, ShowsEachStepRestoredPlaceUndoRedoAndRestart)
{
    // Commands: moves L R U D, z undo, y redo, r restart. `shown`: the board at each showing of the
    // last command, none when it is refused or does nothing; `end`, when given: the board after them.
    struct Case
    {
        const char *name;
        Art start;
        std::string commands;
        std::vector<Art> shown;
        int victories;
        Art end = {};
    };
    const Art yard{"######", "#@$.o#", "#....#", "######"};
    const Art afterR{"######", "#.@$o#", "#....#", "######"};
    const Case cases[] = {
        {"wall", {"#@o#"}, "L", {}, 0},
        {"step off the top", {"..@"}, "U", {}, 0},
        {"push off the top", {"..$", "..@"}, "U", {}, 0},
        {"step off cell 179", {"", "", "", "", "", "", "", "", "", "", "", "..............@"}, "R", {}, 0},
        {"push off cell 179", {"", "", "", "", "", "", "", "", "", "", "", ".............@$"}, "R", {}, 0},
        {"item against a wall", {"#@$#o"}, "R", {}, 0},
        {"item against an item while won", {"#@**#"}, "R", {}, 0},
        {"push onto the last place", {"#@$o.#"}, "R", {{"#.@*.#"}}, 1},
        {"push off a place", {"#@*.#"}, "R", {{"#.@$#"}}, 0},
        {"leave a place: floor first, then the place", {"#.@*.#"}, "RL", {{"#.@.$#"}, {"#.@o$#"}}, 0},
        {"place to place", {"#@oo.#"}, "RR", {{"#..@.#"}, {"#.o@.#"}}, 0},
        {"push from a place leaves it behind", {"#@o$.#"}, "RR", {{"#.o@$#"}}, 0},
        {"push over another player tile", {"#@$@o#"}, "L", {{"#$@.o#"}}, 0},
        {"a strange code walked over is floor", {"#@+.o#"}, "RR", {{"#..@o#"}}, 0},
        {"more items than places", {"#@$o.$#"}, "R", {{"#.@*.$#"}}, 1},
        {"no places: won at every showing", {"#@.#"}, "R", {{"#.@#"}}, 1},
        {"step off the starting place", {"#p.#"}, "R", {{"#o@#"}}, 0},
        {"push from the starting place", {"#p$.o#"}, "R", {{"#o@$o#"}}, 0},
        {"step across the open side and back", {"##############@", ".o"}, "RL", {{"##############@", ".o"}}, 0},
        {"push across the open side", {"#############@$", ".o"}, "R", {{"#############.@", "$o"}}, 0},
        {"24 places",
         {"###############", "#@$o**********#", "#*************#"},
         "R",
         {{"###############", "#.@***********#", "#*************#"}},
         1},
        {"nothing to undo", yard, "z", {}, 0},
        {"undo into a won position", {"#@$o.#"}, "RRz", {{"#.@*.#"}}, 1},
        {"nothing to redo", yard, "RDy", {}, 0, {"######", "#..$o#", "#.@..#", "######"}},
        {"a new move drops what could be redone", yard, "RzDyzz", {}, 0},
        {"a refused move keeps what can be redone", yard, "RzLy", {afterR}, 0},
        {"restart after an undo, then undo", yard, "RDzrz", {afterR}, 0},
        {"restart at the start does nothing", yard, "Rzry", {afterR}, 0},
        {"restart of a level without places", {"#@.#"}, "Rr", {{"#@.#"}}, 1},
        {"restart onto the starting place, then off it", {"#p.#"}, "RrR", {{"#o@#"}}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GameState state;
        loadLevel(state, levelFromArt(c.start));
        const Shown shown = play(state, c.commands);
        std::vector<Board> expected;
        for (const Art &art : c.shown)
            expected.push_back(boardFromArt(art));
        EXPECT_EQ(shown.boards, expected);
        EXPECT_EQ(state.board, boardFromArt(!c.end.empty() ? c.end : c.shown.empty() ? c.start : c.shown.back()));
        EXPECT_EQ(state.board[state.playerCell], Player);
        EXPECT_EQ(shown.victories, c.victories);
    }
}

// Undo, redo and restart find nothing to do after a load or a clear.
TEST(GameLoad, LoadOrClearStartsAfresh)
{
    const Art start{"#####", "#@o$#", "#...#"};
    GameState state;
    EXPECT_FALSE(isWon(state)); // the one place of the start is cell 0, a wall
    for (const bool load : {true, false}) {
        loadLevel(state, levelFromArt(start));
        play(state, "R"); // onto the place
        load ? loadLevel(state, levelFromArt(start)) : clearBoard(state);
        for (const char command : std::string("zyr"))
            EXPECT_FALSE(act(state, command).moved) << command << (load ? " after a load" : " after clearing");
    }
    // Clearing keeps the player cell and the number of places, all at cell 0: not won either.
    EXPECT_EQ(state.board, Board{});
    EXPECT_EQ(state.placeList, std::vector<CellIndex>{0});
    EXPECT_EQ(state.playerCell, cellIndex(2, 1));
    EXPECT_FALSE(isWon(state));

    loadLevel(state, levelFromArt(start)); // the tile under the player is floor again
    play(state, "D");
    EXPECT_EQ(state.board, boardFromArt({"#####", "#.o$#", "#@..#"}));
    loadLevel(state, levelFromArt({"#####", "#...#"})); // without a player the cell stays
    EXPECT_EQ(state.playerCell, cellIndex(1, 2));
}

// Only a level built in memory lists a floor cell as a place; the first move turns it back.
TEST(GameHistory, UndoTakesBackAPlaceTurnedBackAwayFromThePlayer)
{
    GameLevel level = levelFromArt({"######", "#@.o.#"});
    level.placeList.push_back(cellIndex(4, 1));
    GameState state;
    loadLevel(state, level);
    play(state, "R");
    ASSERT_EQ(state.board, boardFromArt({"######", "#.@oo#"}));
    play(state, "z");
    EXPECT_EQ(state.board, level.board);
}

// The history as names: what a saved game keeps. Replayed on the level as loaded, it gives the
// same position, the same names and the same undo and redo.
TEST(GameHistory, NamesReplayIntoTheSamePositionAndHistory)
{
    struct Case
    {
        const char *name;
        std::string commands;
        std::string names;
        std::size_t undoable;
        MoveCount count;
    };
    const Art start{"#######", "#@.$.o#", "#.....#", "#######"};
    const Case cases[] = {
        {"nothing played", "", "", 0, {0, 0}},
        {"a step and two pushes; walls refused", "ULRRR", "rRR", 3, {3, 2}},
        {"undone steps stay to be redone", "DRRzz", "drr", 1, {1, 0}},
        {"a new step forgets them", "DRRzzU", "du", 2, {2, 0}},
        {"a restart counts from the start", "RRr", "rRx", 3, {0, 0}},
        {"and steps after it count again", "RRrD", "rRxd", 4, {1, 0}},
        {"the restart undone brings the count back", "RRrz", "rRx", 2, {2, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GameState state;
        loadLevel(state, levelFromArt(start));
        play(state, c.commands);
        EXPECT_EQ(state.history.names(), c.names);
        EXPECT_EQ(state.history.undoableCount(), c.undoable);
        EXPECT_EQ(moveCountOf(state), c.count);

        GameState again;
        loadLevel(again, levelFromArt(start));
        ASSERT_TRUE(replayHistory(again, c.names, c.undoable));
        EXPECT_EQ(std::tie(again.board, again.playerCell, again.underTile),
                  std::tie(state.board, state.playerCell, state.underTile));
        EXPECT_EQ(again.history.names(), c.names);
        EXPECT_EQ(again.history.undoableCount(), c.undoable);
        EXPECT_EQ(redo(again).moved, redo(state).moved);
        EXPECT_EQ(again.board, state.board);
    }
    // Names that do not fit the level: a push named as a step, a step into a wall, a letter of
    // no step, more to undo than there are steps.
    for (const auto &[names, undoable] : {std::pair<std::string, std::size_t>{"rr", 2}, {"u", 1}, {"q", 1}, {"r", 2}}) {
        GameState state;
        loadLevel(state, levelFromArt(start));
        EXPECT_FALSE(replayHistory(state, names, undoable)) << names;
    }
}
