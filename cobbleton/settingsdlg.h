// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamesettings.h"
#include "dialogkit/dialog.h"

namespace cobbleton {

// The settings dialog ("Настройки игры"): one check box per setting of SettingEntries, checked
// as `m_settings` says when it opens. OK takes the boxes into m_settings and ends with IdOk;
// "Отмена", Esc or the close box end with IdCancel and leave it as it was.
class CSettingsDlg : public dialogkit::Dialog
{
    Q_OBJECT
public:
    CSettingsDlg(const GameSettings &settings, QWidget *parent);

    GameSettings m_settings;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
};

} // namespace cobbleton
