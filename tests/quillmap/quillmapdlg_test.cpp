#include "boardart.h"
#include "quillmap/infolayer.h"
#include "quillmap/newlayer.h"
#include "quillmap/quillmap.h"
#include "windowtesting.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace quillmapresources;
using dialogkit::IdCancel;
using dialogkit::IdOk;
using leveldata::Board;

namespace {

const QString Refused = QStringLiteral("Этот блок не льзя менять!");
const QString NoPlayer =
    QStringLiteral("Игра не может быть без игрока или с колличеством больше одного игрока.");
const QString ItemsDiffer = QStringLiteral(
    "Колличество предметов и колличество мест под предметы должно быть одинакого.");
const QString CloseQuestion = QStringLiteral(
    "Внимание при выходе из программы могут быть утеряны несохраненные данные. "
    "Вы уверену, что хотите выйте из программы?");
const QString SaveFailed = QStringLiteral("Не удалось сохранить уровень.");

const leveldata::LevelInfo SomeInfo{"Автор", "Имя", "Средний", "Победа!"};

Board allWalls()
{
    return Board();
}

// One player, two items, two places; the '+' is a 5 in the file.
const Board Ready = boardFromArt({
    "###############",
    "#.............#",
    "#.@...........#",
    "#...$.....o...#",
    "#.....###.....#",
    "#...$.....o...#",
    "#.............#",
    "#.............#",
    "#.............#",
    "#.............#",
    "#.............#",
    "###############",
});

// The [Layer] keys of a file in file order, and its section names in order.
QStringList layerKeys(const QStringList &lines)
{
    QStringList keys;
    bool inLayer = false;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('[')))
            inLayer = line == QStringLiteral("[Layer]");
        else if (inLayer && line.contains(QLatin1Char('=')))
            keys << line.section(QLatin1Char('='), 0, 0);
    }
    return keys;
}

QStringList sections(const QStringList &lines)
{
    QStringList names;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('[')))
            names << line;
    }
    return names;
}

} // namespace

class QuillmapDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QApplication::setApplicationName(QStringLiteral("Quillmap"));
        CQuillmapApp::registerPictures();
    }

    void init()
    {
        // New level reads and writes NewLayer.lay in the current folder.
        QVERIFY(m_dir.emplace().isValid());
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
    }

    void cleanup()
    {
        QDir::setCurrent(m_previousDir);
        m_dir.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QWidgetList leaked = QApplication::topLevelWidgets();
        for (QWidget *w : leaked)
            qWarning() << "leaked top-level window" << w;
        QVERIFY(leaked.isEmpty());
    }

    void escapeInStartOpensAnAllWallEditor_data()
    {
        QTest::addColumn<bool>("chooseFirst");
        QTest::newRow("nothing chosen") << false;
        QTest::newRow("after a choice") << true;
    }
    void escapeInStartOpensAnAllWallEditor()
    {
        QFETCH(bool, chooseFirst);
        quillmap::EditorState state;
        writeLevelFile(m_dir->filePath("old.lay"), Ready, SomeInfo);
        state.loadLevel(m_dir->filePath("old.lay").toStdString());
        state.setLevelInfo({});
        CQuillmapDlg editor(state);
        ModalWatch<CStart> start([chooseFirst](CStart *d) {
            if (chooseFirst)
                d->GetDlgItem<QRadioButton>(NewLevelRadio)->click();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        Board shown;
        int marker = 0;
        QString caption;
        whenEditorUp(editor, [&] {
            shown = shownBoard(editor);
            marker = shownPicture(editor, MarkerPicture);
            caption = editor.windowTitle();
        });
        QCOMPARE(editor.DoModal(), EndedByTest);
        QCOMPARE(shown, allWalls());
        QCOMPARE(state.board(), allWalls());
        QCOMPARE(marker, int(WallPicture));
        QCOMPARE(caption, QStringLiteral("Quillmap"));
        QVERIFY(!QFile::exists(QStringLiteral("NewLayer.lay")));
    }

    void leaveInStartEndsAtOnce()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch questions;
        bool shown = false;
        whenEditorUp(editor, [&shown] { shown = true; });
        QCOMPARE(runEditor(editor, CStart::LeaveChoice), IdCancel);
        QVERIFY(!shown);
        QVERIFY(questions.texts.isEmpty());
        QVERIFY(QDir::current().entryList(QDir::Files).isEmpty());
    }

    void lastStartChoiceWins()
    {
        // New level, then Edit level, then OK: only the open dialog runs.
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        ModalWatch<CStart> start([](CStart *d) {
            d->GetDlgItem<QRadioButton>(NewLevelRadio)->click();
            d->GetDlgItem<QRadioButton>(EditLevelRadio)->click();
            clickButton(*d, IdOk);
        });
        writeLevelFile(m_dir->filePath("mine.lay"), Ready, SomeInfo);
        FileDialogWatch files(m_dir->filePath("mine.lay"));
        ModalWatch<CNewLayer> newLevel([](CNewLayer *d) { QTest::keyClick(d, Qt::Key_Escape); });
        whenEditorUp(editor, [] {});
        QCOMPARE(editor.DoModal(), EndedByTest);
        QCOMPARE(files.titles, QStringList{QStringLiteral("Открыть файл.")});
        QCOMPARE(files.filters, QStringList{QStringLiteral("Файл Уровня")});
        QCOMPARE(newLevel.count(), 0);
        QCOMPARE(state.board(), Ready);
        QCOMPARE(state.levelInfo(), SomeInfo);
        QCOMPARE(QString::fromStdString(state.levelPath().string()), m_dir->filePath("mine.lay"));
    }

    void cursorMovesAndRefusals()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch messages;
        runEditor(editor, 0, [&] {
            press(&editor, Qt::Key_Left);
            press(&editor, Qt::Key_Up);
            QCOMPARE(messages.texts, (QStringList{Refused, Refused}));
            QCOMPARE(state.cursorCell(), 16);
            QCOMPARE(shownBoard(editor), allWalls());

            press(&editor, Qt::Key_Right);
            QCOMPARE(shownPicture(editor, 1017), int(CursorPicture));
            QCOMPARE(shownPicture(editor, 1016), int(WallPicture));
            for (int i = 0; i < 9; ++i)
                press(&editor, Qt::Key_Down);
            QCOMPARE(state.cursorCell(), 152);
            QCOMPARE(messages.texts.size(), 2);
            press(&editor, Qt::Key_Down);
            QCOMPARE(messages.texts.size(), 3);
            QCOMPARE(shownPicture(editor, 1152), int(CursorPicture));
            QCOMPARE(shownPicture(editor, 1017), int(WallPicture));
        });
    }

    void digitKeysChangeOnlyTheMarker_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("code");
        QTest::newRow("1 wall") << int(Qt::Key_1) << int(WallPicture) << leveldata::Wall;
        QTest::newRow("2 player") << int(Qt::Key_2) << int(PlayerPicture) << leveldata::Player;
        QTest::newRow("3 place") << int(Qt::Key_3) << int(ItemPlacePicture) << leveldata::ItemPlace;
        QTest::newRow("4 floor") << int(Qt::Key_4) << int(FloorPicture) << leveldata::Floor;
        QTest::newRow("5 item") << int(Qt::Key_5) << int(ItemPicture) << leveldata::Item;
    }
    void digitKeysChangeOnlyTheMarker()
    {
        QFETCH(int, key);
        QFETCH(int, picture);
        QFETCH(int, code);
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        runEditor(editor, 0, [&] {
            press(&editor, Qt::Key_4);   // a brush other than every row's
            press(&editor, Qt::Key(key));
            QCOMPARE(shownPicture(editor, MarkerPicture), picture);
            QCOMPARE(shownBoard(editor), allWalls());
            QCOMPARE(state.board(), allWalls());
            // The next accepted move leaves the brush behind.
            press(&editor, Qt::Key_Down);
            QCOMPARE(state.board()[16], code);
            QCOMPARE(shownPicture(editor, 1016), picture);
            QCOMPARE(shownPicture(editor, MarkerPicture), picture);
        });
    }

    void failedSaveCheckShowsItsMessageAndNoFileDialog_data()
    {
        QTest::addColumn<Board>("board");
        QTest::addColumn<int>("brushKey");
        QTest::addColumn<QString>("message");
        Board noPlayer = Ready;
        noPlayer[32] = leveldata::Floor;
        Board twoPlayers = Ready;
        twoPlayers[33] = leveldata::Player;
        Board threeItems = Ready;
        threeItems[100] = leveldata::Item;
        Board cursorOnFloor = Ready;
        cursorOnFloor[100] = leveldata::Cursor;
        QTest::newRow("no player") << noPlayer << int(Qt::Key_1) << NoPlayer;
        QTest::newRow("two players") << twoPlayers << int(Qt::Key_1) << NoPlayer;
        QTest::newRow("items and places differ") << threeItems << int(Qt::Key_1) << ItemsDiffer;
        QTest::newRow("player brush on the cursor cell") << cursorOnFloor << int(Qt::Key_2) << NoPlayer;
    }
    void failedSaveCheckShowsItsMessageAndNoFileDialog()
    {
        QFETCH(Board, board);
        QFETCH(int, brushKey);
        QFETCH(QString, message);
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch messages;
        FileDialogWatch files;
        runEditor(editor, 0, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), board));
            press(&editor, Qt::Key(brushKey));
            clickButton(editor, SaveLevelButton);
        });
        QCOMPARE(messages.texts, QStringList{message});
        QCOMPARE(files.count(), 0);
        QCOMPARE(state.board(), board);
    }

    void saveWritesTheWholeLevel()
    {
        // The cursor cell of a loaded 5 with brush Player is the level's one player.
        Board board = Ready;
        board[32] = leveldata::Floor;
        board[100] = leveldata::Cursor;
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch messages;
        FileDialogWatch files(m_dir->filePath("saved"));
        runEditor(editor, 0, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), board, SomeInfo));
            press(&editor, Qt::Key_2);
            clickButton(editor, RefreshButton);
            QCOMPARE(shownPicture(editor, 1100), int(CursorPicture));
            clickButton(editor, SaveLevelButton);
            QCOMPARE(shownPicture(editor, 1100), int(PlayerPicture));
        });
        QVERIFY(messages.texts.isEmpty());
        QCOMPARE(files.titles, QStringList{QStringLiteral("Сохранение Уровня")});
        QCOMPARE(files.filters, QStringList{QStringLiteral("Файл Уровня (.lay)")});
        // The default extension is added to the typed name.
        const QString saved = m_dir->filePath("saved.lay");
        const QStringList lines = fileLines(saved);
        QCOMPARE(sections(lines),
                 (QStringList{"[Layer]", "[AUTOR]", "[NAMELAYER]", "[YROVWN]", "[TEXT]"}));
        QStringList expectedKeys;
        for (int i = 0; i < leveldata::CellCount; ++i)
            expectedKeys << QString::number(i);
        QCOMPARE(layerKeys(lines), expectedKeys);
        const leveldata::EditorLevel level = leveldata::readEditorLevel(saved.toStdString());
        QVERIFY(std::find(level.board.begin(), level.board.end(), leveldata::Cursor) == level.board.end());
        Board expected = board;
        expected[100] = leveldata::Player;
        QCOMPARE(level.board, expected);
        QCOMPARE(level.info, SomeInfo);
        QCOMPARE(state.board(), expected);
        // Saving does not change the level path.
        QCOMPARE(QString::fromStdString(state.levelPath().string()), m_dir->filePath("given.lay"));
    }

    void cancelledSaveWritesNothingAndKeepsTheCursor()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        FileDialogWatch files;   // cancels
        runEditor(editor, 0, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), Ready, SomeInfo));
            press(&editor, Qt::Key_4);
            press(&editor, Qt::Key_Right);
            clickButton(editor, SaveLevelButton);
            QCOMPARE(files.count(), 1);
            QCOMPARE(shownPicture(editor, 1017), int(CursorPicture));
            QCOMPARE(state.board()[17], leveldata::Cursor);
        });
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{QStringLiteral("given.lay")});
    }

    void failedSaveSaysSoAndKeepsTheCursor()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch messages;
        FileDialogWatch files(m_dir->filePath("missing/folder/level.lay"));
        runEditor(editor, 0, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), Ready, SomeInfo));
            press(&editor, Qt::Key_4);
            press(&editor, Qt::Key_Right);
            clickButton(editor, SaveLevelButton);
            QCOMPARE(shownPicture(editor, 1017), int(CursorPicture));
        });
        QCOMPARE(files.count(), 1);
        QCOMPARE(messages.texts, QStringList{SaveFailed});
        QCOMPARE(state.board()[17], leveldata::Cursor);
    }

    void newLevelIsDrawnByTheTimer()
    {
        // A board saved into the scratch file before comes back with the new level.
        writeLevelFile(QStringLiteral("NewLayer.lay"), Ready, SomeInfo);
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        ModalWatch<CNewLayer> newLevel([](CNewLayer *d) {
            d->GetDlgItem<QLineEdit>(AuthorEdit)->setText(QStringLiteral("Новый автор"));
            clickButton(*d, LevelInfoOkButton);
        });
        runEditor(editor, 0, [&] {
            press(&editor, Qt::Key_Right);   // the cursor survives a new level
            QElapsedTimer clock;
            clock.start();
            clickButton(editor, NewLevelButton);
            QCOMPARE(newLevel.count(), 1);
            QCOMPARE(state.board(), Ready);
            if (clock.elapsed() < 80)
                QCOMPARE(shownPicture(editor, 1017), int(CursorPicture));
            QTRY_COMPARE_WITH_TIMEOUT(shownBoard(editor), Ready, 2000);
            QVERIFY(clock.elapsed() >= 100);
            QCOMPARE(state.cursorCell(), 17);
        });
        QCOMPARE(state.levelInfo(), (leveldata::LevelInfo{"Новый автор", "", "Тестовый", ""}));
        QCOMPARE(state.levelPath(), quillmap::scratchLevelPath());
        QCOMPARE(leveldata::readEditorLevel("NewLayer.lay").board, Ready);
    }

    void openLevelIsDrawnByTheTimer()
    {
        Board board = Ready;
        board[20] = leveldata::Cursor;
        board[21] = 7;
        const QString path = m_dir->filePath("given.lay");
        writeLevelFile(path, board, SomeInfo);
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        FileDialogWatch files(path);
        runEditor(editor, 0, [&] {
            QElapsedTimer clock;
            clock.start();
            clickButton(editor, OpenLevelButton);
            QCOMPARE(state.board(), board);
            if (clock.elapsed() < 80)
                QCOMPARE(shownBoard(editor), allWalls());
            Board shown = board;
            shown[21] = -1;   // a code without a picture shows a blank cell
            QTRY_COMPARE_WITH_TIMEOUT(shownBoard(editor), shown, 2000);
            QCOMPARE(shownPicture(editor, 1020), int(CursorPicture));
        });
        QCOMPARE(state.levelInfo(), SomeInfo);
    }

    void cancelledOpenSaysSoThenAsksForANewLevel()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch messages;
        FileDialogWatch files;   // cancels
        ModalWatch<CNewLayer> newLevel([](CNewLayer *d) { QTest::keyClick(d, Qt::Key_Escape); });
        runEditor(editor, 0, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), Ready, SomeInfo));
            clickButton(editor, OpenLevelButton);
        });
        QCOMPARE(files.count(), 1);
        QCOMPARE(messages.texts,
                 QStringList{QStringLiteral("Вы не выбрали файл, или выбрали поврежденный файл.")});
        QCOMPARE(newLevel.count(), 1);
        QCOMPARE(state.board(), Ready);   // both cancelled: the level stays
        QCOMPARE(QString::fromStdString(state.levelPath().string()), m_dir->filePath("given.lay"));
    }

    void levelDataRoundTrip()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        QString shownName;
        int shownDifficulty = -2;
        ModalWatch<CInfoLayer> info([&](CInfoLayer *d) {
            shownName = d->GetDlgItemText(NameEdit);
            shownDifficulty = d->GetComboSelection(DifficultyCombo);
            d->GetDlgItem<QLineEdit>(NameEdit)->setText(QStringLiteral("Второе"));
            d->m_difficultyList->setCurrentIndex(6);
            clickButton(*d, LevelInfoOkButton);
        });
        runEditor(editor, 0, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), Ready, SomeInfo));
            press(&editor, Qt::Key_Right);
            editor.GetDlgItem<dialogkit::PictureControl>(1017)->setPicture(QPixmap());
            clickButton(editor, LevelDataButton);
            // The board is drawn again afterwards.
            QCOMPARE(shownPicture(editor, 1017), int(CursorPicture));
        });
        QCOMPARE(shownName, QStringLiteral("Имя"));
        QCOMPARE(shownDifficulty, 3);
        QCOMPARE(state.levelInfo(),
                 (leveldata::LevelInfo{"Автор", "Второе", "Нереально сложный", "Победа!"}));
        // Memory only: the file keeps its texts.
        QCOMPARE(leveldata::readEditorLevel(m_dir->filePath("given.lay").toStdString()).info, SomeInfo);
    }

    void leavingAsksFirst_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::newRow("close button, OK") << "button" << int(QMessageBox::Ok) << IdOk;
        QTest::newRow("close button, Cancel") << "button" << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("Esc, OK") << "escape" << int(QMessageBox::Ok) << IdCancel;
        QTest::newRow("Esc, Cancel") << "escape" << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("close box, OK") << "close box" << int(QMessageBox::Ok) << IdCancel;
        QTest::newRow("close box, Cancel") << "close box" << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("Enter asks nothing") << "enter" << int(QMessageBox::Ok) << EndedByTest;
    }
    void leavingAsksFirst()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(int, result);
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch questions{QMessageBox::StandardButton(answer)};
        bool stillOpen = false;
        QCOMPARE(runEditor(editor, 0, [&] {
                     if (how == QLatin1String("button"))
                         clickButton(editor, CloseProgramButton);
                     else if (how == QLatin1String("escape"))
                         QTest::keyClick(&editor, Qt::Key_Escape);
                     else if (how == QLatin1String("close box"))
                         editor.close();
                     else
                         QTest::keyClick(&editor, Qt::Key_Return);
                     QCoreApplication::processEvents();
                     stillOpen = editor.isVisible();
                 }),
                 result);
        QCOMPARE(questions.texts,
                 how == QLatin1String("enter") ? QStringList() : QStringList{CloseQuestion});
        QCOMPARE(stillOpen, result == EndedByTest);
    }

private:
    // Runs `body` once `editor` is up and active, then ends it with EndedByTest.
    static void whenEditorUp(CQuillmapDlg &editor, const std::function<void()> &body)
    {
        auto *poll = new QTimer(&editor);
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, &editor, [&editor, poll, body] {
            if (QApplication::activeModalWidget() != &editor || !editor.isActiveWindow())
                return;
            poll->stop();
            body();
            editor.EndDialog(EndedByTest);
        });
        poll->start();
    }

    std::optional<QTemporaryDir> m_dir;
    QString m_previousDir;
};

QTEST_MAIN(QuillmapDlgTest)
#include "quillmapdlg_test.moc"
