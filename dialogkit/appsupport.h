// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

#include <filesystem>
#include <optional>

namespace dialogkit {

// Start-up helpers for the programs' main().

// A sans-serif font in which the templates' captions fit their controls as they did in the
// 8-point "MS Sans Serif" the templates were made for: "DejaVu Sans Condensed" 7.5 pt
// (Debian's fonts-dejavu-extra), or "DejaVu Sans" 7 pt where that is missing.
QFont dialogFont();

// Loads Qt's own translations (qtbase_<language>) for the system locale, so the standard buttons
// and the file dialogs speak the user's language. Returns false when none was found (the texts
// then stay English); the programs' own texts are fixed and not affected.
[[nodiscard]] bool installQtTranslations();

// Everything a program does before its first window: its name (the message boxes' caption),
// the dialog font, Qt's translations, and no automatic quit when a window closes (the program
// ends when its main window's DoModal returns; main() calls no QApplication::exec()).
// Needs a QApplication. The name is set as the
// application name, not the display name, which X11 would append to every window caption.
void setUpApplication(const QString &programName);

// The file named on the command line: the first argument, as main() holds argc and argv once
// QApplication has taken out its own options; further arguments are ignored, and without one
// there is none. On POSIX the path is the argument's bytes as they are, so any file name opens,
// one that is not valid UTF-8 too; on Windows, where argv is in the ANSI code page, it is taken
// from QCoreApplication::arguments() instead.
std::optional<std::filesystem::path> fileArgument(int argc, char *argv[]);

} // namespace dialogkit
