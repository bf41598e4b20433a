// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveltool/levelconvert.h"

#include "tests/support/boardart.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace leveltool;
using testsupport::Art;

namespace {

TextLevel text(std::vector<std::string> rows)
{
    return TextLevel{"Title", "Author", std::move(rows), 1};
}

} // namespace

TEST(ConvertTextLevel, CentredWithTheOutsideWalled)
{
    const Conversion c = convertTextLevel(text({
        "  ####",
        "###  #",
        "#@$. #",
        "######",
    }));
    ASSERT_EQ(c.skip, SkipReason::None) << c.detail;
    Art expected(12, std::string(15, '#'));
    expected[5] = "#######..######";
    expected[6] = "#####@$o.######";
    EXPECT_EQ(testsupport::artOf(c.level.board), expected);
    EXPECT_EQ(c.level.info, (leveldata::LevelInfo{"Author", "Title", "", "Уровень пройден!"}));

    // An odd height leaves the spare row below: three rows land on rows 4 to 6.
    const Conversion odd = convertTextLevel(text({"#####", "#@$.#", "#####"}));
    ASSERT_EQ(odd.skip, SkipReason::None) << odd.detail;
    expected.assign(12, std::string(15, '#'));
    expected[5] = "######@$o######";
    EXPECT_EQ(testsupport::artOf(odd.level.board), expected);
}

TEST(ConvertTextLevel, SkipsWhatALevelFileCannotHold)
{
    struct Case
    {
        std::vector<std::string> rows;
        SkipReason reason;
    };
    const std::vector<Case> cases{
        {{"################", "#@$.           #", "################"}, SkipReason::TooLarge},
        {std::vector<std::string>(16, "#@$.#"), SkipReason::TooLarge},         // too tall even turned
        {std::vector<std::string>(13, "#@$.  ......#"), SkipReason::TooLarge}, // too wide turned
        {{"######", "#@$*$#", "######"}, SkipReason::NotPlayable},             // a place under an item is one
        {{"###############", " @$.           ", "###############"}, SkipReason::OpenEdge},
        {{"######", "#@$$.#", "######"}, SkipReason::NotPlayable},
    };
    for (const Case &c : cases) {
        const Conversion conversion = convertTextLevel(text(c.rows));
        EXPECT_EQ(conversion.skip, c.reason) << c.rows[1];
        EXPECT_EQ(conversion.level.board, leveldata::Board{}) << c.rows[1];
    }
}

// The import→export round trip is shown by the program's test; here what cannot be exported.
TEST(TextLevelOf, RefusesWhatIsNoLevel)
{
    leveldata::EditorLevel odd = convertTextLevel(text({"#####", "#@$.#", "#####"})).level;
    odd.board[0] = 7;
    TextLevel exported;
    std::string error;
    EXPECT_FALSE(textLevelOf(odd, exported, error));
    EXPECT_EQ(error, "unknown tile code 7 at column 0, row 0");
    EXPECT_FALSE(textLevelOf(leveldata::EditorLevel{}, exported, error));
}

// An export reads back as the same board: walls inside the level stay walls (not floor), and no
// blank line splits the level (a row of walls alone between two parts of it is shown).
TEST(TextLevelOf, ReadsBackAsTheSameBoard)
{
    const std::vector<std::vector<std::string>> levels{
        {"#########", "#       #", "# ##### #", "# ##### #", "# ##### #", "#@$.    #", "#########"},
        {"#####", "#@$.#", "#####", "#####", "#####", "#####", " ###", " # #", " ###"},
        {"#######", "#+$*$.#", "#######"},
    };
    for (const std::vector<std::string> &rows : levels) {
        const Conversion imported = convertTextLevel(text(rows));
        ASSERT_EQ(imported.skip, SkipReason::None) << imported.detail;
        TextLevel exported;
        std::string error;
        ASSERT_TRUE(textLevelOf(imported.level, exported, error)) << error;
        EXPECT_EQ(exported.rows, rows);
        const std::vector<TextLevel> again = parseTextLevels(formatTextLevel(exported));
        ASSERT_EQ(again.size(), 1u) << rows[1];
        EXPECT_EQ(convertTextLevel(again.front()).level, imported.level) << rows[1];
    }
}

TEST(LevelFileName, SafeAndNumbered)
{
    EXPECT_EQ(levelFileName(7, "First Steps!", "pack"), "007-first-steps.lay");
    EXPECT_EQ(levelFileName(2, "../../etc/passwd", "pack"), "002-etc-passwd.lay");
    EXPECT_EQ(levelFileName(1, "...", "My Pack"), "001-my-pack.lay");
    EXPECT_EQ(levelFileName(1, "", "*"), "001-level.lay");
    EXPECT_EQ(levelFileName(1234, std::string(100, 'a'), ""), "1234-" + std::string(40, 'a') + ".lay");
    EXPECT_EQ(levelFileName(12, "b", "", 4), "0012-b.lay");
    EXPECT_EQ(levelFileName(1, "日本 ab", ""), "001-ab.lay");
}

TEST(WriteNewLevelFile, WritesOnceAndNeverReplaces)
{
    const testsupport::TempDir dir;
    const Conversion c = convertTextLevel(text({"#####", "#@$.#", "#####"}));
    ASSERT_FALSE(writeNewLevelFile(dir / "a.lay", c.level));
    EXPECT_EQ(leveldata::readEditorLevel(dir / "a.lay").board, c.level.board);

    ASSERT_TRUE(testsupport::putFile(dir / "b.lay", "mine"));
    EXPECT_EQ(writeNewLevelFile(dir / "b.lay", c.level), std::errc::file_exists);
    EXPECT_EQ(testsupport::fileBytes(dir / "b.lay"), "mine");
    EXPECT_TRUE(writeNewLevelFile(dir / "missing" / "c.lay", c.level));

    // A link to nowhere is something there too: the level is not written through it.
    std::error_code noLinks;
    std::filesystem::create_symlink(dir / "nowhere.lay", dir / "link.lay", noLinks);
    if (noLinks)
        GTEST_SKIP() << "no symbolic links here: " << noLinks.message();
    EXPECT_EQ(writeNewLevelFile(dir / "link.lay", c.level), std::errc::file_exists);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.lay"));
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere.lay"));
}
