// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/infolayer.h"

#include "quillmap/difficulty.h"
#include "resources/quillmap/windows.h"

namespace quillmap {

CInfoLayer::CInfoLayer(QWidget *parent) : LevelTextsDialog(quillmapresources::LevelInfoDialog, parent)
{ }

bool CInfoLayer::OnInitDialog()
{
    LevelTextsDialog::OnInitDialog();
    SetComboSelection(quillmapresources::DifficultyCombo, difficultyIndex(m_difficulty.toStdString()).value_or(-1));
    return true;
}

} // namespace quillmap
