// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/dialog.h"

namespace cobbleton {

// The help window ("Справка"): `text` in a read-only text box that scrolls, and OK. OK, Enter,
// Esc or the close box end it.
class CHelpDlg : public dialogkit::Dialog
{
    Q_OBJECT
public:
    CHelpDlg(const QString &text, QWidget *parent);

protected:
    bool OnInitDialog() override;

private:
    QString m_text;
};

} // namespace cobbleton
