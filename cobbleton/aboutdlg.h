// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/dialog.h"

namespace cobbleton {

// The About box (template 100): the program icon, its name and version, and OK. OK, Esc or the
// close box end it. `parent` is the window it is shown over.
class CAboutDlg : public dialogkit::Dialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};

} // namespace cobbleton
