// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/appsupport.h"

#include "dialogkit/filedialog.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace dialogkit {

QFont dialogFont()
{
    // Measured against the templates' longest captions ("Сообщение при победе." in 82 units,
    // "Стена ( 1 )  -" in 41): DejaVu Sans 8 pt is up to 15 % too wide; these fit in one line.
    const QString condensed = QStringLiteral("DejaVu Sans Condensed");
    QFont font;
    if (QFontDatabase::hasFamily(condensed)) {
        font.setFamily(condensed);
        font.setPointSizeF(7.5);
    } else {
        font.setFamily(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(7);
    }
    font.setStyleHint(QFont::SansSerif);
    return font;
}

bool installQtTranslations()
{
    auto *translator = new QTranslator(qApp);
    if (!translator->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

void setUpApplication(const QString &programName)
{
    QApplication::setApplicationName(programName);
    // The programs run their main window with DoModal and no event loop of their own; a nested
    // dialog closing while the main window is still hidden must not count as the last window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(dialogFont());
    static_cast<void>(installQtTranslations()); // without them the standard buttons speak English
}

std::optional<std::filesystem::path> fileArgument(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    Q_UNUSED(argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (argc < 2 || arguments.size() < 2)
        return std::nullopt;
    return pathFromQString(arguments.at(1));
#else
    if (argc < 2)
        return std::nullopt;
    return std::filesystem::path(argv[1]);
#endif
}

} // namespace dialogkit
