// SPDX-License-Identifier: GPL-3.0-or-later
// The real game window (offscreen): one move with its showing of all 180 cells and a full
// repaint, and 1000 arrow-key presses sent as fast as they can be.
//
// Both run inside the window's own modal loop, on the sample level "Образец", where the player
// starts with floor on either side, so alternating Left and Right moves the player every time.
#include "resultstable.h"

#include "cobbleton/cobbletondlg.h"
#include "cobbleton/gamestate.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <vector>

namespace {

constexpr const char *LevelFile = LEVELS_DIR "/03-sample.lay";
constexpr double MoveLimitNs = 1e6;
constexpr int KeyPresses = 1000;

cobbleton::GameState gameState;    // what the application hands its window
dialogkit::Dialog *game = nullptr; // the game window, its commands sent as Dialog's
std::vector<double> moveNs;        // every timed move of every run

// One move through the window's command (the rules, ShowBoard of all 180 cells, the victory
// test), then the whole window painted again.
void BM_MoveShowRepaint(benchmark::State &st)
{
    // The sample level in play as the Load button would put it, without its file dialog.
    if (!cobbleton::loadLevelFile(gameState, LevelFile)) {
        st.SkipWithError("the sample level cannot be read");
        return;
    }
    const cobbleton::CellIndex start = gameState.playerCell;
    bool left = true;
    bool allMoved = true;
    for (auto _ : st) {
        const auto begin = std::chrono::steady_clock::now();
        game->OnCommand(left ? cobbletonresources::MoveLeftCommand : cobbletonresources::MoveRightCommand);
        const QPixmap painted = game->grab();
        moveNs.push_back(nanosecondsSince(begin));
        benchmark::DoNotOptimize(painted.cacheKey());
        allMoved = allMoved && gameState.playerCell == (left ? start - 1 : start);
        left = !left;
    }
    if (!allMoved)
        st.SkipWithError("a move did not move the player");
}
BENCHMARK(BM_MoveShowRepaint)->Unit(benchmark::kMicrosecond);

// The presses go to the focused control, as a keyboard's would; each one is checked to have
// moved the player. The time ends when the window has been painted with the last position.
void pressArrowKeys()
{
    const bool loaded = cobbleton::loadLevelFile(gameState, LevelFile);
    game->activateWindow();
    const bool active = QTest::qWaitForWindowActive(game);
    QWidget *focus = QApplication::focusWidget();
    const cobbleton::CellIndex start = gameState.playerCell;

    int moved = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < KeyPresses; ++i) {
        const bool left = i % 2 == 0;
        QTest::keyClick(focus ? focus : game, left ? Qt::Key_Left : Qt::Key_Right);
        if (gameState.playerCell == (left ? start - 1 : start))
            ++moved;
    }
    QApplication::processEvents();
    const double ns = nanosecondsSince(begin);

    printRow({"1000 arrow-key presses to the game window, each a move",
              active ? formatDuration(ns) + " (" + formatDuration(ns / KeyPresses) + " each), " + std::to_string(moved)
                      + " moves"
                     : "n/a (the window never became active)",
              "none dropped", verdict(loaded && active && moved == KeyPresses)});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cobbleton"));
    dialogkit::PictureStore pictures; // as the application holds them
    resources::registerPictures(pictures, cobbletonresources::Pictures);

    int status = 0;
    const QTemporaryDir files; // the game's own files, kept away from the user's
    const cobbleton::GameStorage storage(files.filePath("config").toStdString(), files.filePath("data").toStdString());
    cobbleton::GameSession session(gameState, storage, {});
    cobbleton::CCobbletonDlg window(gameState, session, pictures);
    game = &window;
    QTimer::singleShot(0, &window, [&] {
        status = runBenchmarks(argc, argv, {});
        ResultRow median{"One move in the game window (ShowBoard of 180 cells, full repaint), median", "n/a", "≤ 1 ms",
                         "n/a"};
        ResultRow worst{"One move in the game window, 99th percentile", "n/a"};
        if (!moveNs.empty() && status == 0) {
            const double ns = percentile(moveNs, 0.5);
            median.value = formatDuration(ns);
            median.verdict = verdict(ns <= MoveLimitNs);
            worst.value =
                formatDuration(percentile(moveNs, 0.99)) + " (of " + std::to_string(moveNs.size()) + " moves)";
        }
        printRow(median);
        printRow(worst);
        pressArrowKeys();
        window.EndDialog(dialogkit::IdCancel);
    });
    window.DoModal();
    return status;
}
