// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/gamesession.h"

#include <algorithm>
#include <utility>

namespace cobbleton {

namespace fs = std::filesystem;

GameSession::GameSession(GameState &state, const GameStorage &storage, GameFolders folders)
    : m_state(state),
      m_storage(storage),
      m_folders(std::move(folders)),
      m_settings(storage.readSettings()),
      m_progress(storage.readProgress())
{ }

Notice GameSession::kept(std::error_code error, const fs::path &file)
{
    if (!error || !m_unwritableFolder.empty())
        return Notice::None;
    m_unwritableFolder = file.parent_path();
    return Notice::CannotKeepFiles;
}

Notice GameSession::setSettings(const GameSettings &settings)
{
    if (settings == m_settings)
        return Notice::None;
    m_settings = settings;
    return kept(m_storage.writeSettings(m_settings), m_storage.settingsFile());
}

void GameSession::enter(const CollectionLevel &level)
{
    loadLevel(m_state, level.level);
    m_state.levelPath = level.path;
}

Outcome GameSession::play(LevelCollection collection, LevelSource source, std::size_t index)
{
    const std::optional<CollectionLevel> level = collection.load(index);
    if (!level)
        return {false, Notice::NoFile};
    enter(*level);
    m_inPlay = InPlay{std::move(collection), source, index, level->name, level->digest};
    return {true, Notice::None};
}

Outcome GameSession::playAt(std::size_t index)
{
    const std::optional<CollectionLevel> level = m_inPlay->collection.load(index);
    if (!level)
        return {false, Notice::NoFile};
    enter(*level);
    m_inPlay->index = index;
    m_inPlay->name = level->name;
    m_inPlay->digest = level->digest;
    return {true, Notice::None};
}

Outcome GameSession::playCampaign(std::size_t level)
{
    if (!m_progress.isOpen(level))
        return {};
    return play(LevelCollection::folder(m_folders.campaign), LevelSource::Campaign, level);
}

Outcome GameSession::openLoaded(const fs::path &file)
{
    LevelCollection collection = LevelCollection::around(file);
    const std::size_t index = collection.indexOf(file).value_or(0);
    return play(std::move(collection), LevelSource::Loaded, index);
}

Outcome GameSession::openMoreLevels(const fs::path &file)
{
    if (LevelCollection::isTextFile(file)) {
        std::optional<LevelCollection> collection = LevelCollection::textFile(file);
        if (!collection)
            return {false, Notice::NoFile};
        return play(std::move(*collection), LevelSource::TextFile, 0);
    }
    LevelCollection collection = LevelCollection::folder(file.parent_path());
    const std::optional<std::size_t> index = collection.indexOf(file);
    if (!index)
        return {false, Notice::NoFile};
    return play(std::move(collection), LevelSource::MoreLevels, *index);
}

Outcome GameSession::next()
{
    if (!m_inPlay)
        return {};
    const std::size_t end = m_inPlay->source == LevelSource::Campaign
        ? std::min(m_progress.openCount(), m_inPlay->collection.size())
        : m_inPlay->collection.size();
    if (m_inPlay->index + 1 >= end)
        return {};
    return playAt(m_inPlay->index + 1);
}

Outcome GameSession::previous()
{
    if (!m_inPlay || m_inPlay->index == 0)
        return {};
    return playAt(m_inPlay->index - 1);
}

Notice GameSession::recordVictory()
{
    if (!m_inPlay || m_inPlay->source != LevelSource::Campaign
        || !m_progress.recordWin(m_inPlay->index, moveCountOf(m_state)))
        return Notice::None;
    return kept(m_storage.writeProgress(m_progress), m_storage.progressFile());
}

Outcome GameSession::advanceAfterVictory()
{
    if (!m_inPlay || m_inPlay->source == LevelSource::Loaded)
        return {};
    return next();
}

Notice GameSession::saveGame()
{
    if (!m_inPlay)
        return Notice::None;
    SavedGame game;
    game.source = m_inPlay->source;
    game.path = m_state.levelPath;
    game.index = m_inPlay->index;
    game.digest = m_inPlay->digest;
    game.steps = m_state.history.names();
    game.undoable = m_state.history.undoableCount();
    return kept(m_storage.writeSavedGame(game), m_storage.savedGameFile());
}

Outcome GameSession::continueGame()
{
    const std::optional<SavedGame> game = m_storage.readSavedGame();
    if (!game)
        return playCampaign(m_progress.firstOpenNotWon().value_or(0));

    std::optional<LevelCollection> collection;
    std::optional<std::size_t> index;
    switch (game->source) {
    case LevelSource::Campaign:
        collection = LevelCollection::folder(m_folders.campaign);
        index = game->index;
        break;
    case LevelSource::MoreLevels:
    case LevelSource::Loaded:
        collection = LevelCollection::around(game->path);
        index = collection->indexOf(game->path);
        break;
    case LevelSource::TextFile:
        collection = LevelCollection::textFile(game->path);
        index = game->index;
        break;
    }
    if (!collection || !index || !collection->load(*index))
        return {false, Notice::SavedLevelMissing};

    const Outcome outcome = play(std::move(*collection), game->source, *index);
    if (!outcome.loaded)
        return {false, Notice::SavedLevelMissing};
    if (m_inPlay->digest != game->digest || !replayHistory(m_state, game->steps, game->undoable)) {
        static_cast<void>(playAt(*index)); // from its beginning again
        return {true, Notice::CannotReplay};
    }
    return outcome;
}

std::optional<GameSession::Place> GameSession::place() const
{
    if (!m_inPlay)
        return std::nullopt;
    const std::size_t count = m_inPlay->source == LevelSource::Campaign
        ? std::min(CampaignSize, m_inPlay->collection.size())
        : m_inPlay->collection.size();
    return Place{m_inPlay->index, count, m_inPlay->name};
}

fs::path GameSession::startFolder() const
{
    return m_state.levelPath.empty() ? m_folders.levels : m_state.levelPath.parent_path();
}

} // namespace cobbleton
