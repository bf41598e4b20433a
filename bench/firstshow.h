// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <functional>

// For the offscreen start-up (startupbench shown): once a window of class Window has been painted
// for the first time, prints "shown" on stdout and hands the window to `close`, which ends it as
// the user would, so the program exits. Watches every object of the application while it lives.
template <class Window>
class FirstShowReport : public QObject
{
public:
    explicit FirstShowReport(std::function<void(Window *)> close) : m_close(std::move(close))
    {
        QApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<Window *>(watched);
        if (window && event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            // Queued, so the painted frame (all its controls) is handed to the window system first.
            QTimer::singleShot(0, window, [this, window] {
                std::puts("shown");
                std::fflush(stdout);
                m_close(window);
            });
        }
        return false;
    }

private:
    std::function<void(Window *)> m_close;
    bool m_reported = false;
};
