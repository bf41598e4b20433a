// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/gamestate.h"
#include "quillmap/difficulty.h"
#include "solver/solver.h"
#include "tests/cobbleton/gamecommands.h"
#include "tests/support/boardart.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <tuple>

using namespace leveldata;
namespace fs = std::filesystem;

namespace {

const fs::path LevelsDir = LEVELS_DIR;

// The levels shipped in levels/, easiest first. The files are the levels themselves: change one
// with the editor.
const std::vector<std::string> Samples{
    "01-first-steps.lay", "02-yard.lay",   "03-sample.lay", "04-lane.lay",      "05-pantry.lay",    "06-workshop.lay",
    "07-gallery.lay",     "08-cellar.lay", "09-attic.lay",  "10-warehouse.lay", "11-labyrinth.lay",
};

// The ten levels of the game's menu, in levels/campaign, in order: each is proven to be won with
// no fewer pushes than these.
struct CampaignLevel
{
    std::string fileName;
    std::string difficulty;
    int fewestPushes;
};

const fs::path CampaignDir = LevelsDir / "campaign";

const std::vector<CampaignLevel> Campaign{
    {"01-porch.lay", "Очень легкий", 7},     {"02-hallway.lay", "Очень легкий", 15},
    {"03-kitchen.lay", "Легкий", 14},        {"04-crossroads.lay", "Легкий", 20},
    {"05-storeroom.lay", "Средний", 32},     {"06-backyard.lay", "Средний", 38},
    {"07-passages.lay", "Тяжелый", 47},      {"08-depot.lay", "Очень тяжелый", 78},
    {"09-granary.lay", "Очень тяжелый", 81}, {"10-tower.lay", "Нереально сложный", 87},
};

std::ptrdiff_t layFileCount(const fs::path &dir)
{
    return std::count_if(fs::directory_iterator(dir), {},
                         [](const fs::directory_entry &entry) { return entry.path().extension() == ".lay"; });
}

} // namespace

// Each file is a level the editor could have saved: read and written afresh it has the same bytes
// (Windows-1251, CR LF lines, sections in save order), an author, a Russian name and victory
// message, a difficulty of the editor's list, one player, as many items as places, a closed wall
// ring and only known codes. And it can be won: the solver's solution wins it in the game.
TEST(SampleLevels, AreSoundLevelsAsTheEditorSavesThem)
{
    // Every file is listed (a missing one would read as walls).
    EXPECT_EQ(layFileCount(LevelsDir), std::ssize(Samples));
    EXPECT_EQ(layFileCount(CampaignDir), std::ssize(Campaign));
    std::vector<fs::path> files;
    for (const std::string &name : Samples)
        files.push_back(LevelsDir / name);
    for (const CampaignLevel &level : Campaign)
        files.push_back(CampaignDir / level.fileName);
    const testsupport::TempDir dir;
    for (const fs::path &file : files) {
        SCOPED_TRACE(file);
        const auto [board, info, covered] = readEditorLevel(file);
        ASSERT_FALSE(writeLevel(dir / file.filename(), board, info, covered));
        EXPECT_EQ(testsupport::fileBytes(file), testsupport::fileBytes(dir / file.filename()));
        EXPECT_TRUE(quillmap::difficultyIndex(info.difficulty)) << info.difficulty;
        EXPECT_FALSE(info.author.empty());
        for (const std::string &text : {info.name, info.victoryMessage})
            EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](char c) { return c & 0x80; }))
                << "not Russian: " << text;
        const auto count = [&](TileCode code) { return std::count(board.begin(), board.end(), code); };
        EXPECT_EQ(count(Player), 1);
        EXPECT_EQ(count(Item), count(ItemPlace) + std::ssize(covered));
        for (CellIndex i = 0; i < CellCount; ++i) {
            EXPECT_TRUE(!isBorderCell(i) || board[i] == Wall) << "open ring at cell " << i;
            EXPECT_TRUE(board[i] >= Wall && board[i] <= Item) << "cell " << i;
        }
        const levelsolver::SolveResult solved = levelsolver::solveBoard(board, covered, {});
        ASSERT_EQ(solved.verdict, levelsolver::Verdict::Solved);
        EXPECT_TRUE(levelsolver::replaySolution(board, covered, solved.moves));
    }
}

TEST(CampaignLevels, RiseInDifficultyAndAreProvenWonInTheirFewestPushes)
{
    int rankBefore = 0;
    for (const CampaignLevel &level : Campaign) {
        SCOPED_TRACE(level.fileName);
        const auto [board, info, covered] = readEditorLevel(CampaignDir / level.fileName);
        EXPECT_TRUE(covered.empty()); // the solver below is given the board alone
        EXPECT_EQ(info.author, "Cobbleton");
        EXPECT_EQ(info.difficulty, level.difficulty);
        const int rank = quillmap::difficultyIndex(info.difficulty).value_or(0);
        EXPECT_GE(rank, rankBefore);
        rankBefore = rank;

        levelsolver::SolveOptions options;
        options.mode = levelsolver::SolveMode::Optimal;
        options.timeLimit = std::chrono::seconds(60); // far beyond need, so a slow machine cannot fail it
        const levelsolver::SolveResult result = levelsolver::solveBoard(board, options);
        ASSERT_EQ(result.verdict, levelsolver::Verdict::Solved);
        EXPECT_TRUE(result.pushOptimal);
        EXPECT_EQ(result.pushCount, level.fewestPushes);
        EXPECT_TRUE(levelsolver::replaySolution(board, result.moves));
    }
    EXPECT_EQ(Campaign.front().difficulty, "Очень легкий");
    EXPECT_EQ(Campaign.back().difficulty, "Нереально сложный");
    // The last ones take a good player a while.
    EXPECT_GE(Campaign[8].fewestPushes, 60);
    EXPECT_GE(Campaign[9].fewestPushes, 60);
}

// Random play with restarts on every level: undoing each step, then doing it again, passes through
// the same positions (board, player cell, tile under the player), and moves played afresh after
// undos show what they showed the first time.
TEST(SampleLevels, UndoAndRedoRetraceRandomPlay)
{
    using namespace cobbleton;
    const auto position = [](const GameState &s) { return std::tuple(s.board, s.playerCell, s.underTile); };
    const auto boards = [](const MoveResult &result) {
        std::vector<std::pair<Board, bool>> shown;
        for (const Showing &showing : result.showings)
            shown.emplace_back(showing.board, showing.won);
        return shown;
    };
    std::mt19937 random(20261207);
    for (const std::string &name : Samples) {
        SCOPED_TRACE(name);
        GameState state;
        ASSERT_TRUE(loadLevelFile(state, LevelsDir / name));
        std::vector positions{position(state)}; // [i]: after the i-th step
        std::vector<std::pair<char, MoveResult>> steps;
        while (steps.size() < 400) {
            const char command = random() % 40 == 0 ? 'r' : "LRUD"[random() % 4];
            if (MoveResult result = act(state, command); result.moved) {
                steps.emplace_back(command, std::move(result));
                positions.push_back(position(state));
            }
        }
        for (std::size_t i = steps.size(); i > 0; --i)
            ASSERT_TRUE(undo(state).moved && position(state) == positions[i - 1]) << "undo to step " << i - 1;
        for (std::size_t i = 1; i <= steps.size(); ++i)
            ASSERT_TRUE(redo(state).moved && position(state) == positions[i]) << "redo of step " << i;
        EXPECT_FALSE(redo(state).moved);
        for (std::size_t i = 0; i < steps.size() / 2; ++i)
            undo(state);
        for (std::size_t i = steps.size() - steps.size() / 2; i < steps.size(); ++i) {
            const auto &[command, first] = steps[i];
            const MoveResult again = act(state, command);
            ASSERT_EQ(boards(again), boards(first)) << "step " << i << " played again";
        }
    }
}
