#include "quillmap/newlayer.h"

#include "quillmap/editorstate.h"
#include "resources/quillmap/windows.h"

CNewLayer::CNewLayer(QWidget *parent)
    : LevelInfoDialog(quillmapresources::Dialog135, parent)
{
    onCommand(quillmapresources::LevelInfoOkButton, &CNewLayer::OnConfirm);
}

bool CNewLayer::OnInitDialog()
{
    LevelInfoDialog::OnInitDialog();
    SetComboSelection(quillmapresources::DifficultyCombo, 0);
    return true;
}

void CNewLayer::OnConfirm()
{
    UpdateData(true);
    takeDifficulty();
    if (quillmap::writeNewLevelInfo(levelInfo())) {
        MessageBox(QStringLiteral("Не удалось сохранить уровень."));
        return;
    }
    LevelInfoDialog::OnOK();
}
