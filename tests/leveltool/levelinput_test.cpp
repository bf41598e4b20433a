// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveltool/levelinput.h"

#include "leveldata/filebytes.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

using namespace leveltool;
namespace fs = std::filesystem;

namespace {
const fs::path Data = LEVELTOOL_TEST_DATA;
}

TEST(ReadLevelInput, RefusesWhatIsNotALevelFile)
{
    const testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::putFile(dir / "huge.lay", std::string(leveldata::MaxFileBytes + 1, 'x')));
    const std::vector<std::pair<fs::path, std::string>> cases{
        {Data / "binary.bin", "binary data, not a text file"},
        {Data / "empty.lay", "empty file"},
        {Data / "not_a_level.txt", "not a level file (no [Layer] values)"},
        {Data, "is a folder, not a file"},
        {dir / "missing.lay", "no such file"},
        {dir / "huge.lay", "larger than 16 MiB"},
    };
    for (const auto &[path, error] : cases) {
        const LevelInput input = readLevelInput(path);
        EXPECT_EQ(input.error, error) << path;
        EXPECT_EQ(input.level.board, leveldata::Board{}) << path;
    }
}
