// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamestate.h"
#include "dialogkit/picturestore.h"

#include <filesystem>
#include <optional>

namespace cobbleton {

// The game program: sets the application up, runs the game window modally and ends when it
// closes. It owns the level in play and the pictures and hands them to the window; main() keeps
// the one instance.
class CCobbletonApp
{
public:
    // Needs a QApplication. Names the program ("Cobbleton", also the caption of its message
    // boxes), sets the dialog font and Qt's translations, registers the pictures, then runs
    // CCobbletonDlg until it closes, with `levelFile` (dialogkit::fileArgument) loaded in it as
    // the Load button would. Returns false: the program ends when the window has closed.
    bool InitInstance(std::optional<std::filesystem::path> levelFile = std::nullopt);

private:
    GameState m_state;
    dialogkit::PictureStore m_pictures;
};

} // namespace cobbleton
