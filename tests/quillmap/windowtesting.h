#pragma once

// Helpers for the editor's window tests: answering modal windows, running the editor window,
// reading what its cells show, and level files in a temporary folder.

#include "dialogkit/dialog.h"
#include "dialogkit/picturecontrol.h"
#include "dialogkit/picturestore.h"
#include "leveldata/levelfile.h"
#include "quillmap/quillmapdlg.h"
#include "quillmap/start.h"
#include "resources/quillmap/pictures.h"
#include "resources/quillmap/windows.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>

// For as long as it lives, answers every modal window of type Window that becomes the active
// modal window, once each, and counts them.
template <class Window>
class ModalWatch
{
public:
    explicit ModalWatch(std::function<void(Window *)> answer)
        : m_answer(std::move(answer))
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
            if (!window || window == m_answered || !window->isActiveWindow())
                return;
            m_answered = window;
            ++m_count;
            m_answer(window);
        });
        m_timer.start();
    }

    int count() const { return m_count; }

private:
    std::function<void(Window *)> m_answer;
    QTimer m_timer;
    QPointer<Window> m_answered;
    int m_count = 0;
};

// Records the text of every message box and answers it with `button` (OK unless told).
class MessageWatch
{
public:
    explicit MessageWatch(QMessageBox::StandardButton button = QMessageBox::Ok)
        : m_watch([this, button](QMessageBox *box) {
              texts << box->text();
              box->button(button)->click();
          })
    {
    }
    QStringList texts;

private:
    ModalWatch<QMessageBox> m_watch;
};

// Answers every file dialog: with `name` typed and accepted, or rejected when `name` is empty.
// Records each dialog's title.
class FileDialogWatch
{
public:
    explicit FileDialogWatch(QString name = QString())
        : m_watch([this, name](QFileDialog *dialog) {
              titles << dialog->windowTitle();
              filters << dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText();
              if (name.isEmpty()) {
                  QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                  return;
              }
              dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
              QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
          })
    {
    }
    int count() const { return m_watch.count(); }
    QStringList titles;
    QStringList filters;

private:
    ModalWatch<QFileDialog> m_watch;
};

// What the test did to end the editor when its body finished.
inline constexpr int EndedByTest = 99;

// Runs `editor` modally. Its start dialog is answered with `choice` (1..3: that radio button
// and OK; 0: Esc). Once the editor itself is the active window, `body` runs and the editor is
// ended with EndedByTest, unless the body ended it. Returns what DoModal returned.
inline int runEditor(CQuillmapDlg &editor, int choice, const std::function<void()> &body = {})
{
    ModalWatch<CStart> start([choice](CStart *dialog) {
        if (choice == 0) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        dialog->GetDlgItem<QRadioButton>(quillmapresources::NewLevelRadio + choice - 1)->click();
        dialog->GetDlgItem<QPushButton>(dialogkit::IdOk)->click();
    });
    // Parented to the editor, so it is gone with it even when the editor never shows.
    auto *poll = new QTimer(&editor);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, &editor, [&editor, poll, body] {
        if (QApplication::activeModalWidget() != &editor || !editor.isActiveWindow())
            return;
        poll->stop();
        if (body)
            body();
        editor.EndDialog(EndedByTest);
    });
    poll->start();
    return editor.DoModal();
}

// Gives `window` the keyboard again, e.g. after a message box over it has closed.
inline void activate(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// Presses `key` in the active editor window.
inline void press(QWidget *window, Qt::Key key)
{
    activate(window);
    QTest::keyClick(window, key);
}

// Types `text` into `widget` key by key; unlike QTest::keyClicks it takes any characters.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

inline void clickButton(dialogkit::Dialog &dialog, int id)
{
    dialog.GetDlgItem<QPushButton>(id)->click();
}

// The picture id that picture control `controlId` shows: one of the editor's pictures, 0 for
// none, -1 for a picture that is not the editor's.
inline int shownPicture(const dialogkit::Dialog &dialog, int controlId)
{
    const QPixmap &shown = dialog.GetDlgItem<dialogkit::PictureControl>(controlId)->picture();
    if (shown.isNull())
        return 0;
    for (int id : {129, 130, 131, 132, 133, 137}) {
        if (shown.cacheKey() == dialogkit::PictureStore::picture(id).cacheKey())
            return id;
    }
    return -1;
}

// The tile codes the 180 cells show, by their pictures (-1 for a blank cell).
inline leveldata::Board shownBoard(const dialogkit::Dialog &dialog)
{
    leveldata::Board board;
    for (leveldata::CellIndex i = 0; i < leveldata::CellCount; ++i) {
        const int picture = shownPicture(dialog, 1000 + i);
        board[i] = -1;
        for (leveldata::TileCode code = 0; code <= leveldata::Cursor; ++code) {
            if (picture != 0 && dialogkit::quillmapTileImage(code) == picture)
                board[i] = code;
        }
    }
    return board;
}

// Writes a level file (the board's Cursor cells saved as Cursor) and returns its path.
inline std::filesystem::path writeLevelFile(const QString &path, leveldata::Board board,
                                            const leveldata::LevelInfo &info = {})
{
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    const std::error_code error = leveldata::writeLevel(file, board, leveldata::Cursor, info);
    if (error)
        qWarning() << "could not write" << path << QString::fromStdString(error.message());
    return file;
}

// The lines of a file, without their line ends.
inline QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
