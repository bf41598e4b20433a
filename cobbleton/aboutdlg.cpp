// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/aboutdlg.h"

#include "resources/cobbleton/windows.h"

namespace cobbleton {

CAboutDlg::CAboutDlg(QWidget *parent) : Dialog(cobbletonresources::AboutDialog, parent)
{ }

} // namespace cobbleton
