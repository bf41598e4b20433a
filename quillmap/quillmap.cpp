// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/quillmap.h"

#include "dialogkit/appsupport.h"
#include "quillmap/quillmapdlg.h"
#include "resources/quillmap/pictures.h"

#include <QGuiApplication>

namespace quillmap {

bool CQuillmapApp::InitInstance(std::optional<std::filesystem::path> levelFile)
{
    dialogkit::setUpApplication(QStringLiteral("Quillmap"));
    QGuiApplication::setOrganizationName(QStringLiteral("Cobbleton"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cobbleton.Quillmap"));
    resources::registerPictures(m_pictures, quillmapresources::Pictures);

    CQuillmapDlg dlg(m_state, m_pictures);
    // `quillmap FILE` (as a file manager's "Open with" starts it) opens FILE at once.
    if (levelFile)
        dlg.setStartFile(*levelFile);
    dlg.DoModal();
    return false;
}

} // namespace quillmap
