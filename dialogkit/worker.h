// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <type_traits>
#include <utility>

namespace dialogkit {

// Runs one job at a time on a thread of its own, so that a window stays responsive while it
// works (a search, say), and hands the job's result to the window on the GUI thread. Lives on the
// GUI thread. The job gets a stop token and should return soon after a stop is requested.
class Worker : public QObject
{
public:
    Worker() = default;
    // Stops a running job and waits for it; its result is not delivered.
    ~Worker() override;

    // Starts `job(stop)` on the worker thread; `done(result)` gets what it returned on the GUI
    // thread, from the event loop. A job still running is stopped first and waited for, and its
    // result, delivered or not, is dropped. `job` is moved to the worker thread: it must own what
    // it reads.
    template <class Job, class Done>
    void run(Job job, Done done)
    {
        using Result = std::invoke_result_t<Job &, std::stop_token>;
        startTask([job = std::move(job), done = std::move(done)](std::stop_token stop) mutable {
            auto result = std::make_shared<Result>(job(stop));
            return std::function<void()>([done, result] { done(*result); });
        });
    }

    // Asks a running job to stop; what it returns then is still delivered. Nothing when none runs.
    void cancel();

    // Stops a running job and waits for it, dropping its result. Nothing when none runs.
    void stop();

    // From run() until the result is delivered (or dropped by stop()).
    bool isRunning() const { return m_running; }

private:
    void startTask(std::function<std::function<void()>(std::stop_token)> task);

    std::jthread m_thread;
    bool m_running = false;
    unsigned m_run = 0; // which run a delivered result belongs to
};

} // namespace dialogkit
