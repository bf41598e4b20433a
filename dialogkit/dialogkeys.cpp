// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/dialogkeys.h"

#include "dialogkit/controlbuilder.h"
#include "dialogkit/dialog.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

namespace dialogkit {

namespace {

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

DialogKeys::DialogKeys(Dialog &dialog) : QObject(&dialog), m_dialog(dialog)
{
    // Without a window manager (or where it leaves the key to us) Alt+F4 still closes.
    auto *altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), &dialog);
    connect(altF4, &QShortcut::activated, this, [this] { m_dialog.OnCommand(IdCancel); });
}

void DialogKeys::watch(QWidget *control)
{
    control->installEventFilter(this);
}

bool DialogKeys::handleEnterOrEscape(QObject *target, QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_dialog.OnCommand(IdCancel);
        return true;
    }
    if (!isEnter(event) || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (auto *button = qobject_cast<QPushButton *>(target)) {
        if (button->isEnabled())
            button->click();
        return true;
    }
    if (target->property(WantReturnProperty).toBool())
        return false;
    m_dialog.OnCommand(m_defaultButton != NoId ? m_defaultButton : IdOk);
    return true;
}

bool DialogKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleEnterOrEscape(watched, static_cast<QKeyEvent *>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

void DialogKeys::loadAccelerators(const AcceleratorTable &table)
{
    for (QShortcut *shortcut : m_accelerators)
        delete shortcut;
    m_accelerators.clear();
    for (const Accelerator &accelerator : table) {
        const int command = accelerator.command;
        auto *shortcut = new QShortcut(QKeySequence(accelerator.key), &m_dialog);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(accelerator.repeats);
        connect(shortcut, &QShortcut::activated, this, [this, command] { m_dialog.OnCommand(command); });
        m_accelerators.push_back(shortcut);
        // Qt lets a keypad key fall back to the plain key's shortcut. That is right for the
        // arrows (the keypad's arrows are arrows too), but a digit means the main keyboard: a
        // keypad twin that does nothing keeps it to itself.
        const Qt::Key key = accelerator.key.key();
        const bool isDigit = key >= Qt::Key_0 && key <= Qt::Key_9;
        if (isDigit && !(accelerator.key.keyboardModifiers() & Qt::KeypadModifier)) {
            auto *keypad = new QShortcut(
                QKeySequence(QKeyCombination(accelerator.key.keyboardModifiers() | Qt::KeypadModifier, key)),
                &m_dialog);
            keypad->setContext(Qt::WindowShortcut);
            m_accelerators.push_back(keypad);
        }
    }
}

} // namespace dialogkit
