// SPDX-License-Identifier: GPL-3.0-or-later
// The game's offscreen start-up (startupbench shown): the program's main() with one observer
// added, which reports the game window's first painting (its board of 180 cells included) and
// then closes the window, so the program ends as it would when the user closes it. The shipped
// program has no such hook.
#include "firstshow.h"

#include "cobbleton/cobbleton.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstShowReport report;
    cobbleton::CCobbletonApp theApp;
    theApp.InitInstance(cobbleton::CCobbletonApp::levelFileArgument(argc, argv));
    return 0;
}
