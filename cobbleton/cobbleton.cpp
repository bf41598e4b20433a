#include "cobbleton/cobbleton.h"

#include "cobbleton/cobbletondlg.h"
#include "dialogkit/appsupport.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"

#include <QGuiApplication>

namespace cobbleton {

bool CCobbletonApp::InitInstance()
{
    dialogkit::setUpApplication(QStringLiteral("Cobbleton"));
    QGuiApplication::setOrganizationName(QStringLiteral("Cobbleton"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cobbleton.Cobbleton"));
    registerPictures();

    CCobbletonDlg dlg(m_state);
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

} // namespace cobbleton
