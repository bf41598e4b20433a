#pragma once

#include "cobbleton/gamestate.h"

namespace cobbleton {

// The game program: sets the application up, runs the game window modally and ends when it
// closes. It owns the level in play and hands it to the window; main() keeps the one instance.
class CCobbletonApp
{
public:
    // Needs a QApplication. Names the program ("Cobbleton", also the caption of its message
    // boxes), sets the dialog font and Qt's translations, registers the pictures, then runs
    // CCobbletonDlg until it closes. Returns false: the program ends when the window has closed.
    bool InitInstance();

    // Registers the game's tile bitmaps and its icon with dialogkit::PictureStore under their
    // resource ids. Needed before the first game window is built; repeating it does no harm.
    static void registerPictures();

private:
    GameState m_state;
};

} // namespace cobbleton
