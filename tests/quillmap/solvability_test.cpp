// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/solvability.h"

#include "leveldata/levelfile.h"
#include "tests/support/boardart.h"

#include <gtest/gtest.h>

using quillmap::Solvability;
using quillmap::solvabilityOf;
using testsupport::boardFromArt;
using Outcome = Solvability::Outcome;

namespace {

constexpr std::chrono::seconds Plenty{10};

} // namespace

// What the editor adds over the solver: the solver calls these levels invalid. A code the game
// walks over like floor must not make the level unsolvable, a level without places is won when
// it is loaded, and a place out of reach means no move wins.
TEST(Solvability, VerdictsAsTheGamePlays)
{
    leveldata::Board stray = boardFromArt({"######", "#@.$o#", "######"});
    stray[leveldata::cellIndex(2, 1)] = 7;
    EXPECT_EQ(solvabilityOf(stray, {}, Plenty, {}).outcome, Outcome::Solved);
    EXPECT_EQ(solvabilityOf(boardFromArt({"####", "#@.#", "####"}), {}, Plenty, {}).outcome, Outcome::Solved);
    const leveldata::Board apart = boardFromArt({"#####", "#@$.#", "#####", "#o..#", "#####"});
    EXPECT_EQ(solvabilityOf(apart, {}, Plenty, {}).outcome, Outcome::NoSolution);
}

TEST(Solvability, StopAndTimeLimitNeverClaimNoSolution)
{
    // Twelve items: seconds of search at best, so surely not decided at once.
    const leveldata::Board hard = leveldata::readGameLevel(HARD_LEVEL).board;
    EXPECT_EQ(solvabilityOf(hard, {}, std::chrono::milliseconds(0), {}).outcome, Outcome::Undecided);
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(solvabilityOf(hard, {}, Plenty, stop.get_token()).outcome, Outcome::Cancelled);
}
