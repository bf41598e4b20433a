// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/messagebox.h"

#include "dialogkit/templates.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace dialogkit {

int messageBox(QWidget *owner, const QString &text, MessageButtons buttons)
{
    if (!owner)
        owner = QApplication::activeWindow();
    QMessageBox box(owner);
    box.setWindowTitle(QApplication::applicationName());
    // The texts are fixed, except a level's victory message, which must show exactly as written.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::NoIcon);
    QPushButton *ok = box.addButton(QMessageBox::Ok);
    QPushButton *cancel = nullptr;
    if (buttons == MessageButtons::OkCancel)
        cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    return box.clickedButton() == cancel && cancel ? IdCancel : IdOk;
}

} // namespace dialogkit
