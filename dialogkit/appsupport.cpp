#include "dialogkit/appsupport.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace dialogkit {

QFont dialogFont()
{
    QFont font(QStringLiteral("DejaVu Sans"), 8);
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
    QApplication::setFont(dialogFont());
    installQtTranslations();
}

} // namespace dialogkit
