// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/dialog.h"

namespace dialogkit {

// The About box of a program (its template 100: the program icon, its name and version, and OK),
// opened from the About item of the main window's window menu. OK, Esc or the close box end it.
// Both programs handle it alike: the main window's OnInitDialog calls appendItem, and its
// OnSysCommand calls openFor.
class CAboutDlg : public Dialog
{
    Q_OBJECT
public:
    // The About item's command in the window menu.
    static constexpr int Command = 16;

    // `parent` is the window it is shown over; the icon comes from `pictures`.
    CAboutDlg(const DialogTemplate &aboutTemplate, QWidget *parent, const PictureStore *pictures);

    // Appends the About item, a separator and then `text` (the program's string 101), to the
    // window menu of `window`; nothing when the window has none or `text` is empty.
    static void appendItem(Dialog &window, const char *text);

    // When `id` is the About item's command, runs the box of `aboutTemplate` modally over
    // `window`, with the window's pictures; any other command does nothing.
    static void openFor(Dialog &window, int id, const DialogTemplate &aboutTemplate);
};

} // namespace dialogkit
