// SPDX-License-Identifier: GPL-3.0-or-later
// Levels as the clipboard carries them (the editor's own tests copy and paste named levels).
#include "quillmap/clipboardlevel.h"
#include "tests/support/boardart.h"

#include <gtest/gtest.h>

// A level without a name still has its title line, so the author's comment under it is never
// taken for the title when the text comes back.
TEST(ClipboardLevel, AnEmptyNameComesBackEmpty)
{
    const std::optional<std::string> text =
        quillmap::clipboardTextOf(testsupport::exampleBoard(), {"Иван", "", "Средний", "Ура"}, {});
    ASSERT_TRUE(text);
    EXPECT_EQ(text->substr(0, text->find('#')), "Title: \n; Иван\n");
    const quillmap::PastedLevel pasted = quillmap::pastedLevelOf(*text);
    EXPECT_EQ(pasted.outcome, quillmap::PastedLevel::Outcome::Pasted);
    EXPECT_EQ(pasted.board, testsupport::exampleBoard());
    EXPECT_EQ(pasted.title, "");
}

TEST(ClipboardLevel, PlacesUnderTheItemAndThePlayerComeBack)
{
    const leveldata::GameLevel level = testsupport::levelFromArt({"####", "#p$#", "#.*#", "####"});
    const auto text = quillmap::clipboardTextOf(level.board, {"", "n", "", ""}, testsupport::coveredPlacesOf(level));
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "Title: n\n####\n#+$#\n# *#\n####\n");
    EXPECT_EQ(quillmap::pastedLevelOf(*text).coveredPlaces.size(), 2u);
}
