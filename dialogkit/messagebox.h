// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace dialogkit {

enum class MessageButtons { Ok, OkCancel };

// Shows a modal message box over `owner` (the active window when null) with `text` shown as
// plain text, the program's name (QCoreApplication::applicationName) as caption, no icon, and
// the given buttons. Returns IdOk (1) or IdCancel (2). Esc answers Cancel, or OK in an OK-only box.
int messageBox(QWidget *owner, const QString &text, MessageButtons buttons = MessageButtons::Ok);

} // namespace dialogkit
