#include "quillmap/difficulty.h"
#include "quillmap/editorstate.h"
#include "boardart.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using leveldata::Board;
using leveldata::LevelInfo;
using quillmap::CursorMove;
using quillmap::EditorState;
using quillmap::SaveCheck;

namespace {

const LevelInfo SomeInfo{"Автор", "Первый", "Средний", "Победа!"};

// Makes `count` moves that must all be accepted.
void walk(EditorState &state, CursorMove move, int count)
{
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(state.moveCursor(move)) << "step " << i;
}

// Each test gets its own empty directory, removed afterwards.
class EditorFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path()
                / (std::string("quillmap-") + info->test_suite_name() + "-" + info->name() + "-"
                   + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Puts `board` into `state` the way the editor gets one: written to a file and opened.
    void load(EditorState &state, const Board &board, const LevelInfo &info = SomeInfo)
    {
        Board copy = board;
        ASSERT_FALSE(leveldata::writeLevel(m_dir / "given.lay", copy, leveldata::Wall, info));
        state.loadLevel(m_dir / "given.lay");
    }

    fs::path m_dir;
};

// The key=value lines of the file's [Layer] section, keys in file order.
std::vector<std::pair<std::string, std::string>> layerEntries(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::pair<std::string, std::string>> entries;
    std::string line;
    bool inLayer = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inLayer = line == "[Layer]";
        } else if (inLayer && line.find('=') != std::string::npos) {
            const auto eq = line.find('=');
            entries.emplace_back(line.substr(0, eq), line.substr(eq + 1));
        }
    }
    return entries;
}

const Board Ready = boardFromArt({
    "###############",
    "#.............#",
    "#.@...........#",
    "#...$.....o...#",
    "#.....###.....#",
    "#...$.....o...#",
    "#.............#",
    "#.............#",
    "#.............#",
    "#.............#",
    "#.............#",
    "###############",
});

} // namespace

TEST(EditorCursor, RefusedMovesChangeNothing)
{
    EditorState state;
    ASSERT_TRUE(state.selectBrush(4));
    EXPECT_FALSE(state.moveCursor(CursorMove::Left));   // target 15
    EXPECT_FALSE(state.moveCursor(CursorMove::Up));     // target 1
    EXPECT_EQ(state.cursorCell(), 16);
    EXPECT_EQ(state.board(), Board{});

    walk(state, CursorMove::Down, 9);
    EXPECT_EQ(state.cursorCell(), 151);
    const Board before = state.board();
    EXPECT_FALSE(state.moveCursor(CursorMove::Down));   // target 166
    EXPECT_EQ(state.cursorCell(), 151);
    EXPECT_EQ(state.board(), before);
}

TEST(EditorCursor, AcceptedMovesLeaveTheBrushBehind)
{
    EditorState state;
    ASSERT_TRUE(state.moveCursor(CursorMove::Right));
    EXPECT_EQ(state.cursorCell(), 17);
    EXPECT_EQ(state.board()[17], leveldata::Cursor);
    EXPECT_EQ(state.board()[16], leveldata::Wall);

    ASSERT_TRUE(state.selectBrush(4));
    walk(state, CursorMove::Right, 11);
    EXPECT_EQ(state.cursorCell(), 28);
    EXPECT_FALSE(state.moveCursor(CursorMove::Right));   // target 29
    ASSERT_TRUE(state.selectBrush(3));
    walk(state, CursorMove::Down, 2);
    EXPECT_EQ(state.board(), boardFromArt({
                                 "###############",
                                 "##...........o#",
                                 "#############o#",
                                 "#############+#",
                                 "###############",
                                 "###############",
                                 "###############",
                                 "###############",
                                 "###############",
                                 "###############",
                                 "###############",
                                 "###############",
                             }));
}

TEST(EditorCursor, PaintingEveryInnerCellLeavesTheRingAlone)
{
    EditorState state;
    ASSERT_TRUE(state.selectBrush(4));
    for (int row = 1; row <= 10; ++row) {
        const CursorMove across = row % 2 == 1 ? CursorMove::Right : CursorMove::Left;
        walk(state, across, 12);
        EXPECT_FALSE(state.moveCursor(across)) << "row " << row;
        if (row < 10)
            walk(state, CursorMove::Down, 1);
    }
    EXPECT_FALSE(state.moveCursor(CursorMove::Down));
    EXPECT_EQ(state.board(), boardFromArt({
                                 "###############",
                                 "#.............#",
                                 "#.............#",
                                 "#.............#",
                                 "#.............#",
                                 "#.............#",
                                 "#.............#",
                                 "#.............#",
                                 "#.............#",
                                 "#.............#",
                                 "#+............#",
                                 "###############",
                             }));
}

TEST(EditorBrush, DigitsChooseOnlyTheBrush)
{
    const std::pair<int, leveldata::TileCode> keys[] = {
        {1, leveldata::Wall},  {2, leveldata::Player}, {3, leveldata::ItemPlace},
        {4, leveldata::Floor}, {5, leveldata::Item},
    };
    EditorState state;
    ASSERT_TRUE(state.moveCursor(CursorMove::Right));
    const Board before = state.board();
    for (const auto &[digit, code] : keys) {
        EXPECT_TRUE(state.selectBrush(digit));
        EXPECT_EQ(state.brushCode(), code) << "digit " << digit;
    }
    EXPECT_FALSE(state.selectBrush(0));
    EXPECT_FALSE(state.selectBrush(6));
    EXPECT_EQ(state.brushCode(), leveldata::Item);
    EXPECT_EQ(state.board(), before);
    EXPECT_EQ(state.cursorCell(), 17);
}

TEST_F(EditorFiles, LoadKeepsCursorAndBrushAndMarksNoCursor)
{
    EditorState state;
    ASSERT_TRUE(state.selectBrush(5));
    walk(state, CursorMove::Down, 1);   // cursor on 31
    load(state, Ready);
    EXPECT_EQ(state.board(), Ready);
    EXPECT_EQ(state.levelInfo(), SomeInfo);
    EXPECT_EQ(state.levelPath(), m_dir / "given.lay");
    EXPECT_EQ(state.cursorCell(), 31);
    EXPECT_EQ(state.brushCode(), leveldata::Item);

    // The first move writes the brush over whatever the level had under the cursor.
    ASSERT_TRUE(state.moveCursor(CursorMove::Right));
    EXPECT_EQ(state.board()[31], leveldata::Item);
    EXPECT_EQ(state.board()[32], leveldata::Cursor);   // the level's player is gone
}

TEST_F(EditorFiles, LoadOfMissingFileGivesWallsAndEmptyTexts)
{
    EditorState state;
    load(state, Ready);
    state.loadLevel(m_dir / "nothing.lay");
    EXPECT_EQ(state.board(), Board{});
    EXPECT_EQ(state.levelInfo(), LevelInfo{});
}

TEST_F(EditorFiles, SaveChecksCountPlayersFirstThenItems)
{
    const Board noPlayer = boardFromArt({
        "###############", "#.............#", "#.............#", "#...$.....o...#",
        "###############", "###############", "###############", "###############",
        "###############", "###############", "###############", "###############",
    });
    const Board twoPlayersAndMismatch = boardFromArt({
        "###############", "#.............#", "#.@.........@.#", "#...$$....o...#",
        "###############", "###############", "###############", "###############",
        "###############", "###############", "###############", "###############",
    });
    const Board itemMismatch = boardFromArt({
        "###############", "#.............#", "#.@...........#", "#...$$$...oo..#",
        "###############", "###############", "###############", "###############",
        "###############", "###############", "###############", "###############",
    });
    const Board bare = boardFromArt({
        "###############", "#.............#", "#.@...........#", "#.............#",
        "###############", "###############", "###############", "###############",
        "###############", "###############", "###############", "###############",
    });
    EditorState state;
    load(state, noPlayer);
    EXPECT_EQ(state.checkSave(), SaveCheck::PlayerCountWrong);
    load(state, twoPlayersAndMismatch);
    EXPECT_EQ(state.checkSave(), SaveCheck::PlayerCountWrong);
    load(state, itemMismatch);
    EXPECT_EQ(state.checkSave(), SaveCheck::ItemCountMismatch);
    load(state, Ready);
    EXPECT_EQ(state.checkSave(), SaveCheck::Ok);
    load(state, bare);
    EXPECT_EQ(state.checkSave(), SaveCheck::Ok);
}

TEST_F(EditorFiles, SaveChecksCountTheCursorCellAsTheBrush)
{
    const Board noPlayer = boardFromArt({
        "###############", "#.............#", "#.............#", "#...$.....o...#",
        "###############", "###############", "###############", "###############",
        "###############", "###############", "###############", "###############",
    });
    EditorState state;
    load(state, noPlayer);
    ASSERT_TRUE(state.selectBrush(4));
    ASSERT_TRUE(state.moveCursor(CursorMove::Right));   // 16 floor, 17 the cursor
    ASSERT_TRUE(state.selectBrush(2));
    EXPECT_EQ(state.checkSave(), SaveCheck::Ok);         // the cursor cell is the player

    ASSERT_TRUE(state.moveCursor(CursorMove::Right));   // 17 a player, 18 the cursor
    EXPECT_EQ(state.checkSave(), SaveCheck::PlayerCountWrong);
    ASSERT_TRUE(state.selectBrush(4));
    EXPECT_EQ(state.checkSave(), SaveCheck::Ok);
    ASSERT_TRUE(state.selectBrush(5));
    EXPECT_EQ(state.checkSave(), SaveCheck::ItemCountMismatch);
}

TEST_F(EditorFiles, SaveWritesEveryCellAndReplacesTheCursor)
{
    EditorState state;
    load(state, Ready);
    ASSERT_TRUE(state.selectBrush(4));
    walk(state, CursorMove::Right, 2);                   // cursor on 18
    ASSERT_EQ(state.checkSave(), SaveCheck::Ok);

    const fs::path out = m_dir / "out.lay";
    ASSERT_FALSE(state.saveLevel(out));
    EXPECT_EQ(state.levelPath(), m_dir / "given.lay");
    EXPECT_EQ(state.cursorCell(), 18);
    EXPECT_EQ(state.board()[18], leveldata::Floor);
    EXPECT_EQ(std::count(state.board().begin(), state.board().end(), leveldata::Cursor), 0);

    const auto entries = layerEntries(out);
    ASSERT_EQ(entries.size(), 180u);
    for (int i = 0; i < 180; ++i) {
        EXPECT_EQ(entries[static_cast<std::size_t>(i)].first, std::to_string(i));
        EXPECT_NE(entries[static_cast<std::size_t>(i)].second, "5") << "key " << i;
    }
    const leveldata::EditorLevel back = leveldata::readEditorLevel(out);
    EXPECT_EQ(back.board, state.board());
    EXPECT_EQ(back.info, SomeInfo);
}

TEST_F(EditorFiles, FailedSaveReportsAndKeepsTheCursor)
{
    EditorState state;
    load(state, Ready);
    ASSERT_TRUE(state.selectBrush(4));
    ASSERT_TRUE(state.moveCursor(CursorMove::Right));
    const Board before = state.board();

    const fs::path out = m_dir / "missing" / "out.lay";
    EXPECT_TRUE(state.saveLevel(out));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(state.board(), before);
    EXPECT_EQ(state.board()[17], leveldata::Cursor);
}

// The scratch file lives in the current directory, so these tests work inside their own one.
class EditorNewLevel : public EditorFiles
{
protected:
    void SetUp() override
    {
        EditorFiles::SetUp();
        m_previous = fs::current_path();
        fs::current_path(m_dir);
    }
    void TearDown() override
    {
        fs::current_path(m_previous);
        EditorFiles::TearDown();
    }

    fs::path m_previous;
};

TEST_F(EditorNewLevel, FreshScratchFileLoadsAllWalls)
{
    EditorState state;
    load(state, Ready);
    ASSERT_FALSE(quillmap::writeNewLevelInfo(SomeInfo));
    state.loadLevel(quillmap::scratchLevelPath());
    EXPECT_EQ(state.board(), Board{});
    EXPECT_EQ(state.levelInfo(), SomeInfo);
    EXPECT_TRUE(fs::exists(m_dir / "NewLayer.lay"));
    EXPECT_TRUE(layerEntries(m_dir / "NewLayer.lay").empty());
}

TEST_F(EditorNewLevel, BoardSavedIntoScratchFileComesBack)
{
    EditorState state;
    load(state, Ready);
    ASSERT_FALSE(state.saveLevel(quillmap::scratchLevelPath()));

    const LevelInfo fresh{"Другой", "Второй", "Тестовый", ""};
    ASSERT_FALSE(quillmap::writeNewLevelInfo(fresh));
    state.loadLevel(quillmap::scratchLevelPath());
    EXPECT_EQ(state.board(), Ready);
    EXPECT_EQ(state.levelInfo(), fresh);
}

TEST_F(EditorNewLevel, UnwritableScratchFileIsReported)
{
    fs::create_directory(m_dir / "NewLayer.lay");
    EXPECT_TRUE(quillmap::writeNewLevelInfo(SomeInfo));
}

TEST(EditorDifficulty, MatchesWholeEntryTextsOnly)
{
    EXPECT_EQ(quillmap::difficultyIndex("Тестовый"), 0);
    EXPECT_EQ(quillmap::difficultyIndex("Нереально сложный"), 6);
    EXPECT_EQ(quillmap::difficultyIndex("Очень"), std::nullopt);
    EXPECT_EQ(quillmap::difficultyIndex("Средний "), std::nullopt);
    EXPECT_EQ(quillmap::difficultyIndex(""), std::nullopt);
}
