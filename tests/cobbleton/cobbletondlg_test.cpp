#include "cobbleton/aboutdlg.h"
#include "cobbleton/cobbleton.h"
#include "cobbleton/cobbletondlg.h"
#include "cobbleton/gamestate.h"
#include "dialogkit/boardview.h"
#include "dialogkit/picturecontrol.h"
#include "dialogkit/picturestore.h"
#include "leveldata/levelfile.h"
#include "samplelevels.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using leveldata::CellIndex;

namespace {

const QString NoFileMessage = QStringLiteral("Вы не выбрали файл, или выбрали поврежденный файл.");
const QString FileDialogSeen = QStringLiteral("file: Открыть файл. | Файл Уровня");

QString sampleLevelPath(const std::string &fileName)
{
    return QStringLiteral(LEVELS_DIR "/") + QString::fromStdString(fileName);
}

// Answers every window that opens over the game: a file dialog gets the next name of `files`
// typed in and accepted (an empty name cancels it, as does an empty queue), message boxes and
// the About box get OK. Each answered window is recorded in `seen`.
class Answerer : public QObject
{
public:
    QStringList files;
    QStringList seen;

    Answerer()
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &Answerer::answer);
        m_timer.start();
    }

    qsizetype victories(const QString &text) const
    {
        return seen.count(QStringLiteral("message: ") + text);
    }

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_answered || !modal->isActiveWindow()
            || qobject_cast<CCobbletonDlg *>(modal))
            return;
        m_answered = modal;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen << QStringLiteral("message: ")
                        + box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->text();
            box->button(QMessageBox::Ok)->click();
        } else if (auto *about = qobject_cast<CAboutDlg *>(modal)) {
            QStringList texts;
            for (auto *label : about->findChildren<QLabel *>())
                if (!label->text().isEmpty())
                    texts << label->text();
            seen << QStringLiteral("about: ") + about->windowTitle() + QStringLiteral(" | ")
                        + texts.join(QStringLiteral(", "));
            about->GetDlgItem<QPushButton>(dialogkit::IdOk)->click();
        } else if (auto *fileDialog = qobject_cast<QFileDialog *>(modal)) {
            seen << QStringLiteral("file: ") + fileDialog->windowTitle() + QStringLiteral(" | ")
                        + fileDialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText();
            const QString name = files.isEmpty() ? QString() : files.takeFirst();
            if (name.isEmpty()) {
                fileDialog->reject();
            } else {
                fileDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
                QMetaObject::invokeMethod(fileDialog, "accept", Qt::QueuedConnection);
            }
        } else {
            seen << QStringLiteral("unexpected: ") + modal->metaObject()->className();
            modal->close();
        }
    }

    QTimer m_timer;
    QPointer<QWidget> m_answered;
};

// Runs the real game window and calls `play` once it is shown and active; afterwards the window
// is ended unless `play` closed it. Returns the window's DoModal result.
int runGame(const std::function<void(CCobbletonDlg &)> &play)
{
    CCobbletonDlg game;
    QTimer::singleShot(0, &game, [&game, play] {
        QTRY_VERIFY(game.isActiveWindow());
        play(game);
        if (game.isVisible())
            game.EndDialog(dialogkit::IdCancel);
    });
    return game.DoModal();
}

// Offscreen, no window manager hands the activation back when a window over the game closes.
void activate(CCobbletonDlg &game)
{
    game.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game));
}

// A key pressed on whatever has the focus in the active game window; the window is active again
// afterwards, whatever opened over it.
void press(CCobbletonDlg &game, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    activate(game);
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &game, key, modifiers);
    if (game.isVisible())
        activate(game);
}

Qt::Key keyOf(char move)
{
    switch (move) {
    case 'L': return Qt::Key_Left;
    case 'R': return Qt::Key_Right;
    case 'U': return Qt::Key_Up;
    default: return Qt::Key_Down;
    }
}

// The window's cells drawn as the tests draw boards, from the pictures they show; a cell
// without a picture is ' ', one with a picture of no tile '?'.
Art shownArt(const CCobbletonDlg &game, int rows = leveldata::BoardRows)
{
    static const std::vector<std::pair<int, char>> Tiles = {
        {131, '#'}, {129, '.'}, {133, 'o'}, {132, '@'}, {130, '$'}};
    Art art(static_cast<std::size_t>(rows));
    for (CellIndex i = 0; i < rows * leveldata::BoardColumns; ++i) {
        const QPixmap &shown =
            game.GetDlgItem<dialogkit::PictureControl>(dialogkit::cobbletonCellControlId(i))->picture();
        char symbol = shown.isNull() ? ' ' : '?';
        for (const auto &[id, tile] : Tiles)
            if (!shown.isNull() && shown.cacheKey() == dialogkit::PictureStore::picture(id).cacheKey())
                symbol = tile;
        art[static_cast<std::size_t>(leveldata::rowOf(i))] += symbol;
    }
    return art;
}

QStringList menuLines(const QMenu *menu)
{
    QStringList lines;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            lines << QStringLiteral("-");
        else if (action->menu())
            lines << action->text() + QStringLiteral(" [") + menuLines(action->menu()).join(QStringLiteral(", "))
                         + QStringLiteral("]");
        else
            lines << (action->isEnabled() ? action->text() : QStringLiteral("(%1)").arg(action->text()));
    }
    return lines;
}

void triggerEverything(QMenu *menu)
{
    for (QAction *action : menu->actions()) {
        if (action->menu())
            triggerEverything(action->menu());
        else if (!action->isSeparator())
            action->trigger();
    }
}

} // namespace

class CobbletonDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QApplication::setApplicationName(QStringLiteral("Cobbleton"));
        CCobbletonApp::RegisterPictures();
    }

    void init()
    {
        // Each test starts as a fresh program would.
        cobbleton::gameState() = cobbleton::GameState{};
        m_answerer = std::make_unique<Answerer>();
        QVERIFY(m_dir.isValid());
    }

    void cleanup()
    {
        m_answerer.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QWidgetList leaked = QApplication::topLevelWidgets();
        for (QWidget *w : leaked)
            qWarning() << "leaked top-level window" << w;
        QVERIFY(leaked.isEmpty());
    }

    void startShowsWallsAndNoMessage()
    {
        runGame([](CCobbletonDlg &game) {
            QCOMPARE(game.windowTitle(), QStringLiteral("Cobbleton"));
            QVERIFY(!game.windowIcon().isNull());
            QCOMPARE(shownArt(game), Art(12, std::string(15, '#')));
            QCOMPARE(game.GetDlgItem(dialogkit::cobbletonCellControlId(0))->geometry(), QRect(0, 0, 50, 50));
            QCOMPARE(game.GetDlgItem(dialogkit::cobbletonCellControlId(179))->geometry(),
                     QRect(700, 550, 50, 50));
            QCOMPARE(QApplication::focusWidget(), game.GetDlgItem(1120));
        });
        QCOMPARE(m_answerer->seen, QStringList{});
    }

    void loadThenArrowsKeepTheFocus_data()
    {
        QTest::addColumn<int>("loadKey");
        QTest::addColumn<int>("arrow");
        QTest::addColumn<Art>("expected");   // rows 1 to 3 after the arrow
        const std::string places = "#...$.....o...#";
        QTest::newRow("Enter on Load, Left") << int(Qt::Key_Return) << int(Qt::Key_Left)
                                             << Art{"#.............#", "#@............#", places};
        QTest::newRow("Space on Load, Right") << int(Qt::Key_Space) << int(Qt::Key_Right)
                                              << Art{"#.............#", "#..@..........#", places};
        QTest::newRow("Enter on Load, Up") << int(Qt::Key_Return) << int(Qt::Key_Up)
                                           << Art{"#.@...........#", "#.............#", places};
        QTest::newRow("Space on Load, Down") << int(Qt::Key_Space) << int(Qt::Key_Down)
                                             << Art{"#.............#", "#.............#", "#.@.$.....o...#"};
    }
    void loadThenArrowsKeepTheFocus()
    {
        QFETCH(int, loadKey);
        QFETCH(int, arrow);
        QFETCH(Art, expected);
        m_answerer->files << sampleLevelPath("03-sample.lay");
        runGame([&](CCobbletonDlg &game) {
            QWidget *load = game.GetDlgItem(1120);
            QCOMPARE(QApplication::focusWidget(), load);
            press(game, Qt::Key(loadKey));
            QCOMPARE(shownArt(game, 3)[2], "#.@...........#");
            QCOMPARE(QApplication::focusWidget(), load);
            QTest::keyClick(load, Qt::Key(arrow));
            const Art shown = shownArt(game, 4);
            QCOMPARE(Art(shown.begin() + 1, shown.end()), expected);
            QCOMPARE(QApplication::focusWidget(), load);
        });
        QCOMPARE(m_answerer->seen, QStringList{FileDialogSeen});
    }

    void cancelledFileDialog_data()
    {
        QTest::addColumn<bool>("wonFirst");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("at start: the message, no victory")
            << false << QStringList{FileDialogSeen, QStringLiteral("message: ") + NoFileMessage};
        // A level without places is won as soon as it is shown, and every showing says so again.
        const QString victory = QStringLiteral("message: Пусто, значит победа");
        QTest::newRow("after a win: the message, then the victory again")
            << true
            << QStringList{FileDialogSeen, victory, FileDialogSeen,
                           QStringLiteral("message: ") + NoFileMessage, victory};
    }
    void cancelledFileDialog()
    {
        QFETCH(bool, wonFirst);
        const Art noPlaces = {"#####", "#@.$#", "#####"};
        if (wonFirst) {
            m_answerer->files << writeLevel(QStringLiteral("empty.lay"), noPlaces,
                                            "Пусто, значит победа");
        }
        m_answerer->files << QString();
        runGame([&](CCobbletonDlg &game) {
            if (wonFirst)
                press(game, Qt::Key_Return);
            press(game, Qt::Key_Return);
            if (wonFirst)
                QCOMPARE(shownArt(game, 3), (Art{"###############", "#@.$###########", "###############"}));
            else
                QCOMPARE(shownArt(game), Art(12, std::string(15, '#')));
        });
        QFETCH(QStringList, expected);
        QCOMPARE(m_answerer->seen, expected);
    }

    void menusDoNothing()
    {
        m_answerer->files << sampleLevelPath("03-sample.lay");
        const int result = runGame([](CCobbletonDlg &game) {
            auto *bar = game.findChild<QMenuBar *>();
            QVERIFY(bar);
            QStringList menus;
            for (QAction *top : bar->actions())
                menus << top->text() + QStringLiteral(": ") + menuLines(top->menu()).join(QStringLiteral(", "));
            QCOMPARE(menus,
                     (QStringList{
                         "Файл: Новая игра, -, Продолжить игру, Сохранить игру, -, "
                         "Играть в открытые уровни [Уровень 1, Уровень 2, Уровень 3, (Уровень 4), "
                         "(Уровень 5), (Уровень 6), (Уровень 7), (Уровень 8), (Уровень 9), "
                         "(Уровень 10)], -, Дополнительные уровни, -, Выход",
                         "Настройки: Настройки игры",
                         "Справка: Справка, О игре"}));

            press(game, Qt::Key_Return);
            const Art before = shownArt(game);
            for (QAction *top : bar->actions())
                triggerEverything(top->menu());
            QCoreApplication::processEvents();
            QVERIFY(game.isVisible());   // "Выход" included
            QCOMPARE(shownArt(game), before);
        });
        QCOMPARE(result, dialogkit::IdCancel);
        QCOMPARE(m_answerer->seen, QStringList{FileDialogSeen});   // "О игре" opened nothing
    }

    void aboutFromTheWindowMenu()
    {
        runGame([](CCobbletonDlg &game) {
            press(game, Qt::Key_Space, Qt::AltModifier);
            QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            const QList<QAction *> actions = menu->actions();
            QVERIFY(actions.size() >= 2);
            QCOMPARE(actions.last()->text(), QStringLiteral("&About Cobbleton..."));
            QVERIFY(actions.at(actions.size() - 2)->isSeparator());
            menu->setActiveAction(actions.last());
            QTest::keyClick(menu, Qt::Key_Return);
            QTRY_VERIFY(!QApplication::activePopupWidget());
            QVERIFY(game.isVisible());
        });
        QCOMPARE(m_answerer->seen,
                 QStringList{QStringLiteral("about: About Cobbleton | Cobbleton Version 1.0")});
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Esc") << QStringLiteral("esc") << true;
        QTest::newRow("close box") << QStringLiteral("close") << true;
        QTest::newRow("Alt+F4") << QStringLiteral("altf4") << true;
        QTest::newRow("Enter off the Load button") << QStringLiteral("enter") << false;
    }
    void closing()
    {
        QFETCH(QString, how);
        QFETCH(bool, closes);
        bool stillOpen = false;
        const int result = runGame([&](CCobbletonDlg &game) {
            if (how == QLatin1String("esc")) {
                press(game, Qt::Key_Escape);
            } else if (how == QLatin1String("close")) {
                game.close();
            } else if (how == QLatin1String("altf4")) {
                press(game, Qt::Key_F4, Qt::AltModifier);
            } else {
                game.GetDlgItem(1120)->clearFocus();
                QCOMPARE(QApplication::focusWidget(), nullptr);
                QTest::keyClick(&game, Qt::Key_Return);
            }
            stillOpen = game.isVisible();
        });
        QCOMPARE(stillOpen, !closes);
        QCOMPARE(result, dialogkit::IdCancel);
        QCOMPARE(m_answerer->seen, QStringList{});
    }

    void victoryBoxOncePerShowing()
    {
        const QString victory = QStringLiteral("Победа! «Всё» <на местах> & даже больше");
        m_answerer->files << writeLevel(QStringLiteral("won.lay"),
                                        {"######", "#.@$o#", "#....#", "######"}, victory.toStdString());
        runGame([&](CCobbletonDlg &game) {
            press(game, Qt::Key_Return);
            QStringList perKey;
            for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Up, Qt::Key_Left}) {
                const qsizetype before = m_answerer->victories(victory);
                press(game, key);
                perKey << QString::number(m_answerer->victories(victory) - before);
            }
            // The winning push, the same push against the wall, then three plain steps.
            QCOMPARE(perKey, (QStringList{"1", "0", "1", "1", "1"}));
        });
        QCOMPARE(m_answerer->seen.count(FileDialogSeen), 1);
        QCOMPARE(m_answerer->seen.size(), 5);
    }

    void sampleLevelsPlayToTheirVictory_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < sampleLevels().size(); ++i)
            QTest::newRow(sampleLevels()[i].fileName.c_str()) << int(i);
    }
    void sampleLevelsPlayToTheirVictory()
    {
        QFETCH(int, index);
        const SampleLevel &level = sampleLevels()[static_cast<std::size_t>(index)];
        const QString victory = QString::fromStdString(level.info.victoryMessage);
        m_answerer->files << sampleLevelPath(level.fileName);
        qsizetype beforeLastMove = -1;
        runGame([&](CCobbletonDlg &game) {
            press(game, Qt::Key_Return);
            for (std::size_t i = 0; i < level.solution.size(); ++i) {
                if (i + 1 == level.solution.size())
                    beforeLastMove = m_answerer->victories(victory);
                press(game, keyOf(level.solution[i]));
            }
        });
        QCOMPARE(beforeLastMove, 0);
        QCOMPARE(m_answerer->seen, (QStringList{FileDialogSeen, QStringLiteral("message: ") + victory}));
    }

private:
    // A level file in this test's folder with the drawn board and `victory` as its message.
    QString writeLevel(const QString &name, const Art &art, const std::string &victory)
    {
        const QString path = m_dir.filePath(name);
        leveldata::Board board = boardFromArt(art);
        const std::error_code error = leveldata::writeLevel(
            QFile::encodeName(path).toStdString(), board, leveldata::Floor,
            {"Тест", name.toStdString(), "Тестовый", victory});
        if (error)
            qWarning() << "cannot write" << path << error.message().c_str();
        return path;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Answerer> m_answerer;
};

QTEST_MAIN(CobbletonDlgTest)
#include "cobbletondlg_test.moc"
