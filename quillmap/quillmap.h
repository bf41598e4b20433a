// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quillmap/editorstate.h"

namespace quillmap {

// The editor program: names itself, registers its pictures, runs the editor window once and
// ends when that window closes. Needs a QApplication.
class CQuillmapApp
{
public:
    // Runs the editor window modally; the first command-line argument, if any, is the level file
    // it opens instead of asking the start dialog. Always returns false: the program ends
    // afterwards.
    bool InitInstance();

    // Puts the editor's tile, cursor and icon pictures into dialogkit::PictureStore under their
    // resource ids. The windows need them before they are built.
    static void registerPictures();

private:
    EditorState m_state; // the level in hand, for as long as the program runs
};

} // namespace quillmap
