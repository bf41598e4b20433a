// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/levelchecker.h"

#include <QMetaObject>

namespace quillmap {

LevelChecker::~LevelChecker()
{
    // The jthread asks the search to stop and joins it; a result it posted meanwhile dies with
    // this object, whose pending events Qt drops.
    m_worker = {};
}

bool LevelChecker::start(const leveldata::Board &board, std::chrono::milliseconds timeLimit, Done done)
{
    if (m_running)
        return false;
    if (m_worker.joinable())
        m_worker.join();
    m_running = true;
    m_worker = std::jthread([this, board, timeLimit, done = std::move(done)](std::stop_token stop) {
        const LevelCheck check = checkLevel(board, timeLimit, stop);
        QMetaObject::invokeMethod(
            this,
            [this, check, done] {
                m_running = false;
                done(check);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void LevelChecker::cancel()
{
    if (m_running)
        m_worker.request_stop();
}

} // namespace quillmap
