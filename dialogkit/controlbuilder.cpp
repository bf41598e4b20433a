// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/controlbuilder.h"

#include "dialogkit/dialog.h"
#include "dialogkit/dialogunits.h"
#include "dialogkit/picturecontrol.h"
#include "dialogkit/picturestore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace dialogkit {

namespace {

QAction *addCommandAction(QWidget *menu, const MenuItem &item, Dialog &dialog)
{
    auto *action = new QAction(QString::fromUtf8(item.text), menu);
    action->setEnabled(!(item.flags & Grayed));
    action->setData(item.command);
    const int command = item.command;
    QObject::connect(action, &QAction::triggered, &dialog, [&dialog, command] { dialog.OnCommand(command); });
    menu->addAction(action);
    return action;
}

void fillMenu(QMenu *menu, const std::vector<MenuItem> &items, Dialog &dialog)
{
    for (const MenuItem &item : items) {
        if (!item.text) {
            menu->addSeparator();
        } else if (!item.items.empty()) {
            QMenu *sub = menu->addMenu(QString::fromUtf8(item.text));
            sub->setEnabled(!(item.flags & Grayed));
            fillMenu(sub, item.items, dialog);
        } else {
            addCommandAction(menu, item, dialog);
        }
    }
}

} // namespace

ControlBuilder::ControlBuilder(Dialog &dialog, QWidget *client) : m_dialog(dialog), m_client(client)
{ }

QMenuBar *ControlBuilder::createMenuBar(const MenuTemplate &menu, Dialog &dialog)
{
    auto *bar = new QMenuBar(&dialog);
    for (const MenuItem &top : menu) {
        if (!top.text)
            continue;
        if (top.items.empty()) {
            addCommandAction(bar, top, dialog);
            continue;
        }
        QMenu *popup = bar->addMenu(QString::fromUtf8(top.text));
        popup->setEnabled(!(top.flags & Grayed));
        fillMenu(popup, top.items, dialog);
    }
    return bar;
}

QWidget *ControlBuilder::create(const ControlTemplate &control)
{
    const QRect rect = dluRect(control.x, control.y, control.width, control.height);
    const QString text = QString::fromUtf8(control.text);
    const Qt::FocusPolicy focus = (control.style & TabStop) ? Qt::StrongFocus : Qt::ClickFocus;
    const int id = control.id;
    Dialog *dialog = &m_dialog;
    if (control.kind != ControlKind::RadioButton)
        m_radioGroup = nullptr;

    QWidget *widget = nullptr;
    switch (control.kind) {
    case ControlKind::PushButton: {
        auto *button = new QPushButton(text, m_client);
        // Qt's own default-button logic would take Enter from us; only the template decides.
        button->setAutoDefault(false);
        button->setDefault(control.style & DefaultButton);
        button->setFocusPolicy(focus);
        button->setGeometry(rect);
        QObject::connect(button, &QPushButton::clicked, dialog, [dialog, id] { dialog->OnCommand(id); });
        widget = button;
        break;
    }
    case ControlKind::RadioButton: {
        auto *radio = new QRadioButton(text, m_client);
        radio->setAutoExclusive(false);
        if (!m_radioGroup) {
            m_radioGroup = new QButtonGroup(dialog);
            m_radioGroup->setExclusive(true);
        }
        m_radioGroup->addButton(radio);
        radio->setFocusPolicy(focus);
        radio->setGeometry(rect);
        QObject::connect(radio, &QRadioButton::clicked, dialog, [dialog, id] { dialog->OnCommand(id); });
        widget = radio;
        break;
    }
    case ControlKind::CheckBox: {
        auto *box = new QCheckBox(text, m_client);
        box->setFocusPolicy(focus);
        box->setGeometry(rect);
        QObject::connect(box, &QCheckBox::clicked, dialog, [dialog, id] { dialog->OnCommand(id); });
        widget = box;
        break;
    }
    case ControlKind::StaticText: {
        auto *label = new QLabel(text, m_client);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(rect);
        widget = label;
        break;
    }
    case ControlKind::Picture:
    case ControlKind::Icon: {
        auto *picture = new PictureControl(m_client);
        const PictureStore *pictures = m_dialog.pictures();
        if (pictures && control.kind == ControlKind::Icon) {
            const QIcon icon = pictures->icon(control.picture);
            if (!icon.isNull())
                picture->setPicture(icon.pixmap(32, 32));
        } else if (pictures) {
            picture->setPicture(pictures->picture(control.picture, m_dialog.devicePixelRatioF()));
        }
        picture->setPlace(rect);
        widget = picture;
        break;
    }
    case ControlKind::Edit: {
        if (control.style & MultiLine) {
            auto *edit = new QPlainTextEdit(m_client);
            edit->setLineWrapMode((control.style & WordWrap) ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            edit->setVerticalScrollBarPolicy((control.style & VScroll) ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAlwaysOff);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setTabChangesFocus(true);
            if (!(control.style & Border))
                edit->setFrameShape(QFrame::NoFrame);
            edit->setProperty(WantReturnProperty, bool(control.style & WantReturn));
            edit->setReadOnly(control.style & ReadOnly);
            edit->setFocusPolicy(focus);
            edit->setGeometry(rect);
            widget = edit;
            break;
        }
        auto *edit = new QLineEdit(m_client);
        edit->setFrame(control.style & Border);
        edit->setReadOnly(control.style & ReadOnly);
        edit->setFocusPolicy(focus);
        edit->setGeometry(rect);
        widget = edit;
        break;
    }
    case ControlKind::ComboBox: {
        auto *combo = new QComboBox(m_client);
        combo->setEditable(control.style & DropDown);
        combo->setInsertPolicy(QComboBox::NoInsert);
        for (const char *item : control.items)
            combo->addItem(QString::fromUtf8(item));
        combo->setCurrentIndex(-1);
        combo->setFocusPolicy(focus);
        // The template's height includes the opened list; the closed box keeps its own height.
        combo->setGeometry(rect.x(), rect.y(), rect.width(), combo->sizeHint().height());
        if (QLineEdit *edit = combo->lineEdit()) {
            QObject::connect(edit, &QLineEdit::textEdited, combo, [combo] { combo->setProperty(TypedProperty, true); });
        }
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                         [combo] { combo->setProperty(TypedProperty, false); });
        widget = combo;
        break;
    }
    case ControlKind::GroupBox: {
        auto *group = new QGroupBox(text, m_client);
        group->setGeometry(rect);
        widget = group;
        break;
    }
    case ControlKind::BlackFrame: {
        auto *frame = new QFrame(m_client);
        if (control.style & ModalFrame) {
            frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
            frame->setLineWidth(2);
        } else {
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            QPalette palette = frame->palette();
            palette.setColor(QPalette::WindowText, Qt::black);
            frame->setPalette(palette);
        }
        frame->setGeometry(rect);
        widget = frame;
        break;
    }
    }
    if (!widget)
        widget = new QWidget(m_client);
    widget->setEnabled(!(control.style & Disabled));
    return widget;
}

} // namespace dialogkit
