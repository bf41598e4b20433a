// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <filesystem>
#include <optional>

class QWidget;

namespace dialogkit {

// The standard modal file dialogs: the platform's native dialog where there is one (Qt's own
// when Qt::AA_DontUseNativeDialogs is set). No initial file name is given. The one
// filter entry is shown by its description only (e.g. "Файл Уровня"), matching `pattern`
// (e.g. "*.lay"). Each returns the chosen file's full path, or nothing when the user cancelled.

// Open: any name may be typed, an existing file is not required. With a `folder`, the dialog
// starts there.
[[nodiscard]] std::optional<QString> openFileName(QWidget *owner, const QString &title,
                                                  const QString &filterDescription, const QString &pattern,
                                                  const QString &folder = QString());

// Save: `defaultExtension` (".lay" or "lay"; empty for none) is added when the typed name has
// none; choosing an existing file asks before it is overwritten.
[[nodiscard]] std::optional<QString> saveFileName(QWidget *owner, const QString &title,
                                                  const QString &filterDescription, const QString &pattern,
                                                  const QString &defaultExtension);

// The file a name from a file dialog or the command line means, for the standard library's file
// functions: on Windows built from the name's UTF-16, so letters outside the ANSI code page (a
// Cyrillic user folder on a Western system) survive; elsewhere the name's bytes in the file
// system's encoding. An empty name gives an empty path.
std::filesystem::path pathFromQString(const QString &name);

} // namespace dialogkit
