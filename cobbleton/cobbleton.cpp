#include "cobbleton/cobbleton.h"

#include "cobbleton/cobbletondlg.h"
#include "cobbleton/gamestate.h"
#include "dialogkit/appsupport.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"

#include <QGuiApplication>

bool CCobbletonApp::InitInstance()
{
    dialogkit::setUpApplication(QStringLiteral("Cobbleton"));
    QGuiApplication::setOrganizationName(QStringLiteral("Cobbleton"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cobbleton.Cobbleton"));
    RegisterPictures();

    CCobbletonDlg dlg(cobbleton::gameState());
    dlg.DoModal();
    return false;
}

void CCobbletonApp::RegisterPictures()
{
    using namespace cobbletonresources;
    for (int id : {WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture})
        dialogkit::PictureStore::addPicture(id, bitmapPath(id));
    dialogkit::PictureStore::addIconFiles(ProgramIcon, {iconPath(ProgramIcon)});
}
