#include "quillmap/quillmap.h"

#include "dialogkit/appsupport.h"
#include "dialogkit/picturestore.h"
#include "quillmap/quillmapdlg.h"
#include "resources/quillmap/pictures.h"

#include <QApplication>
#include <QGuiApplication>

using namespace quillmapresources;

void CQuillmapApp::registerPictures()
{
    for (int id : {WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture,
                   CursorPicture})
        dialogkit::PictureStore::addPicture(id, bitmapPath(id));
    dialogkit::PictureStore::addIconFiles(ProgramIcon, {iconPath(ProgramIcon)});
}

bool CQuillmapApp::InitInstance()
{
    dialogkit::setUpApplication(QStringLiteral("Quillmap"));
    QApplication::setOrganizationName(QStringLiteral("Cobbleton"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cobbleton.Quillmap"));
    registerPictures();

    // The level in hand outlives the window, as the program's own storage.
    static quillmap::EditorState state;
    CQuillmapDlg dlg(state);
    dlg.DoModal();
    return false;
}
