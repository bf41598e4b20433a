// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/picturestore.h"
#include "quillmap/editorstate.h"

#include <filesystem>
#include <optional>

namespace quillmap {

// The editor program: names itself, registers its pictures, runs the editor window once and
// ends when that window closes. It owns the level in hand and the pictures and hands them to the
// window. Needs a QApplication.
class CQuillmapApp
{
public:
    // Runs the editor window modally; `levelFile` (dialogkit::fileArgument), if any, is the level
    // file it opens instead of asking the start dialog. Always returns false: the program ends
    // afterwards.
    bool InitInstance(std::optional<std::filesystem::path> levelFile = std::nullopt);

private:
    EditorState m_state; // the level in hand, for as long as the program runs
    dialogkit::PictureStore m_pictures;
};

} // namespace quillmap
