// The editor's windows through their real keys and dialogs, and a level made in the editor
// won by the game's rules.

#include "cobbleton/gamestate.h"
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
#include "tests/windowtesting/windowtesting.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
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

const QString Refused = QString::fromUtf8(BorderCellMessage);
const QString NoPlayer = QString::fromUtf8(PlayerCountMessage);
const QString ItemsDiffer = QString::fromUtf8(ItemCountMessage);
const QString Question = QString::fromUtf8(CloseQuestion);
const leveldata::LevelInfo SomeInfo{"Автор", "Имя", "Средний", "Победа!"};

Board shown(const CQuillmapDlg &editor)
{
    return shownBoard(editor, quillmapresources::cellControlId, quillmapresources::tilePictureId);
}

QString pathOf(const quillmap::EditorState &state)
{
    return QString::fromStdString(state.levelPath().string());
}

// Writes a level file (Cursor cells as Cursor) and returns its path.
std::filesystem::path writeLevelFile(const QString &path, Board board)
{
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    if (const std::error_code error = leveldata::writeLevel(file, board, SomeInfo))
        qWarning() << "could not write" << path << error.message().c_str();
    return file;
}

// Runs `dialog` modally, `answer` answering it once it is up. Returns DoModal's result.
template <class Window>
int runDialog(Window &dialog, const std::function<void(Window *)> &answer)
{
    WatchFor<Window> watch(answer);
    return dialog.DoModal();
}

// Runs the editor with Esc in its start dialog (an all-wall board), then `body`.
int runEditor(CQuillmapDlg &editor, const std::function<void()> &body)
{
    WatchFor<CStart> start([](CStart *d) { QTest::keyClick(d, Qt::Key_Escape); });
    return runWindow(editor, body);
}

void click(dialogkit::Dialog &dialog, int id)
{
    dialog.GetDlgItem<QPushButton>(id)->click();
}

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
                 "exec /bin/sleep " + QByteArray::number(seconds) + "\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An environment variable set to `value` while the object lives; empty afterwards when it was
// not set before, which PATH and TMPDIR take as unset.
struct EnvironmentVariable
{
    EnvironmentVariable(const char *name, const QString &value) : name(name), old(qgetenv(name))
    {
        qputenv(name, QFile::encodeName(value));
    }
    ~EnvironmentVariable() { qputenv(name, old); }
    const char *name;
    QByteArray old;
};

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
    void init() { m_dir.emplace(); }   // New level reads and writes NewLayer.lay here
    void cleanup()
    {
        m_dir.reset();
        checkNoWindowLeaked();
    }

    void startNeedsAChoiceAndTakesTheLast()
    {
        CStart start;
        MessageWatch messages;
        const int result = runDialog<CStart>(start, [](CStart *d) {
            // Enter on the OK button and OK clicked: both say a choice is missing.
            QTest::keyClick(d->GetDlgItem<QPushButton>(IdOk), Qt::Key_Return);
            click(*d, IdOk);
            QVERIFY(d->isVisible());
            d->GetDlgItem<QRadioButton>(NewLevelRadio)->click();
            d->GetDlgItem<QRadioButton>(EditLevelRadio)->click();
            activate(d);
            QTest::keyClick(d->GetDlgItem<QPushButton>(IdOk), Qt::Key_Return);
        });
        QCOMPARE(result, IdOk);
        QCOMPARE(start.m_choice, int(CStart::EditLevelChoice));
        QCOMPARE(messages.texts, QStringList(2, QString::fromUtf8(NoChoiceMessage)));
    }

    void newLevelStartsEmptyIgnoresEnterAndEscapeWritesNothing()
    {
        CNewLayer dialog;
        const int result = runDialog<CNewLayer>(dialog, [](CNewLayer *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Создание нового Уровня."));
            QCOMPARE(d->GetDlgItemText(AuthorEdit) + d->GetDlgItemText(NameEdit) + d->GetDlgItemText(VictoryMessageEdit),
                     QString());
            QCOMPARE(d->GetDlgItemText(DifficultyCombo), QStringLiteral("Тестовый"));
            QCOMPARE(d->GetComboCount(DifficultyCombo), 7);
            QTest::keyClick(d->GetDlgItem(AuthorEdit), Qt::Key_Return);
            QVERIFY(d->isVisible());
            QTest::keyClick(d->GetDlgItem(AuthorEdit), Qt::Key_Escape);
        });
        QCOMPARE(result, IdCancel);
        QVERIFY(!QFile::exists(QStringLiteral("NewLayer.lay")));
    }

    void newLevelTakesTheTextsAtMost199Characters()
    {
        // Pasted text is cut as typed text is, so every text comes back whole from a file.
        const QString x199(199, QLatin1Char('x'));
        CNewLayer dialog;
        const int result = runDialog<CNewLayer>(dialog, [](CNewLayer *d) {
            d->GetDlgItem<QLineEdit>(AuthorEdit)->insert(QString(250, QLatin1Char('x')));
            d->GetDlgItem<QLineEdit>(NameEdit)->insert(QString(199, QLatin1Char('x')));
            QTest::keyClicks(d->GetDlgItem(NameEdit), QStringLiteral("yz"));
            d->GetDlgItem<QPlainTextEdit>(VictoryMessageEdit)->insertPlainText(QString(250, QLatin1Char('x')));
            d->SetComboSelection(DifficultyCombo, 5);
            click(*d, LevelInfoOkButton);
        });
        QCOMPARE(result, IdOk);
        const std::string x = x199.toStdString();
        QCOMPARE(dialog.levelInfo(), (leveldata::LevelInfo{x, x, "Очень тяжелый", x}));
        QVERIFY(!QFile::exists(QStringLiteral("NewLayer.lay")));   // the editor writes it
    }

    void newLevelInAReadOnlyFolderStaysInMemory()
    {
        QVERIFY(QDir().mkdir(QStringLiteral("locked")));
        QVERIFY(QFile::setPermissions(QStringLiteral("locked"), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(QDir::setCurrent(m_dir->filePath(QStringLiteral("locked"))));
        const QString message = QString::fromUtf8(ScratchNotWrittenMessage)
                                    .arg(QDir::toNativeSeparators(QDir::currentPath()));
        WatchFor<CStart> start([](CStart *d) {
            d->GetDlgItem<QRadioButton>(NewLevelRadio)->click();
            click(*d, IdOk);
        });
        WatchFor<CNewLayer> description([](CNewLayer *d) {
            d->SetDlgItemText(AuthorEdit, QStringLiteral("Тестер"));
            click(*d, LevelInfoOkButton);
        });
        MessageWatch messages;
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        runWindow(editor, [&] {
            QCOMPARE(messages.texts, QStringList{message});   // the dialog has ended
            QTRY_COMPARE(shown(editor), Board());
        });
        QVERIFY(QDir::setCurrent(m_dir->filePath(QString())));
        QCOMPARE(description.count(), 1);
        QCOMPARE(entriesOf(QStringLiteral("locked")), QStringList());
        QCOMPARE(state.levelInfo(), (leveldata::LevelInfo{"Тестер", "", "Тестовый", ""}));   // saved by the next save
    }

    void infoDifficulty_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");   // into the drop-down's edit box; empty: nothing
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("taken");
        QTest::newRow("a stored entry is selected") << "Средний" << "" << 3 << "Средний";
        QTest::newRow("a stored text of no entry is kept") << "средний" << "" << -1 << "средний";
        QTest::newRow("typing an entry's text selects it") << "Средний" << "Легкий" << 3 << "Легкий";
        QTest::newRow("typing another text keeps the old one") << "Средний" << "Лёгкий" << 3 << "Средний";
    }
    void infoDifficulty()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(int, selected);
        QFETCH(QString, taken);
        CInfoLayer dialog;
        leveldata::LevelInfo info = SomeInfo;
        info.difficulty = stored.toStdString();
        dialog.setLevelInfo(info);
        int shown = -2;
        runDialog<CInfoLayer>(dialog, [&](CInfoLayer *d) {
            shown = d->GetComboSelection(DifficultyCombo);
            if (!typed.isEmpty()) {
                d->m_difficultyList->lineEdit()->selectAll();
                QTest::sendKeyEvent(QTest::Click, d->m_difficultyList->lineEdit(), Qt::Key_unknown, typed, {});
            }
            click(*d, LevelInfoOkButton);
        });
        QCOMPARE(shown, selected);
        QCOMPARE(dialog.m_difficulty, taken);
    }

    void infoIgnoresEnterAndEscape()
    {
        CInfoLayer dialog;
        dialog.setLevelInfo(SomeInfo);
        const int result = runDialog<CInfoLayer>(dialog, [](CInfoLayer *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Информация об уровне"));
            QTest::keyClick(d->GetDlgItem(NameEdit), Qt::Key_Escape);
            QTest::keyClick(d->GetDlgItem(NameEdit), Qt::Key_Return);
            QTest::keyClick(d->GetDlgItem(VictoryMessageEdit), Qt::Key_Return);
            QTest::keyClick(d, Qt::Key_F4, Qt::AltModifier);
            QVERIFY(d->isVisible());
            d->SetDlgItemText(NameEdit, QStringLiteral("Новое имя"));
            click(*d, LevelInfoOkButton);
        });
        QCOMPARE(result, IdOk);
        QCOMPARE(dialog.levelInfo(), (leveldata::LevelInfo{"Автор", "Новое имя", "Средний", "Победа!"}));
    }

    void startChoices_data()
    {
        QTest::addColumn<QList<int>>("radios");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("opened");
        QTest::addColumn<int>("newLevels");
        QTest::addColumn<Board>("board");
        const Board walls;
        const Board old = testsupport::exampleBoard();
        QTest::newRow("Esc: an all-wall board") << QList<int>{} << false << EndedByTest << 0 << 0 << walls;
        QTest::newRow("Esc after a choice: the same") << QList<int>{NewLevelRadio} << false << EndedByTest << 0 << 0 << walls;
        QTest::newRow("new level") << QList<int>{NewLevelRadio} << true << EndedByTest << 0 << 1 << walls;
        QTest::newRow("edit level: the last click wins")
            << QList<int>{NewLevelRadio, EditLevelRadio} << true << EndedByTest << 1 << 0 << old;
        QTest::newRow("leave: ends at once, no question") << QList<int>{LeaveRadio} << true << IdCancel << 0 << 0 << walls;
    }
    void startChoices()
    {
        QFETCH(QList<int>, radios);
        QFETCH(bool, ok);
        QFETCH(int, result);
        QFETCH(int, opened);
        QFETCH(int, newLevels);
        QFETCH(Board, board);
        quillmap::EditorState state;
        state.loadLevel(writeLevelFile(m_dir->filePath("old.lay"), testsupport::exampleBoard()));
        CQuillmapDlg editor(state);
        WatchFor<CStart> start([&](CStart *d) {
            for (int radio : radios)
                d->GetDlgItem<QRadioButton>(radio)->click();
            QTest::keyClick(d, ok ? Qt::Key_Return : Qt::Key_Escape);
        });
        FileDialogWatch files({m_dir->filePath("old.lay")});
        WatchFor<CNewLayer> newLevel([](CNewLayer *d) { click(*d, LevelInfoOkButton); });
        MessageWatch messages;
        bool ran = false;
        QCOMPARE(runWindow(editor, [&] {
                     ran = true;
                     QCOMPARE(editor.windowTitle(), QStringLiteral("Quillmap"));
                     QCOMPARE(shownPicture(editor, MarkerPicture), int(WallPicture));
                     QTRY_COMPARE(shown(editor), board);
                 }),
                 result);
        QCOMPARE(ran, result == EndedByTest);
        QCOMPARE(state.board(), board);
        QCOMPARE(files.titles, QStringList(opened, QStringLiteral("Открыть файл.")));
        QCOMPARE(files.filters, QStringList(opened, QStringLiteral("Файл Уровня")));
        QCOMPARE(newLevel.count(), newLevels);
        QCOMPARE(QFile::exists(QStringLiteral("NewLayer.lay")), newLevels == 1);
        QCOMPARE(messages.texts, QStringList());
    }

    void cursorRefusalsAndPicture()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch messages;
        runEditor(editor, [&] {
            press(&editor, Qt::Key_Left);
            press(&editor, Qt::Key_Up);
            QCOMPARE(messages.texts, (QStringList{Refused, Refused}));
            QCOMPARE(shown(editor), Board());
            press(&editor, Qt::Key_Right);
            QCOMPARE(shownPicture(editor, 1017), int(CursorPicture));
            QCOMPARE(shownPicture(editor, 1016), int(WallPicture));
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
        runEditor(editor, [&] {
            press(&editor, key == Qt::Key_4 ? Qt::Key_1 : Qt::Key_4);   // first some other brush
            press(&editor, Qt::Key(key));
            QCOMPARE(shownPicture(editor, MarkerPicture), picture);
            QCOMPARE(shown(editor), Board());
            // The next accepted move leaves the brush behind.
            press(&editor, Qt::Key_Down);
            QCOMPARE(state.board()[16], code);
            QCOMPARE(shownPicture(editor, 1016), picture);
        });
    }

    void failedSaveCheckShowsItsMessageAndNoFileDialog_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no player") << 32 << leveldata::Floor << NoPlayer;
        QTest::newRow("items and places differ") << 100 << leveldata::Item << ItemsDiffer;
    }
    void failedSaveCheckShowsItsMessageAndNoFileDialog()
    {
        QFETCH(int, cell);
        QFETCH(int, code);
        QFETCH(QString, message);
        Board board = testsupport::exampleBoard();
        board[cell] = code;
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch messages;
        FileDialogWatch files;
        runEditor(editor, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), board));
            click(editor, SaveLevelButton);
        });
        QCOMPARE(messages.texts, QStringList{message});
        QCOMPARE(files.count(), 0);
    }

    void saveWritesTheLevelAndKeepsItsPath()
    {
        // With brush Player, the cursor cell of a loaded 5 is the level's one player.
        Board board = testsupport::exampleBoard();
        board[32] = leveldata::Floor;
        board[100] = leveldata::Cursor;
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch messages;
        FileDialogWatch files({m_dir->filePath("saved")});
        runEditor(editor, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), board));
            press(&editor, Qt::Key_2);
            click(editor, RefreshButton);
            QCOMPARE(shownPicture(editor, cellControlId(100)), int(CursorPicture));
            click(editor, SaveLevelButton);
            QCOMPARE(shownPicture(editor, cellControlId(100)), int(PlayerPicture));
        });
        QCOMPARE(messages.texts, QStringList());
        QCOMPARE(files.titles, QStringList{QStringLiteral("Сохранение Уровня")});
        QCOMPARE(files.filters, QStringList{QStringLiteral("Файл Уровня (.lay)")});
        board[100] = leveldata::Player;
        const leveldata::EditorLevel saved = leveldata::readEditorLevel(m_dir->filePath("saved.lay").toStdString());
        QCOMPARE(saved.board, board);
        QCOMPARE(saved.info, SomeInfo);
        QCOMPARE(pathOf(state), m_dir->filePath("given.lay"));
    }

    void unsavedKeepsTheCursor_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("save dialog cancelled") << QString() << QStringList();
        QTest::newRow("save failed: says so") << QStringLiteral("missing/folder/level.lay")
                                              << QStringList{QString::fromUtf8(SaveFailedMessage)};
    }
    void unsavedKeepsTheCursor()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, messages);
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch shownMessages;
        FileDialogWatch files({name.isEmpty() ? name : m_dir->filePath(name)});
        runEditor(editor, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), testsupport::exampleBoard()));
            press(&editor, Qt::Key_4);
            press(&editor, Qt::Key_Right);
            click(editor, SaveLevelButton);
            QCOMPARE(shownPicture(editor, 1017), int(CursorPicture));
        });
        QCOMPARE(files.count(), 1);
        QCOMPARE(shownMessages.texts, messages);
        QCOMPARE(state.board()[17], leveldata::Cursor);
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{QStringLiteral("given.lay")});
    }

    void newAndOpenAreDrawnByTheTimer_data()
    {
        QTest::addColumn<bool>("open");
        QTest::newRow("new level (the scratch file's board)") << false;
        QTest::newRow("open level") << true;
    }
    void newAndOpenAreDrawnByTheTimer()
    {
        QFETCH(bool, open);
        Board board = testsupport::exampleBoard();
        if (open) {
            board[20] = leveldata::Cursor;
            board[21] = 7;
        }
        const QString path = open ? m_dir->filePath("given.lay") : QStringLiteral("NewLayer.lay");
        writeLevelFile(path, board);
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        FileDialogWatch files({path});
        WatchFor<CNewLayer> newLevel([](CNewLayer *d) { click(*d, LevelInfoOkButton); });
        runEditor(editor, [&] {
            press(&editor, Qt::Key_Right);   // the cursor survives New and Open
            QElapsedTimer clock;
            clock.start();
            click(editor, open ? OpenLevelButton : NewLevelButton);
            QCOMPARE(state.board(), board);
            // No event loop has run since the timer was armed, so nothing is drawn yet.
            QCOMPARE(shownPicture(editor, cellControlId(17)), int(CursorPicture));
            Board drawn = board;
            drawn[21] = board[21] == 7 ? -1 : board[21];   // a code without a picture: a blank cell
            QTRY_COMPARE_WITH_TIMEOUT(shown(editor), drawn, 2000);
            QVERIFY(clock.elapsed() >= 100);
            QCOMPARE(state.cursorCell(), 17);
        });
        QCOMPARE(newLevel.count(), open ? 0 : 1);
        QCOMPARE(state.levelInfo(), open ? SomeInfo : (leveldata::LevelInfo{"", "", "Тестовый", ""}));
        QCOMPARE(pathOf(state), path);
    }

    void cancelledOpenSaysSoThenAsksForANewLevel()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch messages;
        FileDialogWatch files;   // cancels
        WatchFor<CNewLayer> newLevel([](CNewLayer *d) { QTest::keyClick(d, Qt::Key_Escape); });
        runEditor(editor, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), testsupport::exampleBoard()));
            click(editor, OpenLevelButton);
        });
        QCOMPARE(files.count(), 1);
        QCOMPARE(messages.texts, QStringList{QString::fromUtf8(NoFileMessage)});
        QCOMPARE(newLevel.count(), 1);
        QCOMPARE(state.board(), testsupport::exampleBoard());   // both cancelled: the level stays
    }

    void levelDataRoundTrip()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        QString shownInfo;
        WatchFor<CInfoLayer> info([&](CInfoLayer *d) {
            shownInfo = d->GetDlgItemText(NameEdit) + '|' + d->GetDlgItemText(DifficultyCombo);
            d->SetDlgItemText(NameEdit, QStringLiteral("Второе"));
            d->SetComboSelection(DifficultyCombo, 6);
            click(*d, LevelInfoOkButton);
        });
        runEditor(editor, [&] {
            state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), testsupport::exampleBoard()));
            press(&editor, Qt::Key_Right);
            editor.GetDlgItem<dialogkit::PictureControl>(cellControlId(17))->setPicture(QPixmap());
            click(editor, LevelDataButton);
            QCOMPARE(shownPicture(editor, 1017), int(CursorPicture));   // drawn again afterwards
        });
        QCOMPARE(shownInfo, QStringLiteral("Имя|Средний"));
        QCOMPARE(state.levelInfo(), (leveldata::LevelInfo{"Автор", "Второе", "Нереально сложный", "Победа!"}));
        // Memory only: the file keeps its texts.
        QCOMPARE(leveldata::readEditorLevel(m_dir->filePath("given.lay").toStdString()).info, SomeInfo);
    }

    void leavingAsksFirst_data()
    {
        QTest::addColumn<int>("key");   // 0: the Close program button, 1: the close box
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::newRow("Close program, OK") << 0 << int(QMessageBox::Ok) << IdOk;
        QTest::newRow("Close program, Cancel") << 0 << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("Esc, OK") << int(Qt::Key_Escape) << int(QMessageBox::Ok) << IdCancel;
        QTest::newRow("Esc, Cancel") << int(Qt::Key_Escape) << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("close box, Cancel") << 1 << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("Enter asks nothing") << int(Qt::Key_Return) << int(QMessageBox::Ok) << EndedByTest;
    }
    void leavingAsksFirst()
    {
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(int, result);
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        MessageWatch questions{QMessageBox::StandardButton(answer)};
        QCOMPARE(runEditor(editor, [&] {
                     if (key == 0)
                         click(editor, CloseProgramButton);
                     else if (key == 1)
                         editor.close();
                     else
                         QTest::keyClick(&editor, Qt::Key(key));
                 }),
                 result);
        QCOMPARE(questions.texts, key == Qt::Key_Return ? QStringList() : QStringList{Question});
    }

    void theEditorIsAMainWindowAndOwnsItsDialogs()
    {
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        QList<QWidget *> owners;
        QPoint startCentre;
        WatchFor<CStart> start([&](CStart *d) {
            owners << d->parentWidget();
            startCentre = d->geometry().center();
            d->GetDlgItem<QRadioButton>(NewLevelRadio)->click();
            click(*d, IdOk);
        });
        WatchFor<CNewLayer> newLevel([&owners](CNewLayer *d) {
            owners << d->parentWidget();
            click(*d, LevelInfoOkButton);
        });
        WatchFor<CInfoLayer> info([&owners](CInfoLayer *d) {
            owners << d->parentWidget();
            click(*d, LevelInfoOkButton);
        });
        WatchFor<CAboutDlg> about([&owners](CAboutDlg *d) {
            owners << d->parentWidget();
            d->EndDialog(IdOk);
        });
        runWindow(editor, [&] {
            // Shown before the editor, the start dialog still opens over where the editor
            // appears (give or take Qt's allowance for a window frame).
            QVERIFY((startCentre - editor.geometry().center()).manhattanLength() <= 60);
            QCOMPARE(editor.windowType(), Qt::Window);
            QVERIFY(!(editor.windowFlags() & Qt::WindowMinimizeButtonHint));
            click(editor, LevelDataButton);
            press(&editor, Qt::Key_Space, Qt::AltModifier);
            QCOMPARE(chooseLastPopupItem(), QStringLiteral("&About Quillmap..."));
        });
        QCOMPARE(owners, QList<QWidget *>(4, &editor));
    }

    void startFile_data()
    {
        QTest::addColumn<QString>("file");   // in the scratch folder, which holds given.lay and a folder
        QTest::addColumn<bool>("opened");
        QTest::newRow("a level: opened without the start dialog") << "given.lay" << true;
        QTest::newRow("a missing file: the message, then a new level") << "missing.lay" << false;
        QTest::newRow("a folder: the same") << "folder" << false;
    }
    void startFile()
    {
        QFETCH(QString, file);
        QFETCH(bool, opened);
        writeLevelFile(m_dir->filePath("given.lay"), testsupport::exampleBoard());
        QVERIFY(QDir().mkdir(QStringLiteral("folder")));
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        editor.setStartFile(dialogkit::pathFromQString(m_dir->filePath(file)));
        WatchFor<CStart> start([](CStart *d) { QTest::keyClick(d, Qt::Key_Escape); });
        WatchFor<CNewLayer> newLevel([](CNewLayer *d) { QTest::keyClick(d, Qt::Key_Escape); });
        MessageWatch messages;
        runWindow(editor, [&] {
            QTRY_COMPARE(shown(editor), opened ? testsupport::exampleBoard() : Board());
        });
        QCOMPARE(start.count(), 0);
        QCOMPARE(messages.texts, opened ? QStringList() : QStringList{QString::fromUtf8(NoFileMessage)});
        QCOMPARE(newLevel.count(), opened ? 0 : 1);
        QCOMPARE(pathOf(state), opened ? m_dir->filePath(file) : QString());
    }

    void openAndSaveInACyrillicFolder()
    {
        QVERIFY(QDir().mkdir(QStringLiteral("Уровни Пети")));
        const QString opened = m_dir->filePath(QStringLiteral("Уровни Пети/склад у реки.lay"));
        const QString saved = m_dir->filePath(QStringLiteral("Уровни Пети/копия склада"));
        writeLevelFile(opened, testsupport::exampleBoard());
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        FileDialogWatch files({opened, saved});
        MessageWatch messages;
        runEditor(editor, [&] {
            click(editor, OpenLevelButton);
            QCOMPARE(state.board(), testsupport::exampleBoard());
            click(editor, SaveLevelButton);
        });
        QCOMPARE(files.count(), 2);
        QCOMPARE(messages.texts, QStringList());
        QCOMPARE(pathOf(state), opened);
        QCOMPARE(contentOf(saved + QStringLiteral(".lay")), contentOf(opened));
    }

    void playLevel_data()
    {
        QTest::addColumn<int>("brush");   // chosen after the first move: the cursor cell's tile
        QTest::addColumn<int>("game");    // how long the game plays, in seconds; -1: no game anywhere
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a copy played, the cursor cell as the brush; gone when the game ends")
            << 2 << 0 << QStringList();
        QTest::newRow("a game still running ends with the editor; its copy goes") << 2 << 30 << QStringList();
        QTest::newRow("no game anywhere: says so")
            << 2 << -1 << QStringList{QString::fromUtf8(GameNotFoundMessage)};
        QTest::newRow("no player: the save check's message, no game") << 4 << 0 << QStringList{NoPlayer};
    }
    void playLevel()
    {
        QFETCH(int, brush);
        QFETCH(int, game);
        QFETCH(QStringList, messages);
        Board board = testsupport::exampleBoard();
        board[32] = leveldata::Floor;
        const QString games = m_dir->filePath(QStringLiteral("games"));
        const QString temp = m_dir->filePath(QStringLiteral("temp"));
        QVERIFY(QDir().mkdir(games) && QDir().mkdir(temp));
        if (game >= 0)
            putFakeGame(games, game);
        const EnvironmentVariable path("PATH", games);
        const EnvironmentVariable tmpdir("TMPDIR", temp);
        quillmap::EditorState state;
        MessageWatch shownMessages;
        {
            CQuillmapDlg editor(state);
            runEditor(editor, [&] {
                state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), board));
                for (Qt::Key key : {Qt::Key_4, Qt::Key_Right, Qt::Key(Qt::Key_0 + brush)})
                    press(&editor, key);
                const Board before = state.board();
                press(&editor, Qt::Key_F5);
                QCOMPARE(state.board(), before);   // nothing saved, the cursor stays
                QCOMPARE(shownPicture(editor, cellControlId(17)), int(CursorPicture));
                if (!shownMessages.texts.isEmpty())
                    return;
                QTRY_VERIFY(QFile::exists(games + QStringLiteral("/cobbleton.pid")));
                if (game == 0)
                    QTRY_COMPARE(entriesOf(temp), QStringList());
                else
                    QCOMPARE(entriesOf(temp).size(), 1);
            });
        }
        QCOMPARE(shownMessages.texts, messages);
        QCOMPARE(entriesOf(temp), QStringList());
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{QStringLiteral("given.lay")});
        const QString arguments = QString::fromLocal8Bit(contentOf(games + QStringLiteral("/cobbleton.arguments")));
        if (!messages.isEmpty()) {
            QCOMPARE(arguments, QString());
            return;
        }
        const QFileInfo played(arguments.trimmed());
        QCOMPARE(played.absolutePath(), temp);
        QCOMPARE(played.suffix(), QStringLiteral("lay"));
        Board expected = board;
        expected[17] = leveldata::Player;
        const leveldata::EditorLevel copy = leveldata::editorLevelFromBytes(
            contentOf(games + QStringLiteral("/cobbleton.level")).toStdString());
        QCOMPARE(copy.board, expected);
        QCOMPARE(copy.info, SomeInfo);
        // The game is over, whichever way it ended.
        const int pid = contentOf(games + QStringLiteral("/cobbleton.pid")).trimmed().toInt();
        QVERIFY(pid > 0);
        QVERIFY(::kill(pid, 0) != 0 && errno == ESRCH);
    }

    void gameLookup_data()
    {
        QTest::addColumn<QString>("beside");   // the editor's folder holds: "game", "file" (cannot run), ""
        QTest::addColumn<QString>("path");     // A and B hold games; the current folder holds one too
        QTest::addColumn<QString>("found");
        QTest::newRow("beside the editor first") << "game" << "A" << "beside";
        QTest::newRow("a file that cannot run is passed over, then PATH in order") << "file" << "B:A" << "B";
        QTest::newRow("an empty PATH entry is not the current folder") << "" << "::" << "";
    }
    void gameLookup()
    {
        QFETCH(QString, beside);
        QFETCH(QString, path);
        QFETCH(QString, found);
        for (const QString folder : {"beside", "A", "B"})
            QVERIFY(QDir().mkdir(folder));
        for (const QString folder : {".", "A", "B"})
            putFakeGame(m_dir->filePath(folder), 0);
        if (beside == QLatin1String("game"))
            putFakeGame(m_dir->filePath("beside"), 0);
        else if (beside == QLatin1String("file"))
            QVERIFY(QFile(m_dir->filePath("beside/cobbleton")).open(QIODevice::WriteOnly));
        QStringList folders = path.split(QLatin1Char(':'));
        for (QString &folder : folders) {
            if (!folder.isEmpty())
                folder = m_dir->filePath(folder);
        }
        QCOMPARE(GameLauncher::findGame(m_dir->filePath("beside"), folders.join(QLatin1Char(':'))),
                 found.isEmpty() ? QString() : m_dir->filePath(found + QStringLiteral("/cobbleton")));
    }

    // A level made with the keyboard alone and saved through the window is read and won by the
    // game's own reader and rules.
    void levelMadeInTheEditorIsWonInTheGame()
    {
        const QString levelPath = m_dir->filePath(QStringLiteral("corridor.lay"));
        WatchFor<CStart> start([](CStart *d) {
            d->GetDlgItem<QRadioButton>(NewLevelRadio)->click();
            click(*d, IdOk);
        });
        WatchFor<CNewLayer> description([](CNewLayer *d) {
            d->SetDlgItemText(AuthorEdit, QStringLiteral("Тестер"));
            d->SetDlgItemText(NameEdit, QStringLiteral("Коридор"));
            d->SetComboSelection(DifficultyCombo, 2);
            d->SetDlgItemText(VictoryMessageEdit, QStringLiteral("Ура!"));
            click(*d, LevelInfoOkButton);
        });
        MessageWatch messages;
        FileDialogWatch save({levelPath});
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        runWindow(editor, [&editor] {
            // Row 1 from the cursor's start cell: player, floor, item, place; the cursor then
            // stands on the fifth cell with the wall brush, which the save writes there.
            for (Qt::Key key : {Qt::Key_2, Qt::Key_Right, Qt::Key_4, Qt::Key_Right, Qt::Key_5, Qt::Key_Right,
                                Qt::Key_3, Qt::Key_Right, Qt::Key_1})
                press(&editor, key);
            click(editor, SaveLevelButton);
        });
        QCOMPARE(description.count() + save.count(), 2);
        QCOMPARE(messages.texts, QStringList());
        QCOMPARE(leveldata::readEditorLevel(levelPath.toStdString()).info,
                 (leveldata::LevelInfo{"Тестер", "Коридор", "Легкий", "Ура!"}));

        const leveldata::GameLevel level = leveldata::readGameLevel(levelPath.toStdString());
        QCOMPARE(level.placeList, std::vector<leveldata::CellIndex>{19});
        QCOMPARE(level.victoryText, std::string("Ура!"));
        cobbleton::GameState game;
        cobbleton::loadLevel(game, level);
        QCOMPARE(game.playerCell, 16);
        QVERIFY(cobbleton::move(game, leveldata::RightStep).moved);
        QVERIFY(!cobbleton::isWon(game));
        QVERIFY(cobbleton::move(game, leveldata::RightStep).moved);   // pushes the item home
        QVERIFY(cobbleton::isWon(game));
        // The cell the cursor stood on was saved as a wall: the item cannot go further.
        QCOMPARE(game.board[20], leveldata::Wall);
    }

private:
    std::optional<ScratchFolder> m_dir;
};

QTEST_MAIN(QuillmapDlgTest)
#include "quillmapdlg_test.moc"
