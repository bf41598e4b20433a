// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/cobbleton.h"
#include "dialogkit/appsupport.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    cobbleton::CCobbletonApp theApp;
    theApp.InitInstance(dialogkit::fileArgument(argc, argv));
    return 0;
}
