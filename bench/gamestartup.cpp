// The game's start-up as startupbench measures it: this is the program's main() with one observer
// added, which prints "shown <milliseconds since main>" once the game window has been painted for
// the first time (its board of 180 cells included) and then closes the window, so the program
// ends as it would when the user closes it. The shipped program has no such hook.
#include "cobbleton/cobbleton.h"
#include "cobbleton/cobbletondlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace {

class FirstShowObserver : public QObject
{
public:
    explicit FirstShowObserver(const QElapsedTimer &sinceMain) : m_sinceMain(sinceMain) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *game = qobject_cast<cobbleton::CCobbletonDlg *>(watched);
        if (game && event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            // Queued, so the painted frame (all its cells) is handed to the window system first.
            QTimer::singleShot(0, game, [this, game] {
                std::printf("shown %.1f\n", m_sinceMain.nsecsElapsed() / 1e6);
                std::fflush(stdout);
                game->EndDialog(dialogkit::IdCancel);
            });
        }
        return false;
    }

private:
    const QElapsedTimer &m_sinceMain;
    bool m_reported = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    FirstShowObserver observer(sinceMain);
    app.installEventFilter(&observer);
    cobbleton::CCobbletonApp theApp;
    theApp.InitInstance(cobbleton::CCobbletonApp::levelFileArgument(argc, argv));
    return 0;
}
