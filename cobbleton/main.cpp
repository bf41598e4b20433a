// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/cobbleton.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    cobbleton::CCobbletonApp theApp;
    theApp.InitInstance(cobbleton::CCobbletonApp::levelFileArgument(argc, argv));
    return 0;
}
