#include "leveldata/levelfile.h"

#include "leveldata/cp1251.h"
#include "leveldata/filebytes.h"
#include "testsupport.h"

#include <climits>

using namespace leveldata;
using leveldata::test::dataFile;
using leveldata::test::fileBytes;
using leveldata::test::putFile;
namespace fs = std::filesystem;

namespace {

const Board ExampleBoard = leveldata::test::boardFromArt({
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

const LevelInfo ExampleInfo{"Иван Петров", "Склад у реки", "Средний", "Все предметы на местах!"};

std::string repeat(std::string_view text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

} // namespace

class LevelWrite : public leveldata::test::TempDirTest
{
protected:
    fs::path file() const { return dir / "level.lay"; }
    Board board = ExampleBoard;
};

TEST_F(LevelWrite, ExampleLevelMatchesHandWrittenFile)
{
    ASSERT_FALSE(writeLevel(file(), board, Floor, ExampleInfo));
    EXPECT_EQ(fileBytes(file()), fileBytes(dataFile("example.lay")));

    const GameLevel game = readGameLevel(file());
    EXPECT_EQ(game.board, ExampleBoard);
    EXPECT_EQ(game.playerCell, 32);
    EXPECT_EQ(game.placeList, (std::vector<CellIndex>{55, 85}));
    EXPECT_EQ(game.victoryText, ExampleInfo.victoryMessage);
    EXPECT_EQ(readEditorLevel(file()).info, ExampleInfo);
}

TEST_F(LevelWrite, UpdateKeepsForeignContentByteForByte)
{
    fs::copy_file(dataFile("existing_level.lay"), file());
    ASSERT_FALSE(writeLevel(file(), board, Floor, {"Новый автор", "Имя", "Тяжелый", "Ура"}));
    EXPECT_EQ(fileBytes(file()), fileBytes(dataFile("existing_level_saved.lay")));
}

TEST_F(LevelWrite, InfoAloneThenWholeLevel)
{
    ASSERT_FALSE(writeLevelInfo(file(), {"a", "n", "Средний", ""}));
    EXPECT_EQ(fileBytes(file()),
              utf8ToCp1251("[AUTOR]\r\ntext=a\r\n[NAMELAYER]\r\ntext=n\r\n[YROVWN]\r\ntext=Средний\r\n[TEXT]\r\ntext=\r\n"));

    board[33] = Cursor;
    ASSERT_FALSE(writeLevel(file(), board, Item, ExampleInfo));
    EXPECT_EQ(board[33], Item);   // the caller's board takes the brush too
    const std::string example = fileBytes(dataFile("example.lay"));
    const std::size_t texts = example.find("[AUTOR]");
    std::string layer = example.substr(0, texts);
    const std::size_t cell33 = layer.find("\r\n33=1\r\n");
    ASSERT_NE(cell33, std::string::npos);
    layer[cell33 + 5] = '4';
    EXPECT_EQ(fileBytes(file()), example.substr(texts) + layer);
}

TEST_F(LevelWrite, TextsAreStoredAsOneLineOfWindows1251)
{
    const LevelInfo info{"Zoë 日本 €", repeat("ж", 250), "", "Победа\r\n[Layer]\r32=0\nконец"};
    ASSERT_FALSE(writeLevel(file(), board, Floor, info));
    const std::string bytes = fileBytes(file());
    EXPECT_NE(bytes.find(utf8ToCp1251("\r\ntext=Победа [Layer] 32=0 конец\r\n")), std::string::npos);
    EXPECT_NE(bytes.find(utf8ToCp1251("\r\ntext=" + repeat("ж", 250) + "\r\n")), std::string::npos);

    const EditorLevel level = readEditorLevel(file());
    EXPECT_EQ(level.board, ExampleBoard);
    EXPECT_EQ(level.info, (LevelInfo{"Zo? ?? €", repeat("ж", 199), "", "Победа [Layer] 32=0 конец"}));
}

TEST_F(LevelWrite, FailedSaveLeavesOldFileIntact)
{
    putFile(file(), "[Layer]\r\n0=1\r\n");
    fs::permissions(file(), fs::perms::owner_read);
    EXPECT_TRUE(writeLevel(file(), board, Floor, ExampleInfo));
    EXPECT_TRUE(writeLevelInfo(file(), ExampleInfo));
    EXPECT_EQ(fileBytes(file()), "[Layer]\r\n0=1\r\n");
    EXPECT_TRUE(writeLevel(dir / "missing" / "level.lay", board, Floor, ExampleInfo));
    EXPECT_TRUE(writeLevel(dir, board, Floor, ExampleInfo));

    // Beyond what is read of it, a file could not be kept byte for byte.
    putFile(dir / "huge.lay", "[Layer]\r\n");
    fs::resize_file(dir / "huge.lay", MaxFileBytes + 1);
    EXPECT_EQ(writeLevelInfo(dir / "huge.lay", ExampleInfo), std::errc::file_too_large);
    EXPECT_EQ(fs::file_size(dir / "huge.lay"), MaxFileBytes + 1);
    EXPECT_EQ(entryCount(), 2u);
}

TEST_F(LevelWrite, GameReaderTakesLastPlayerAndEveryPlace)
{
    board = leveldata::test::boardFromArt({
        "###############",
        "#@o@o@o@o@o@o.#",
        "#ooooooooooooo#",
        "#oooooooo.....#",
        "#$$$$$$$$$$$$$#",
        "#$$$$$$$$$$$$$#",
        "#.............#",
        "#.............#",
        "#.............#",
        "#.............#",
        "#.............#",
        "###############",
    });
    ASSERT_FALSE(writeLevel(file(), board, Floor, ExampleInfo));
    const GameLevel level = readGameLevel(file());
    EXPECT_EQ(level.playerCell, 26);
    std::vector<CellIndex> places{17, 19, 21, 23, 25, 27};
    for (CellIndex i = 31; i <= 53; ++i) {
        if (i <= 43 || i >= 46)
            places.push_back(i);
    }
    EXPECT_EQ(level.placeList, places);   // 27 places: no cap
    EXPECT_EQ(readGameLevel(dataFile("only_text.lay")).playerCell, std::nullopt);
}

TEST(LevelRead, LayerValuesFollowAtoi)
{
    const Board board = readEditorLevel(dataFile("layer_values.lay")).board;
    const std::vector<TileCode> expected{4, 4, 4, 0, 0, 0, -1, 3, INT_MAX, INT_MIN, 2, 0};
    for (CellIndex i = 0; i < static_cast<CellIndex>(expected.size()); ++i)
        EXPECT_EQ(board[i], expected[i]) << "cell " << i;
    EXPECT_EQ(tileCodeFromText(" \t\v-0x7"), 0);
    EXPECT_EQ(tileCodeFromText("-2147483648"), INT_MIN);
    EXPECT_EQ(tileCodeFromText("2147483648"), INT_MAX);
    EXPECT_EQ(tileCodeFromText("- 1"), 0);
}

TEST(LevelRead, PartialAndStrayContentReadsAsWallsAndFirstLines)
{
    const EditorLevel onlyLayer = readEditorLevel(dataFile("only_layer.lay"));
    EXPECT_EQ(onlyLayer.board[16], Floor);
    EXPECT_EQ(onlyLayer.info, LevelInfo{});
    const GameLevel onlyText = readGameLevel(dataFile("only_text.lay"));
    EXPECT_EQ(onlyText.board, Board{});
    EXPECT_EQ(onlyText.victoryText, "Победа");
    EXPECT_EQ(readEditorLevel(dataFile("no_such_file.lay")).board, Board{});
    // Lines another tool left after a text's first line do not reach the board.
    const GameLevel stray = readGameLevel(dataFile("stray_lines.lay"));
    EXPECT_EQ(stray.board[32], Player);
    EXPECT_EQ(stray.victoryText, "Первая строка");
}

TEST_F(LevelWrite, NastyInputsNeverCrashAndSavesOverThemReadBack)
{
    std::vector<fs::path> inputs{dir};
    for (const auto &entry : fs::directory_iterator(LEVELDATA_TEST_DATA))
        inputs.push_back(entry.path());
    putFile(dir / "long_line.lay", "[TEXT]\r\ntext=" + std::string(10'000'000, 'w') + "\r\n[Layer]\r\n0=3");
    inputs.push_back(dir / "long_line.lay");

    for (const fs::path &input : inputs) {
        SCOPED_TRACE(input.filename().string());
        readGameLevel(input);
        if (!fs::is_regular_file(input))
            continue;
        fs::copy_file(input, file(), fs::copy_options::overwrite_existing);
        ASSERT_FALSE(writeLevel(file(), board, Floor, ExampleInfo));
        const EditorLevel level = readEditorLevel(file());
        EXPECT_EQ(level.board, board);
        EXPECT_EQ(level.info, ExampleInfo);
    }
}
