// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// dialogkit — our dialog framework over Qt Widgets.
//
// A window is one class derived from dialogkit::Dialog, built from a DialogTemplate (the
// program's resources/, see templates.h) and run modally with DoModal(). The game window,
// cobbleton/cobbletondlg.{h,cpp}, is a complete example: its constructor registers a handler per
// command (setCommandHandler), OnInitDialog loads the accelerators and shows the board, and the
// handlers turn commands into calls to the game's rules and show what those return.
//
// Every button click, radio-button click, menu item and accelerator key arrives as
// OnCommand(id), which calls the handler registered with setCommandHandler(); with none, IdOk runs
// OnOK(), IdCancel runs OnCancel(), and any other id does nothing.
// Keys: Enter presses the focused push button; elsewhere it is the command of the template's
// default button (IdOk when there is none), even in a multi-line edit without WantReturn.
// Esc, the close box and Alt+F4 are IdCancel. A dialog without SystemMenu has no close box.
// Accelerators (LoadAccelerators) act before any control sees the key, whichever control has the
// focus, only while this window is the active one (a message box on top takes its own keys), once
// per press or auto-repeat (per press only for an entry that does not repeat); digits mean the
// main keyboard. A focused text box keeps the keys it types, and a key listed twice in one table
// does nothing.
// Timers (SetTimer) repeat until KillTimer and arrive as OnTimer(id) on the GUI thread.
// Texts of edits and combo boxes: GetDlgItemText / SetDlgItemText, or bindText + UpdateData.
// Message boxes and file dialogs: messagebox.h, filedialog.h; pictures and icons by resource id:
// picturestore.h; the board of 180 cell pictures: boardview.h; the About box: aboutdlg.h;
// program start-up: appsupport.h.
// Everything runs on the GUI thread; nested dialogs are local objects of the handler showing them.
// Controls are built by ControlBuilder (controlbuilder.h), keys handled by DialogKeys (dialogkeys.h).

#include "dialogkit/messagebox.h"
#include "dialogkit/templates.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QIcon;
class QMenu;

namespace dialogkit {

class DialogKeys;
class PictureStore;

class Dialog : public QDialog
{
    Q_OBJECT
public:
    // Builds the window and all its controls from `dialogTemplate` (which need not outlive it).
    // `parent` is the owner window, over which the dialog opens centred; nullptr for a program's
    // main window. Without a parent, or with a minimise box in the template, the window is a
    // Qt::Window (a main window of its own); otherwise a Qt::Dialog. The title bar has only the
    // buttons the template asks for. Picture and icon controls show the resources of `pictures`,
    // which must outlive the dialog; without a store they show nothing.
    explicit Dialog(const DialogTemplate &dialogTemplate, QWidget *parent = nullptr,
                    const PictureStore *pictures = nullptr);
    ~Dialog() override;

    // The store the dialog shows its pictures from, as it was built; nullptr for none.
    const PictureStore *pictures() const { return m_pictures; }

    // Runs OnInitDialog, then shows the window modally until EndDialog. Returns the EndDialog
    // result: IdOk (1), IdCancel (2) or whatever the window passed.
    int DoModal();

    // Ends the modal run with `result`. Called during OnInitDialog, the window is never shown and
    // takes no input (the rest of OnInitDialog still runs). Ignored when the dialog is not running.
    void EndDialog(int result);

    // Command dispatch (see the header comment). `handler` replaces an earlier one for `id`.
    void setCommandHandler(int id, std::function<void()> handler);
    template <class Window>
    void setCommandHandler(int id, void (Window::*handler)())
    {
        setCommandHandler(id, [this, handler] { (static_cast<Window *>(this)->*handler)(); });
    }

    // Sends command `id` as a click, menu item or accelerator would.
    virtual void OnCommand(int id);

    // The control with `id` (nullptr when there is none); with a type, nullptr also when the
    // control is not of that type (QPushButton, QLineEdit, QPlainTextEdit, QComboBox, QLabel,
    // QRadioButton, QCheckBox, QGroupBox, QFrame, dialogkit::PictureControl).
    QWidget *GetDlgItem(int id) const;
    template <class Control>
    Control *GetDlgItem(int id) const
    {
        return qobject_cast<Control *>(GetDlgItem(id));
    }

    // Controls are children of the client area, whose top-left corner is (0, 0) of the templates
    // and whose size is the template's size in pixels; a menu bar sits above it.

    // Adds one more control as the template would have (after all the others in tab order).
    // A radio button added this way starts a group of its own.
    QWidget *addControl(const ControlTemplate &control);

    // Text of an edit box, combo box's edit box, button or label; empty for other controls.
    QString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const QString &text);
    // Shows picture resource `pictureId` (NoPicture clears) in picture control `id`.
    void SetDlgItemPicture(int id, int pictureId);
    // Check box `id`: whether it is checked, and checking or clearing it (no command is sent).
    bool IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, bool checked);

    // Enables or grays every menu-bar item that sends `command`.
    void EnableMenuItem(int command, bool enabled);

    // Combo box list: the selected entry's index, -1 when none is selected — also after the user
    // typed into the edit box. SetComboSelection(-1) clears the selection and the edit box.
    int GetComboSelection(int id) const;
    void SetComboSelection(int id, int index);

    // Data exchange: binds a text member to edit (or combo edit) `id`. UpdateData(false) moves the
    // members into the controls (the base OnInitDialog does this), UpdateData(true) takes the
    // controls' texts into the members (the base OnOK does this). The members must outlive the
    // dialog's runs.
    void bindText(int id, QString &member);
    void UpdateData(bool saveAndValidate = true);

    // Replaces the window's accelerator table (see the header comment).
    void LoadAccelerators(const AcceleratorTable &table);

    // Adds a separator and the item `text` with command `id` to the window menu, opened by a
    // right-click on the window background or by Alt+Space; choosing it calls OnSysCommand(id).
    // Returns false (and adds nothing) when the window has no system menu or `text` is empty.
    [[nodiscard]] bool AppendSystemMenuItem(int id, const QString &text);

    // Numbered timers: SetTimer starts (or restarts) timer `id`, ticking every `milliseconds` as
    // OnTimer(id) until KillTimer(id). KillTimer of a timer that is not running does nothing.
    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);

    // The window's big and small icon.
    void SetIcon(const QIcon &icon);

    // A message box owned by this window (see messagebox.h). Returns IdOk or IdCancel.
    int MessageBox(const QString &text, MessageButtons buttons = MessageButtons::Ok);

protected:
    // Called by DoModal before the window is shown. Returns whether the framework gives the focus
    // to the first tab stop. The base moves bound members into the controls and returns true.
    virtual bool OnInitDialog();
    // The IdOk command. The base takes the controls' texts into bound members, then EndDialog(IdOk).
    virtual void OnOK();
    // The IdCancel command. The base calls EndDialog(IdCancel).
    virtual void OnCancel();
    // A window-menu command (AppendSystemMenuItem). The base does nothing.
    virtual void OnSysCommand(int id);
    // A tick of timer `id`. The base does nothing.
    virtual void OnTimer(int id);

    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    // Takes a control the builder made for `control`: its id, tab stop, default button, keys.
    QWidget *adopt(QWidget *widget, const ControlTemplate &control);
    void popUpSystemMenu(const QPoint &globalPos);

    const PictureStore *m_pictures;
    QWidget *m_client = nullptr;
    DialogKeys *m_keys = nullptr;
    bool m_hasSystemMenu = false;
    std::map<int, QWidget *> m_controls;
    std::vector<QWidget *> m_tabStops;
    std::map<int, std::function<void()>> m_handlers;
    std::vector<std::pair<int, QString *>> m_boundTexts;
    QMenu *m_systemMenu = nullptr;
    std::map<int, int> m_timers; // our timer id -> QObject timer id

    enum class RunState { Idle, Initialising, Running };
    RunState m_runState = RunState::Idle;
    bool m_endedDuringInit = false;
    int m_result = IdCancel;
};

} // namespace dialogkit
