// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/templates.h"

#include <QObject>

#include <vector>

class QKeyEvent;
class QShortcut;
class QWidget;

namespace dialogkit {

class Dialog;

// The keyboard rules of one dialog (see dialog.h): Enter and Esc, Alt+F4, and the accelerator
// table. Owned by its dialog, which hands it every control to watch and its own key presses.
class DialogKeys : public QObject
{
    Q_OBJECT
public:
    explicit DialogKeys(Dialog &dialog);

    // Watches `control` for Enter and Esc before the control sees them.
    void watch(QWidget *control);

    // The command of Enter where no push button has the focus: the template's default button,
    // or IdOk when it has none.
    void setDefaultButton(int id) { m_defaultButton = id; }

    // Enter and Esc on `target`: Esc is IdCancel; Enter presses a focused push button, is left to
    // a multi-line edit that wants it, and is the default command elsewhere. Returns whether the
    // key was taken. Other keys and modified keys are not taken.
    bool handleEnterOrEscape(QObject *target, QKeyEvent *event);

    // Replaces the accelerator table: window-wide shortcuts that send their commands, with
    // auto-repeat unless the entry says otherwise. A main-keyboard digit gets a keypad twin that does nothing.
    void loadAccelerators(const AcceleratorTable &table);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Dialog &m_dialog;
    int m_defaultButton = NoId;
    std::vector<QShortcut *> m_accelerators;
};

} // namespace dialogkit
