// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests of the game window share: the window given what the application hands it, the
// game's pictures and a session over the shipped levels with the game's files in a fresh folder.

#include "cobbleton/cobbletondlg.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"
#include "tests/windowtesting/windowtesting.h"

#include <QFile>
#include <QTemporaryDir>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>

// The tile codes the game's cells show.
inline leveldata::Board shown(const cobbleton::CCobbletonDlg &game)
{
    return windowtesting::shownBoard(game, cobbletonresources::cellControlId, [](leveldata::TileCode code) {
        return cobbletonresources::Pictures.tileImage(code);
    });
}

// The game's keys by letter: L R U D the arrows, z and b undo (Ctrl+Z, Backspace), y and Y redo
// (Ctrl+Y, Ctrl+Shift+Z), r restart (Ctrl+R).
inline const std::map<char, QKeyCombination> GameKeys{
    {'L', Qt::Key_Left},         {'R', Qt::Key_Right},
    {'U', Qt::Key_Up},           {'D', Qt::Key_Down},
    {'z', Qt::CTRL | Qt::Key_Z}, {'b', Qt::Key_Backspace},
    {'y', Qt::CTRL | Qt::Key_Y}, {'Y', Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
    {'r', Qt::CTRL | Qt::Key_R}};

// The base of each test class: every test function starts as a fresh program on files of its own
// and leaves no window behind.
class GameWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        windowtesting::setUp(QStringLiteral("Cobbleton"));
        resources::registerPictures(m_pictures, cobbletonresources::Pictures);
    }
    void init()
    {
        m_files = std::make_unique<QTemporaryDir>();
        m_storage.emplace(QFile::encodeName(m_files->filePath("config")).toStdString(),
                          QFile::encodeName(m_files->filePath("data")).toStdString());
        startGame();
    }
    void cleanup() { windowtesting::checkNoWindowLeaked(); }

protected:
    // A fresh program on the same files.
    void startGame()
    {
        m_session.reset();
        m_state = std::make_unique<cobbleton::GameState>();
        const std::filesystem::path levels = LEVELS_DIR;
        m_session.emplace(*m_state, *m_storage, cobbleton::GameFolders{levels, levels / "campaign"});
    }

    dialogkit::PictureStore m_pictures;
    std::unique_ptr<QTemporaryDir> m_files;
    std::optional<cobbleton::GameStorage> m_storage;
    std::unique_ptr<cobbleton::GameState> m_state;
    std::optional<cobbleton::GameSession> m_session;
};
