// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/templates.h"

class QButtonGroup;
class QMenuBar;
class QWidget;

namespace dialogkit {

class Dialog;

// Marks that the builder leaves on controls and the dialog reads later (as dynamic properties).
inline constexpr char TypedProperty[] = "dialogkit_typed";           // combo box: typed into since its last selection
inline constexpr char WantReturnProperty[] = "dialogkit_wantReturn"; // multi-line edit: takes Enter itself

// Builds a dialog's controls and menu bar from its template, wiring clicks and menu items to the
// dialog's OnCommand. One builder serves one run of additions in template order and keeps only
// what that run needs: consecutive radio buttons form one exclusive group, which ends at the
// first control of another kind (or with the builder).
class ControlBuilder
{
public:
    // Controls are created as children of `client`, the dialog's client area.
    ControlBuilder(Dialog &dialog, QWidget *client);

    // Creates `control` at its place in pixels (dialog units converted), shown or not as its
    // parent is, enabled unless the template says Disabled. Never returns nullptr.
    QWidget *create(const ControlTemplate &control);

    // The menu bar of `menu`, owned by `dialog`; grayed items and submenus are disabled.
    static QMenuBar *createMenuBar(const MenuTemplate &menu, Dialog &dialog);

private:
    Dialog &m_dialog;
    QWidget *m_client;
    QButtonGroup *m_radioGroup = nullptr; // the group the next radio button joins, if any
};

} // namespace dialogkit
