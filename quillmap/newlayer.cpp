// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/newlayer.h"

#include "resources/quillmap/windows.h"

namespace quillmap {

CNewLayer::CNewLayer(QWidget *parent) : LevelTextsDialog(quillmapresources::NewLevelDialog, parent)
{ }

bool CNewLayer::OnInitDialog()
{
    LevelTextsDialog::OnInitDialog();
    SetComboSelection(quillmapresources::DifficultyCombo, 0);
    return true;
}

} // namespace quillmap
