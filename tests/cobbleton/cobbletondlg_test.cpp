// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/aboutdlg.h"
#include "dialogkit/appsupport.h"
#include "leveldata/levelfile.h"
#include "tests/cobbleton/gamecommands.h"
#include "tests/cobbleton/gamewindowtest.h"
#include "tests/support/boardart.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>

#include <string>

using namespace windowtesting;
using cobbleton::CCobbletonDlg;
using dialogkit::CAboutDlg;
using leveldata::Board;

namespace {

const QString NoFileMessage = QString::fromUtf8(cobbletonresources::NoFileMessage);
const QString ExampleLevel = QStringLiteral(LEVELS_DIR "/03-sample.lay");

} // namespace

class CobbletonDlgTest : public GameWindowTest
{
    Q_OBJECT

private slots:
    // `arguments` after the program's name, as names in a folder holding "Мои уровни/пусто.lay"
    // and "\xff.lay" (a name that is not UTF-8), each a level without places; `shows`: the file the
    // window shows, none for walls. `atStart`: the messages of the start; then a cancelled Load
    // shows `afterLoad`. A level without places is won as soon as it is shown, and every showing
    // says so again.
    void start_data()
    {
        const QByteArray level = QByteArrayLiteral("Мои уровни/пусто.lay"), notUtf8("\xff.lay");
        const QStringList none, noFile{NoFileMessage}, won{QStringLiteral("Победа без мест")};
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("shows");
        QTest::addColumn<QStringList>("atStart");
        QTest::addColumn<QStringList>("afterLoad");
        QTest::newRow("no file: walls, no message") << QByteArrayList() << QByteArray() << none << noFile;
        QTest::newRow("a level in a folder with a space and Cyrillic letters: won, again after the message")
            << QByteArrayList{level} << level << won << noFile + won;
        QTest::newRow("a name that is not UTF-8: opened") << QByteArrayList{notUtf8} << notUtf8 << won << noFile + won;
        QTest::newRow("two names, the first counts: a folder, refused")
            << QByteArrayList{QByteArrayLiteral("Мои уровни"), level} << QByteArray() << noFile << noFile;
    }
    void start()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, shows);
        QFETCH(QStringList, atStart);
        QFETCH(QStringList, afterLoad);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Мои уровни")));
        const std::filesystem::path folder = QFile::encodeName(dir.path()).toStdString();
        // Qt cannot name it, so the temporary folder could not remove it.
        const auto removeNotUtf8 = qScopeGuard([&folder] { std::filesystem::remove(folder / "\xff.lay"); });
        for (const char *name : {"Мои уровни/пусто.lay", "\xff.lay"}) {
            QVERIFY(!leveldata::writeLevel(folder / name, testsupport::boardFromArt({"#####", "#@.$#", "#####"}),
                                           {"Тест", "Пусто", "Тестовый", "Победа без мест"}));
        }
        std::vector<QByteArray> bytes{QByteArrayLiteral("cobbleton")}; // argv as main() has it
        for (const QByteArray &argument : arguments)
            bytes.push_back(QFile::encodeName(dir.path()) + '/' + argument);
        std::vector<char *> argv;
        for (QByteArray &argument : bytes)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        CCobbletonDlg game(*m_state, *m_session, m_pictures, dialogkit::fileArgument(int(bytes.size()), argv.data()));
        MessageWatch messages;
        FileDialogWatch files({QString()});
        const std::filesystem::path path = shows.isEmpty() ? "" : folder / shows.toStdString();
        const Board board = shows.isEmpty() ? Board() : leveldata::readGameLevel(path).board;
        runWindow(game, [&] {
            QVERIFY(!game.windowIcon().isNull());
            QCOMPARE(game.GetDlgItem(cobbletonresources::cellControlId(179))->geometry(), QRect(700, 550, 50, 50));
            // The file is opened once the window is on screen, maybe only after this starts.
            QTRY_COMPARE(messages.texts, atStart);
            QTRY_COMPARE(m_state->levelPath, path);
            QCOMPARE(shown(game), board);
            press(&game, Qt::Key_Return);
            QCOMPARE(shown(game), board);
        });
        QCOMPARE(messages.texts, atStart + afterLoad);
    }

    // One game: every key against the rules given the same command, from loading the example level
    // (Enter on Load) to winning it and around the won position, with a victory box for each won
    // showing; a level loaded so is not left after its victory. Then Enter off the Load button does
    // nothing, and the window menu opens the About box.
    void keysAndAbout()
    {
        const std::string solution = "RDRRRRRRLLLLLLDDRRRRRR"; // the rules replay every shipped level
        cobbleton::GameState rules;
        QVERIFY(cobbleton::loadLevelFile(rules, ExampleLevel.toStdString()));
        CCobbletonDlg game(*m_state, *m_session, m_pictures);
        FileDialogWatch files({ExampleLevel, ExampleLevel});
        MessageWatch messages;
        WatchFor<CAboutDlg> about([](CAboutDlg *d) { QTest::keyClick(d, Qt::Key_Return); });
        QString perKey; // victory boxes per key
        runWindow(game, [&] {
            QWidget *load = game.GetDlgItem(cobbletonresources::LoadButton);
            press(&game, Qt::Key_Return);
            for (char letter : "DRRULzbyYrzr" + solution + "LUzyrz") {
                const qsizetype before = messages.texts.size();
                press(&game, GameKeys.at(letter).key(), GameKeys.at(letter).keyboardModifiers());
                perKey += QString::number(messages.texts.size() - before);
                act(rules, letter);
                QCOMPARE(shown(game), rules.board);
            }
            QCOMPARE(QApplication::focusWidget(), load); // the keys leave the focus on Load
            press(&game, Qt::Key_Space);                 // and Space on it loads afresh
            QCOMPARE(shown(game), testsupport::exampleBoard());

            press(&game, Qt::Key_Space, Qt::AltModifier);
            QCOMPARE(chooseLastPopupItem(), QStringLiteral("&About Cobbleton..."));
            QCOMPARE(about.count(), 1);
            load->clearFocus();
            QTest::keyClick(&game, Qt::Key_Return);
            QVERIFY(game.isVisible());
            QCOMPARE(shown(game), testsupport::exampleBoard());
        });
        QCOMPARE(perKey, QString(33, '0') + "1101101");
        QCOMPARE(messages.texts, QStringList(5, QString::fromStdString(rules.victoryText)));
        QCOMPARE(files.count(), 2);
    }
};

QTEST_MAIN(CobbletonDlgTest)
#include "cobbletondlg_test.moc"
