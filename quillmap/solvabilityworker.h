// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quillmap/solvability.h"

#include <QObject>

#include <functional>
#include <thread>

namespace quillmap {

// Runs solvabilityOf on a worker thread, one search at a time, so that the window stays
// responsive. Lives on the GUI thread; the result comes back there.
class SolvabilityWorker : public QObject
{
public:
    using Done = std::function<void(const Solvability &)>;

    SolvabilityWorker() = default;
    // Stops a running search and waits for it; its result is not delivered.
    ~SolvabilityWorker() override;

    // Starts the search on `board` for at most `timeLimit`; `done` gets the result on the GUI
    // thread, from the event loop. Returns false, starting nothing, while a search is running.
    [[nodiscard]] bool start(const leveldata::Board &board, std::chrono::milliseconds timeLimit, Done done);

    // Asks a running search to stop: its result comes as Cancelled. Does nothing when none runs.
    void cancel();

    bool isRunning() const { return m_running; }

private:
    std::jthread m_worker;
    bool m_running = false;
};

} // namespace quillmap
