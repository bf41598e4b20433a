// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/cobbleton.h"

#include "cobbleton/cobbletondlg.h"
#include "dialogkit/appsupport.h"
#include "dialogkit/filedialog.h"
#include "resources/cobbleton/pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QStandardPaths>

namespace cobbleton {

namespace {

std::filesystem::path installed(const char *fromProgram, const QString &dataName)
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QLatin1String(fromProgram));
    if (QDir(beside).exists())
        return dialogkit::pathFromQString(QDir::cleanPath(beside));
    const QString found =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, dataName, QStandardPaths::LocateDirectory);
    return dialogkit::pathFromQString(found.isEmpty() ? QDir::cleanPath(beside) : found);
}

std::filesystem::path userFolder(QStandardPaths::StandardLocation location)
{
    return dialogkit::pathFromQString(QStandardPaths::writableLocation(location) + QStringLiteral("/cobbleton"));
}

} // namespace

bool CCobbletonApp::InitInstance(std::optional<std::filesystem::path> levelFile)
{
    dialogkit::setUpApplication(QStringLiteral("Cobbleton"));
    QGuiApplication::setOrganizationName(QStringLiteral("Cobbleton"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cobbleton.Cobbleton"));
    resources::registerPictures(m_pictures, cobbletonresources::Pictures);

    const GameStorage files = storage();
    GameSession session(m_state, files, folders());
    CCobbletonDlg dlg(m_state, session, m_pictures, std::move(levelFile));
    dlg.DoModal();
    return false;
}

GameStorage CCobbletonApp::storage()
{
    return {userFolder(QStandardPaths::GenericConfigLocation), userFolder(QStandardPaths::GenericDataLocation)};
}

GameFolders CCobbletonApp::folders()
{
    return {installed(LEVELS_FROM_PROGRAM, QStringLiteral("cobbleton/levels")),
            installed(CAMPAIGN_FROM_PROGRAM, QStringLiteral("cobbleton/campaign"))};
}

} // namespace cobbleton
