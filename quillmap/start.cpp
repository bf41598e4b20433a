// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/start.h"

#include "resources/quillmap/windows.h"

namespace quillmap {

CStart::CStart(QWidget *parent) : Dialog(quillmapresources::StartDialog, parent)
{
    setCommandHandler(quillmapresources::NewLevelRadio, [this] { m_choice = NewLevelChoice; });
    setCommandHandler(quillmapresources::EditLevelRadio, [this] { m_choice = EditLevelChoice; });
    setCommandHandler(quillmapresources::LeaveRadio, [this] { m_choice = LeaveChoice; });
}

bool CStart::OnInitDialog()
{
    Dialog::OnInitDialog();
    m_choice = NoChoice;
    return true;
}

void CStart::OnOK()
{
    if (m_choice == NoChoice) {
        MessageBox(QString::fromUtf8(quillmapresources::NoChoiceMessage));
        return;
    }
    Dialog::OnOK();
}

} // namespace quillmap
