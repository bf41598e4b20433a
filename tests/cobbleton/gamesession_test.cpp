// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/gamesession.h"

#include "tests/support/boardart.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

using namespace cobbleton;
using namespace leveldata;
namespace fs = std::filesystem;
using testsupport::Art;

namespace {

// A level won by one push to the right.
const Art OnePush{"#####", "#@$o#", "#####"};

void writeArt(const fs::path &path, const Art &art, const std::string &name)
{
    fs::create_directories(path.parent_path());
    ASSERT_FALSE(writeLevel(path, testsupport::boardFromArt(art), {"Тест", name, "Легкий", "Победа: " + name}));
}

// The ten levels, each won by one push, and a folder of three more beside a text file.
struct Folders
{
    Folders()
    {
        for (int i = 1; i <= 10; ++i)
            writeArt(dir / "campaign" / (std::string(i < 10 ? "0" : "") + std::to_string(i) + ".lay"), OnePush,
                     "Уровень " + std::to_string(i));
        for (const char *name : {"b.lay", "a.lay", "c.LAY"})
            writeArt(dir / "levels" / name, OnePush, name);
        EXPECT_TRUE(testsupport::putFile(dir / "levels" / "notes.txt", "not a level"));
    }
    GameFolders folders() const { return {dir / "levels", dir / "campaign"}; }
    GameStorage storage() const { return {dir / "config", dir / "data"}; }

    testsupport::TempDir dir;
};

std::string playingName(const GameSession &session)
{
    const auto place = session.place();
    return place ? place->name + " " + std::to_string(place->index + 1) + "/" + std::to_string(place->count) : "-";
}

} // namespace

TEST(Progress, OpensOneMorePerLevelWonAndKeepsTheFewestMovesAndPushes)
{
    Progress progress;
    EXPECT_EQ(progress.openCount(), 3u);
    EXPECT_TRUE(progress.recordWin(2, {40, 9}));
    EXPECT_EQ(progress.openCount(), 4u); // the third won first still opens the fourth
    EXPECT_EQ(progress.firstOpenNotWon(), 0u);
    EXPECT_TRUE(progress.recordWin(2, {50, 7}));
    EXPECT_FALSE(progress.recordWin(2, {60, 8}));
    EXPECT_EQ(progress.best(2), (MoveCount{40, 7}));
    EXPECT_FALSE(progress.recordWin(10, {1, 1}));
    for (std::size_t level = 0; level < CampaignSize; ++level)
        static_cast<void>(progress.recordWin(level, {1, 1}));
    EXPECT_EQ(progress.openCount(), CampaignSize);
    EXPECT_EQ(progress.firstOpenNotWon(), std::nullopt);
}

// What was won is there for the next run of the game (the window's tests play the ten through,
// with PageUp and PageDown among them).
TEST(GameSession, WinsAreKeptForTheNextRun)
{
    const Folders folders;
    const GameStorage storage = folders.storage();
    GameState state;
    {
        GameSession session(state, storage, folders.folders());
        EXPECT_FALSE(session.playCampaign(3).loaded); // closed
        EXPECT_EQ(playingName(session), "-");
        ASSERT_TRUE(session.playCampaign(1).loaded);
        EXPECT_FALSE(fs::exists(storage.progressFile())); // nothing to keep yet
        static_cast<void>(move(state, RightStep));
        EXPECT_EQ(session.recordVictory(), Notice::None);
        ASSERT_TRUE(session.advanceAfterVictory().loaded);
        EXPECT_EQ(playingName(session), "Уровень 3 3/10");
    }
    GameSession again(state, storage, folders.folders());
    EXPECT_EQ(again.progress().openCount(), 4u);
    EXPECT_EQ(again.progress().best(1), (MoveCount{1, 1}));
    ASSERT_TRUE(again.continueGame().loaded); // no saved game: the first open level not won
    EXPECT_EQ(playingName(again), "Уровень 1 1/10");
}

// The window's tests play on through a folder and a text collection; here the order of a folder's
// files and what is not a level.
TEST(GameSession, LoadedFilesPlayWithTheirFolder)
{
    const Folders folders;
    const GameStorage storage = folders.storage();
    GameState state;
    GameSession session(state, storage, folders.folders());
    EXPECT_EQ(session.startFolder(), folders.dir / "levels");

    // "Загрузить": the folder's .lay files in name order, but no moving on after a victory.
    ASSERT_TRUE(session.openLoaded(folders.dir / "levels" / "b.lay").loaded);
    EXPECT_EQ(playingName(session), "b.lay 2/3");
    static_cast<void>(move(state, RightStep));
    EXPECT_FALSE(session.advanceAfterVictory().loaded);
    EXPECT_TRUE(session.next().loaded);
    EXPECT_EQ(playingName(session), "c.LAY 3/3");
    EXPECT_FALSE(session.next().loaded);

    // A file that cannot be read changes nothing.
    for (const char *name : {"missing.lay", ""}) {
        EXPECT_EQ(session.openLoaded(folders.dir / name), (Outcome{false, Notice::NoFile}));
        EXPECT_EQ(session.openMoreLevels(folders.dir / "levels" / "notes.txt"), (Outcome{false, Notice::NoFile}));
        EXPECT_EQ(playingName(session), "c.LAY 3/3");
    }
}

// The saved game comes back in a new run with its position and history; a level file changed since
// starts afresh and one gone changes nothing, each with its message.
TEST(GameSession, SavedGameContinuesWithItsHistory)
{
    const Folders folders;
    const GameStorage storage = folders.storage();
    const fs::path level = folders.dir / "levels" / "a.lay";
    writeArt(level, {"#######", "#@.$.o#", "#.....#", "#######"}, "Длинный");
    GameState state;
    {
        GameSession session(state, storage, folders.folders());
        EXPECT_EQ(session.saveGame(), Notice::None); // no level: nothing saved
        EXPECT_FALSE(fs::exists(storage.savedGameFile()));
        ASSERT_TRUE(session.openLoaded(level).loaded);
        for (const CellIndex step : {DownStep, RightStep, UpStep, RightStep})
            static_cast<void>(move(state, step));
        static_cast<void>(undo(state));
        EXPECT_EQ(session.saveGame(), Notice::None);
    }
    const GameState saved = state;
    for (const char *change : {"none", "changed", "gone"}) {
        SCOPED_TRACE(change);
        if (std::string(change) == "changed")
            writeArt(level, {"#######", "#@..$o#", "#.....#", "#######"}, "Длинный");
        if (std::string(change) == "gone")
            fs::remove(level);
        GameState fresh;
        GameSession session(fresh, storage, folders.folders());
        ASSERT_TRUE(session.openLoaded(folders.dir / "levels" / "b.lay").loaded);
        const Board before = fresh.board;
        const Outcome outcome = session.continueGame();
        if (std::string(change) == "none") {
            EXPECT_EQ(outcome, (Outcome{true, Notice::None}));
            EXPECT_EQ(fresh.board, saved.board);
            EXPECT_EQ(fresh.history.names(), "druR");
            EXPECT_TRUE(redo(fresh).moved);
            EXPECT_EQ(playingName(session), "Длинный 1/3");
        } else if (std::string(change) == "changed") {
            EXPECT_EQ(outcome, (Outcome{true, Notice::CannotReplay}));
            EXPECT_EQ(fresh.board, readGameLevel(level).board);
            EXPECT_TRUE(fresh.history.names().empty());
        } else {
            EXPECT_EQ(outcome, (Outcome{false, Notice::SavedLevelMissing}));
            EXPECT_EQ(fresh.board, before);
        }
    }
}
