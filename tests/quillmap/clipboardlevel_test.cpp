// SPDX-License-Identifier: GPL-3.0-or-later
// Levels as the clipboard carries them.
#include "quillmap/clipboardlevel.h"
#include "tests/support/boardart.h"

#include <gtest/gtest.h>

using leveldata::Board;
using quillmap::PastedLevel;

// The text is the export's board under a title line and the author's comment; read back it gives
// the same board and the name, and an empty name stays empty.
TEST(ClipboardLevel, CopyThenPasteGivesTheSameLevel)
{
    const Board board = testsupport::exampleBoard();
    const std::optional<std::string> text = quillmap::clipboardTextOf(board, {"Иван", "Склад", "Средний", "Ура"});
    ASSERT_TRUE(text);
    EXPECT_EQ(text->substr(0, text->find('#')), "Title: Склад\n; Иван\n");
    const PastedLevel pasted = quillmap::pastedLevelOf(*text);
    EXPECT_EQ(pasted.outcome, PastedLevel::Outcome::Pasted);
    EXPECT_EQ(pasted.board, board);
    EXPECT_EQ(pasted.title, "Склад");

    const std::optional<std::string> untitled = quillmap::clipboardTextOf(board, {"Иван", "", "", ""});
    ASSERT_TRUE(untitled);
    EXPECT_EQ(quillmap::pastedLevelOf(*untitled).title, "");
    EXPECT_FALSE(quillmap::clipboardTextOf(Board{}, {}));
}

TEST(ClipboardLevel, PasteRefusesWhatTheImportRefuses)
{
    using enum PastedLevel::Outcome;
    const std::tuple<const char *, PastedLevel::Outcome, const char *> cases[] = {
        {"", NoLevel, ""},
        {"just some words\n; and a comment\n", NoLevel, ""},
        {"Title: wide\n#################\n#@$.            #\n#################\n", TooLarge, "17 × 3"},
        {"#####\n#@@$.#\n#####\n", NotUsable, ""},
        {"; the second level is left\n#####\n#@$.#\n#####\n\n#####\n#@@$.#\n#####\n", Pasted, ""},
    };
    for (const auto &[text, outcome, size] : cases) {
        const PastedLevel pasted = quillmap::pastedLevelOf(text);
        EXPECT_EQ(pasted.outcome, outcome) << text;
        EXPECT_EQ(pasted.size, size) << text;
    }
}
