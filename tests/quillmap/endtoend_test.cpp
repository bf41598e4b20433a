// A level made in the editor with the keyboard alone, saved through its window, then read and
// played to victory by the game's own reader and rules.

#include "cobbleton/gamestate.h"
#include "leveldata/levelfile.h"
#include "quillmap/newlayer.h"
#include "quillmap/quillmap.h"
#include "windowtesting.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace quillmapresources;

class EndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QApplication::setApplicationName(QStringLiteral("Quillmap"));
        CQuillmapApp::registerPictures();
    }

    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QWidgetList leaked = QApplication::topLevelWidgets();
        for (QWidget *w : leaked)
            qWarning() << "leaked top-level window" << w;
        QVERIFY(leaked.isEmpty());
    }

    void levelMadeInTheEditorIsWonInTheGame()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString levelPath = dir.filePath(QStringLiteral("corridor.lay"));

        // Start: a new level, described in the new-level dialog.
        ModalWatch<CNewLayer> description([](CNewLayer *d) {
            d->GetDlgItem<QLineEdit>(AuthorEdit)->setText(QStringLiteral("Тестер"));
            d->GetDlgItem<QLineEdit>(NameEdit)->setText(QStringLiteral("Коридор"));
            d->m_difficultyList->setCurrentIndex(2);
            d->GetDlgItem<QPlainTextEdit>(VictoryMessageEdit)->setPlainText(QStringLiteral("Ура!"));
            clickButton(*d, LevelInfoOkButton);
        });
        MessageWatch messages;
        FileDialogWatch save(levelPath);
        quillmap::EditorState state;
        CQuillmapDlg editor(state);
        runEditor(editor, CStart::NewLevelChoice, [&] {
            // Row 1 from the cursor's start cell: player, floor, item, place; the cursor then
            // stands on the fifth cell with the wall brush, which the save writes there.
            for (Qt::Key key : {Qt::Key_2, Qt::Key_Right, Qt::Key_4, Qt::Key_Right, Qt::Key_5,
                                Qt::Key_Right, Qt::Key_3, Qt::Key_Right, Qt::Key_1})
                press(&editor, key);
            clickButton(editor, SaveLevelButton);
        });
        QDir::setCurrent(previousDir);
        QCOMPARE(description.count(), 1);
        QCOMPARE(save.count(), 1);
        QVERIFY(messages.texts.isEmpty());

        const leveldata::GameLevel level = leveldata::readGameLevel(levelPath.toStdString());
        QCOMPARE(level.playerCell, std::optional<leveldata::CellIndex>(16));
        QCOMPARE(level.placeList, std::vector<leveldata::CellIndex>{19});
        QCOMPARE(QString::fromStdString(level.victoryText), QStringLiteral("Ура!"));
        QCOMPARE(leveldata::readEditorLevel(levelPath.toStdString()).info.difficulty,
                 std::string("Легкий"));

        cobbleton::GameState game;
        cobbleton::loadLevel(game, level);
        QVERIFY(!cobbleton::isWon(game));
        QVERIFY(cobbleton::move(game, leveldata::RightStep, {}));
        QVERIFY(!cobbleton::isWon(game));
        QVERIFY(cobbleton::move(game, leveldata::RightStep, {}));   // pushes the item home
        QVERIFY(cobbleton::isWon(game));
        // The cell the cursor stood on was saved as a wall: the item cannot go further.
        QCOMPARE(game.board[20], leveldata::Wall);
    }
};

QTEST_MAIN(EndToEndTest)
#include "endtoend_test.moc"
