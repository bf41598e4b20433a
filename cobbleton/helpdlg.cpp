// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/helpdlg.h"

#include "resources/cobbleton/windows.h"

namespace cobbleton {

CHelpDlg::CHelpDlg(const QString &text, QWidget *parent) : Dialog(cobbletonresources::HelpDialog, parent), m_text(text)
{ }

bool CHelpDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    SetDlgItemText(cobbletonresources::HelpTextBox, m_text);
    return true;
}

} // namespace cobbleton
