#include "quillmap/infolayer.h"

#include "quillmap/difficulty.h"
#include "resources/quillmap/windows.h"

CInfoLayer::CInfoLayer(QWidget *parent)
    : LevelInfoDialog(quillmapresources::Dialog139, parent)
{
    onCommand(quillmapresources::LevelInfoOkButton, &CInfoLayer::OnConfirm);
}

bool CInfoLayer::OnInitDialog()
{
    LevelInfoDialog::OnInitDialog();
    SetComboSelection(quillmapresources::DifficultyCombo,
                      quillmap::difficultyIndex(m_difficulty.toStdString()).value_or(-1));
    return true;
}

void CInfoLayer::OnConfirm()
{
    takeDifficulty();
    LevelInfoDialog::OnOK();
}
