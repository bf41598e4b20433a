// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamestate.h"

#include <filesystem>
#include <optional>

namespace cobbleton {

// The game program: sets the application up, runs the game window modally and ends when it
// closes. It owns the level in play and hands it to the window; main() keeps the one instance.
class CCobbletonApp
{
public:
    // Needs a QApplication. Names the program ("Cobbleton", also the caption of its message
    // boxes), sets the dialog font and Qt's translations, registers the pictures, then runs
    // CCobbletonDlg until it closes, with `levelFile` loaded in it as the Load button would.
    // Returns false: the program ends when the window has closed.
    bool InitInstance(std::optional<std::filesystem::path> levelFile = std::nullopt);

    // The level file named on the command line: the first argument, as main() holds argc and
    // argv once QApplication has taken out its own options; further arguments are ignored, and
    // without one there is none. On POSIX the path is the argument's bytes as they are, so any
    // file name works; on Windows, where argv is in the ANSI code page, it is taken from
    // QCoreApplication::arguments() instead.
    static std::optional<std::filesystem::path> levelFileArgument(int argc, char *argv[]);

    // Registers the game's tile bitmaps and its icon with dialogkit::PictureStore under their
    // resource ids. Needed before the first game window is built; repeating it does no harm.
    static void registerPictures();

private:
    GameState m_state;
};

} // namespace cobbleton
