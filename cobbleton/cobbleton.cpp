// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/cobbleton.h"

#include "cobbleton/cobbletondlg.h"
#include "dialogkit/appsupport.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace cobbleton {

bool CCobbletonApp::InitInstance(std::optional<std::filesystem::path> levelFile)
{
    dialogkit::setUpApplication(QStringLiteral("Cobbleton"));
    QGuiApplication::setOrganizationName(QStringLiteral("Cobbleton"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cobbleton.Cobbleton"));
    registerPictures();

    CCobbletonDlg dlg(m_state, std::move(levelFile));
    dlg.DoModal();
    return false;
}

void CCobbletonApp::registerPictures()
{
    using namespace cobbletonresources;
    for (int id : {WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture})
        dialogkit::PictureStore::addPicture(id, bitmapPath(id));
    dialogkit::PictureStore::addIconFiles(ProgramIcon, {iconPath(ProgramIcon)});
}

std::optional<std::filesystem::path> CCobbletonApp::levelFileArgument(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    Q_UNUSED(argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (argc < 2 || arguments.size() < 2)
        return std::nullopt;
    return dialogkit::pathFromQString(arguments.at(1));
#else
    if (argc < 2)
        return std::nullopt;
    return std::filesystem::path(argv[1]);
#endif
}

} // namespace cobbleton
