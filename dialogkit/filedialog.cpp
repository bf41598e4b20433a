// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/filedialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

namespace dialogkit {

namespace {

std::optional<QString> runFileDialog(QWidget *owner, QFileDialog::AcceptMode mode, const QString &title,
                                     const QString &filterDescription, const QString &pattern,
                                     const QString &defaultExtension, const QString &folder = QString())
{
    if (!owner)
        owner = QApplication::activeWindow();
    QFileDialog dialog(owner, title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(filterDescription + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    QString suffix = defaultExtension;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    return files.first();
}

} // namespace

std::optional<QString> openFileName(QWidget *owner, const QString &title, const QString &filterDescription,
                                    const QString &pattern, const QString &folder)
{
    return runFileDialog(owner, QFileDialog::AcceptOpen, title, filterDescription, pattern, QString(), folder);
}

std::optional<QString> saveFileName(QWidget *owner, const QString &title, const QString &filterDescription,
                                    const QString &pattern, const QString &defaultExtension)
{
    return runFileDialog(owner, QFileDialog::AcceptSave, title, filterDescription, pattern, defaultExtension);
}

std::filesystem::path pathFromQString(const QString &name)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(name.toStdU16String());
#else
    return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

} // namespace dialogkit
