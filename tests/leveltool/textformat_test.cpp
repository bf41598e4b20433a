// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveltool/textformat.h"

#include "tests/leveltool/fuzz/textimportcheck.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace leveltool;

TEST(ParseTextLevels, TitlesAfterLevelsWithCommentsAsFallback)
{
    const std::vector<TextLevel> levels = parseTextLevels("; Pack header\r\n"
                                                          "Author: Pack Author\r\n"
                                                          "\r\n"
                                                          "#####\r\n"
                                                          "#@$.#   \r\n"
                                                          "#####\r\n"
                                                          "Title: One\r\n"
                                                          "Author: Ann\r\n"
                                                          "\r\n"
                                                          "; Second level\r\n"
                                                          "  ####\n"
                                                          "###--#\n"
                                                          "#@$._#\n"
                                                          "######\n");
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0], (TextLevel{"One", "Ann", {"#####", "#@$.#", "#####"}, 4}));
    EXPECT_EQ(levels[1], (TextLevel{"Second level", "Pack Author", {"  ####", "###  #", "#@$. #", "######"}, 11}));
}

TEST(ParseTextLevels, TitlesBeforeLevelsAndNoiseBetween)
{
    const std::vector<TextLevel> levels =
        parseTextLevels("title: Alpha\rAUTHOR: A\r#####\r#@*.#\r#####\r"
                        "Comment: not a title\r"
                        "Title: Beta\r#####\r#+$ #\r#####\r"
                        "#\tx\r"); // a tab or another letter makes a line text, not a board row
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0], (TextLevel{"Alpha", "A", {"#####", "#@*.#", "#####"}, 3}));
    EXPECT_EQ(levels[1], (TextLevel{"Beta", "", {"#####", "#+$ #", "#####"}, 8}));

    EXPECT_EQ(parseTextLevels("\xEF\xBB\xBF#####\n#@$.#\n#####\n").at(0).rows.front(), "#####");
    EXPECT_TRUE(parseTextLevels("").empty());
    EXPECT_TRUE(parseTextLevels("Title: x\n\n   \n@$.\n").empty()); // no '#': not a board
}

// The program's export test shows rows, title and author; here the empty texts left out.
TEST(FormatTextLevel, EmptyTextsLeftOut)
{
    EXPECT_EQ(formatTextLevel({"", "", {"#"}, 1}), "#\n");
}

// The text import fuzz targets' checks with the search (fuzz/textimportcheck.h), which abort on a
// broken rule, over their corpus and every fixture.
TEST(TextImportFuzz, CorpusReplays)
{
    int inputs = 0;
    for (const char *dir : {LEVELTOOL_FUZZ_CORPUS, LEVELTOOL_TEST_DATA}) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(dir)) {
            if (!entry.is_regular_file())
                continue;
            const std::string bytes = testsupport::fileBytes(entry.path());
            checkTextImport(bytes, true);
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0);
}
