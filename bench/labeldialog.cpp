// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of the start-up measured on a real X server (mapbench): a Qt program that shows one
// modal dialog of the game window's size (750 x 634 pixels) holding one label and one push
// button, so that it loads fonts and draws text as every real window does. It runs until it is
// closed or killed.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Baseline"));
    dialog.setFixedSize(750, 634);
    auto *label = new QLabel(QStringLiteral("Уровень не загружен."), &dialog);
    label->setGeometry(20, 20, 300, 20);
    auto *button = new QPushButton(QStringLiteral("Загрузить"), &dialog);
    button->setGeometry(344, 590, 75, 23);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
    return 0;
}
