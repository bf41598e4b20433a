// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/levelcheck.h"

#include "cobbleton/gamestate.h"
#include "leveldata/levelfile.h"
#include "tests/support/boardart.h"

#include <gtest/gtest.h>

using quillmap::checkLevel;
using quillmap::LevelCheck;
using testsupport::boardFromArt;
using Outcome = LevelCheck::Outcome;

namespace {

constexpr std::chrono::seconds Plenty{10};

} // namespace

TEST(EditorLevelCheck, VerdictsAsTheGamePlays)
{
    struct Case { const char *name; testsupport::Art art; Outcome outcome; int moves, pushes; };
    const Case cases[] = {
        {"one push", {"#####", "#@$o#", "#####"}, Outcome::Solved, 1, 1},
        {"a step, then a push", {"######", "#@...#", "#.$o.#", "######"}, Outcome::Solved, 2, 1},
        {"item in a corner", {"#####", "#$.o#", "#@..#", "#####"}, Outcome::NoSolution, 0, 0},
        {"place out of reach", {"#####", "#@$.#", "#####", "#o..#", "#####"}, Outcome::NoSolution, 0, 0},
        {"no places: won when loaded", {"####", "#@.#", "####"}, Outcome::Solved, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LevelCheck check = checkLevel(boardFromArt(c.art), Plenty, {});
        EXPECT_EQ(check.outcome, c.outcome);
        EXPECT_EQ(check.moves, c.moves);
        EXPECT_EQ(check.pushes, c.pushes);
    }
}

// A code the game walks over like floor must not make the level unsolvable.
TEST(EditorLevelCheck, StrayCodesPlayAsFloor)
{
    leveldata::Board board = boardFromArt({"######", "#@.$o#", "######"});
    board[leveldata::cellIndex(2, 1)] = 7;
    EXPECT_EQ(checkLevel(board, Plenty, {}).outcome, Outcome::Solved);
}

TEST(EditorLevelCheck, StopAndTimeLimitNeverClaimNoSolution)
{
    // Twelve items: not decided in ten seconds, so surely not at once.
    const leveldata::Board hard = leveldata::readGameLevel(HARD_LEVEL).board;
    EXPECT_EQ(checkLevel(hard, std::chrono::milliseconds(0), {}).outcome, Outcome::Undecided);
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(checkLevel(hard, Plenty, stop.get_token()).outcome, Outcome::Cancelled);
}
