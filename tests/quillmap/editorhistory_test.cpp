// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the editor state, painting along a drag, the brush taken from a cell.
#include "quillmap/editorstate.h"
#include "tests/support/boardart.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <random>

using leveldata::Board;
using leveldata::CellIndex;
using leveldata::LevelInfo;
using quillmap::CursorMove;
using quillmap::EditorState;
using testsupport::boardFromArt;

namespace {

struct Snapshot
{
    Board board;
    CellIndex cursor;
    LevelInfo info;
    bool operator==(const Snapshot &) const = default;
};

Snapshot snapshotOf(const EditorState &state)
{
    return {state.board(), state.cursorCell(), state.levelInfo()};
}

} // namespace

// A long random edit — cursor steps, brushes, clicks, drags, texts, pastes — undone to the start
// and redone to the end passes through every position it went through, in both directions.
TEST(EditorHistory, UndoAndRedoRetraceEveryStep)
{
    std::mt19937 random(20261208);
    EditorState state;
    std::vector<Snapshot> seen{snapshotOf(state)};
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int i = 0; i < 400; ++i) {
        const Snapshot before = snapshotOf(state);
        switch (pick(6)) {
        case 0: static_cast<void>(state.moveCursor(static_cast<CursorMove>(pick(4)))); break;
        case 1: static_cast<void>(state.selectBrush(1 + pick(5))); break;
        case 2: static_cast<void>(state.placeCursor(pick(leveldata::CellCount))); break;
        case 3:
            state.beginStroke();
            state.paintAlong(state.cursorCell(), pick(leveldata::CellCount));
            state.paintAlong(state.cursorCell(), pick(leveldata::CellCount));
            state.endStroke();
            break;
        case 4: state.setLevelInfo({"автор", std::to_string(pick(3)), "", ""}); break;
        case 5: state.pasteBoard(testsupport::exampleBoard(), "Склад"); break;
        }
        // A brush choice alone is no step; anything that changed the rest is.
        if (!(snapshotOf(state) == before))
            seen.push_back(snapshotOf(state));
    }
    ASSERT_GT(seen.size(), 200u);
    for (std::size_t i = seen.size() - 1; i > 0; --i) {
        ASSERT_TRUE(state.undo()) << i;
        ASSERT_EQ(snapshotOf(state), seen[i - 1]) << i;
    }
    EXPECT_FALSE(state.undo());
    for (std::size_t i = 1; i < seen.size(); ++i) {
        ASSERT_TRUE(state.redo()) << i;
        ASSERT_EQ(snapshotOf(state), seen[i]) << i;
    }
    EXPECT_FALSE(state.redo());
}

TEST(EditorHistory, ANewChangeForgetsTheRedoAndANewLevelForgetsAll)
{
    const testsupport::TempDir dir;
    EditorState state;
    ASSERT_TRUE(state.selectBrush(4));
    ASSERT_TRUE(state.moveCursor(CursorMove::Right));
    ASSERT_TRUE(state.moveCursor(CursorMove::Right));
    ASSERT_TRUE(state.undo());
    ASSERT_TRUE(state.moveCursor(CursorMove::Down));
    EXPECT_FALSE(state.redo());
    // Undo puts the cursor back where it stood, its cell showing the cursor again.
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(state.cursorCell(), 17);
    EXPECT_EQ(state.board(), boardFromArt({"###############", "#.+############"}));

    ASSERT_FALSE(leveldata::writeLevel(dir / "given.lay", testsupport::exampleBoard(), {}));
    ASSERT_FALSE(state.loadLevel(dir / "given.lay"));
    EXPECT_FALSE(state.undo());
    state.setLevelInfo({"a", "b", "", ""});
    state.setLevelInfo({"a", "b", "", ""}); // the same texts again are no step
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(state.levelInfo(), LevelInfo{});
    EXPECT_FALSE(state.undo());
}

// A drag paints the cells it passes, in order, jumps none and leaves the ring alone: the cursor
// ends on the last inner cell, and the whole drag is one step.
TEST(EditorHistory, ADragPaintsTheCellsPassedAsOneStep)
{
    EXPECT_EQ(quillmap::cellsBetween(16, 16), std::vector<CellIndex>{});
    EXPECT_EQ(quillmap::cellsBetween(16, 19), (std::vector<CellIndex>{17, 18, 19}));
    EXPECT_EQ(quillmap::cellsBetween(19, 16), (std::vector<CellIndex>{18, 17, 16}));
    EXPECT_EQ(quillmap::cellsBetween(16, 48), (std::vector<CellIndex>{31, 32, 47, 48})); // a staircase
    for (const auto &[from, to] : {std::pair{0, 179}, std::pair{170, 14}, std::pair{50, 52}}) {
        CellIndex last = from;
        for (const CellIndex cell : quillmap::cellsBetween(from, to)) {
            const int apart = std::abs(cell - last);
            EXPECT_TRUE(apart == 1 || apart == leveldata::BoardColumns) << from << "→" << to;
            last = cell;
        }
        EXPECT_EQ(last, to);
    }

    EditorState state;
    ASSERT_TRUE(state.selectBrush(4));
    state.beginStroke();
    ASSERT_TRUE(state.placeCursor(17));
    state.paintAlong(17, 2); // up onto the ring: nothing painted there
    state.paintAlong(2, 50); // back down and to the right, a staircase
    state.endStroke();
    EXPECT_EQ(state.cursorCell(), 50);
    EXPECT_EQ(state.board(),
              boardFromArt({"###############", "#...###########", "###..##########", "####.+#########"}));
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(state.board(), Board{});
    EXPECT_EQ(state.cursorCell(), 16);
    EXPECT_FALSE(state.placeCursor(0));
    EXPECT_FALSE(state.placeCursor(180));
}

TEST(EditorBrush, TakenFromACellOnlyForATileOfTheBrushes)
{
    const testsupport::TempDir dir;
    Board board = boardFromArt({"###############", "#.$@o##########"});
    board[20] = 7;
    ASSERT_FALSE(leveldata::writeLevel(dir / "given.lay", board, {}));
    EditorState state;
    ASSERT_FALSE(state.loadLevel(dir / "given.lay"));
    ASSERT_TRUE(state.moveCursor(CursorMove::Right)); // the cursor on 17, Wall behind it
    for (const auto &[cell, taken, brush] : {std::tuple{18, true, leveldata::Player}, std::tuple{20, false, 3},
                                             std::tuple{17, true, 3}, std::tuple{19, true, leveldata::ItemPlace}}) {
        EXPECT_EQ(state.takeBrushFrom(cell), taken) << cell;
        EXPECT_EQ(state.brushCode(), brush) << cell;
    }
}
