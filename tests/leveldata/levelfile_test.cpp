// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveldata/levelfile.h"

#include "leveldata/cp1251.h"
#include "leveldata/filebytes.h"
#include "tests/support/boardart.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>

using namespace leveldata;
using testsupport::exampleBoard;
using testsupport::exampleInfo;
using testsupport::fileBytes;
namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

const fs::path Data = LEVELDATA_TEST_DATA;

} // namespace

TEST(LevelWrite, NewUpdatedAndTextOnlyFiles)
{
    const testsupport::TempDir dir;
    ASSERT_FALSE(writeLevel(dir / "new.lay", exampleBoard(), exampleInfo()));
    EXPECT_EQ(fileBytes(dir / "new.lay"), fileBytes(Data / "example.lay"));
    // The game's reading of a file is the editor's (the fuzz replay checks that on every input).
    const EditorLevel level = readEditorLevel(dir / "new.lay");
    EXPECT_EQ(level.board, exampleBoard());
    EXPECT_EQ(level.info, exampleInfo());

    // An update keeps everything else in the file byte for byte.
    fs::copy_file(Data / "existing_level.lay", dir / "level.lay");
    ASSERT_FALSE(writeLevel(dir / "level.lay", exampleBoard(), {"Новый автор", "Имя", "Тяжелый", "Ура"}));
    EXPECT_EQ(fileBytes(dir / "level.lay"), fileBytes(Data / "existing_level_saved.lay"));

    // The texts alone, then the whole level over them.
    ASSERT_FALSE(writeLevelInfo(dir / "info.lay", {"a", "n", "Средний", ""}));
    EXPECT_EQ(
        fileBytes(dir / "info.lay"),
        utf8ToCp1251("[AUTOR]\r\ntext=a\r\n[NAMELAYER]\r\ntext=n\r\n[YROVWN]\r\ntext=Средний\r\n[TEXT]\r\ntext=\r\n"));
    Board board = exampleBoard();
    board[33] = Cursor; // written as it stands: turning the cursor into a tile is the editor's
    ASSERT_FALSE(writeLevel(dir / "info.lay", board, exampleInfo()));
    EXPECT_EQ(readEditorLevel(dir / "info.lay").board, board);
}

TEST(LevelWrite, TextsInOneWindows1251LineAndOverTenMegabyteLines)
{
    const testsupport::TempDir dir;
    std::string longName; // 250 characters, one file byte each
    for (int i = 0; i < 250; ++i)
        longName += "ж";
    const LevelInfo info{"Zoë 日本 €", longName, "", "Победа\r\n[Layer]\r32=0\nконец"};
    ASSERT_FALSE(writeLevel(dir / "level.lay", exampleBoard(), info));
    const std::string bytes = fileBytes(dir / "level.lay");
    EXPECT_NE(bytes.find(utf8ToCp1251("\r\ntext=Победа [Layer] 32=0 конец\r\n")), std::string::npos);
    EXPECT_NE(bytes.find(utf8ToCp1251("\r\ntext=" + longName + "\r\n")), std::string::npos);

    EXPECT_EQ(readEditorLevel(dir / "level.lay").info,
              (LevelInfo{"Zo? ?? €", longName.substr(0, 2 * 199), "", "Победа [Layer] 32=0 конец"}));

    // The fuzz replay feeds every fixture to the readers and a save; this one is too big to keep.
    ASSERT_TRUE(testsupport::putFile(dir / "long.lay",
                                     "[TEXT]\r\ntext=" + std::string(10'000'000, 'w') + "\r\n[Layer]\r\n32=3"));
    EXPECT_EQ(readGameLevel(dir / "long.lay").playerCell, 32);
    ASSERT_FALSE(writeLevel(dir / "long.lay", exampleBoard(), exampleInfo()));
    const EditorLevel saved = readEditorLevel(dir / "long.lay");
    EXPECT_EQ(saved.board, exampleBoard());
    EXPECT_EQ(saved.info, exampleInfo());
}

// Beyond what is read of it, a file could not be kept byte for byte. (How a failed replacement
// keeps the old file is the file replacement's test.)
TEST(LevelWrite, RefusesAFileTooLargeToKeep)
{
    const testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::putFile(dir / "huge.lay", "[Layer]\r\n"));
    fs::resize_file(dir / "huge.lay", MaxFileBytes + 1);
    EXPECT_EQ(writeLevelInfo(dir / "huge.lay", exampleInfo()), std::errc::file_too_large);
    EXPECT_EQ(fs::file_size(dir / "huge.lay"), MaxFileBytes + 1);
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(LevelRead, LayerValuesFollowAtoi)
{
    const Board board = readEditorLevel(Data / "layer_values.lay").board;
    const std::vector<TileCode> expected{4, 4, 4, 0, 0, 0, -1, 3, INT_MAX, INT_MIN, 2, 0};
    for (CellIndex i = 0; i < static_cast<CellIndex>(expected.size()); ++i)
        EXPECT_EQ(board[i], expected[i]) << "cell " << i;
    EXPECT_EQ(tileCodeFromText(" \t\v-0x7"), 0);
    EXPECT_EQ(tileCodeFromText("-2147483648"), INT_MIN);
    EXPECT_EQ(tileCodeFromText("2147483648"), INT_MAX);
    EXPECT_EQ(tileCodeFromText("- 1"), 0);
}

TEST(LevelRead, PartialStrayAndCrowdedContent)
{
    const EditorLevel onlyLayer = readEditorLevel(Data / "only_layer.lay");
    EXPECT_EQ(onlyLayer.board[16], Floor);
    EXPECT_EQ(onlyLayer.info, LevelInfo{});
    const GameLevel onlyText = readGameLevel(Data / "only_text.lay");
    EXPECT_EQ(onlyText.board, Board{});
    EXPECT_EQ(onlyText.playerCell, std::nullopt);
    EXPECT_EQ(onlyText.victoryText, "Победа");
    EXPECT_EQ(readEditorLevel(Data / "no_such_file.lay").board, Board{});
    EXPECT_EQ(readGameLevel(Data).board, Board{});
    // Lines another tool left after a text's first line do not reach the board.
    const GameLevel stray = readGameLevel(Data / "stray_lines.lay");
    EXPECT_EQ(stray.board[32], Player);
    EXPECT_EQ(stray.victoryText, "Первая строка");

    // Of two players the last counts; every place counts.
    const testsupport::TempDir dir;
    const GameLevel drawn =
        testsupport::levelFromArt({"###############", "#ooooooooooooo#", "#ooooooooooooo#", "#@.@$$$$$$$$$$#"});
    ASSERT_EQ(drawn.placeList.size(), 26u); // no cap
    ASSERT_FALSE(writeLevel(dir / "level.lay", drawn.board, exampleInfo()));
    const GameLevel level = readGameLevel(dir / "level.lay");
    EXPECT_EQ(level.playerCell, 48);
    EXPECT_EQ(level.placeList, drawn.placeList);
}

// Each fixture's board: player 16, items 17 and 18, place 19, floor 20; its MESTA value is one
// kind of damage. The places it lists stand under the player and the items, the rest is ignored.
TEST(LevelRead, CoveredPlacesFromDamagedSections)
{
    struct Case
    {
        const char *file;
        std::vector<CellIndex> covered;
    };
    const Case cases[] = {
        {"covered_garbage.lay", {16, 17}},        // signs, hex, "017", stray bytes; walls named
        {"covered_huge_numbers.lay", {18}},       // past 179 and past 32 bits (2^32 + 17 is no 17)
        {"covered_negative.lay", {16}},           // -16, -0, INT32_MIN
        {"covered_many_tokens.lay", {17, 18}},    // 10 000 tokens, the place and the floor named too
        {"covered_duplicates.lay", {16, 17, 18}}, // out of order, twice each, tabs and double blanks
    };
    for (const Case &c : cases) {
        const EditorLevel editor = readEditorLevel(Data / c.file);
        EXPECT_EQ(editor.coveredPlaces, c.covered) << c.file;
        std::vector<CellIndex> places = c.covered;
        places.insert(std::upper_bound(places.begin(), places.end(), 19), 19);
        EXPECT_EQ(readGameLevel(Data / c.file).placeList, places) << c.file;
    }

    // The whole value counts, not its first 199 bytes: a 10 MiB line (too big to keep as a
    // fixture) whose only valid token comes last.
    const testsupport::TempDir dir;
    std::string tokens;
    while (tokens.size() < 10 * 1024 * 1024)
        tokens += "200 19 0 ";
    ASSERT_TRUE(testsupport::putFile(dir / "long.lay", "[Layer]\r\n16=3\r\n17=4\r\n[MESTA]\r\ntext=" + tokens + "17"));
    EXPECT_EQ(readEditorLevel(dir / "long.lay").coveredPlaces, (std::vector<CellIndex>{17}));
    EXPECT_EQ(coveredPlacesFromText(std::string(10'000'000, '1'), exampleBoard()), std::vector<CellIndex>{});
}

TEST(LevelWrite, CoveredPlacesSectionOnlyWhenNeeded)
{
    const testsupport::TempDir dir;
    const fs::path file = dir / "level.lay";
    // Places under the player (32) and an item (49); 16 is floor and 300 off the board: dropped.
    ASSERT_FALSE(writeLevel(file, exampleBoard(), exampleInfo(), {49, 16, 32, 300, 49}));
    EXPECT_EQ(fileBytes(file), fileBytes(Data / "example.lay") + "[MESTA]\r\ntext=32 49\r\n");
    const EditorLevel level = readEditorLevel(file);
    EXPECT_EQ(level.coveredPlaces, (std::vector<CellIndex>{32, 49}));
    EXPECT_EQ(readGameLevel(file).placeList, (std::vector<CellIndex>{32, 49, 55, 85}));

    // Saved again without them, the file is the one a level without covered places always gave.
    ASSERT_FALSE(writeLevel(file, level.board, level.info));
    EXPECT_EQ(fileBytes(file), fileBytes(Data / "example.lay"));
}

// The fuzz entry point (fuzz/levelreader_fuzz.cpp), which aborts on a broken rule, over its seed
// corpus and every fixture.
TEST(LevelReaderFuzz, CorpusReplays)
{
    int inputs = 0;
    for (const fs::path &dir : {fs::path(LEVELDATA_FUZZ_CORPUS), Data}) {
        for (const auto &entry : fs::recursive_directory_iterator(dir)) {
            if (!entry.is_regular_file())
                continue;
            const std::string bytes = fileBytes(entry.path());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0);
}
