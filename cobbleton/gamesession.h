// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamesettings.h"
#include "cobbleton/gamestate.h"
#include "cobbleton/gamestorage.h"
#include "cobbleton/levelcollection.h"
#include "cobbleton/progress.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace cobbleton {

// Where the game finds its levels: the sample levels ("Дополнительные уровни" and "Загрузить"
// start there) and the ten levels of the menu.
struct GameFolders
{
    std::filesystem::path levels;
    std::filesystem::path campaign;
};

// What the window has to say after a command, besides showing the board.
enum class Notice {
    None,
    NoFile,            // no file was chosen, or it cannot be read (the "Загрузить" message)
    SavedLevelMissing, // the saved game's level file has gone: nothing changed
    CannotReplay,      // the saved game's level changed: it starts from its beginning
    CannotKeepFiles,   // settings, progress or the saved game cannot be written (said once; see
                       // GameSession::unwritableFolder)
};

// What a command did: whether another level (or the same one afresh) is now in play, and what to say.
struct Outcome
{
    bool loaded = false;
    Notice notice = Notice::None;
    bool operator==(const Outcome &) const = default;
};

// The game beyond one level: the collection the level in play belongs to, the ten levels and the
// player's progress through them, the settings and the saved game, all kept through `storage`.
// The window turns its menu commands and keys into these calls and shows what they return; the
// level itself is played in `state` by the rules (gamestate.h). Plain C++.
//
// A collection is the ten levels (only the open ones are played), a folder of .lay files, or a
// text file's levels. After "Загрузить" (openLoaded) the level's folder is its collection but no
// victory moves on; in the others the next level follows each victory.
class GameSession
{
public:
    // Reads the settings and the progress; `state`, `storage` must outlive the session.
    GameSession(GameState &state, const GameStorage &storage, GameFolders folders);

    const GameSettings &settings() const { return m_settings; }
    const Progress &progress() const { return m_progress; }
    const GameFolders &folders() const { return m_folders; }
    const GameStorage &storage() const { return m_storage; }

    // Keeps new settings (written only when they changed).
    Notice setSettings(const GameSettings &settings);

    // Level `level` (0 .. 9) of the ten, when it is open; a closed one does nothing.
    Outcome playCampaign(std::size_t level);
    // The first of the ten. What was opened stays open.
    Outcome newGame() { return playCampaign(0); }
    // A .lay file as "Загрузить" loads it: NoFile, changing nothing, when it cannot be read.
    Outcome openLoaded(const std::filesystem::path &file);
    // A .lay file with its folder, or a text collection (isTextFile) from its first level that
    // fits; NoFile, changing nothing, when there is nothing to play in it.
    Outcome openMoreLevels(const std::filesystem::path &file);

    // The next and the previous level of the collection (of the ten: open ones only); nothing at
    // either end or without a level.
    Outcome next();
    Outcome previous();

    // The level was just won (a showing passed the victory test): a win of one of the ten is kept
    // in the progress with the moves and pushes so far.
    Notice recordVictory();
    // The victory message was closed: the next level, in a collection that moves on after a
    // victory; nothing after the last one or after "Загрузить".
    Outcome advanceAfterVictory();

    // Keeps the level in play with its history in the one saved-game slot; nothing without a level.
    Notice saveGame();
    // Plays the saved game again: its level, position and history. Without a saved game, the
    // first open level not won yet (level 1 when all are won).
    Outcome continueGame();

    // The level in play: its place (0-based) in its collection of `count` levels, and its name.
    struct Place
    {
        std::size_t index = 0;
        std::size_t count = 0;
        std::string name;
    };
    std::optional<Place> place() const;

    // The folder of the first file that could not be written; empty while every write succeeded.
    const std::filesystem::path &unwritableFolder() const { return m_unwritableFolder; }

    // Where a file dialog starts: the folder of the level last loaded, at first the sample levels.
    std::filesystem::path startFolder() const;

private:
    struct InPlay
    {
        LevelCollection collection;
        LevelSource source;
        std::size_t index;
        std::string name;
        std::string digest;
    };

    // Loads level `index` of `collection` into the state; NoFile, changing nothing, when it
    // cannot be read.
    Outcome play(LevelCollection collection, LevelSource source, std::size_t index);
    // Level `index` of the collection in play.
    Outcome playAt(std::size_t index);
    void enter(const CollectionLevel &level);
    Notice kept(std::error_code error, const std::filesystem::path &file);

    GameState &m_state;
    const GameStorage &m_storage;
    GameFolders m_folders;
    GameSettings m_settings;
    Progress m_progress;
    std::optional<InPlay> m_inPlay;
    std::filesystem::path m_unwritableFolder;
};

} // namespace cobbleton
