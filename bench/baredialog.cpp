// The baseline for the game's start-up time and memory: a Qt program that shows nothing but one
// empty modal dialog of the game window's size (500 x 390 dialog units, 750 x 634 pixels).
//
// With --exit-when-shown, or BENCH_EXIT_WHEN_SHOWN set in the environment, it prints
// "shown <milliseconds since main>" on stdout once the dialog has been painted for the first
// time and ends at once; startupbench waits for that line.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QTimer>

#include <cstdio>

namespace {

class BareDialog : public QDialog
{
public:
    BareDialog(const QElapsedTimer &sinceMain, bool exitWhenShown)
        : m_sinceMain(sinceMain), m_exitWhenShown(exitWhenShown)
    {
        setWindowTitle(QStringLiteral("Bare dialog"));
        setFixedSize(750, 634);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QDialog::paintEvent(event);
        if (!m_exitWhenShown || m_reported)
            return;
        m_reported = true;
        // Queued, so the painted frame is handed to the window system before the report.
        QTimer::singleShot(0, this, [this] {
            std::printf("shown %.1f\n", m_sinceMain.nsecsElapsed() / 1e6);
            std::fflush(stdout);
            done(Accepted);
        });
    }

private:
    const QElapsedTimer &m_sinceMain;
    bool m_exitWhenShown;
    bool m_reported = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    const bool exitWhenShown = qEnvironmentVariableIsSet("BENCH_EXIT_WHEN_SHOWN")
                               || app.arguments().contains(QStringLiteral("--exit-when-shown"));
    BareDialog dialog(sinceMain, exitWhenShown);
    dialog.exec();
    return 0;
}
