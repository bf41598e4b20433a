#pragma once

#include "quillmap/leveltextsdialog.h"

namespace quillmap {

// The new-level dialog (template 135). Opens with empty texts and "Тестовый" selected. Its button
// 1189 writes the four texts into the scratch file (quillmap::writeNewLevelInfo, no board) and
// ends with IdOk; when that write fails it says "Не удалось сохранить уровень." and stays open.
// Esc ends it with IdCancel, writing nothing; Enter does nothing.
class CNewLayer : public LevelTextsDialog
{
    Q_OBJECT
public:
    explicit CNewLayer(QWidget *parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnOK() override {}   // Enter never closes this dialog

private:
    void OnConfirm();
};

} // namespace quillmap
