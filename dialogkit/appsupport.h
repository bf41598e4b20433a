#pragma once

#include <QFont>
#include <QString>

namespace dialogkit {

// Start-up helpers for the programs' main().

// The font the templates are measured for: an 8-point sans-serif ("DejaVu Sans").
QFont dialogFont();

// Loads Qt's own translations (qtbase_<language>) for the system locale, so the standard buttons
// and the file dialogs speak the user's language. Returns false when none was found (the texts
// then stay English); the programs' own texts are fixed and not affected.
bool installQtTranslations();

// Everything a program does before its first window: its name (the message boxes' caption),
// the dialog font and Qt's translations. Needs a QApplication. The name is set as the
// application name, not the display name, which X11 would append to every window caption.
void setUpApplication(const QString &programName);

} // namespace dialogkit
