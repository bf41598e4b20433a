// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's windows through their real keys and dialogs.

#include "dialogkit/filedialog.h"
#include "dialogkit/picturecontrol.h"
#include "quillmap/aboutdlg.h"
#include "quillmap/gamelauncher.h"
#include "quillmap/infolayer.h"
#include "quillmap/newlayer.h"
#include "quillmap/quillmap.h"
#include "quillmap/quillmapdlg.h"
#include "quillmap/start.h"
#include "resources/quillmap/pictures.h"
#include "resources/quillmap/windows.h"
#include "tests/support/boardart.h"
#include "tests/support/testfiles.h"
#include "tests/windowtesting/windowtesting.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

#include <cerrno>
#include <csignal>

using namespace quillmap;
using namespace quillmapresources;
using namespace windowtesting;
using dialogkit::IdCancel;
using dialogkit::IdOk;
using leveldata::Board;

namespace {

const QString NoFile = QString::fromUtf8(NoFileMessage);
const leveldata::LevelInfo SomeInfo{"Автор", "Имя", "Средний", "Победа!"};

Board shown(const CQuillmapDlg &editor)
{
    return shownBoard(editor, quillmapresources::cellControlId, quillmapresources::tilePictureId);
}

// Writes a level file (Cursor cells as Cursor) and returns its path.
std::filesystem::path writeLevelFile(const QString &path, Board board)
{
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    if (const std::error_code error = leveldata::writeLevel(file, board, SomeInfo))
        qWarning() << "could not write" << path << error.message().c_str();
    return file;
}

void click(dialogkit::Dialog &dialog, int id)
{
    dialog.GetDlgItem<QPushButton>(id)->click();
}

// An editor window on a fresh level; its message boxes are answered with `answer` and its file
// dialogs given `names` (see FileDialogWatch).
struct Editor
{
    explicit Editor(QStringList names = {}, QMessageBox::StandardButton answer = QMessageBox::Ok)
        : messages(answer), files(std::move(names))
    { }
    // Runs the window with Esc in its start dialog (an all-wall board), then `body`.
    int run(const std::function<void()> &body)
    {
        WatchFor<CStart> start([](CStart *d) { QTest::keyClick(d, Qt::Key_Escape); });
        return runWindow(window, body);
    }
    quillmap::EditorState state;
    CQuillmapDlg window{state};
    MessageWatch messages;
    FileDialogWatch files;
};

// Every entry of a folder, hidden ones too.
QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A stand-in for the game, "cobbleton" in `folder`: it writes its arguments, a copy of the level
// file it was given and its process id beside itself, in that order, then plays for `seconds`.
void putFakeGame(const QString &folder, int seconds)
{
    QFile script(folder + QStringLiteral("/cobbleton"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "printf '%s\\n' \"$@\" > \"$0.arguments\"\n"
                 "/bin/cp \"$1\" \"$0.level\"\n"
                 "echo $$ > \"$0.pid\"\n"
                 "exec /bin/sleep "
                 + QByteArray::number(seconds) + "\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

} // namespace

class QuillmapDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setUp(QStringLiteral("Quillmap"));
        CQuillmapApp::registerPictures();
    }
    void init() { m_dir.emplace(); } // New level reads and writes NewLayer.lay here
    void cleanup()
    {
        m_dir.reset();
        checkNoWindowLeaked();
    }

    // The editor's start: the start dialog's choices, or a start file instead of it, in a folder
    // holding old.lay (the example level) and NewLayer.lay (a small level).
    void start_data()
    {
        QTest::addColumn<QString>("startFile");
        QTest::addColumn<QList<int>>("radios"); // clicked in the start dialog, then `key`
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opened"); // the open dialog's answer; empty: cancelled
        QTest::addColumn<int>("result");
        QTest::addColumn<Board>("board");
        QTest::addColumn<QStringList>("messages");
        const Board walls;
        const Board old = testsupport::exampleBoard();
        const Board scratch = testsupport::boardFromArt({"####", "#@o#", "#$.#"});
        const QList<int> none, newLevel{NewLevelRadio}, edit{EditLevelRadio}, leave{LeaveRadio};
        const QList<int> newThenEdit{NewLevelRadio, EditLevelRadio};
        const int enter = Qt::Key_Return;
        const int esc = Qt::Key_Escape;
        const QStringList quiet, noChoice{QString::fromUtf8(NoChoiceMessage)}, noFile{NoFile};
        QTest::newRow("Esc: an all-wall board") << "" << none << esc << "" << EndedByTest << walls << quiet;
        QTest::newRow("Esc after a choice: the same") << "" << newLevel << esc << "" << EndedByTest << walls << quiet;
        QTest::newRow("OK without a choice says so and stays")
            << "" << none << enter << "" << EndedByTest << walls << noChoice;
        QTest::newRow("new level: the scratch file's board")
            << "" << newLevel << enter << "" << EndedByTest << scratch << quiet;
        QTest::newRow("edit level: the last click wins")
            << "" << newThenEdit << enter << "old.lay" << EndedByTest << old << quiet;
        QTest::newRow("edit level, no file chosen: says so, then a new level")
            << "" << edit << enter << "" << EndedByTest << scratch << noFile;
        QTest::newRow("leave: ends at once, no question") << "" << leave << enter << "" << IdCancel << walls << quiet;
        QTest::newRow("a start file: opened, no start dialog")
            << "old.lay" << none << 0 << "" << EndedByTest << old << quiet;
        QTest::newRow("a start file that is a folder: says so, then a new level")
            << "." << none << 0 << "" << EndedByTest << scratch << noFile;
    }
    void start()
    {
        QFETCH(QString, startFile);
        QFETCH(QList<int>, radios);
        QFETCH(int, key);
        QFETCH(QString, opened);
        QFETCH(int, result);
        QFETCH(Board, board);
        QFETCH(QStringList, messages);
        writeLevelFile(m_dir->filePath("old.lay"), testsupport::exampleBoard());
        writeLevelFile(QStringLiteral("NewLayer.lay"), testsupport::boardFromArt({"####", "#@o#", "#$.#"}));
        Editor e({opened.isEmpty() ? opened : m_dir->filePath(opened)});
        if (!startFile.isEmpty())
            e.window.setStartFile(dialogkit::pathFromQString(m_dir->filePath(startFile)));
        WatchFor<CStart> start([&](CStart *d) {
            for (int radio : radios)
                d->GetDlgItem<QRadioButton>(radio)->click();
            QTest::keyClick(d, Qt::Key(key));
            if (d->isVisible())
                QTest::keyClick(d, Qt::Key_Escape);
        });
        WatchFor<CNewLayer> newLevel([](CNewLayer *d) { click(*d, LevelInfoOkButton); });
        QCOMPARE(runWindow(e.window, [&] { QTRY_COMPARE(shown(e.window), board); }), result);
        QCOMPARE(e.messages.texts, messages);
        QCOMPARE(start.count(), startFile.isEmpty() ? 1 : 0);
    }

    // The new-level dialog starts empty at "Тестовый", ignores Enter and cuts every text at 199
    // characters, pasted ones too, so each comes back whole from a file. In a read-only folder its
    // level stays in memory, and a message says so once the dialog has ended.
    void newLevelTextsInAReadOnlyFolderStayInMemory()
    {
        QVERIFY(QDir().mkdir(QStringLiteral("locked")));
        QVERIFY(QFile::setPermissions(QStringLiteral("locked"), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(QDir::setCurrent(m_dir->filePath(QStringLiteral("locked"))));
        const QString message =
            QString::fromUtf8(ScratchNotWrittenMessage).arg(QDir::toNativeSeparators(QDir::currentPath()));
        WatchFor<CStart> start([](CStart *d) {
            d->GetDlgItem<QRadioButton>(NewLevelRadio)->click();
            click(*d, IdOk);
        });
        WatchFor<CNewLayer> description([](CNewLayer *d) {
            QCOMPARE(d->GetDlgItemText(AuthorEdit) + d->GetDlgItemText(NameEdit)
                         + d->GetDlgItemText(VictoryMessageEdit),
                     QString());
            QCOMPARE(d->GetDlgItemText(DifficultyCombo), QStringLiteral("Тестовый"));
            QTest::keyClick(d->GetDlgItem(AuthorEdit), Qt::Key_Return);
            d->GetDlgItem<QLineEdit>(AuthorEdit)->insert(QString(250, QLatin1Char('x')));
            d->GetDlgItem<QLineEdit>(NameEdit)->insert(QString(199, QLatin1Char('x')));
            QTest::keyClicks(d->GetDlgItem(NameEdit), QStringLiteral("yz"));
            d->GetDlgItem<QPlainTextEdit>(VictoryMessageEdit)->insertPlainText(QString(250, QLatin1Char('x')));
            d->SetComboSelection(DifficultyCombo, 5);
            click(*d, LevelInfoOkButton);
        });
        Editor e;
        runWindow(e.window, [&] { QCOMPARE(e.messages.texts, QStringList{message}); });
        const std::string x199(199, 'x'); // saved by the next save
        QCOMPARE(e.state.levelInfo(), (leveldata::LevelInfo{x199, x199, "Очень тяжелый", x199}));
    }

    void infoDialog_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed"); // into the drop-down's edit box; empty: nothing
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("taken");
        QTest::newRow("a stored entry is selected") << "Средний"
                                                    << "" << 3 << "Средний";
        QTest::newRow("a stored text of no entry is kept") << "средний"
                                                           << "" << -1 << "средний";
        QTest::newRow("typing an entry's text selects it") << "Средний"
                                                           << "Легкий" << 3 << "Легкий";
        QTest::newRow("typing another text keeps the old one") << "Средний"
                                                               << "Лёгкий" << 3 << "Средний";
    }
    void infoDialog()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(int, selected);
        QFETCH(QString, taken);
        CInfoLayer dialog;
        dialog.m_difficulty = stored;
        int shown = -2;
        WatchFor<CInfoLayer> answer([&](CInfoLayer *d) {
            shown = d->GetComboSelection(DifficultyCombo);
            // Only its own button ends it.
            QTest::keyClick(d->GetDlgItem(NameEdit), Qt::Key_Escape);
            QTest::keyClick(d->GetDlgItem(NameEdit), Qt::Key_Return);
            QVERIFY(d->isVisible());
            if (!typed.isEmpty()) {
                d->m_difficultyList->lineEdit()->selectAll();
                QTest::sendKeyEvent(QTest::Click, d->m_difficultyList->lineEdit(), Qt::Key_unknown, typed, {});
            }
            click(*d, LevelInfoOkButton);
        });
        QCOMPARE(dialog.DoModal(), IdOk);
        QCOMPARE(shown, selected);
        QCOMPARE(dialog.m_difficulty, taken);
    }

    void cursorAndBrushKeys()
    {
        Editor e;
        e.run([&] {
            press(&e.window, Qt::Key_Left);
            press(&e.window, Qt::Key_Up);
            QCOMPARE(e.messages.texts, QStringList(2, QString::fromUtf8(BorderCellMessage)));
            // Each brush shows in the marker and, once the cursor moves on, in the cell it leaves.
            const std::pair<Qt::Key, int> brushes[] = {{Qt::Key_2, PlayerPicture},
                                                       {Qt::Key_3, ItemPlacePicture},
                                                       {Qt::Key_4, FloorPicture},
                                                       {Qt::Key_5, ItemPicture},
                                                       {Qt::Key_1, WallPicture}};
            for (int cell = 16; const auto &[key, picture] : brushes) {
                press(&e.window, key);
                QCOMPARE(shownPicture(e.window, MarkerPicture), picture);
                press(&e.window, Qt::Key_Right);
                QCOMPARE(shownPicture(e.window, cellControlId(cell)), picture);
                QCOMPARE(shownPicture(e.window, cellControlId(++cell)), int(CursorPicture));
            }
        });
    }

    // A level of walls made with keys; the cursor ends on cell 17.
    void save_data()
    {
        QTest::addColumn<QString>("keys"); // digits, and R for the right arrow
        QTest::addColumn<QString>("name"); // typed into the save dialog; empty: cancelled
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("dialogs"); // save dialogs shown
        QTest::newRow("items and places differ: says so, no save dialog")
            << "2R5"
            << "" << QStringList{QString::fromUtf8(ItemCountMessage)} << 0;
        QTest::newRow("save dialog cancelled") << "2R4"
                                               << "" << QStringList() << 1;
        QTest::newRow("save failed: says so")
            << "2R4"
            << "missing/level.lay" << QStringList{QString::fromUtf8(SaveFailedMessage)} << 1;
        QTest::newRow("saved in a Cyrillic folder, with the suffix")
            << "2R4"
            << "Уровни Пети/склад у реки" << QStringList() << 1;
    }
    void save()
    {
        QFETCH(QString, keys);
        QFETCH(QString, name);
        QFETCH(QStringList, messages);
        QFETCH(int, dialogs);
        const bool saved = !name.isEmpty() && messages.isEmpty();
        QVERIFY(QDir().mkdir(QStringLiteral("Уровни Пети")));
        Editor e({name.isEmpty() ? name : m_dir->filePath(name)});
        e.run([&] {
            for (QChar key : keys)
                press(&e.window, key == 'R' ? Qt::Key_Right : Qt::Key(key.unicode()));
            click(e.window, SaveLevelButton);
            // Drawn again: the cursor is seen until a save writes the brush in its place.
            QCOMPARE(shownPicture(e.window, cellControlId(17)), int(saved ? FloorPicture : CursorPicture));
        });
        QCOMPARE(e.messages.texts, messages);
        QCOMPARE(e.files.titles, QStringList(dialogs, QStringLiteral("Сохранение Уровня")));
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList());
        QCOMPARE(entriesOf(QStringLiteral("Уровни Пети")),
                 saved ? QStringList{QStringLiteral("склад у реки.lay")} : QStringList());
    }

    void newAndOpenedLevelsAreDrawnByTheTimer_data()
    {
        QTest::addColumn<QString>("file"); // opened; empty: a new level, the scratch file's board
        QTest::newRow("new level") << QString();
        QTest::newRow("open a level in a Cyrillic folder") << QStringLiteral("Уровни Пети/склад у реки.lay");
    }
    void newAndOpenedLevelsAreDrawnByTheTimer()
    {
        QFETCH(QString, file);
        QVERIFY(QDir().mkdir(QStringLiteral("Уровни Пети")));
        const Board board = testsupport::exampleBoard();
        writeLevelFile(file.isEmpty() ? QStringLiteral("NewLayer.lay") : m_dir->filePath(file), board);
        Editor e({m_dir->filePath(file)});
        WatchFor<CNewLayer> newLevel([](CNewLayer *d) { click(*d, LevelInfoOkButton); });
        e.run([&] {
            press(&e.window, Qt::Key_Right); // the cursor on 17, seen until the level is drawn
            QElapsedTimer clock;
            clock.start();
            click(e.window, file.isEmpty() ? NewLevelButton : OpenLevelButton);
            // No event loop has run since the timer was armed, so nothing is drawn yet.
            QCOMPARE(shownPicture(e.window, cellControlId(17)), int(CursorPicture));
            QTRY_COMPARE_WITH_TIMEOUT(shown(e.window), board, 2000);
            QVERIFY(clock.elapsed() >= 100);
        });
    }

    // A main window of its own, the editor owns its start, level data, new level and About windows;
    // the level data change the texts in memory.
    void theEditorIsAMainWindowAndOwnsItsDialogs()
    {
        Editor e;
        e.state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), testsupport::exampleBoard()));
        QList<QWidget *> owners;
        QPoint startCentre;
        WatchFor<CStart> start([&](CStart *d) {
            owners << d->parentWidget();
            startCentre = d->geometry().center();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        WatchFor<CNewLayer> newLevel([&owners](CNewLayer *d) {
            owners << d->parentWidget();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        WatchFor<CInfoLayer> info([&owners](CInfoLayer *d) {
            owners << d->parentWidget();
            QCOMPARE(d->GetDlgItemText(NameEdit), QStringLiteral("Имя")); // the level's texts
            d->SetDlgItemText(NameEdit, QStringLiteral("Второе"));
            click(*d, LevelInfoOkButton);
        });
        WatchFor<CAboutDlg> about([&owners](CAboutDlg *d) {
            owners << d->parentWidget();
            d->EndDialog(IdOk);
        });
        runWindow(e.window, [&] {
            // Shown before the editor, the start dialog still opens over where the editor
            // appears (give or take Qt's allowance for a window frame).
            QVERIFY((startCentre - e.window.geometry().center()).manhattanLength() <= 60);
            QCOMPARE(e.window.windowType(), Qt::Window);
            e.window.GetDlgItem<dialogkit::PictureControl>(cellControlId(17))->setPicture(QPixmap());
            click(e.window, LevelDataButton);
            QCOMPARE(shownPicture(e.window, cellControlId(17)), int(WallPicture)); // drawn again afterwards
            click(e.window, NewLevelButton);
            press(&e.window, Qt::Key_Space, Qt::AltModifier);
            QCOMPARE(chooseLastPopupItem(), QStringLiteral("&About Quillmap..."));
        });
        QCOMPARE(owners, QList<QWidget *>(4, &e.window));
        // A cancelled new level keeps them; the file keeps its own.
        QCOMPARE(e.state.levelInfo(), (leveldata::LevelInfo{"Автор", "Второе", "Средний", "Победа!"}));
        QCOMPARE(leveldata::readEditorLevel(m_dir->filePath("given.lay").toStdString()).info, SomeInfo);
    }

    void leavingAsksFirst_data()
    {
        QTest::addColumn<int>("key"); // 0: the Close program button
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::newRow("Close program, OK") << 0 << int(QMessageBox::Ok) << IdOk;
        QTest::newRow("Close program, Cancel") << 0 << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("Esc, OK") << int(Qt::Key_Escape) << int(QMessageBox::Ok) << IdCancel;
        QTest::newRow("Esc, Cancel") << int(Qt::Key_Escape) << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("Enter asks nothing") << int(Qt::Key_Return) << int(QMessageBox::Ok) << EndedByTest;
    }
    void leavingAsksFirst()
    {
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(int, result);
        Editor e({}, QMessageBox::StandardButton(answer));
        QCOMPARE(e.run([&] {
            if (key == 0)
                click(e.window, CloseProgramButton);
            else
                QTest::keyClick(&e.window, Qt::Key(key));
        }),
                 result);
        QCOMPARE(e.messages.texts,
                 key == Qt::Key_Return ? QStringList() : QStringList{QString::fromUtf8(CloseQuestion)});
    }

    void playLevel_data()
    {
        QTest::addColumn<int>("first"); // the digit of cell 16's tile; the cursor then leaves floor on 17
        QTest::addColumn<int>("game");  // how long the game plays, in seconds; -1: no game anywhere
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a copy played, the cursor cell as the brush; gone when the game ends")
            << 2 << 0 << QStringList();
        QTest::newRow("a game still running ends with the editor; its copy goes") << 2 << 30 << QStringList();
        QTest::newRow("no game anywhere: says so") << 2 << -1 << QStringList{QString::fromUtf8(GameNotFoundMessage)};
        QTest::newRow("no player: the save check's message, no game")
            << 4 << 0 << QStringList{QString::fromUtf8(PlayerCountMessage)};
    }
    void playLevel()
    {
        QFETCH(int, first);
        QFETCH(int, game);
        QFETCH(QStringList, messages);
        const QString games = m_dir->filePath(QStringLiteral("games"));
        const QString temp = m_dir->filePath(QStringLiteral("temp"));
        QVERIFY(QDir().mkdir(games) && QDir().mkdir(temp));
        if (game >= 0)
            putFakeGame(games, game);
        // Back as they were afterwards: empty when they were not set, which both take as unset.
        const auto restore = qScopeGuard([path = qgetenv("PATH"), tmpdir = qgetenv("TMPDIR")] {
            qputenv("PATH", path);
            qputenv("TMPDIR", tmpdir);
        });
        qputenv("PATH", QFile::encodeName(games));
        qputenv("TMPDIR", QFile::encodeName(temp));
        {
            Editor e;
            e.state.setLevelInfo(SomeInfo);
            e.run([&] {
                for (Qt::Key key : {Qt::Key(Qt::Key_0 + first), Qt::Key_Right, Qt::Key_4})
                    press(&e.window, key);
                press(&e.window, Qt::Key_F5);
                if (!messages.isEmpty())
                    return;
                QTRY_VERIFY(QFile::exists(games + QStringLiteral("/cobbleton.pid")));
                if (game == 0)
                    QTRY_COMPARE(entriesOf(temp), QStringList());
                else
                    QCOMPARE(entriesOf(temp).size(), 1);
            });
            QCOMPARE(e.messages.texts, messages);
        }
        QCOMPARE(entriesOf(temp), QStringList());
        const auto written = [&games](const char *suffix) { // by the stand-in game, beside itself
            return testsupport::fileBytes(QFile::encodeName(games + "/cobbleton." + suffix).toStdString());
        };
        const std::string pid = written("pid");
        QCOMPARE(pid.empty(), !messages.isEmpty()); // a game started only without a message
        if (pid.empty())
            return;
        // One argument, the copy in the temporary folder: the level as a save would write it.
        QCOMPARE(QFileInfo(QString::fromStdString(written("arguments")).chopped(1)).absolutePath(), temp);
        const leveldata::EditorLevel copy = leveldata::editorLevelFromBytes(written("level"));
        QCOMPARE(testsupport::artOf(copy.board)[1], std::string("#@.############")); // the cursor as floor
        QCOMPARE(copy.info, SomeInfo);
        QVERIFY(::kill(std::stoi(pid), 0) != 0 && errno == ESRCH); // the game is over, however it ended
    }

    void checkLevel_data()
    {
        QTest::addColumn<QString>("keys"); // digits choose the brush, R moves the cursor right
        QTest::addColumn<QString>("message");
        QTest::newRow("solvable: moves and pushes")
            << "2R5R3R1" << QString::fromUtf8(SolutionFoundMessage).arg(1).arg(1);
        QTest::newRow("item in a corner: no solution") << "5R2R3R1" << QString::fromUtf8(NoSolutionMessage);
        QTest::newRow("the save check comes first") << "4" << QString::fromUtf8(PlayerCountMessage);
    }
    void checkLevel()
    {
        QFETCH(QString, keys);
        QFETCH(QString, message);
        Editor e;
        e.run([&] {
            for (QChar key : keys)
                press(&e.window, key == 'R' ? Qt::Key_Right : Qt::Key(key.unicode()));
            press(&e.window, Qt::Key_F7);
            QTRY_COMPARE(e.messages.texts, QStringList{message});
        });
    }

    // While a check runs, F7 again or Esc stops it: no verdict, and Esc does not ask to leave.
    void checkLevelStops_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("F7 again") << int(Qt::Key_F7);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void checkLevelStops()
    {
        QFETCH(int, key);
        Editor e;
        e.window.setStartFile(HARD_LEVEL); // twelve items: seconds of search at best
        QCOMPARE(runWindow(e.window,
                           [&] {
                               press(&e.window, Qt::Key_F7);
                               QCOMPARE(e.window.cursor().shape(), Qt::BusyCursor); // while it runs
                               press(&e.window, Qt::Key(key));
                               QTRY_COMPARE(e.window.cursor().shape(), Qt::ArrowCursor);
                               QCoreApplication::processEvents();
                           }),
                 EndedByTest);
        QCOMPARE(e.messages.texts, QStringList());
    }

    // The game beside the editor comes first, then PATH's folders in order. A PATH of empty entries
    // names no folder: the editor's own PATH (here folder A) is not searched instead.
    void gameLookup()
    {
        for (const QString folder : {"beside", "A", "B"}) {
            QVERIFY(QDir().mkdir(folder));
            putFakeGame(m_dir->filePath(folder), 0);
        }
        const QString a = m_dir->filePath("A"), b = m_dir->filePath("B");
        QCOMPARE(GameLauncher::findGame(m_dir->filePath("beside"), a), m_dir->filePath("beside/cobbleton"));
        QCOMPARE(GameLauncher::findGame(QString(), b + ':' + a), b + "/cobbleton");
        const auto restore = qScopeGuard([path = qgetenv("PATH")] { qputenv("PATH", path); });
        qputenv("PATH", QFile::encodeName(a));
        QCOMPARE(GameLauncher::findGame(QString(), QStringLiteral("::")), QString());
    }

private:
    std::optional<ScratchFolder> m_dir;
};

QTEST_MAIN(QuillmapDlgTest)
#include "quillmapdlg_test.moc"
