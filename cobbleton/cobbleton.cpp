// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/cobbleton.h"

#include "cobbleton/cobbletondlg.h"
#include "dialogkit/appsupport.h"
#include "resources/cobbleton/pictures.h"

#include <QGuiApplication>

namespace cobbleton {

bool CCobbletonApp::InitInstance(std::optional<std::filesystem::path> levelFile)
{
    dialogkit::setUpApplication(QStringLiteral("Cobbleton"));
    QGuiApplication::setOrganizationName(QStringLiteral("Cobbleton"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cobbleton.Cobbleton"));
    resources::registerPictures(m_pictures, cobbletonresources::Pictures);

    CCobbletonDlg dlg(m_state, m_pictures, std::move(levelFile));
    dlg.DoModal();
    return false;
}

} // namespace cobbleton
