// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamesettings.h"
#include "cobbleton/progress.h"
#include "cobbleton/savedgame.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace cobbleton {

// The game's files: the settings in the configuration folder, the progress and the saved game in
// the data folder (the application gives both; tests give temporary ones). Each file is small INI
// text, version 1, written only when there is something to keep (a folder missing is made then)
// and always whole, by a crash-safe replacement. Plain C++.
//
// Reading never fails: a file that is missing, empty, damaged, unreadable or not one of ours gives
// the defaults (all settings off, nothing won, no saved game), and so does a file of a newer
// version, which a write then leaves alone rather than lose what a newer game kept in it.
class GameStorage
{
public:
    GameStorage(std::filesystem::path configFolder, std::filesystem::path dataFolder);

    std::filesystem::path settingsFile() const { return m_config / "settings.ini"; }
    std::filesystem::path progressFile() const { return m_data / "progress.ini"; }
    std::filesystem::path savedGameFile() const { return m_data / "savedgame.ini"; }

    GameSettings readSettings() const;
    Progress readProgress() const;
    std::optional<SavedGame> readSavedGame() const;

    // Each returns empty on success, else why nothing was written: the file system's error, or
    // std::errc::file_exists for a newer version's file in the way.
    [[nodiscard]] std::error_code writeSettings(const GameSettings &settings) const;
    [[nodiscard]] std::error_code writeProgress(const Progress &progress) const;
    [[nodiscard]] std::error_code writeSavedGame(const SavedGame &game) const;

private:
    std::filesystem::path m_config;
    std::filesystem::path m_data;
};

} // namespace cobbleton
