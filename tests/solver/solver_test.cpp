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

SolveResult solve(const leveldata::Board &board, SolveMode mode = SolveMode::Fast, unsigned threads = 1)
{
    SolveOptions options;
    options.mode = mode;
    options.timeLimit = std::chrono::seconds(60);
    options.threads = threads;
    return solveBoard(board, options);
}

const fs::path BenchLevels = fs::path(LEVELS_DIR).parent_path() / "bench" / "levels";

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
        EXPECT_EQ(solve(boardFromArt(art), SolveMode::Optimal, 2).verdict, Verdict::NoSolution) << art[1];
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

// Both searches of two threads, too, stop at a limit or on request; together they keep to the
// memory budget. On two threads the fast search's solution may come back instead, never proven.
TEST(SolveBoard, LimitsAndStopGiveUnknown)
{
    // Twelve items: the fewest pushes take far more positions than any limit here allows.
    const leveldata::EditorLevel level = leveldata::readEditorLevel(BenchLevels / "h21-courtyard-twelve.lay");
    for (const unsigned threads : {1u, 2u}) {
        SCOPED_TRACE(threads);
        const auto expectStopped = [threads](const SolveResult &result, StopReason reason) {
            if (threads == 1 || result.verdict == Verdict::Unknown) {
                EXPECT_EQ(result.verdict, Verdict::Unknown);
                EXPECT_EQ(result.stopReason, reason);
            } else {
                EXPECT_EQ(result.verdict, Verdict::Solved);
                EXPECT_FALSE(result.pushOptimal);
            }
        };
        SolveOptions options;
        options.mode = SolveMode::Optimal;
        options.threads = threads;
        options.timeLimit = std::chrono::milliseconds(30);
        SolveResult result = solveBoard(level.board, level.coveredPlaces, options);
        expectStopped(result, StopReason::TimeLimit);

        options.timeLimit = std::chrono::seconds(60);
        options.memoryLimitBytes = 10 << 20;
        result = solveBoard(level.board, level.coveredPlaces, options);
        expectStopped(result, StopReason::MemoryLimit);
        EXPECT_LE(result.stats.memoryBytes, options.memoryLimitBytes);

        std::stop_source stop;
        SearchProgress progress;
        options.memoryLimitBytes = std::size_t{256} << 20;
        options.stop = stop.get_token();
        options.progress = &progress;
        std::atomic<bool> done{false};
        std::jthread worker([&] {
            result = solveBoard(level.board, level.coveredPlaces, options);
            done = true;
        });
        while (progress.expanded.load() == 0 && !done)
            std::this_thread::yield();
        stop.request_stop();
        worker.join();
        expectStopped(result, StopReason::Cancelled);
        EXPECT_LT(result.stats.seconds, 30.0); // not the time limit: both searches heard the stop
    }
}

// Two threads settle on what one search finds: the verdict, and the fewest pushes once proven.
TEST(SolveBoard, TwoThreadsAgreeWithOne)
{
    for (const char *name : {"h01-hall-six", "h07-open-top", "h12-nosol-zigzag", "h15-wrap-two", "h27-home-eight"}) {
        SCOPED_TRACE(name);
        const leveldata::EditorLevel level = leveldata::readEditorLevel(BenchLevels / (std::string(name) + ".lay"));
        SolveOptions options;
        options.mode = SolveMode::Optimal;
        const SolveResult one = solveBoard(level.board, level.coveredPlaces, options);
        ASSERT_NE(one.verdict, Verdict::Unknown);
        options.threads = 2;
        for (const SolveMode mode : {SolveMode::Fast, SolveMode::Optimal}) {
            options.mode = mode;
            const SolveResult two = solveBoard(level.board, level.coveredPlaces, options);
            EXPECT_EQ(two.verdict, one.verdict);
            EXPECT_TRUE(two.pushOptimal == one.pushOptimal || mode == SolveMode::Fast);
            EXPECT_TRUE(!two.pushOptimal || two.pushCount == one.pushCount) << two.pushCount;
            EXPECT_EQ(two.verdict == Verdict::Solved, replaySolution(level.board, level.coveredPlaces, two.moves));
        }
    }

    // The fewest pushes of twelve items in a courtyard take far longer than the fast search's
    // solution.
    const leveldata::EditorLevel level = leveldata::readEditorLevel(BenchLevels / "h21-courtyard-twelve.lay");
    SolveOptions options;
    options.mode = SolveMode::Optimal;
    options.threads = 2;
    options.timeLimit = std::chrono::milliseconds(500);
    const SolveResult unproven = solveBoard(level.board, level.coveredPlaces, options);
    EXPECT_EQ(unproven.verdict, Verdict::Solved);
    EXPECT_FALSE(unproven.pushOptimal);
    EXPECT_TRUE(replaySolution(level.board, level.coveredPlaces, unproven.moves));
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
