// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of the start-up measured on a real X server (startupbench mapped): a Qt program
// that shows one modal dialog of the game window's size (750 x 634 pixels) holding one label and
// one push button in a layout. Like every real window it sizes its controls from their text
// before it is shown, so it loads the fonts before its window is mapped. It runs until it is
// closed or killed.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Baseline"));
    dialog.setFixedSize(750, 634);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Уровень не загружен."), &dialog));
    auto *button = new QPushButton(QStringLiteral("Загрузить"), &dialog);
    layout->addWidget(button, 0, Qt::AlignHCenter);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
    return 0;
}
