// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/aboutdlg.h"

#include "resources/quillmap/windows.h"

namespace quillmap {

CAboutDlg::CAboutDlg(QWidget *parent) : Dialog(quillmapresources::AboutDialog, parent)
{ }

} // namespace quillmap
