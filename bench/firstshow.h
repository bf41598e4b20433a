// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <cstdio>

// For the offscreen start-up (startupbench shown): once the first dialog window has been painted,
// prints "shown" on stdout and closes the window as the user would, so the program ends. Watches
// every object of the application while it lives.
class FirstShowReport : public QObject
{
public:
    FirstShowReport() { QApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QDialog *>(watched);
        if (window && window->isWindow() && event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            // Queued, so the painted frame (all its controls) is handed to the window system first.
            QTimer::singleShot(0, window, [window] {
                std::puts("shown");
                std::fflush(stdout);
                window->close();
            });
        }
        return false;
    }

private:
    bool m_reported = false;
};
