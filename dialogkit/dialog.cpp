#include "dialogkit/dialog.h"

#include "dialogkit/dialogunits.h"
#include "dialogkit/picturecontrol.h"
#include "dialogkit/picturestore.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace dialogkit {

namespace {

// Marks a combo box whose edit box the user typed into since its last selection.
constexpr char TypedProperty[] = "dialogkit_typed";
// Marks a multi-line edit that takes Enter for itself.
constexpr char WantReturnProperty[] = "dialogkit_wantReturn";

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void fillMenu(QMenu *menu, const std::vector<MenuItem> &items, Dialog *dialog)
{
    for (const MenuItem &item : items) {
        if (!item.text) {
            menu->addSeparator();
        } else if (!item.items.empty()) {
            QMenu *sub = menu->addMenu(QString::fromUtf8(item.text));
            sub->setEnabled(!(item.flags & Grayed));
            fillMenu(sub, item.items, dialog);
        } else {
            QAction *action = menu->addAction(QString::fromUtf8(item.text));
            action->setEnabled(!(item.flags & Grayed));
            const int command = item.command;
            QObject::connect(action, &QAction::triggered, dialog,
                             [dialog, command] { dialog->OnCommand(command); });
        }
    }
}

} // namespace

Dialog::Dialog(const DialogTemplate &dialogTemplate, QWidget *parent)
    : QDialog(parent,
              (dialogTemplate.style & MinimizeBox) ? Qt::Window : Qt::Dialog)
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
        buildMenuBar(*dialogTemplate.menu);
    m_client = new QWidget(this);
    m_client->setFixedSize(dluSize(dialogTemplate.width, dialogTemplate.height));
    layout->addWidget(m_client);

    for (const ControlTemplate &control : dialogTemplate.controls)
        addControl(control);

    // Without a window manager (or where it leaves the key to us) Alt+F4 still closes.
    auto *altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(altF4, &QShortcut::activated, this, [this] { OnCommand(IdCancel); });
    if (m_hasSystemMenu) {
        auto *altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
        connect(altSpace, &QShortcut::activated, this,
                [this] { popUpSystemMenu(m_client->mapToGlobal(QPoint(0, 0))); });
    }
}

Dialog::~Dialog() = default;

void Dialog::buildMenuBar(const MenuTemplate &menu)
{
    auto *bar = new QMenuBar(this);
    for (const MenuItem &top : menu) {
        if (!top.text)
            continue;
        if (top.items.empty()) {
            QAction *action = bar->addAction(QString::fromUtf8(top.text));
            action->setEnabled(!(top.flags & Grayed));
            const int command = top.command;
            connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
            continue;
        }
        QMenu *popup = bar->addMenu(QString::fromUtf8(top.text));
        popup->setEnabled(!(top.flags & Grayed));
        fillMenu(popup, top.items, this);
    }
    this->layout()->setMenuBar(bar);
}

QWidget *Dialog::addControl(const ControlTemplate &control)
{
    QWidget *widget = createControl(control);
    widget->setEnabled(!(control.style & Disabled));
    if (control.id != NoId)
        m_controls[control.id] = widget;
    if (control.style & TabStop)
        m_tabStops.push_back(widget);
    widget->installEventFilter(this);
    widget->show();
    return widget;
}

QWidget *Dialog::createControl(const ControlTemplate &control)
{
    const QRect rect = dluRect(control.x, control.y, control.width, control.height);
    const QString text = QString::fromUtf8(control.text);
    const Qt::FocusPolicy focus = (control.style & TabStop) ? Qt::StrongFocus : Qt::ClickFocus;
    const bool isRadio = control.kind == ControlKind::RadioButton;
    if (!isRadio)
        m_previousWasRadio = false;

    switch (control.kind) {
    case ControlKind::PushButton: {
        auto *button = new QPushButton(text, m_client);
        // Qt's own default-button logic would take Enter from us; only the template decides.
        button->setAutoDefault(false);
        if (control.style & DefaultButton) {
            button->setDefault(true);
            m_defaultButton = control.id;
        }
        button->setFocusPolicy(focus);
        button->setGeometry(rect);
        const int id = control.id;
        connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
        return button;
    }
    case ControlKind::RadioButton: {
        auto *radio = new QRadioButton(text, m_client);
        radio->setAutoExclusive(false);
        if (!m_previousWasRadio) {
            m_radioGroup = new QButtonGroup(this);
            m_radioGroup->setExclusive(true);
        }
        m_radioGroup->addButton(radio);
        m_previousWasRadio = true;
        radio->setFocusPolicy(focus);
        radio->setGeometry(rect);
        const int id = control.id;
        connect(radio, &QRadioButton::clicked, this, [this, id] { OnCommand(id); });
        return radio;
    }
    case ControlKind::StaticText: {
        auto *label = new QLabel(text, m_client);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(rect);
        return label;
    }
    case ControlKind::Picture:
    case ControlKind::Icon: {
        auto *picture = new PictureControl(m_client);
        if (control.kind == ControlKind::Icon) {
            const QIcon icon = PictureStore::icon(control.picture);
            if (!icon.isNull())
                picture->setPicture(icon.pixmap(32, 32));
        } else {
            picture->setPicture(PictureStore::picture(control.picture, devicePixelRatioF()));
        }
        picture->setPlace(rect);
        return picture;
    }
    case ControlKind::Edit: {
        if (control.style & MultiLine) {
            auto *edit = new QPlainTextEdit(m_client);
            edit->setLineWrapMode((control.style & WordWrap) ? QPlainTextEdit::WidgetWidth
                                                             : QPlainTextEdit::NoWrap);
            edit->setVerticalScrollBarPolicy((control.style & VScroll) ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAlwaysOff);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setTabChangesFocus(true);
            if (!(control.style & Border))
                edit->setFrameShape(QFrame::NoFrame);
            edit->setProperty(WantReturnProperty, bool(control.style & WantReturn));
            edit->setFocusPolicy(focus);
            edit->setGeometry(rect);
            return edit;
        }
        auto *edit = new QLineEdit(m_client);
        edit->setFrame(control.style & Border);
        edit->setFocusPolicy(focus);
        edit->setGeometry(rect);
        return edit;
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
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, combo,
                    [combo] { combo->setProperty(TypedProperty, true); });
        }
        connect(combo, &QComboBox::currentIndexChanged, combo,
                [combo] { combo->setProperty(TypedProperty, false); });
        return combo;
    }
    case ControlKind::GroupBox: {
        auto *group = new QGroupBox(text, m_client);
        group->setGeometry(rect);
        return group;
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
        return frame;
    }
    }
    return new QWidget(m_client);
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

void Dialog::OnSysCommand(int) {}

void Dialog::OnTimer(int) {}

void Dialog::onCommand(int id, std::function<void()> handler)
{
    m_handlers[id] = std::move(handler);
}

void Dialog::OnCommand(int id)
{
    auto it = m_handlers.find(id);
    if (it != m_handlers.end()) {
        // The handler may replace itself (onCommand) while it runs: call a copy.
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

bool Dialog::IsDlgButtonChecked(int id) const
{
    auto *button = GetDlgItem<QAbstractButton>(id);
    return button && button->isChecked();
}

void Dialog::SetDlgItemPicture(int id, int pictureId)
{
    if (auto *picture = GetDlgItem<PictureControl>(id))
        picture->setPicture(PictureStore::picture(pictureId, devicePixelRatioF()));
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

int Dialog::GetComboCount(int id) const
{
    auto *combo = GetDlgItem<QComboBox>(id);
    return combo ? combo->count() : 0;
}

QString Dialog::GetComboItemText(int id, int index) const
{
    auto *combo = GetDlgItem<QComboBox>(id);
    return combo ? combo->itemText(index) : QString();
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
    for (QShortcut *shortcut : m_accelerators)
        delete shortcut;
    m_accelerators.clear();
    for (const Accelerator &accelerator : table) {
        const int command = accelerator.command;
        auto *shortcut = new QShortcut(QKeySequence(accelerator.key), this);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(true);
        connect(shortcut, &QShortcut::activated, this, [this, command] { OnCommand(command); });
        m_accelerators.push_back(shortcut);
        // Qt lets a keypad key fall back to the plain key's shortcut. That is right for the
        // arrows (the keypad's arrows are arrows too), but a digit means the main keyboard: a
        // keypad twin that does nothing keeps it to itself.
        const Qt::Key key = accelerator.key.key();
        const bool isDigit = key >= Qt::Key_0 && key <= Qt::Key_9;
        if (isDigit && !(accelerator.key.keyboardModifiers() & Qt::KeypadModifier)) {
            auto *keypad = new QShortcut(
                QKeySequence(QKeyCombination(accelerator.key.keyboardModifiers() | Qt::KeypadModifier,
                                             key)),
                this);
            keypad->setContext(Qt::WindowShortcut);
            m_accelerators.push_back(keypad);
        }
    }
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
            const int ourId = id;   // OnTimer may change m_timers
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

int Dialog::defaultCommand() const
{
    return m_defaultButton != NoId ? m_defaultButton : IdOk;
}

bool Dialog::handleEnterOrEscape(QObject *target, QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        OnCommand(IdCancel);
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
    OnCommand(defaultCommand());
    return true;
}

bool Dialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && handleEnterOrEscape(watched, static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void Dialog::keyPressEvent(QKeyEvent *event)
{
    if (!handleEnterOrEscape(this, event))
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
