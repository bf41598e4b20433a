// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/appsupport.h"
#include "quillmap/quillmap.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    quillmap::CQuillmapApp theApp;
    theApp.InitInstance(dialogkit::fileArgument(argc, argv));
    return 0;
}
