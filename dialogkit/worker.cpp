// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/worker.h"

#include <QMetaObject>

namespace dialogkit {

Worker::~Worker()
{
    // A result posted meanwhile dies with this object, whose pending events Qt drops.
    stop();
}

void Worker::startTask(std::function<std::function<void()>(std::stop_token)> task)
{
    stop();
    m_running = true;
    const unsigned run = ++m_run;
    m_thread = std::jthread([this, run, task = std::move(task)](std::stop_token stop) {
        std::function<void()> deliver = task(stop);
        QMetaObject::invokeMethod(
            this,
            [this, run, deliver = std::move(deliver)] {
                // A result of a run that stop() dropped, posted before the thread was joined.
                if (run != m_run)
                    return;
                m_running = false;
                deliver();
            },
            Qt::QueuedConnection);
    });
}

void Worker::cancel()
{
    if (m_running)
        m_thread.request_stop();
}

void Worker::stop()
{
    m_thread = {}; // asks the job to stop and joins it
    if (m_running) {
        m_running = false;
        ++m_run;
    }
}

} // namespace dialogkit
