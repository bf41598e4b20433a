// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/dialog.h"

namespace quillmap {

// The About box (template 100): the program icon, "Quillmap Version 1.0" and OK.
// `parent` is the window it is shown over.
class CAboutDlg : public dialogkit::Dialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};

} // namespace quillmap
