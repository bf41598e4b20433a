// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quillmap/leveltextsdialog.h"

namespace quillmap {

// The level-information dialog (template 139). The caller fills the four members; the dialog
// shows them, selecting the entry equal to m_difficulty (none when no entry is equal). Only its
// button 1189 ends it, always with IdOk, the members holding the edited texts (see
// takeDifficulty for the difficulty). Enter and Esc do nothing. Writes no file.
class CInfoLayer : public LevelTextsDialog
{
    Q_OBJECT
public:
    explicit CInfoLayer(QWidget *parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnOK() override { }     // Enter never closes this dialog
    void OnCancel() override { } // nor does Esc

private:
    void OnConfirm();
};

} // namespace quillmap
