#include "samplelevels.h"

#include "cobbleton/gamestate.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace leveldata;
namespace fs = std::filesystem;

namespace {

const fs::path LevelsDir = LEVELS_DIR;

class SampleLevels : public ::testing::TestWithParam<SampleLevel>
{
};

std::string levelName(const ::testing::TestParamInfo<SampleLevel> &info)
{
    std::string name = info.param.fileName.substr(0, info.param.fileName.find('.'));
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

} // namespace

// Test names and failure messages show the level's file name instead of its bytes.
void PrintTo(const SampleLevel &level, std::ostream *out)
{
    *out << level.fileName;
}

TEST(SampleLevelFolder, EveryLevelHasARecordedSolution)
{
    std::set<std::string> onDisk, listed;
    for (const auto &entry : fs::directory_iterator(LevelsDir)) {
        if (entry.path().extension() == ".lay")
            onDisk.insert(entry.path().filename().string());
    }
    for (const SampleLevel &level : sampleLevels())
        listed.insert(level.fileName);
    EXPECT_EQ(onDisk, listed);
    EXPECT_GE(listed.size(), 10u);
}

// Read and written afresh, as the editor's Save does: the bytes must be the same, so the file is
// Windows-1251 with CR LF lines and the sections in save order.
TEST_P(SampleLevels, FileIsWhatTheEditorSaves)
{
    const fs::path shipped = LevelsDir / GetParam().fileName;
    EditorLevel level = readEditorLevel(shipped);
    const testsupport::TempDir dir;
    ASSERT_FALSE(writeLevel(dir / "fresh.lay", level.board, Floor, level.info));
    EXPECT_EQ(testsupport::fileBytes(shipped), testsupport::fileBytes(dir / "fresh.lay"));

    const std::set<std::string> difficulties{"Тестовый", "Очень легкий", "Легкий", "Средний",
                                             "Тяжелый", "Очень тяжелый", "Нереально сложный"};
    EXPECT_TRUE(difficulties.contains(level.info.difficulty)) << level.info.difficulty;
    for (const std::string &text : {level.info.author, level.info.name, level.info.victoryMessage})
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](char c) { return c & 0x80; })) << "not Russian: " << text;
}

TEST_P(SampleLevels, IsAValidLevel)
{
    const GameLevel level = readGameLevel(LevelsDir / GetParam().fileName);
    const auto count = [&](TileCode code) { return std::count(level.board.begin(), level.board.end(), code); };
    EXPECT_EQ(count(Player), 1);
    EXPECT_GE(count(Item), 1);
    EXPECT_EQ(count(Item), count(ItemPlace));
    for (CellIndex i = 0; i < CellCount; ++i) {
        EXPECT_TRUE(!isBorderCell(i) || level.board[i] == Wall) << "open ring at cell " << i;
        EXPECT_TRUE(level.board[i] >= Wall && level.board[i] <= Item) << "cell " << i;
    }
}

TEST_P(SampleLevels, RecordedSolutionWinsOnTheLastMove)
{
    const std::string &solution = GetParam().solution;
    cobbleton::GameState state;
    state.levelPath = LevelsDir / GetParam().fileName;
    cobbleton::loadLevelFile(state);
    ASSERT_FALSE(isWon(state));
    ASSERT_FALSE(solution.empty());

    int wonShowings = 0;
    for (std::size_t i = 0; i < solution.size(); ++i) {
        const auto show = [&] { wonShowings += isWon(state) ? 1 : 0; };
        ASSERT_TRUE(move(state, testsupport::stepOf(solution[i]), show)) << "move " << i << " is blocked";
        ASSERT_EQ(wonShowings, i + 1 == solution.size() ? 1 : 0) << "after move " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, SampleLevels, ::testing::ValuesIn(sampleLevels()), levelName);
