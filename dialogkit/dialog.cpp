// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/dialog.h"

#include "dialogkit/controlbuilder.h"
#include "dialogkit/dialogkeys.h"
#include "dialogkit/dialogunits.h"
#include "dialogkit/picturecontrol.h"
#include "dialogkit/picturestore.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace dialogkit {

Dialog::Dialog(const DialogTemplate &dialogTemplate, QWidget *parent, const PictureStore *pictures)
    // A program's main window is a top-level window of its own even without a minimise box: a
    // dialog window without an owner is one that task bars may leave out.
    : QDialog(parent, (!parent || (dialogTemplate.style & MinimizeBox)) ? Qt::Window : Qt::Dialog), m_pictures(pictures)
{
    m_hasSystemMenu = dialogTemplate.style & SystemMenu;
    Qt::WindowFlags flags = windowFlags() & Qt::WindowType_Mask;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (m_hasSystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dialogTemplate.style & MinimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(QString::fromUtf8(dialogTemplate.caption));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (dialogTemplate.menu)
        layout->setMenuBar(ControlBuilder::createMenuBar(*dialogTemplate.menu, *this));
    m_client = new QWidget(this);
    m_client->setFixedSize(dluSize(dialogTemplate.width, dialogTemplate.height));
    layout->addWidget(m_client);

    m_keys = new DialogKeys(*this);
    ControlBuilder builder(*this, m_client);
    for (const ControlTemplate &control : dialogTemplate.controls)
        adopt(builder.create(control), control);

    if (m_hasSystemMenu) {
        auto *altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
        connect(altSpace, &QShortcut::activated, this,
                [this] { popUpSystemMenu(m_client->mapToGlobal(QPoint(0, 0))); });
    }
}

Dialog::~Dialog() = default;

QWidget *Dialog::addControl(const ControlTemplate &control)
{
    return adopt(ControlBuilder(*this, m_client).create(control), control);
}

QWidget *Dialog::adopt(QWidget *widget, const ControlTemplate &control)
{
    if (control.id != NoId)
        m_controls[control.id] = widget;
    if (control.style & TabStop)
        m_tabStops.push_back(widget);
    if (control.kind == ControlKind::PushButton && (control.style & DefaultButton))
        m_keys->setDefaultButton(control.id);
    m_keys->watch(widget);
    if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
        m_keys->watch(combo->lineEdit());
    widget->show();
    return widget;
}

int Dialog::DoModal()
{
    m_endedDuringInit = false;
    m_result = IdCancel;
    m_runState = RunState::Initialising;
    const bool setFocus = OnInitDialog();
    if (m_endedDuringInit) {
        m_runState = RunState::Idle;
        return m_result;
    }
    if (setFocus) {
        for (QWidget *widget : m_tabStops) {
            if (widget->isEnabled() && !widget->isHidden()) {
                widget->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    m_runState = RunState::Running;
    const int result = exec();
    m_runState = RunState::Idle;
    return result;
}

void Dialog::EndDialog(int result)
{
    if (m_runState == RunState::Initialising) {
        if (!m_endedDuringInit) {
            m_endedDuringInit = true;
            m_result = result;
        }
    } else if (m_runState == RunState::Running && isVisible()) {
        done(result);
    }
}

bool Dialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void Dialog::OnOK()
{
    UpdateData(true);
    EndDialog(IdOk);
}

void Dialog::OnCancel()
{
    EndDialog(IdCancel);
}

void Dialog::OnSysCommand(int)
{ }

void Dialog::OnTimer(int)
{ }

void Dialog::setCommandHandler(int id, std::function<void()> handler)
{
    m_handlers[id] = std::move(handler);
}

void Dialog::OnCommand(int id)
{
    auto it = m_handlers.find(id);
    if (it != m_handlers.end()) {
        // The handler may replace itself (setCommandHandler) while it runs: call a copy.
        const std::function<void()> handler = it->second;
        handler();
    } else if (id == IdOk) {
        OnOK();
    } else if (id == IdCancel) {
        OnCancel();
    }
}

QWidget *Dialog::GetDlgItem(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QString Dialog::GetDlgItemText(int id) const
{
    QWidget *widget = GetDlgItem(id);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    if (auto *edit = qobject_cast<QPlainTextEdit *>(widget))
        return edit->toPlainText();
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *group = qobject_cast<QGroupBox *>(widget))
        return group->title();
    return QString();
}

void Dialog::SetDlgItemText(int id, const QString &text)
{
    QWidget *widget = GetDlgItem(id);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->setText(text);
    else if (auto *edit = qobject_cast<QPlainTextEdit *>(widget))
        edit->setPlainText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(widget))
        combo->setEditText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(widget))
        group->setTitle(text);
}

void Dialog::SetDlgItemPicture(int id, int pictureId)
{
    if (auto *picture = GetDlgItem<PictureControl>(id))
        picture->setPicture(m_pictures ? m_pictures->picture(pictureId, devicePixelRatioF()) : QPixmap());
}

bool Dialog::IsDlgButtonChecked(int id) const
{
    auto *button = GetDlgItem<QAbstractButton>(id);
    return button && button->isChecked();
}

void Dialog::CheckDlgButton(int id, bool checked)
{
    if (auto *button = GetDlgItem<QAbstractButton>(id))
        button->setChecked(checked);
}

void Dialog::EnableMenuItem(int command, bool enabled)
{
    if (auto *bar = findChild<QMenuBar *>()) {
        for (QAction *action : bar->findChildren<QAction *>()) {
            if (!action->menu() && !action->isSeparator() && action->data().toInt() == command)
                action->setEnabled(enabled);
        }
    }
}

int Dialog::GetComboSelection(int id) const
{
    auto *combo = GetDlgItem<QComboBox>(id);
    if (!combo || combo->property(TypedProperty).toBool())
        return -1;
    return combo->currentIndex();
}

void Dialog::SetComboSelection(int id, int index)
{
    auto *combo = GetDlgItem<QComboBox>(id);
    if (!combo)
        return;
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    if (combo->currentIndex() < 0 && combo->isEditable())
        combo->setEditText(QString());
    combo->setProperty(TypedProperty, false);
}

void Dialog::bindText(int id, QString &member)
{
    m_boundTexts.emplace_back(id, &member);
}

void Dialog::UpdateData(bool saveAndValidate)
{
    for (const auto &[id, member] : m_boundTexts) {
        if (saveAndValidate)
            *member = GetDlgItemText(id);
        else
            SetDlgItemText(id, *member);
    }
}

void Dialog::LoadAccelerators(const AcceleratorTable &table)
{
    m_keys->loadAccelerators(table);
}

bool Dialog::AppendSystemMenuItem(int id, const QString &text)
{
    if (!m_hasSystemMenu || text.isEmpty())
        return false;
    if (!m_systemMenu)
        m_systemMenu = new QMenu(this);
    m_systemMenu->addSeparator();
    QAction *action = m_systemMenu->addAction(text);
    connect(action, &QAction::triggered, this, [this, id] { OnSysCommand(id); });
    return true;
}

void Dialog::popUpSystemMenu(const QPoint &globalPos)
{
    if (m_systemMenu && !m_systemMenu->isEmpty())
        m_systemMenu->popup(globalPos);
}

void Dialog::SetTimer(int id, int milliseconds)
{
    KillTimer(id);
    const int timerId = startTimer(milliseconds);
    if (timerId != 0)
        m_timers[id] = timerId;
}

void Dialog::KillTimer(int id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    killTimer(it->second);
    m_timers.erase(it);
}

void Dialog::timerEvent(QTimerEvent *event)
{
    for (const auto &[id, timerId] : m_timers) {
        if (timerId == event->timerId()) {
            const int ourId = id; // OnTimer may change m_timers
            OnTimer(ourId);
            return;
        }
    }
    QDialog::timerEvent(event);
}

void Dialog::SetIcon(const QIcon &icon)
{
    setWindowIcon(icon);
}

int Dialog::MessageBox(const QString &text, MessageButtons buttons)
{
    return messageBox(this, text, buttons);
}

void Dialog::keyPressEvent(QKeyEvent *event)
{
    if (!m_keys->handleEnterOrEscape(this, event))
        QDialog::keyPressEvent(event);
}

void Dialog::closeEvent(QCloseEvent *event)
{
    // The close box is the Cancel command; the window closes only if OnCancel ends it.
    if (m_runState != RunState::Running) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    OnCommand(IdCancel);
}

void Dialog::contextMenuEvent(QContextMenuEvent *event)
{
    // Only the background and the static controls open the window menu, not buttons or edits.
    QWidget *child = childAt(mapFromGlobal(event->globalPos()));
    if (child && child->focusPolicy() != Qt::NoFocus) {
        event->ignore();
        return;
    }
    popUpSystemMenu(event->globalPos());
}

} // namespace dialogkit
