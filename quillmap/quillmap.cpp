// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/quillmap.h"

#include "dialogkit/appsupport.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "quillmap/quillmapdlg.h"
#include "resources/quillmap/pictures.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStringList>

namespace quillmap {

using namespace quillmapresources;

void CQuillmapApp::registerPictures()
{
    for (int id : {WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture, CursorPicture})
        dialogkit::PictureStore::addPicture(id, bitmapPath(id));
    dialogkit::PictureStore::addIconFiles(ProgramIcon, {iconPath(ProgramIcon)});
}

bool CQuillmapApp::InitInstance()
{
    dialogkit::setUpApplication(QStringLiteral("Quillmap"));
    QApplication::setOrganizationName(QStringLiteral("Cobbleton"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cobbleton.Quillmap"));
    registerPictures();

    CQuillmapDlg dlg(m_state);
    // `quillmap FILE` (as a file manager's "Open with" starts it) opens FILE at once.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        dlg.setStartFile(dialogkit::pathFromQString(arguments.at(1)));
    dlg.DoModal();
    return false;
}

} // namespace quillmap
