// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/boardview.h"
#include "dialogkit/dialog.h"
#include "leveldata/board.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <vector>

// Helpers for the window tests (Qt Test, offscreen). A window that opens modally is answered
// from a zero-delay timer as soon as it is QApplication::activeModalWidget() and active, inside
// the event loop that runs it. Each watch has a timer of its own, so an answer may open another
// modal window that a second watch answers; a watch declared inside an answer lives as long as
// that answer runs.
namespace windowtesting {

// For initTestCase(): Qt's own file dialogs; `applicationName` is the message boxes' caption.
void setUp(const QString &applicationName);

// For cleanup(): deletes what waits for deletion and fails when a top-level window is left.
void checkNoWindowLeaked();

// While it lives, answers every window that `accepts`, once each.
class ModalWatch
{
public:
    ModalWatch(std::function<bool(QWidget *)> accepts, std::function<void(QWidget *)> answer);
    int count() const { return static_cast<int>(m_answered.size()); }

private:
    QTimer m_timer;
    std::vector<QPointer<QWidget>> m_answered;
};

// A ModalWatch for the windows of class Window.
template <class Window>
class WatchFor : public ModalWatch
{
public:
    explicit WatchFor(const std::function<void(Window *)> &answer)
        : ModalWatch([](QWidget *w) { return qobject_cast<Window *>(w) != nullptr; },
                     [answer](QWidget *w) { answer(qobject_cast<Window *>(w)); })
    { }
};

// While it lives, records the text of every message box and presses `button` in it.
class MessageWatch : public WatchFor<QMessageBox>
{
public:
    explicit MessageWatch(QMessageBox::StandardButton button = QMessageBox::Ok);
    QStringList texts;
};

// While it lives, answers every file dialog with the next of `names` typed in and accepted; an
// empty name, or none left, cancels it. Records each dialog's title, shown filter and the folder
// it opened in.
class FileDialogWatch : public WatchFor<QFileDialog>
{
public:
    explicit FileDialogWatch(QStringList names = {});
    QStringList titles;
    QStringList filters;
    QStringList folders;

private:
    QStringList m_names;
};

// What a test returns from DoModal when it ended the window itself.
inline constexpr int EndedByTest = 99;

// Runs `window` modally; once it is the modal window on top (after any dialog its OnInitDialog
// runs) and has the keyboard, which it is given, calls `body`, then ends the window with EndedByTest unless it is gone.
// Returns DoModal's result.
int runWindow(dialogkit::Dialog &window, const std::function<void()> &body);

// Gives `window` the keyboard again: offscreen nobody does when a window over it closes.
void activate(QWidget *window);

// Activates `window`, presses `key` on its focus widget (the window when none), and activates
// the window again while it is open (a window the key opened over it may have closed).
void press(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Waits for a popup menu (e.g. the window menu after Alt+Space), chooses its last item with the
// keyboard and returns the item's text; "" when no popup came or it did not close.
QString chooseLastPopupItem();

// The id of the registered picture that picture control `controlId` shows: 0 for none, -1 for
// a picture the dialog's store does not hold.
int shownPicture(const dialogkit::Dialog &dialog, int controlId);

// The tile codes the 180 cells show, read back through the program's mappings; -1 for a cell
// whose picture is no tile's (a blank cell included).
leveldata::Board shownBoard(const dialogkit::Dialog &dialog,
                            const dialogkit::BoardView::CellControlIdFunction &cellControlId,
                            const dialogkit::BoardView::TileImageFunction &tileImage);

// A fresh temporary folder that is the current folder while the object lives.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace windowtesting
