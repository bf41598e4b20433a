#include "quillmap/start.h"

#include "resources/quillmap/windows.h"

CStart::CStart(QWidget *parent)
    : Dialog(quillmapresources::Dialog134, parent)
{
    onCommand(quillmapresources::NewLevelRadio, [this] { m_choice = NewLevelChoice; });
    onCommand(quillmapresources::EditLevelRadio, [this] { m_choice = EditLevelChoice; });
    onCommand(quillmapresources::LeaveRadio, [this] { m_choice = LeaveChoice; });
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
        MessageBox(QStringLiteral("Вы не выбрали действие!!!"));
        return;
    }
    Dialog::OnOK();
}
