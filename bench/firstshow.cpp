// SPDX-License-Identifier: GPL-3.0-or-later
// Built into a program for the offscreen start-up (startupbench shown): once the program's first
// dialog window has been painted, prints "shown" on stdout and closes the window as the user
// would, so the program ends. It installs itself as the QApplication is made, so the program's
// main() is unchanged: gamestartup is the game's own main.cpp with this beside it.
#include <QCoreApplication>
#include <QDialog>
#include <QTimer>

#include <cstdio>

namespace {

class FirstShowReport : public QObject
{
public:
    using QObject::QObject;

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

void installFirstShowReport()
{
    QCoreApplication::instance()->installEventFilter(new FirstShowReport(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstShowReport)
