// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/gamelauncher.h"

#include "dialogkit/filedialog.h"
#include "quillmap/editorstate.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>

namespace quillmap {

namespace {

constexpr int StartTimeoutMs = 10000;
constexpr int EndTimeoutMs = 3000;

} // namespace

GameLauncher::GameLauncher(QObject *parent) : QObject(parent)
{ }

GameLauncher::~GameLauncher()
{
    for (const Game &game : m_games) {
        game.process->disconnect(this);
        game.process->terminate();
        if (!game.process->waitForFinished(EndTimeoutMs)) {
            game.process->kill();
            game.process->waitForFinished(EndTimeoutMs);
        }
        QFile::remove(game.levelFile);
    }
}

QString GameLauncher::findGame(const QString &programDir, const QString &pathVariable)
{
    const QString name = QStringLiteral("cobbleton");
    if (!programDir.isEmpty()) {
        const QString beside = QStandardPaths::findExecutable(name, {programDir});
        if (!beside.isEmpty())
            return beside;
    }
    const QStringList folders = pathVariable.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    return folders.isEmpty() ? QString() : QStandardPaths::findExecutable(name, folders);
}

GameLauncher::Result GameLauncher::play(const QString &game, const EditorState &state)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/quillmap-XXXXXX.lay"));
    file.setAutoRemove(false);
    if (!file.open())
        return Result::NotWritten;
    const QString levelFile = file.fileName();
    file.close();
    if (const std::error_code error = state.writeCopy(dialogkit::pathFromQString(levelFile)); error) {
        QFile::remove(levelFile);
        return Result::NotWritten;
    }

    auto *process = new QProcess(this);
    process->setProgram(game);
    process->setArguments({levelFile});
    // Nobody reads the game's output here: it goes where the editor's own goes.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(StartTimeoutMs)) {
        delete process;
        QFile::remove(levelFile);
        return Result::NotStarted;
    }
    connect(process, &QProcess::finished, this, [this, process, levelFile] {
        QFile::remove(levelFile);
        forget(process);
    });
    m_games.push_back({process, levelFile});
    return Result::Started;
}

void GameLauncher::forget(QProcess *process)
{
    m_games.erase(
        std::remove_if(m_games.begin(), m_games.end(), [process](const Game &game) { return game.process == process; }),
        m_games.end());
    process->deleteLater();
}

} // namespace quillmap
