// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/solvabilityworker.h"

#include <QMetaObject>

namespace quillmap {

SolvabilityWorker::~SolvabilityWorker()
{
    // The jthread asks the search to stop and joins it; a result it posted meanwhile dies with
    // this object, whose pending events Qt drops.
    m_worker = {};
}

bool SolvabilityWorker::start(const leveldata::Board &board, std::chrono::milliseconds timeLimit, Done done)
{
    if (m_running)
        return false;
    if (m_worker.joinable())
        m_worker.join();
    m_running = true;
    m_worker = std::jthread([this, board, timeLimit, done = std::move(done)](std::stop_token stop) {
        const Solvability found = solvabilityOf(board, timeLimit, stop);
        QMetaObject::invokeMethod(
            this,
            [this, found, done] {
                m_running = false;
                done(found);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void SolvabilityWorker::cancel()
{
    if (m_running)
        m_worker.request_stop();
}

} // namespace quillmap
