// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quillmap/levelcheck.h"

#include <QObject>

#include <functional>
#include <thread>

namespace quillmap {

// Runs checkLevel on a worker thread, one check at a time, so that the window stays responsive.
// Lives on the GUI thread; the result comes back there.
class LevelChecker : public QObject
{
public:
    using Done = std::function<void(const LevelCheck &)>;

    LevelChecker() = default;
    // Stops a running check and waits for it; its result is not delivered.
    ~LevelChecker() override;

    // Starts checking `board` for at most `timeLimit`; `done` gets the result on the GUI thread,
    // from the event loop. Returns false, starting nothing, while a check is running.
    bool start(const leveldata::Board &board, std::chrono::milliseconds timeLimit, Done done);

    // Asks a running check to stop: its result comes as Cancelled. Does nothing when none runs.
    void cancel();

    bool isRunning() const { return m_running; }

private:
    std::jthread m_worker;
    bool m_running = false;
};

} // namespace quillmap
