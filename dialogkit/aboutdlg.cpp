// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/aboutdlg.h"

namespace dialogkit {

CAboutDlg::CAboutDlg(const DialogTemplate &aboutTemplate, QWidget *parent, const PictureStore *pictures)
    : Dialog(aboutTemplate, parent, pictures)
{ }

void CAboutDlg::appendItem(Dialog &window, const char *text)
{
    // A window without a window menu simply has no About item.
    static_cast<void>(window.AppendSystemMenuItem(Command, QString::fromUtf8(text)));
}

void CAboutDlg::openFor(Dialog &window, int id, const DialogTemplate &aboutTemplate)
{
    if (id != Command)
        return;
    CAboutDlg dlgAbout(aboutTemplate, &window, window.pictures());
    dlgAbout.DoModal();
}

} // namespace dialogkit
