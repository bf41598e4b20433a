// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/quillmap/editorwindowtest.h"

#include "quillmap/start.h"

#include <QDir>
#include <QFile>

namespace editortesting {

leveldata::Board shown(const quillmap::CQuillmapDlg &editor)
{
    return windowtesting::shownBoard(editor, quillmapresources::cellControlId, [](leveldata::TileCode code) {
        return quillmapresources::Pictures.tileImage(code);
    });
}

std::filesystem::path writeLevelFile(const QString &path, const leveldata::Board &board)
{
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    if (const std::error_code error = leveldata::writeLevel(file, board, SomeInfo); error)
        qWarning() << "could not write" << path << error.message().c_str();
    return file;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

EditorPictures::EditorPictures()
{
    resources::registerPictures(*this, quillmapresources::Pictures);
}

int Editor::run(const std::function<void()> &body)
{
    windowtesting::WatchFor<quillmap::CStart> start([](quillmap::CStart *d) { QTest::keyClick(d, Qt::Key_Escape); });
    return windowtesting::runWindow(window, body);
}

} // namespace editortesting
