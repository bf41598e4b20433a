// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveldata/filebytes.h"

#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace leveldata;
using testsupport::fileBytes;
using testsupport::putFile;
namespace fs = std::filesystem;

TEST(FileReplace, KeepsPermissionBitsAndLinksAndTakesLongNames)
{
    const testsupport::TempDir dir;
    ASSERT_TRUE(putFile(dir / "real.lay", "old"));
    fs::permissions(dir / "real.lay", static_cast<fs::perms>(0640));
    fs::create_symlink("real.lay", dir / "link.lay");
    ASSERT_FALSE(replaceFileBytes(dir / "link.lay", "new bytes"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.lay"));
    EXPECT_EQ(fileBytes(dir / "real.lay"), "new bytes");
    EXPECT_EQ(fs::status(dir / "real.lay").permissions(), static_cast<fs::perms>(0640));

    const mode_t mask = ::umask(022);
    ASSERT_FALSE(replaceFileBytes(dir / "fresh.lay", ""));
    ::umask(mask);
    EXPECT_EQ(fs::status(dir / "fresh.lay").permissions(), static_cast<fs::perms>(0644));

    // As long a name as the file system allows: the temporary file needs a shorter one.
    std::string name;
    for (int i = 0; i < 123; ++i)
        name += "ж";
    name += ".lay";
    ASSERT_EQ(name.size(), 250u);
    ASSERT_TRUE(putFile(dir / name, "old"));
    EXPECT_FALSE(replaceFileBytes(dir / name, "new"));
    EXPECT_EQ(fileBytes(dir / name), "new");
    EXPECT_EQ(dir.entryCount(), 4u); // no temporary file left behind
}

TEST(FileReplace, FailuresKeepTheOldFileAndLeaveNoTemporary)
{
    const testsupport::TempDir dir;
    ASSERT_TRUE(putFile(dir / "level.lay", "old"));
    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::error_code ec = replaceFileBytes(dir / "level.lay", std::string(100, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(ec, std::errc::file_too_large);
    EXPECT_EQ(fileBytes(dir / "level.lay"), "old");

    fs::permissions(dir / "level.lay", static_cast<fs::perms>(0444));
    EXPECT_EQ(replaceFileBytes(dir / "level.lay", "new"), std::errc::permission_denied);
    EXPECT_EQ(fileBytes(dir / "level.lay"), "old");

    fs::create_directory(dir / "locked");
    fs::permissions(dir / "locked", static_cast<fs::perms>(0555));
    EXPECT_EQ(replaceFileBytes(dir / "locked" / "level.lay", "new"), std::errc::permission_denied);
    EXPECT_EQ(replaceFileBytes(dir / "locked", "new"), std::errc::is_a_directory);
    EXPECT_EQ(replaceFileBytes(dir / "missing" / "level.lay", "new"), std::errc::no_such_file_or_directory);
    EXPECT_TRUE(fs::is_empty(dir / "locked"));
    EXPECT_EQ(dir.entryCount(), 2u);
}

TEST(FileRead, TakesOnlyRegularFilesUpToTheLimit)
{
    const testsupport::TempDir dir;
    std::string bytes = "stale";
    EXPECT_EQ(readFileBytes(dir / "missing.lay", bytes), std::errc::no_such_file_or_directory);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(readFileBytes(dir.path(), bytes), std::errc::is_a_directory);
    ASSERT_EQ(::mkfifo((dir / "fifo.lay").c_str(), 0600), 0);
    EXPECT_EQ(readFileBytes(dir / "fifo.lay", bytes), std::errc::invalid_argument); // and no hang

    const std::string start("[s]\r\n\0", 6);
    ASSERT_TRUE(putFile(dir / "huge.lay", start));
    EXPECT_FALSE(readFileBytes(dir / "huge.lay", bytes));
    EXPECT_EQ(bytes, start);
    fs::resize_file(dir / "huge.lay", MaxFileBytes + 4096); // sparse: cheap to make
    EXPECT_EQ(readFileBytes(dir / "huge.lay", bytes), std::errc::file_too_large);
    EXPECT_EQ(bytes.size(), MaxFileBytes);
    EXPECT_EQ(bytes.substr(0, 6), start);
}
