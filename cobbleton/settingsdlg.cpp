// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/settingsdlg.h"

#include "resources/cobbleton/windows.h"

namespace cobbleton {

using cobbletonresources::SettingsCheckBox;

CSettingsDlg::CSettingsDlg(const GameSettings &settings, QWidget *parent)
    : Dialog(cobbletonresources::SettingsDialog, parent), m_settings(settings)
{ }

bool CSettingsDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    for (std::size_t i = 0; i < SettingEntries.size(); ++i)
        CheckDlgButton(SettingsCheckBox + int(i), m_settings.*SettingEntries[i].member);
    return true;
}

void CSettingsDlg::OnOK()
{
    for (std::size_t i = 0; i < SettingEntries.size(); ++i)
        m_settings.*SettingEntries[i].member = IsDlgButtonChecked(SettingsCheckBox + int(i));
    EndDialog(dialogkit::IdOk);
}

} // namespace cobbleton
