// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/gamesession.h"
#include "cobbleton/gamestorage.h"

#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

using namespace cobbleton;
namespace fs = std::filesystem;

namespace {

SavedGame longGame()
{
    SavedGame game;
    game.source = LevelSource::TextFile;
    // Longer than a profile value, with what a value would lose: blanks, quotes, a line break.
    game.path = fs::path("/tmp") / (std::string(150, 'x') + " \"Мои\" уровни;\r\n=[x]") / "пак.sok ";
    game.index = 12;
    game.digest = "0123456789abcdef";
    game.steps = std::string(400, 'l') + "RxU";
    game.undoable = 401;
    return game;
}

} // namespace

// What is written is read back; nothing is written before there is something to keep.
TEST(GameStorage, ReadsBackWhatItWrote)
{
    const testsupport::TempDir dir;
    const GameStorage storage(dir / "config", dir / "data");
    EXPECT_EQ(storage.readSettings(), GameSettings{});
    EXPECT_EQ(storage.readProgress(), Progress{});
    EXPECT_EQ(storage.readSavedGame(), std::nullopt);
    EXPECT_EQ(dir.entryCount(), 0u);

    const GameSettings settings{true, false};
    Progress progress;
    static_cast<void>(progress.recordWin(0, {12, 3}));
    static_cast<void>(progress.recordWin(9, {400, 83}));
    ASSERT_FALSE(storage.writeSettings(settings));
    ASSERT_FALSE(storage.writeProgress(progress));
    ASSERT_FALSE(storage.writeSavedGame(longGame()));
    EXPECT_EQ(storage.readSettings(), settings);
    EXPECT_EQ(storage.readProgress(), progress);
    EXPECT_EQ(storage.readSavedGame(), longGame());
}

// Every bad file gives the defaults and no crash; a newer game's file is not written over.
TEST(GameStorage, BadFilesGiveTheDefaults)
{
    struct Case
    {
        const char *name;
        std::string bytes; // "/" for a folder in the file's place
        bool keptOnWrite;
    };
    const Case cases[] = {
        {"empty", "", false},
        {"damaged", std::string("\0\xff[Cobbleton\r\nversion==1\x01", 24), false},
        {"not ours", "[Settings]\r\nmarkPlaced=1\r\n[Level 1]\r\nmoves=5\r\npushes=2\r\n", false},
        {"bad values",
         "[Cobbleton]\r\nversion=1\r\n[Settings]\r\nmarkPlaced=yes\r\nshowCounts=2\r\n"
         "[Level 1]\r\nmoves=5\r\npushes=7\r\n[Level 2]\r\nmoves=-1\r\npushes=0\r\n"
         "[Game]\r\nsource=campaign\r\npath.parts=1\r\npath.0=a.lay\r\nindex=0\r\n"
         "digest=0123456789abcdef\r\nsteps.parts=1\r\nsteps.0=lrq\r\nundoable=0\r\n",
         false},
        {"history shorter than its undo",
         "[Cobbleton]\r\nversion=1\r\n[Game]\r\nsource=text\r\npath.parts=1\r\n"
         "path.0=a.sok\r\nindex=0\r\ndigest=0123456789abcdef\r\nsteps.parts=1\r\n"
         "steps.0=lr\r\nundoable=3\r\n",
         false},
        {"newer version", "[Cobbleton]\r\nversion=2\r\n[Settings]\r\nmarkPlaced=1\r\n", true},
        {"unreadable: a folder", "/", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const testsupport::TempDir dir;
        const GameStorage storage(dir / "config", dir / "data");
        for (const fs::path &file : {storage.settingsFile(), storage.progressFile(), storage.savedGameFile()}) {
            fs::create_directories(file.parent_path());
            if (c.bytes == "/")
                fs::create_directory(file);
            else
                ASSERT_TRUE(testsupport::putFile(file, c.bytes));
        }
        EXPECT_EQ(storage.readSettings(), GameSettings{});
        EXPECT_EQ(storage.readProgress(), Progress{});
        EXPECT_EQ(storage.readSavedGame(), std::nullopt);

        EXPECT_EQ(static_cast<bool>(storage.writeSettings({true, true})), c.keptOnWrite);
        EXPECT_EQ(static_cast<bool>(storage.writeSavedGame(longGame())), c.keptOnWrite);
        if (c.bytes != "/") {
            EXPECT_EQ(testsupport::fileBytes(storage.settingsFile()) == c.bytes, c.keptOnWrite);
        }
        EXPECT_EQ(storage.readSavedGame() == longGame(), !c.keptOnWrite);
    }
}

// A folder that cannot be written: the game plays on, and says so once.
TEST(GameStorage, UnwritableFolderIsToldOnce)
{
    const testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::putFile(dir / "file", "a file where the folders would be"));
    const GameStorage storage(dir / "file" / "config", dir / "file" / "data");
    EXPECT_TRUE(storage.writeProgress(Progress{}));

    GameState state;
    GameSession session(state, storage, {dir.path(), dir.path()});
    EXPECT_EQ(session.setSettings({true, false}), Notice::CannotKeepFiles);
    EXPECT_EQ(session.setSettings({true, true}), Notice::None);
    EXPECT_EQ(session.settings(), (GameSettings{true, true}));
}
