#include "cobbleton/aboutdlg.h"
#include "cobbleton/cobbleton.h"
#include "cobbleton/cobbletondlg.h"
#include "cobbleton/gamestate.h"
#include "leveldata/levelfile.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"
#include "tests/support/boardart.h"
#include "tests/windowtesting/windowtesting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <string_view>

using namespace windowtesting;
using cobbleton::CAboutDlg;
using cobbleton::CCobbletonApp;
using cobbleton::CCobbletonDlg;
using leveldata::Board;

namespace {

const QString NoFileMessage = QString::fromUtf8(cobbletonresources::NoFileMessage);
// The example level and a recorded way to win it; the rules replay every shipped level.
const QString ExampleLevel = QStringLiteral(LEVELS_DIR "/03-sample.lay");
const std::string ExampleSolution = "RDRRRRRRLLLLLLDDRRRRRR";

Board shown(const CCobbletonDlg &game)
{
    return shownBoard(game, cobbletonresources::cellControlId, cobbletonresources::tilePictureId);
}

Qt::Key keyOf(char move)
{
    return std::array{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}[std::string_view("LRUD").find(move)];
}

// Writes a level without places into `path`: won as soon as it is shown.
void writeNoPlaceLevel(const QString &path, const std::string &victory)
{
    QVERIFY(!leveldata::writeLevel(QFile::encodeName(path).toStdString(),
                                   testsupport::boardFromArt({"#####", "#@.$#", "#####"}),
                                   {"Тест", "Пусто", "Тестовый", victory}));
}

// Triggers every item of `menu` and its submenus; returns the items as lines: "-" a separator,
// "(text)" a grayed item, "text [items]" a submenu.
QStringList triggerEverything(const QMenu *menu)
{
    QStringList lines;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            lines << QStringLiteral("-");
        else if (action->menu())
            lines << action->text() + " [" + triggerEverything(action->menu()).join(", ") + ']';
        else
            lines << (action->isEnabled() ? action->text() : '(' + action->text() + ')');
        action->trigger();
    }
    return lines;
}

} // namespace

class CobbletonDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setUp(QStringLiteral("Cobbleton"));
        CCobbletonApp::registerPictures();
    }
    void init() { m_state = cobbleton::GameState{}; }   // as a fresh program
    void cleanup() { checkNoWindowLeaked(); }

    void loadThenArrowsKeepTheFocus_data()
    {
        QTest::addColumn<int>("loadKey");
        QTest::addColumn<int>("arrow");
        QTest::addColumn<int>("playerCell");
        QTest::newRow("Enter on Load, Left") << int(Qt::Key_Return) << int(Qt::Key_Left) << 31;
        QTest::newRow("Space on Load, Right") << int(Qt::Key_Space) << int(Qt::Key_Right) << 33;
        QTest::newRow("Enter on Load, Up") << int(Qt::Key_Return) << int(Qt::Key_Up) << 17;
        QTest::newRow("Space on Load, Down") << int(Qt::Key_Space) << int(Qt::Key_Down) << 47;
    }
    void loadThenArrowsKeepTheFocus()
    {
        QFETCH(int, loadKey);
        QFETCH(int, arrow);
        QFETCH(int, playerCell);
        CCobbletonDlg game(m_state);
        FileDialogWatch files({ExampleLevel});
        runWindow(game, [&] {
            QWidget *load = game.GetDlgItem(cobbletonresources::LoadButton);
            press(&game, Qt::Key(loadKey));
            QCOMPARE(shown(game), testsupport::exampleBoard());
            QCOMPARE(QApplication::focusWidget(), load);
            press(&game, Qt::Key(arrow));
            QCOMPARE(m_state.playerCell, playerCell);
            QCOMPARE(shown(game), m_state.board);
            QCOMPARE(QApplication::focusWidget(), load);
        });
        QCOMPARE(files.titles, QStringList{QStringLiteral("Открыть файл.")});
        QCOMPARE(files.filters, QStringList{QStringLiteral("Файл Уровня")});
    }

    void startThenCancelledFileDialog_data()
    {
        QTest::addColumn<bool>("wonFirst");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("at start: the message, no victory") << false << QStringList{NoFileMessage};
        // A level without places is won as soon as it is shown, and every showing says so again.
        const QString victory = QStringLiteral("Пусто, значит победа");
        QTest::newRow("after a win: the message, then the victory again")
            << true << QStringList{victory, NoFileMessage, victory};
    }
    void startThenCancelledFileDialog()
    {
        QFETCH(bool, wonFirst);
        QFETCH(QStringList, messages);
        QTemporaryDir dir;
        const QString noPlaces = dir.filePath(QStringLiteral("empty.lay"));
        Board board = testsupport::boardFromArt({"#####", "#@.$#", "#####"});
        writeNoPlaceLevel(noPlaces, "Пусто, значит победа");
        CCobbletonDlg game(m_state);
        MessageWatch shownMessages;
        FileDialogWatch files(wonFirst ? QStringList{noPlaces, QString()} : QStringList{QString()});
        runWindow(game, [&] {
            // The start: walls, no message, the focus on Load.
            QCOMPARE(game.windowTitle(), QStringLiteral("Cobbleton"));
            QVERIFY(!game.windowIcon().isNull());
            QCOMPARE(shown(game), Board());
            QCOMPARE(game.GetDlgItem(cobbletonresources::cellControlId(179))->geometry(), QRect(700, 550, 50, 50));
            QCOMPARE(QApplication::focusWidget(), game.GetDlgItem(cobbletonresources::LoadButton));
            QCOMPARE(shownMessages.texts, QStringList());
            if (wonFirst)
                press(&game, Qt::Key_Return);
            press(&game, Qt::Key_Return);
            QCOMPARE(shown(game), wonFirst ? board : Board());
        });
        QCOMPARE(shownMessages.texts, messages);
    }

    void menusDoNothing()
    {
        CCobbletonDlg game(m_state);
        FileDialogWatch files({ExampleLevel});
        WatchFor<CAboutDlg> about([](CAboutDlg *d) { d->EndDialog(dialogkit::IdOk); });
        QStringList menus;
        const int result = runWindow(game, [&] {
            press(&game, Qt::Key_Return);
            for (QAction *top : game.findChild<QMenuBar *>()->actions())
                menus << top->text() + ": " + triggerEverything(top->menu()).join(", ");
            QCoreApplication::processEvents();
            QCOMPARE(shown(game), testsupport::exampleBoard());
        });
        QCOMPARE(menus, (QStringList{"Файл: Новая игра, -, Продолжить игру, Сохранить игру, -, "
                                     "Играть в открытые уровни [Уровень 1, Уровень 2, Уровень 3, (Уровень 4), "
                                     "(Уровень 5), (Уровень 6), (Уровень 7), (Уровень 8), (Уровень 9), "
                                     "(Уровень 10)], -, Дополнительные уровни, -, Выход",
                                     "Настройки: Настройки игры", "Справка: Справка, О игре"}));
        QCOMPARE(result, EndedByTest);   // "Выход" did nothing
        QCOMPARE(files.count(), 1);
        QCOMPARE(about.count(), 0);      // nor did "О игре"
    }

    void aboutFromTheWindowMenu()
    {
        CCobbletonDlg game(m_state);
        QStringList aboutTexts;
        WatchFor<CAboutDlg> about([&aboutTexts](CAboutDlg *d) {
            aboutTexts << d->windowTitle();
            for (auto *label : d->findChildren<QLabel *>())
                aboutTexts << label->text();
            QTest::keyClick(d, Qt::Key_Return);
        });
        runWindow(game, [&game] {
            press(&game, Qt::Key_Space, Qt::AltModifier);
            QCOMPARE(chooseLastPopupItem(), QStringLiteral("&About Cobbleton..."));
        });
        aboutTexts.removeAll(QString());
        QCOMPARE(aboutTexts, (QStringList{"About Cobbleton", "Cobbleton Version 1.0"}));
    }

    void closing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << dialogkit::IdCancel;
        QTest::newRow("close box") << 0 << dialogkit::IdCancel;
        QTest::newRow("Enter off the Load button does nothing") << int(Qt::Key_Return) << EndedByTest;
    }
    void closing()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        CCobbletonDlg game(m_state);
        MessageWatch messages;
        QCOMPARE(runWindow(game, [&game, key] {
                     game.GetDlgItem(cobbletonresources::LoadButton)->clearFocus();
                     QCOMPARE(QApplication::focusWidget(), nullptr);
                     if (key)
                         QTest::keyClick(&game, Qt::Key(key));
                     else
                         game.close();
                 }),
                 result);
        QCOMPARE(messages.texts, QStringList());
    }

    void victoryBoxOncePerShowing()
    {
        const QString victory =
            QString::fromStdString(leveldata::readGameLevel(ExampleLevel.toStdString()).victoryText);
        QVERIFY(!victory.isEmpty());
        CCobbletonDlg game(m_state);
        MessageWatch messages;
        FileDialogWatch files({ExampleLevel});
        QString perKey;   // victory boxes per key
        runWindow(game, [&] {
            press(&game, Qt::Key_Return);
            // The winning push, then a step (won again) and a step into a wall (nothing shown).
            for (char move : ExampleSolution + "LU") {
                const qsizetype before = messages.texts.size();
                press(&game, keyOf(move));
                perKey += QString::number(messages.texts.size() - before);
            }
        });
        QCOMPARE(perKey, QString(qsizetype(ExampleSolution.size()) - 1, '0') + "110");
        QCOMPARE(messages.texts, QStringList(2, victory));
    }

    // `arguments` after the program's name, as names in a folder holding the example level in
    // "Мои уровни/образец 3.lay" and a level without places, "пусто.lay"; `shows`: the file the
    // window shows, none for walls.
    void startWithAFileArgument_data()
    {
        const QString example = QStringLiteral("Мои уровни/образец 3.lay");
        const QString noPlaces = QStringLiteral("пусто.lay");
        const QStringList won{QStringLiteral("Победа без мест")};
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a level in a folder with a space and Cyrillic letters") << QStringList{example} << example << QStringList();
        QTest::newRow("a level without places: its victory") << QStringList{noPlaces} << noPlaces << won;
        QTest::newRow("two files: the first counts") << QStringList{noPlaces, example} << noPlaces << won;
        QTest::newRow("a missing file") << QStringList{QStringLiteral("нет.lay")} << QString() << QStringList{NoFileMessage};
        QTest::newRow("a folder") << QStringList{QStringLiteral("Мои уровни")} << QString() << QStringList{NoFileMessage};
    }
    void startWithAFileArgument()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, shows);
        QFETCH(QStringList, messages);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Мои уровни")));
        QVERIFY(QFile::copy(ExampleLevel, dir.filePath(QStringLiteral("Мои уровни/образец 3.lay"))));
        writeNoPlaceLevel(dir.filePath(QStringLiteral("пусто.lay")), "Победа без мест");
        std::vector<QByteArray> bytes{QByteArrayLiteral("cobbleton")};   // argv as main() has it
        for (const QString &argument : arguments)
            bytes.push_back(QFile::encodeName(dir.filePath(argument)));
        std::vector<char *> argv;
        for (QByteArray &argument : bytes)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        CCobbletonDlg game(m_state, CCobbletonApp::levelFileArgument(int(bytes.size()), argv.data()));
        QStringList shownMessages;
        WatchFor<QMessageBox> boxes([&](QMessageBox *box) {
            shownMessages << box->text();
            box->button(QMessageBox::Ok)->click();
            QTimer::singleShot(0, &game, [&game] { game.activateWindow(); });
        });
        const std::filesystem::path path = shows.isEmpty() ? "" : QFile::encodeName(dir.filePath(shows)).toStdString();
        runWindow(game, [&] {
            // The file is opened once the window is on screen, maybe only after this starts.
            QTRY_COMPARE(shownMessages, messages);
            QTRY_COMPARE(m_state.levelPath, path);
            QCOMPARE(shown(game), shows.isEmpty() ? Board() : leveldata::readGameLevel(path).board);
        });
        QCOMPARE(shownMessages, messages);
    }

    // Each key against the board the rules give for the moves it leads back or forward to; then
    // the victory box where an undo, redo or restart reaches the won position or leaves it.
    void undoRedoRestartKeys()
    {
        const auto after = [](const std::string &moves) {
            cobbleton::GameState rules;
            cobbleton::loadLevelFile(rules, ExampleLevel.toStdString());
            for (char move : moves)
                cobbleton::move(rules, testsupport::stepOf(move));
            return rules.board;
        };
        const std::pair<QKeyCombination, std::string> keys[] = {
            {Qt::Key_Down, "D"}, {Qt::Key_Right, "DR"}, {Qt::Key_Right, "DRR"},
            {Qt::CTRL | Qt::Key_Z, "DR"}, {Qt::Key_Backspace, "D"}, {Qt::CTRL | Qt::Key_Y, "DR"},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, "DRR"}, {Qt::CTRL | Qt::Key_R, ""}, {Qt::CTRL | Qt::Key_Z, "DRR"},
        };
        CCobbletonDlg game(m_state);
        FileDialogWatch files({ExampleLevel});
        MessageWatch messages;
        QString victories;   // victory boxes per key after the win
        runWindow(game, [&] {
            press(&game, Qt::Key_Return);
            for (const auto &[key, moves] : keys) {
                press(&game, key.key(), key.keyboardModifiers());
                QCOMPARE(shown(game), after(moves));
            }
            press(&game, Qt::Key_R, Qt::ControlModifier);
            for (char move : ExampleSolution)
                press(&game, keyOf(move));
            for (const QKeyCombination key : {Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::Key_R,
                                              QKeyCombination(Qt::Key_Backspace)}) {
                const qsizetype before = messages.texts.size();
                press(&game, key.key(), key.keyboardModifiers());
                victories += QString::number(messages.texts.size() - before);
            }
        });
        QCOMPARE(victories, QStringLiteral("0101"));
        QCOMPARE(messages.texts.size(), 3);   // the winning push, the redo, the undone restart
    }

private:
    cobbleton::GameState m_state;   // what the application would hand its window
};

QTEST_MAIN(CobbletonDlgTest)
#include "cobbletondlg_test.moc"
