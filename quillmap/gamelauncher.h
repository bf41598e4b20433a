// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QProcess;

namespace quillmap {

class EditorState;

// Plays the level being edited in the game, beside the editor: each play writes the level to a
// temporary file of its own and starts the game on it. That file is removed when its game ends.
// The launcher belongs to the editor window; when it goes, games still running are ended (the
// game has read its level long before, and nothing of it is worth keeping) and their files
// removed. Needs a running event loop to see games end.
class GameLauncher : public QObject
{
    Q_OBJECT
public:
    enum class Result { Started, NotWritten, NotStarted };

    explicit GameLauncher(QObject *parent = nullptr);
    ~GameLauncher() override;

    // The game's program: the executable "cobbleton" ("cobbleton.exe" on Windows) in
    // `programDir` (the editor's own folder), else the first one in the folders listed in
    // `pathVariable` (as PATH lists them; empty entries, which would mean the current folder, are
    // skipped). Empty when there is none.
    static QString findGame(const QString &programDir, const QString &pathVariable);

    // Writes `state` as it would be saved (EditorState::writeCopy) into a new file in the
    // temporary folder (QDir::tempPath) and starts `game` with that file's path as its one
    // argument; returns once it has started. NotWritten: the file could not be written;
    // NotStarted: the game could not be run (its file is removed again). `state` is not changed.
    [[nodiscard]] Result play(const QString &game, const EditorState &state);

private:
    struct Game
    {
        QProcess *process; // owned by the launcher
        QString levelFile;
    };
    void forget(QProcess *process);

    std::vector<Game> m_games;
};

} // namespace quillmap
