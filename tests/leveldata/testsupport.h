#pragma once

#include "leveldata/board.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

namespace leveldata::test {

inline std::filesystem::path dataFile(std::string_view name)
{
    return std::filesystem::path(LEVELDATA_TEST_DATA) / name;
}

inline std::string fileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void putFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// 12 rows of 15: '#' Wall, '.' Floor, 'o' ItemPlace, '@' Player, '$' Item.
inline Board boardFromArt(std::initializer_list<std::string_view> rows)
{
    Board board;
    std::string cells;
    for (std::string_view row : rows)
        cells += row;
    EXPECT_EQ(cells.size(), static_cast<std::size_t>(CellCount));
    for (CellIndex i = 0; i < CellCount && i < static_cast<CellIndex>(cells.size()); ++i)
        board[i] = static_cast<TileCode>(std::string_view("#.o@$").find(cells[i]));
    return board;
}

// Gives each test a fresh, empty directory `dir`, removed afterwards.
class TempDirTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path()
            / ("leveldata-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())
               + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::size_t entryCount() const
    {
        using It = std::filesystem::directory_iterator;
        return static_cast<std::size_t>(std::distance(It(dir), It()));
    }

    std::filesystem::path dir;
};

} // namespace leveldata::test
