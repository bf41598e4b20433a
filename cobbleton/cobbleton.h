// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamesession.h"
#include "cobbleton/gamestate.h"
#include "dialogkit/picturestore.h"

#include <filesystem>
#include <optional>

namespace cobbleton {

// The game program: sets the application up, runs the game window modally and ends when it
// closes. It owns the level in play, the game beyond it and the pictures and hands them to the
// window; main() keeps the one instance.
class CCobbletonApp
{
public:
    // Needs a QApplication. Names the program ("Cobbleton", also the caption of its message
    // boxes), sets the dialog font and Qt's translations, registers the pictures, then runs
    // CCobbletonDlg until it closes, with `levelFile` (dialogkit::fileArgument) loaded in it as
    // the Load button would. Settings, progress and the saved game are kept in the user's
    // folders (storage()). Returns false: the program ends when the window has closed.
    bool InitInstance(std::optional<std::filesystem::path> levelFile = std::nullopt);

    // The user's folders by the freedesktop rules (QStandardPaths): the configuration folder's
    // "cobbleton" for the settings, the data folder's "cobbleton" for the progress and the saved
    // game. Nothing is written there before there is something to keep.
    static GameStorage storage();

    // The installed levels, found from the program's own folder (as `cmake --install` and the
    // build tree place them), else in the system's data folders.
    static GameFolders folders();

private:
    GameState m_state;
    dialogkit::PictureStore m_pictures;
};

} // namespace cobbleton
