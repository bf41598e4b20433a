// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests of the editor window share: the window run as the program runs it, with the
// editor's pictures, and the level files they give it.

#include "dialogkit/picturestore.h"
#include "leveldata/levelfile.h"
#include "quillmap/quillmapdlg.h"
#include "resources/quillmap/pictures.h"
#include "resources/quillmap/windows.h"
#include "tests/support/boardart.h"
#include "tests/windowtesting/windowtesting.h"

#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <optional>

namespace editortesting {

inline const QString NoFile = QString::fromUtf8(quillmapresources::NoFileMessage);
inline const leveldata::LevelInfo SomeInfo{"Автор", "Имя", "Средний", "Победа!"};

// The tile codes the editor's cells show.
leveldata::Board shown(const quillmap::CQuillmapDlg &editor);

// Writes a level file (Cursor cells as Cursor) with SomeInfo and returns its path.
std::filesystem::path writeLevelFile(const QString &path, const leveldata::Board &board);

inline void click(dialogkit::Dialog &dialog, int id)
{
    dialog.GetDlgItem<QPushButton>(id)->click();
}

// Every entry of a folder, hidden ones too.
QStringList entriesOf(const QString &folder);

// The editor's pictures, registered as the application registers them.
struct EditorPictures : dialogkit::PictureStore
{
    EditorPictures();
};

// An editor window on a fresh level; its message boxes are answered with `answer` and its file
// dialogs given `names` (see FileDialogWatch).
struct Editor
{
    explicit Editor(QStringList names = {}, QMessageBox::StandardButton answer = QMessageBox::Ok)
        : window(state, pictures), messages(answer), files(std::move(names))
    { }
    // Runs the window with Esc in its start dialog (an all-wall board), then `body`.
    int run(const std::function<void()> &body);

    quillmap::EditorState state;
    EditorPictures pictures;
    quillmap::CQuillmapDlg window;
    windowtesting::MessageWatch messages;
    windowtesting::FileDialogWatch files;
};

// The base of each test class: Qt's own dialogs, and every test function in a fresh current
// folder (a new level reads and writes NewLayer.lay there) that leaves no window behind.
class EditorWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { windowtesting::setUp(QStringLiteral("Quillmap")); }
    void init() { m_dir.emplace(); }
    void cleanup()
    {
        m_dir.reset();
        windowtesting::checkNoWindowLeaked();
    }

protected:
    std::optional<windowtesting::ScratchFolder> m_dir;
};

} // namespace editortesting
