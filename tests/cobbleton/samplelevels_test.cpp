#include "samplelevels.h"

#include "cobbleton/gamestate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

using namespace cobbleton;
using namespace leveldata;

namespace {

const std::filesystem::path LevelsDir = LEVELS_DIR;

std::string fileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CellIndex stepOf(char move)
{
    switch (move) {
    case 'L': return LeftStep;
    case 'R': return RightStep;
    case 'U': return UpStep;
    case 'D': return DownStep;
    }
    ADD_FAILURE() << "unknown move '" << move << "'";
    return 0;
}

} // namespace

// Test names and failure messages show the level's file name instead of its bytes.
void PrintTo(const SampleLevel &level, std::ostream *out)
{
    *out << level.fileName;
}

namespace {

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

TEST(SampleLevelFolder, HoldsExactlyTheListedLevels)
{
    std::set<std::string> onDisk;
    for (const auto &entry : std::filesystem::directory_iterator(LevelsDir)) {
        if (entry.path().extension() == ".lay")
            onDisk.insert(entry.path().filename().string());
    }
    std::set<std::string> listed;
    for (const SampleLevel &level : sampleLevels())
        listed.insert(level.fileName);
    EXPECT_EQ(onDisk, listed) << "a level without a recorded solution, or a missing file";
    EXPECT_GE(listed.size(), 10u);
}

TEST_P(SampleLevels, FileIsWhatTheEditorSaves)
{
    const SampleLevel &level = GetParam();
    const std::filesystem::path shipped = LevelsDir / level.fileName;
    const std::string bytes = fileBytes(shipped);
    ASSERT_FALSE(bytes.empty()) << shipped;

    // Written afresh into an empty file, as the editor's Save does: the bytes must be the same.
    const std::filesystem::path fresh = std::filesystem::path(::testing::TempDir()) / level.fileName;
    std::filesystem::remove(fresh);
    Board board = boardFromArt(level.art);
    ASSERT_FALSE(writeLevel(fresh, board, Floor, level.info));
    EXPECT_EQ(bytes, fileBytes(fresh)) << "regenerate levels/ with makesamplelevels";
    std::filesystem::remove(fresh);

    // What any editor save looks like: CR LF lines and the sections in save order.
    std::size_t at = 0;
    for (const char *section : {"[Layer]\r\n0=0\r\n", "\r\n179=0\r\n", "[AUTOR]\r\ntext=",
                                "[NAMELAYER]\r\ntext=", "[YROVWN]\r\ntext=", "[TEXT]\r\ntext="}) {
        const std::size_t found = bytes.find(section, at);
        EXPECT_NE(found, std::string::npos) << section;
        at = found == std::string::npos ? at : found;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        ASSERT_TRUE(bytes[i] != '\n' || (i > 0 && bytes[i - 1] == '\r')) << "bare LF at byte " << i;
    }

    const EditorLevel read = readEditorLevel(shipped);
    EXPECT_EQ(read.info, level.info) << "texts survive the Windows-1251 round trip";
    const std::set<std::string> difficulties{"Тестовый", "Очень легкий", "Легкий", "Средний",
                                             "Тяжелый", "Очень тяжелый", "Нереально сложный"};
    EXPECT_TRUE(difficulties.contains(read.info.difficulty)) << read.info.difficulty;
    for (const std::string *text : {&read.info.author, &read.info.name, &read.info.victoryMessage})
        EXPECT_TRUE(std::any_of(text->begin(), text->end(), [](char c) { return c & 0x80; }))
            << "not a Russian text: " << *text;
}

TEST_P(SampleLevels, IsAValidLevel)
{
    const GameLevel level = readGameLevel(LevelsDir / GetParam().fileName);
    const auto count = [&](TileCode code) { return std::count(level.board.begin(), level.board.end(), code); };

    EXPECT_EQ(count(Player), 1);
    EXPECT_GE(count(Item), 1);
    EXPECT_EQ(count(Item), static_cast<long>(level.placeList.size()));
    EXPECT_EQ(count(ItemPlace), static_cast<long>(level.placeList.size()));
    EXPECT_EQ(level.board, boardFromArt(GetParam().art));
    for (CellIndex i = 0; i < CellCount; ++i) {
        EXPECT_TRUE(!isBorderCell(i) || level.board[i] == Wall) << "open ring at cell " << i;
        EXPECT_TRUE(level.board[i] >= Wall && level.board[i] <= Item) << "cell " << i;
    }
}

TEST_P(SampleLevels, RecordedSolutionWinsOnTheLastMove)
{
    const SampleLevel &sample = GetParam();
    GameState state;
    clearBoard(state);
    state.levelPath = LevelsDir / sample.fileName;
    loadLevelFile(state);
    ASSERT_FALSE(isWon(state));
    ASSERT_FALSE(sample.solution.empty());

    int wonShowings = 0;
    for (std::size_t i = 0; i < sample.solution.size(); ++i) {
        const bool last = i + 1 == sample.solution.size();
        const bool moved = move(state, stepOf(sample.solution[i]), [&] {
            if (isWon(state))
                ++wonShowings;
        });
        ASSERT_TRUE(moved) << "move " << i << " '" << sample.solution[i] << "' is blocked";
        ASSERT_EQ(wonShowings, last ? 1 : 0) << "after move " << i;
    }
    EXPECT_TRUE(isWon(state));
}

INSTANTIATE_TEST_SUITE_P(Shipped, SampleLevels, ::testing::ValuesIn(sampleLevels()), levelName);
