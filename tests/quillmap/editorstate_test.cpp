// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/editorstate.h"
#include "tests/support/boardart.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <random>

namespace fs = std::filesystem;
using leveldata::Board;
using leveldata::LevelInfo;
using quillmap::EditorState;
using quillmap::SaveRefusal;
using testsupport::boardFromArt;

namespace {

const LevelInfo SomeInfo{"Автор", "Первый", "Средний", "Победа!"};

// Moves the cursor by letters (L, R, U, D) and picks brushes by digits; returns the refused moves.
int act(EditorState &state, std::string_view keys)
{
    using enum quillmap::CursorMove;
    constexpr quillmap::CursorMove Moves[] = {Left, Right, Up, Down};
    int refused = 0;
    for (char key : keys) {
        const std::size_t move = std::string_view("LRUD").find(key);
        if (move == std::string_view::npos)
            EXPECT_TRUE(state.selectBrush(key - '0')) << key;
        else if (!state.moveCursor(Moves[move]))
            ++refused;
    }
    return refused;
}

// Gives `state` a board the way the editor gets one: written to a file and opened. Cursor cells
// are written as Cursor (5), as another tool might leave them; '*' and 'p' as covered places.
void load(EditorState &state, const fs::path &path, const testsupport::Art &art)
{
    const leveldata::GameLevel level = testsupport::levelFromArt(art);
    ASSERT_FALSE(leveldata::writeLevel(path, level.board, SomeInfo, testsupport::coveredPlacesOf(level)));
    ASSERT_FALSE(state.loadLevel(path));
}
void load(EditorState &state, const fs::path &path, const Board &board)
{
    load(state, path, testsupport::artOf(board));
}

// Makes `path` the current directory while it lives: the scratch file of a new level is there.
struct InDirectory
{
    fs::path previous = fs::current_path();
    explicit InDirectory(const fs::path &path) { fs::current_path(path); }
    ~InDirectory() { fs::current_path(previous); }
};

} // namespace

TEST(EditorCursor, StaysInsideTheRingAndRefusalsChangeNothing)
{
    struct Case
    {
        const char *keys;
        leveldata::CellIndex cursor;
        int refused;
    };
    const Case cases[] = {
        {"L", 16, 1}, {"U", 16, 1}, {"RL", 16, 0}, {"DU", 16, 0}, {"DDDDDDDDDD", 151, 1}, {"R4RRRRRRRRRRRR3DD2", 58, 1},
    }; // digits change only the brush
    for (const Case &c : cases) {
        const std::string_view keys = c.keys;
        EditorState state;
        const int refused = act(state, keys);
        EXPECT_EQ(refused, c.refused) << keys;
        EXPECT_EQ(state.cursorCell(), c.cursor) << keys;
        EditorState accepted; // the same keys without the refused last ones
        act(accepted, keys.substr(0, keys.size() - static_cast<std::size_t>(refused)));
        EXPECT_EQ(state.board(), accepted.board()) << keys;
    }
}

TEST(EditorLoad, KeepsCursorAndBrushAndMarksNoCursor)
{
    const testsupport::TempDir dir;
    EditorState state;
    act(state, "5D"); // cursor on 31, brush Item
    load(state, dir / "given.lay", testsupport::exampleBoard());
    // A file that cannot be read is refused and the level in hand stays.
    EXPECT_EQ(state.loadLevel(dir / "nothing.lay"), std::errc::no_such_file_or_directory);
    EXPECT_EQ(state.loadLevel(dir.path()), std::errc::is_a_directory);
    EXPECT_EQ(state.board(), testsupport::exampleBoard());
    EXPECT_EQ(state.levelInfo(), SomeInfo);
    EXPECT_EQ(state.levelPath(), dir / "given.lay");
    EXPECT_EQ(state.cursorCell(), 31);
    EXPECT_EQ(state.brushCode(), leveldata::Item);
}

// The checks count a Cursor cell ('+') as the brush tile.
TEST(EditorSave, ChecksPlayersFirstThenItems)
{
    using enum SaveRefusal;
    struct Case
    {
        testsupport::Art art;
        int brush;
        SaveRefusal expected;
    };
    const Case cases[] = {
        {{"#.$o"}, 1, PlayerCountWrong},
        {{"#@@$$o"}, 1, PlayerCountWrong},
        {{"#@$$o"}, 1, ItemCountMismatch},
        {{"#@$o"}, 1, None},
        {{"#@."}, 1, None},
        {{"#+$o"}, 2, None},
        {{"#+@$o"}, 2, PlayerCountWrong},
        {{"#+@$o"}, 4, None},
        {{"#+@$o"}, 5, ItemCountMismatch},
        // An item or the player on a place counts twice: as itself and as a place.
        {{"#p*$"}, 1, None},
        {{"#p*"}, 1, ItemCountMismatch},
        {{"#p+$"}, 6, None},
        {{"#p+$"}, 5, ItemCountMismatch},
        {{"#+@"}, 7, PlayerCountWrong},
    };
    const testsupport::TempDir dir;
    for (const Case &c : cases) {
        EditorState state;
        ASSERT_TRUE(state.selectBrush(c.brush));
        load(state, dir / "given.lay", c.art);
        EXPECT_EQ(state.saveRefusal(), c.expected) << c.art[0] << " brush " << c.brush;
    }
}

TEST(EditorSave, WritesTheBrushForTheCursorOnlyWhenSaved)
{
    const testsupport::TempDir dir;
    EditorState state;
    load(state, dir / "given.lay", testsupport::exampleBoard());
    act(state, "1RR"); // cursor on 18, brush Wall
    const Board before = state.board();
    EXPECT_TRUE(state.saveLevel(dir / "missing" / "out.lay"));
    EXPECT_EQ(state.board(), before); // the cursor stays where it is seen
    Board expected = testsupport::exampleBoard();
    expected[16] = expected[17] = expected[18] = leveldata::Wall;
    ASSERT_FALSE(state.saveLevel(dir / "out.lay"));
    EXPECT_EQ(state.levelPath(), dir / "given.lay");
    EXPECT_EQ(state.board(), expected);
    EXPECT_EQ(leveldata::readEditorLevel(dir / "out.lay").board, expected);
    EXPECT_EQ(leveldata::readEditorLevel(dir / "out.lay").info, SomeInfo);
}

// Brushes 6 and 7 put a place under the item or the player they paint; any other brush painted
// over a cell takes its place away. Open and save carry the places.
TEST(EditorPlaces, BrushesSixAndSevenPaintTilesOnPlaces)
{
    const testsupport::TempDir dir;
    EditorState state;
    load(state, dir / "given.lay", testsupport::Art{"#####", "#*.$#", "#####"});
    ASSERT_TRUE(state.isCoveredPlace(16));
    EXPECT_FALSE(state.selectBrush(8));
    act(state, "5R6R7R"); // 16 a plain item, 17 an item on a place, 18 the player on a place
    EXPECT_FALSE(state.isCoveredPlace(16));
    EXPECT_EQ(state.coveredPlacesAsSaved(), (std::vector<leveldata::CellIndex>{17, 18, 19})); // 19: the cursor
    act(state, "4L"); // 19 floor, the cursor on 18
    ASSERT_FALSE(state.saveLevel(dir / "saved.lay"));
    EXPECT_FALSE(state.isCoveredPlace(18)); // the cursor cell took the brush, without a place
    EXPECT_EQ(leveldata::readEditorLevel(dir / "saved.lay").coveredPlaces, std::vector<leveldata::CellIndex>{17});

    // A file's own codes 6 and 7 are unknown tiles: no place, nothing counted, written back as
    // they are, with no MESTA section.
    ASSERT_TRUE(testsupport::putFile(dir / "odd.lay", "[Layer]\r\n16=3\r\n17=6\r\n18=7\r\n[MESTA]\r\ntext=17 18\r\n"));
    ASSERT_FALSE(state.loadLevel(dir / "odd.lay"));
    EXPECT_FALSE(state.isCoveredPlace(17) || state.isCoveredPlace(18));
    EXPECT_EQ(state.saveRefusal(), SaveRefusal::None);
    ASSERT_FALSE(state.saveLevel(dir / "odd.lay"));
    const leveldata::EditorLevel odd = leveldata::readEditorLevel(dir / "odd.lay");
    EXPECT_EQ(odd.board[17], 6);
    EXPECT_EQ(odd.board[18], 7);
    EXPECT_EQ(testsupport::fileBytes(dir / "odd.lay").find("MESTA"), std::string::npos);
}

// A board already in the scratch file stays: the editor window's start test shows it.
TEST(EditorNewLevel, ScratchFileTakesTheTexts)
{
    const testsupport::TempDir dir;
    const InDirectory inDirectory(dir.path());
    EditorState state;
    load(state, dir / "given.lay", testsupport::exampleBoard());
    ASSERT_FALSE(state.newLevel(SomeInfo));
    EXPECT_EQ(testsupport::fileBytes(dir / "NewLayer.lay").find("[Layer]"), std::string::npos);
    EXPECT_EQ(state.board(), Board{});
    EXPECT_EQ(state.levelInfo(), SomeInfo);
    EXPECT_EQ(state.levelPath(), quillmap::scratchLevelPath());
}

TEST(EditorNewLevel, UnwritableScratchFileLeavesTheLevelInMemoryUntilSaved)
{
    const testsupport::TempDir dir;
    fs::create_directory(dir / "locked");
    fs::permissions(dir / "locked", static_cast<fs::perms>(0555));
    const InDirectory inDirectory(dir / "locked");
    EditorState state;
    load(state, dir / "given.lay", testsupport::exampleBoard());
    act(state, "R");

    EXPECT_EQ(state.newLevel(SomeInfo), std::errc::permission_denied);
    EXPECT_TRUE(fs::is_empty(dir / "locked"));
    EXPECT_EQ(state.board(), Board{});
    EXPECT_EQ(state.levelPath(), fs::path());
    EXPECT_EQ(state.cursorCell(), 17);
    ASSERT_FALSE(state.saveLevel(dir / "saved.lay")); // with the texts it was given
    EXPECT_EQ(leveldata::readEditorLevel(dir / "saved.lay").info, SomeInfo);
}

// A long random edit (cursor steps, brushes, clicks, drags, texts, pastes) undone to the start and
// redone to the end passes every position it went through, in both directions.
TEST(EditorHistory, UndoAndRedoRetraceEveryStep)
{
    struct Snapshot
    {
        Board board;
        std::vector<leveldata::CellIndex> covered;
        leveldata::CellIndex cursor;
        LevelInfo info;
        bool operator==(const Snapshot &) const = default;
    };
    EditorState state;
    const auto snapshot = [&state] {
        Snapshot s{state.board(), {}, state.cursorCell(), state.levelInfo()};
        for (leveldata::CellIndex i = 0; i < leveldata::CellCount; ++i) {
            if (state.isCoveredPlace(i))
                s.covered.push_back(i);
        }
        return s;
    };
    const leveldata::GameLevel onPlaces = testsupport::levelFromArt({"#####", "#*p$#", "#####"});
    std::mt19937 random(20261208);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::vector<Snapshot> seen{snapshot()};
    for (int i = 0; i < 400; ++i) {
        switch (pick(6)) {
        case 0: act(state, std::string(1, "LRUD"[pick(4)])); break;
        case 1: act(state, std::to_string(1 + pick(7))); break;
        case 2: static_cast<void>(state.placeCursor(pick(leveldata::CellCount))); break;
        case 3: {
            const int to = pick(leveldata::CellCount);
            state.beginStroke();
            state.paintAlong(state.cursorCell(), to);
            state.paintAlong(to, pick(2) ? pick(leveldata::CellCount) : state.cursorCell());
            state.endStroke();
            break;
        }
        case 4: state.setLevelInfo({"автор", std::to_string(pick(3)), "", ""}); break;
        case 5:
            if (pick(2))
                state.pasteBoard(testsupport::exampleBoard(), {}, "Склад");
            else
                state.pasteBoard(onPlaces.board, testsupport::coveredPlacesOf(onPlaces), std::nullopt);
            break;
        }
        if (!(snapshot() == seen.back())) // a brush alone is no step, every other change is one
            seen.push_back(snapshot());
    }
    ASSERT_GT(seen.size(), 200u);
    for (std::size_t i = seen.size() - 1; i > 0; --i) {
        ASSERT_TRUE(state.undo());
        ASSERT_EQ(snapshot(), seen[i - 1]) << i;
    }
    EXPECT_FALSE(state.undo());
    for (std::size_t i = 1; i < seen.size(); ++i) {
        ASSERT_TRUE(state.redo());
        ASSERT_EQ(snapshot(), seen[i]) << i;
    }
    EXPECT_FALSE(state.redo());
}

TEST(EditorHistory, ANewChangeForgetsTheRedoAndANewLevelForgetsAll)
{
    const testsupport::TempDir dir;
    EditorState state;
    act(state, "4RR");
    ASSERT_TRUE(state.undo());
    act(state, "D");
    EXPECT_FALSE(state.redo());
    // The same texts again are no step, nor a drag that leaves every cell as it was.
    state.setLevelInfo(state.levelInfo());
    act(state, "1");
    state.beginStroke();
    state.paintAlong(32, 34);
    state.paintAlong(34, 32);
    state.endStroke();
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(state.board(), boardFromArt({"###############", "#.+############"}));
    load(state, dir / "given.lay", testsupport::exampleBoard());
    EXPECT_FALSE(state.undo());
}

// The cells a drag passes between two mouse positions: each beside the one before, ending on the
// last; a diagonal is a staircase.
TEST(DragPath, SideBySideToTheEnd)
{
    EXPECT_EQ(quillmap::cellsBetween(16, 16), std::vector<leveldata::CellIndex>{});
    EXPECT_EQ(quillmap::cellsBetween(19, 16), (std::vector<leveldata::CellIndex>{18, 17, 16}));
    EXPECT_EQ(quillmap::cellsBetween(16, 48), (std::vector<leveldata::CellIndex>{31, 32, 47, 48}));
    for (const auto &[from, to] : {std::pair{0, 179}, std::pair{170, 14}, std::pair{50, 52}}) {
        leveldata::CellIndex last = from;
        for (const leveldata::CellIndex cell : quillmap::cellsBetween(from, to)) {
            EXPECT_TRUE(std::abs(cell - last) == 1 || std::abs(cell - last) == leveldata::BoardColumns) << from;
            last = cell;
        }
        EXPECT_EQ(last, to);
    }
}
