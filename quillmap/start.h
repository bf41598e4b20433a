// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/dialog.h"

#include <QWidget>

namespace quillmap {

// The start dialog (template 134): create a new level, edit an existing one, or leave.
// DoModal returns IdOk only with a choice made (m_choice 1, 2 or 3); Esc returns IdCancel
// whatever was chosen. OK without a choice says so and stays open.
class CStart : public dialogkit::Dialog
{
    Q_OBJECT
public:
    enum Choice { NoChoice = 0, NewLevelChoice = 1, EditLevelChoice = 2, LeaveChoice = 3 };

    explicit CStart(QWidget *parent = nullptr);

    // The last radio button clicked; meaningful once the dialog has been initialised.
    int m_choice = NoChoice;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
};

} // namespace quillmap
