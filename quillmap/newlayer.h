// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quillmap/leveltextsdialog.h"

namespace quillmap {

// The new-level dialog (template 135). Opens with empty texts and "Тестовый" selected. Its button
// 1189 ends it with IdOk, the members holding the typed texts (levelInfo()); Esc ends it with
// IdCancel; Enter does nothing. Writes no file: the editor starts the level
// (EditorState::newLevel).
class CNewLayer : public LevelTextsDialog
{
    Q_OBJECT
public:
    explicit CNewLayer(QWidget *parent = nullptr);

protected:
    bool OnInitDialog() override;
};

} // namespace quillmap
