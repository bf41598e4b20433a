#include "quillmap/difficulty.h"
#include "quillmap/infolayer.h"
#include "quillmap/newlayer.h"
#include "quillmap/quillmap.h"
#include "quillmap/start.h"
#include "windowtesting.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace quillmapresources;
using dialogkit::IdCancel;
using dialogkit::IdOk;

namespace {

const leveldata::LevelInfo SomeInfo{"Автор", "Имя", "Средний", "Победа!"};

// Runs `dialog` modally, `body` answering it once it is up. Returns DoModal's result.
template <class Window>
int runDialog(Window &dialog, const std::function<void(Window *)> &body)
{
    ModalWatch<Window> watch(body);
    return dialog.DoModal();
}

QString longText(int length)
{
    return QString(length, QLatin1Char('x'));
}

} // namespace

class DialogsTest : public QObject
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
        // The new-level dialog writes NewLayer.lay into the current folder.
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

    void startNeedsAChoiceAndTakesTheLast()
    {
        CStart start;
        MessageWatch messages;
        const int result = runDialog<CStart>(start, [&messages](CStart *d) {
            // Enter on the OK button and OK clicked: both say a choice is missing.
            QTest::keyClick(d->GetDlgItem<QPushButton>(IdOk), Qt::Key_Return);
            clickButton(*d, IdOk);
            QCOMPARE(messages.texts.size(), 2);
            QVERIFY(d->isVisible());
            d->GetDlgItem<QRadioButton>(NewLevelRadio)->click();
            d->GetDlgItem<QRadioButton>(EditLevelRadio)->click();
            QVERIFY(!d->IsDlgButtonChecked(NewLevelRadio));
            activate(d);
            QTest::keyClick(d->GetDlgItem<QPushButton>(IdOk), Qt::Key_Return);
        });
        QCOMPARE(result, IdOk);
        QCOMPARE(start.m_choice, int(CStart::EditLevelChoice));
        QCOMPARE(messages.texts, QStringList(2, QStringLiteral("Вы не выбрали действие!!!")));
    }

    void startEscapeCancelsAfterAChoice()
    {
        CStart start;
        const int result = runDialog<CStart>(start, [](CStart *d) {
            d->GetDlgItem<QRadioButton>(LeaveRadio)->click();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QCOMPARE(result, IdCancel);
    }

    void newLevelOpensEmptyIgnoresEnterAndEscapeWritesNothing()
    {
        CNewLayer dialog;
        const int result = runDialog<CNewLayer>(dialog, [](CNewLayer *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Создание нового Уровня."));
            QCOMPARE(d->GetDlgItemText(AuthorEdit), QString());
            QCOMPARE(d->GetDlgItemText(NameEdit), QString());
            QCOMPARE(d->GetDlgItemText(VictoryMessageEdit), QString());
            QCOMPARE(d->GetComboSelection(DifficultyCombo), 0);
            QCOMPARE(d->GetDlgItemText(DifficultyCombo), QStringLiteral("Тестовый"));
            QCOMPARE(d->GetComboCount(DifficultyCombo), 7);
            for (int i = 0; i < 7; ++i)
                QCOMPARE(d->GetComboItemText(DifficultyCombo, i).toStdString(),
                         quillmap::DifficultyEntries[std::size_t(i)]);
            typeText(d->GetDlgItem<QLineEdit>(AuthorEdit), QStringLiteral("Я"));
            QTest::keyClick(d->GetDlgItem<QLineEdit>(AuthorEdit), Qt::Key_Return);
            QVERIFY(d->isVisible());
            QTest::keyClick(d->GetDlgItem<QLineEdit>(AuthorEdit), Qt::Key_Escape);
        });
        QCOMPARE(result, IdCancel);
        QVERIFY(!QFile::exists(QStringLiteral("NewLayer.lay")));
    }

    void newLevelWritesOnlyTheFourTexts()
    {
        // A board saved into the scratch file earlier stays; only the texts are replaced.
        leveldata::Board earlier;
        earlier.fill(leveldata::Floor);
        writeLevelFile(QStringLiteral("NewLayer.lay"), earlier, SomeInfo);

        CNewLayer dialog;
        const int result = runDialog<CNewLayer>(dialog, [](CNewLayer *d) {
            typeText(d->GetDlgItem<QLineEdit>(AuthorEdit), QStringLiteral("Автор два"));
            d->m_difficultyList->setCurrentIndex(5);
            auto *message = d->GetDlgItem<QPlainTextEdit>(VictoryMessageEdit);
            typeText(message, QStringLiteral("Ура"));
            QTest::keyClick(message, Qt::Key_Return, Qt::ShiftModifier);
            typeText(message, QStringLiteral("ещё"));
            message->insertPlainText(QStringLiteral("\nраз"));
            clickButton(*d, LevelInfoOkButton);
        });
        QCOMPARE(result, IdOk);
        QCOMPARE(dialog.m_author, QStringLiteral("Автор два"));
        QCOMPARE(dialog.m_difficulty, QStringLiteral("Очень тяжелый"));
        const leveldata::EditorLevel level = leveldata::readEditorLevel("NewLayer.lay");
        QCOMPARE(level.board, earlier);
        // The name was left empty; the line break of the message became a space.
        QCOMPARE(level.info, (leveldata::LevelInfo{"Автор два", "", "Очень тяжелый", "Ура ещё раз"}));

        // A fresh scratch file holds the four texts and no board, in that order.
        QVERIFY(QFile::remove(QStringLiteral("NewLayer.lay")));
        CNewLayer again;
        runDialog<CNewLayer>(again, [](CNewLayer *d) { clickButton(*d, LevelInfoOkButton); });
        const QStringList lines = fileLines(QStringLiteral("NewLayer.lay"));
        QStringList sections;
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1Char('[')))
                sections << line;
        }
        QCOMPARE(sections, (QStringList{"[AUTOR]", "[NAMELAYER]", "[YROVWN]", "[TEXT]"}));
        QVERIFY(lines.contains(QStringLiteral("text=")));
    }

    void newLevelThatCannotBeWrittenSaysSoAndStaysOpen()
    {
        // A folder where the scratch file should be: the write fails even for root.
        QVERIFY(QDir().mkdir(QStringLiteral("NewLayer.lay")));
        CNewLayer dialog;
        MessageWatch messages;
        const int result = runDialog<CNewLayer>(dialog, [&messages](CNewLayer *d) {
            clickButton(*d, LevelInfoOkButton);
            QCOMPARE(messages.texts, QStringList{QStringLiteral("Не удалось сохранить уровень.")});
            QVERIFY(d->isVisible());
            QVERIFY(QDir().rmdir(QStringLiteral("NewLayer.lay")));
            activate(d);
            clickButton(*d, LevelInfoOkButton);
        });
        QCOMPARE(result, IdOk);
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY(QFileInfo(QStringLiteral("NewLayer.lay")).isFile());
    }

    void editBoxesTakeAtMost199Characters()
    {
        CNewLayer dialog;
        runDialog<CNewLayer>(dialog, [](CNewLayer *d) {
            // Pasted text is cut as typed text is.
            d->GetDlgItem<QLineEdit>(AuthorEdit)->insert(longText(250));
            d->GetDlgItem<QLineEdit>(NameEdit)->insert(longText(199));
            QTest::keyClicks(d->GetDlgItem<QLineEdit>(NameEdit), QStringLiteral("yz"));
            d->GetDlgItem<QPlainTextEdit>(VictoryMessageEdit)->insertPlainText(longText(250));
            clickButton(*d, LevelInfoOkButton);
        });
        QCOMPARE(dialog.m_author.size(), 199);
        QCOMPARE(dialog.m_name, longText(199));
        QCOMPARE(dialog.m_victoryMessage.size(), 199);
        const leveldata::EditorLevel level = leveldata::readEditorLevel("NewLayer.lay");
        QCOMPARE(level.info.victoryMessage, longText(199).toStdString());
    }

    void infoSelectsTheStoredDifficulty_data()
    {
        QTest::addColumn<QString>("difficulty");
        QTest::addColumn<int>("selected");
        QTest::newRow("medium") << QStringLiteral("Средний") << 3;
        QTest::newRow("unreally hard") << QStringLiteral("Нереально сложный") << 6;
        QTest::newRow("empty") << QString() << -1;
        QTest::newRow("other case") << QStringLiteral("средний") << -1;
    }
    void infoSelectsTheStoredDifficulty()
    {
        QFETCH(QString, difficulty);
        QFETCH(int, selected);
        CInfoLayer dialog;
        dialog.setLevelInfo(SomeInfo);
        dialog.m_difficulty = difficulty;
        int shown = -2;
        QString shownText;
        const int result = runDialog<CInfoLayer>(dialog, [&](CInfoLayer *d) {
            shown = d->GetComboSelection(DifficultyCombo);
            shownText = d->GetDlgItemText(DifficultyCombo);
            QCOMPARE(d->GetDlgItemText(AuthorEdit), QStringLiteral("Автор"));
            QCOMPARE(d->GetDlgItemText(VictoryMessageEdit), QStringLiteral("Победа!"));
            clickButton(*d, LevelInfoOkButton);
        });
        QCOMPARE(result, IdOk);
        QCOMPARE(shown, selected);
        QCOMPARE(shownText, selected < 0 ? QString() : difficulty);
        // Confirming with nothing selected keeps the difficulty the level had.
        QCOMPARE(dialog.m_difficulty, difficulty);
    }

    void infoIgnoresEnterAndEscape()
    {
        CInfoLayer dialog;
        dialog.setLevelInfo(SomeInfo);
        const int result = runDialog<CInfoLayer>(dialog, [](CInfoLayer *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Информация об уровне"));
            QTest::keyClick(d->GetDlgItem<QLineEdit>(NameEdit), Qt::Key_Escape);
            QTest::keyClick(d->GetDlgItem<QLineEdit>(NameEdit), Qt::Key_Return);
            QTest::keyClick(d->GetDlgItem<QPlainTextEdit>(VictoryMessageEdit), Qt::Key_Return);
            QTest::keyClick(d, Qt::Key_F4, Qt::AltModifier);
            QVERIFY(d->isVisible());
            d->GetDlgItem<QLineEdit>(NameEdit)->setText(QStringLiteral("Новое имя"));
            d->m_difficultyList->setCurrentIndex(0);
            clickButton(*d, LevelInfoOkButton);
        });
        QCOMPARE(result, IdOk);
        QCOMPARE(dialog.levelInfo(), (leveldata::LevelInfo{"Автор", "Новое имя", "Тестовый", "Победа!"}));
    }

    void infoTypedDifficulty_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("difficulty");
        QTest::newRow("an entry's text selects it") << QStringLiteral("Легкий") << QStringLiteral("Легкий");
        QTest::newRow("other text keeps the old one") << QStringLiteral("Лёгкий") << QStringLiteral("Средний");
    }
    void infoTypedDifficulty()
    {
        QFETCH(QString, typed);
        QFETCH(QString, difficulty);
        CInfoLayer dialog;
        dialog.setLevelInfo(SomeInfo);
        runDialog<CInfoLayer>(dialog, [typed](CInfoLayer *d) {
            QLineEdit *edit = d->m_difficultyList->lineEdit();
            edit->selectAll();
            typeText(edit, typed);
            clickButton(*d, LevelInfoOkButton);
        });
        QCOMPARE(dialog.m_difficulty, difficulty);
    }

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_previousDir;
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
