// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quillmap/leveltextsdialog.h"

namespace quillmap {

// The level-information dialog (template 139). The caller gives it the level's texts
// (setLevelInfo); the dialog shows them, selecting the entry equal to the difficulty (none when
// no entry is equal). Only its button 1189 ends it, always with IdOk, with the edited texts
// (levelInfo()). Enter and Esc do nothing. Writes no file.
class CInfoLayer : public LevelTextsDialog
{
    Q_OBJECT
public:
    explicit CInfoLayer(QWidget *parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCancel() override { } // Esc never closes this dialog
};

} // namespace quillmap
