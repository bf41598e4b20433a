// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/levelproblems.h"

#include "tests/support/boardart.h"

#include <gtest/gtest.h>

using namespace levelsolver;
using Kind = Problem::Kind;

namespace {

std::vector<Kind> kindsOf(const leveldata::Board &board)
{
    std::vector<Kind> kinds;
    for (const Problem &problem : levelProblems(board)) {
        kinds.push_back(problem.kind);
        EXPECT_FALSE(problem.text().empty());
    }
    return kinds;
}

} // namespace

TEST(LevelProblems, FindsEachProblem)
{
    using testsupport::boardFromArt;
    EXPECT_EQ(kindsOf(boardFromArt({"#####", "#@$o#", "#####"})), std::vector<Kind>{});
    EXPECT_EQ(kindsOf(boardFromArt({"#####", "#.$o#", "#####"})), std::vector<Kind>{Kind::NoPlayer});
    EXPECT_EQ(kindsOf(boardFromArt({"######", "#@$o@#", "######"})), std::vector<Kind>{Kind::SeveralPlayers});
    EXPECT_EQ(kindsOf(boardFromArt({"######", "#@$$o#", "######"})), std::vector<Kind>{Kind::CountMismatch});
    EXPECT_EQ(kindsOf(boardFromArt({"####", "#@.#", "####"})), (std::vector<Kind>{Kind::NoPlaces}));
    EXPECT_EQ(kindsOf(boardFromArt({"#######", "#@$#.o#", "#######"})), std::vector{Kind::UnreachablePlace});
    EXPECT_EQ(kindsOf(boardFromArt({"#######", "#@o#.$#", "#######"})), std::vector{Kind::UnreachableItem});
    const std::vector<Problem> open = levelProblems(boardFromArt({"#####", "@.$o.", "#####"}));
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].kind, Kind::OpenRing);
    EXPECT_FALSE(hasBlockingProblem(open)); // the only warning

    leveldata::Board board = boardFromArt({"######", "#@.$o#", "######"});
    board[17] = leveldata::Cursor;
    const std::vector<Problem> problems = levelProblems(board);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(hasBlockingProblem(problems));
    EXPECT_EQ(problems[0].kind, Kind::UnknownTile);
    EXPECT_EQ(problems[0].cell, 17);
    EXPECT_EQ(problems[0].text(), "unknown tile code at column 2, row 1");
}
