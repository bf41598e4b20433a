// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of the offscreen start-up (startupbench shown): a Qt program that shows nothing
// but one empty modal dialog of the game window's size (500 x 390 dialog units, 750 x 634
// pixels). Built with firstshow.cpp, it reports its first painting and ends.
#include <QApplication>
#include <QDialog>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    dialog.setFixedSize(750, 634);
    dialog.exec();
    return 0;
}
