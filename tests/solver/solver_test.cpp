// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/solver.h"

#include "leveldata/levelfile.h"
#include "tests/support/boardart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

using namespace levelsolver;
using testsupport::boardFromArt;
namespace fs = std::filesystem;

namespace {

SolveResult solve(const leveldata::Board &board, SolveMode mode = SolveMode::Fast)
{
    SolveOptions options;
    options.mode = mode;
    options.timeLimit = std::chrono::seconds(60);
    return solveBoard(board, options);
}

// Twelve items in a courtyard: far too many positions to finish in a blink.
const leveldata::Board &bigBoard()
{
    static const leveldata::Board board = boardFromArt({
        "###############",
        "#......#......#",
        "#..$.$.$.$.$..#",
        "#..$.$.#.$.$..#",
        "#..$...@..$.$.#",
        "###..#####..###",
        "#..ooooooooo..#",
        "#..ooo.#......#",
        "#.............#",
        "###############",
    });
    return board;
}

} // namespace

TEST(SolveBoard, SampleLevelsSolvedForFewestPushes)
{
    for (const auto &entry : fs::directory_iterator(LEVELS_DIR)) {
        if (entry.path().extension() != ".lay")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const leveldata::Board board = leveldata::readGameLevel(entry.path()).board;
        const SolveResult result = solve(board, SolveMode::Optimal);
        ASSERT_EQ(result.verdict, Verdict::Solved);
        EXPECT_TRUE(result.pushOptimal);
        EXPECT_TRUE(replaySolution(board, result.moves));
        EXPECT_EQ(result.moveCount, static_cast<int>(result.moves.size()));
        EXPECT_EQ(result.pushCount, std::count_if(result.moves.begin(), result.moves.end(), ::isupper));
    }
}

// Each of these is lost from the start, for a different reason the search has to find.
TEST(SolveBoard, HopelessLevelsHaveNoSolution)
{
    const std::vector<testsupport::Art> levels{
        {"#########", "#o..@.$.#", "#########"}, // the player is on the wrong side of the item
        {"#########", "#..$$@oo#", "#########"}, // two items in a row cannot be pushed
        {"#######", "#..##.#", "#.o.$.#", "###.###", "#@....#", "#######"}, // the cell for pushing left
        {"########", "#@.$o$.#", "#####o.#", "########"},                   // nothing can reach the lower place
    };
    for (const auto &art : levels) {
        EXPECT_EQ(solve(boardFromArt(art)).verdict, Verdict::NoSolution) << art[1];
        EXPECT_EQ(solve(boardFromArt(art), SolveMode::Optimal).verdict, Verdict::NoSolution) << art[1];
    }

    // Two items start frozen side by side under a wall; the rest is far too big to search through.
    SolveOptions options;
    options.timeLimit = std::chrono::seconds(2);
    const SolveResult frozen = solveBoard(boardFromArt({
                                              "###############",
                                              "#......#...ooo#",
                                              "#.$$$..#...ooo#",
                                              "#..$...$...ooo#",
                                              "##$##.....oo..#",
                                              "#..$$.###..#..#",
                                              "#..$..$.$.....#",
                                              "#...@...#.....#",
                                              "#########..####",
                                          }),
                                          options);
    EXPECT_EQ(frozen.verdict, Verdict::NoSolution);
}

// With an open outer ring a step right from column 14 lands in column 0 of the next row, so the
// item can only reach its place by being pushed across the edge.
TEST(SolveBoard, OpenRingIsCrossedAsTheGameCrossesIt)
{
    const leveldata::Board board = boardFromArt({
        "###############",
        "###############",
        "##########@.$..",
        "..o############",
        "###############",
    });
    const SolveResult result = solve(board, SolveMode::Optimal);
    ASSERT_EQ(result.verdict, Verdict::Solved);
    EXPECT_EQ(result.moves, "rRRRRR");
    EXPECT_TRUE(replaySolution(board, result.moves));
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, Problem::Kind::OpenRing);
}

TEST(SolveBoard, LimitsAndStopGiveUnknown)
{
    SolveOptions options;
    options.mode = SolveMode::Optimal;
    options.timeLimit = std::chrono::milliseconds(30);
    SolveResult result = solveBoard(bigBoard(), options);
    EXPECT_EQ(result.verdict, Verdict::Unknown);
    EXPECT_EQ(result.stopReason, StopReason::TimeLimit);

    options.timeLimit = std::chrono::seconds(60);
    options.memoryLimitBytes = 2 << 20;
    result = solveBoard(bigBoard(), options);
    EXPECT_EQ(result.stopReason, StopReason::MemoryLimit);
    EXPECT_LE(result.stats.memoryBytes, options.memoryLimitBytes);

    std::stop_source stop;
    SearchProgress progress;
    options.memoryLimitBytes = std::size_t{256} << 20;
    options.stop = stop.get_token();
    options.progress = &progress;
    std::atomic<bool> done{false};
    std::jthread worker([&] {
        result = solveBoard(bigBoard(), options);
        done = true;
    });
    while (progress.expanded.load() == 0 && !done)
        std::this_thread::yield();
    stop.request_stop();
    worker.join();
    EXPECT_EQ(result.verdict, Verdict::Unknown);
    EXPECT_EQ(result.stopReason, StopReason::Cancelled);
}

// Places under an item or the player count as any other place (without them these levels have
// fewer places than items): the player's own place filled, a level won as it is loaded.
TEST(SolveBoard, PlacesUnderItemsAndThePlayerCount)
{
    const std::pair<testsupport::Art, int> levels[] = {{{"#####", "#p$.#", "#...#", "#####"}, 1},
                                                       {{"#####", "#@**#", "#####"}, 0}};
    for (const auto &[art, pushes] : levels) {
        const leveldata::GameLevel level = testsupport::levelFromArt(art);
        const std::vector<leveldata::CellIndex> covered = testsupport::coveredPlacesOf(level);
        const SolveResult result = solveBoard(level.board, covered, SolveOptions{});
        ASSERT_EQ(result.verdict, Verdict::Solved) << art[1];
        EXPECT_EQ(result.pushCount, pushes);
        EXPECT_TRUE(replaySolution(level.board, covered, result.moves)) << result.moves;
        EXPECT_EQ(solveBoard(level.board, SolveOptions{}).verdict, Verdict::Invalid);
    }
}

TEST(ReplaySolution, RejectsWhatTheGameWouldNotWin)
{
    const leveldata::Board board = boardFromArt({"######", "#@$.o#", "######"});
    EXPECT_TRUE(replaySolution(board, "RR"));
    EXPECT_FALSE(replaySolution(board, "R"));   // not won yet
    EXPECT_FALSE(replaySolution(board, "RRR")); // the third push is blocked
    EXPECT_FALSE(replaySolution(board, "RxR"));
    EXPECT_FALSE(replaySolution(board, "")); // not won as loaded
}
