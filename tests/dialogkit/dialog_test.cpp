// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/appsupport.h"
#include "dialogkit/dialog.h"
#include "dialogkit/dialogunits.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/messagebox.h"
#include "resources/cobbleton/windows.h"
#include "resources/quillmap/windows.h"
#include "tests/windowtesting/windowtesting.h"

#include <QAbstractButton>
#include <QFile>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace dialogkit;
using namespace windowtesting;

namespace {

constexpr int ButtonA = 1001;
constexpr int ButtonB = 1002;
constexpr int LineEdit = 1003;
constexpr int Notes = 1004; // multi-line
constexpr int Combo = 1005;
constexpr int CloseBox = 0; // in the tables, a "key" that clicks the close box

const MenuTemplate TestMenu = {popup("&File", {menuItem("New", 32775)})};

DialogTemplate testTemplate(unsigned style = SystemMenu, bool withDefault = false)
{
    return {"Test",
            200,
            120,
            style,
            {pushButton(ButtonA, "A", 10, 10, 50, 14),
             pushButton(ButtonB, "B", 70, 10, 50, 14, withDefault ? TabStop | DefaultButton : TabStop),
             edit(LineEdit, 10, 30, 100, 14),
             edit(Notes, 10, 50, 100, 20, MultiLine | WordWrap | VScroll | Border | TabStop),
             comboBox(Combo, 10, 95, 100, 60, DropDown | VScroll | TabStop, {"Тестовый", "Средний"})},
            &TestMenu};
}

// Logs the hooks it sees.
class Recorder : public Dialog
{
    Q_OBJECT
public:
    explicit Recorder(const DialogTemplate &t = testTemplate()) : Dialog(t)
    {
        setCommandHandler(ButtonA, [this] { log << QStringLiteral("A"); });
        setCommandHandler(ButtonB, [this] { log << QStringLiteral("B"); });
    }
    QStringList log;
    int shows = 0;

    void OnOK() override
    {
        log << QStringLiteral("OK");
        Dialog::OnOK();
    }
    void OnCancel() override
    {
        log << QStringLiteral("Cancel");
        Dialog::OnCancel();
    }
    void OnSysCommand(int id) override { log << QStringLiteral("sys %1").arg(id); }
    void OnTimer(int id) override
    {
        log << QStringLiteral("timer %1").arg(id);
        KillTimer(id);
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        ++shows;
        Dialog::showEvent(event);
    }
};

} // namespace

Q_DECLARE_METATYPE(const dialogkit::DialogTemplate *)

class DialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setUp(QStringLiteral("Cobbleton"));
        // Run with LANG=ru_RU.UTF-8: the standard buttons come from Qt's own Russian translation.
        QCOMPARE(QLocale::system().language(), QLocale::Russian);
        QVERIFY(installQtTranslations());
    }
    void cleanup() { checkNoWindowLeaked(); }

    void templateGeometry()
    {
        // Edges convert one by one, so stacked buttons still touch.
        QCOMPARE(dluRect(508, 190, 89, 14).bottom() + 1, dluRect(508, 204, 89, 14).top());
        Dialog dialog(cobbletonresources::GameWindow);
        dialog.show();
        activate(&dialog);
        QWidget *load = dialog.GetDlgItem(cobbletonresources::LoadButton);
        QCOMPARE(load->geometry(), QRect(344, 613, 75, 22));
        // The template size is the client area; the menu bar sits above it.
        auto *bar = dialog.findChild<QMenuBar *>();
        QVERIFY(bar && bar->height() > 0);
        QCOMPARE(load->parentWidget()->geometry(), QRect(0, bar->height(), 750, 634));
        QCOMPARE(dialog.size(), QSize(750, bar->height() + 634));
    }

    void keys_data()
    {
        QTest::addColumn<int>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("withDefault");
        QTest::addColumn<QString>("logged"); // OK and Cancel end the window with IdOk, IdCancel
        const int none = Qt::NoModifier;
        const int enter = Qt::Key_Return;
        QTest::newRow("Enter on a button presses it") << ButtonA << enter << none << true << "A";
        QTest::newRow("keypad Enter on a button presses it")
            << ButtonB << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << "B";
        QTest::newRow("Enter in a line edit is OK") << LineEdit << enter << none << false << "OK";
        QTest::newRow("Enter in a multi-line edit is OK") << Notes << enter << none << false << "OK";
        QTest::newRow("Enter in the combo box is OK") << Combo << enter << none << false << "OK";
        QTest::newRow("Enter off a button is the default button") << LineEdit << enter << none << true << "B";
        QTest::newRow("Esc is Cancel") << Notes << int(Qt::Key_Escape) << none << false << "Cancel";
        QTest::newRow("Shift+Esc is not Cancel")
            << Notes << int(Qt::Key_Escape) << int(Qt::ShiftModifier) << false << "";
        QTest::newRow("Ctrl+Esc is not Cancel")
            << ButtonA << int(Qt::Key_Escape) << int(Qt::ControlModifier) << false << "";
        QTest::newRow("Alt+F4 is Cancel") << ButtonA << int(Qt::Key_F4) << int(Qt::AltModifier) << false << "Cancel";
        QTest::newRow("close box is Cancel") << ButtonA << CloseBox << none << false << "Cancel";
    }
    void keys()
    {
        QFETCH(int, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, withDefault);
        QFETCH(QString, logged);
        Recorder dialog(testTemplate(SystemMenu, withDefault));
        const int result = runWindow(dialog, [&] {
            QWidget *target = dialog.GetDlgItem(focus);
            target->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), target->focusProxy() ? target->focusProxy() : target);
            if (key == CloseBox)
                dialog.close();
            else
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        });
        QCOMPARE(result, logged == "OK" ? IdOk : logged == "Cancel" ? IdCancel : EndedByTest);
        QCOMPARE(dialog.log.join(QLatin1Char(' ')), logged);
        QCOMPARE(dialog.GetDlgItemText(Notes), QString()); // no line break typed
    }

    void tabGoesRoundTheTabStopsOnly_data()
    {
        QTest::addColumn<const DialogTemplate *>("window");
        QTest::newRow("start dialog: never onto a radio button") << &quillmapresources::StartDialog;
        QTest::newRow("game window: never onto a cell") << &cobbletonresources::GameWindow;
        QTest::newRow("level information: every field") << &quillmapresources::LevelInfoDialog;
    }
    void tabGoesRoundTheTabStopsOnly()
    {
        QFETCH(const DialogTemplate *, window);
        QSet<int> tabStops, reached;
        for (const ControlTemplate &control : window->controls) {
            if (control.style & TabStop)
                tabStops << control.id;
        }
        Dialog dialog(*window);
        runWindow(dialog, [&] {
            // One press more than there are tab stops: a control without one in the round shows.
            for (int i = 0; i <= tabStops.size(); ++i) {
                const QWidget *focus = QApplication::focusWidget();
                const auto control = std::find_if(window->controls.begin(), window->controls.end(), [&](auto &c) {
                    const QWidget *widget = dialog.GetDlgItem(c.id);
                    return widget && (widget == focus || widget->isAncestorOf(focus));
                });
                reached << (control == window->controls.end() ? -1 : control->id);
                press(&dialog, Qt::Key_Tab);
            }
        });
        QCOMPARE(reached, tabStops);
    }

    void endDialogDuringInit()
    {
        class EndsInInit : public Recorder
        {
            bool OnInitDialog() override
            {
                Recorder::OnInitDialog();
                EndDialog(IdCancel);
                SetDlgItemText(LineEdit, QStringLiteral("still initialised"));
                return true;
            }
        } dialog;
        QCOMPARE(dialog.DoModal(), IdCancel);
        QCOMPARE(dialog.shows, 0);
        QCOMPARE(dialog.GetDlgItemText(LineEdit), QStringLiteral("still initialised"));
    }

    void accelerators()
    {
        Recorder dialog;
        QStringList commands;
        dialog.setCommandHandler(32771, [&commands] { commands << QStringLiteral("left"); });
        dialog.setCommandHandler(32772, [&commands] { commands << QStringLiteral("brush 1"); });
        dialog.setCommandHandler(32781, [&commands] { commands << QStringLiteral("play"); });
        dialog.LoadAccelerators({{Qt::Key_Left, 32771}, {Qt::Key_1, 32772}, {Qt::Key_F5, 32781, false}});
        dialog.show();
        activate(&dialog);
        auto *button = dialog.GetDlgItem<QPushButton>(ButtonB);
        button->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), button);
        // They come before the focused control.
        QTest::keyClick(button, Qt::Key_Left);
        QTest::keyClick(button, Qt::Key_Left, Qt::KeypadModifier); // the keypad's arrow
        QCOMPARE(QApplication::focusWidget(), button);

        // Digits of the main keyboard only; each press (or auto-repeat) is one command.
        QTest::keyClick(button, Qt::Key_1, Qt::KeypadModifier);
        QTest::keyPress(button, Qt::Key_1);
        QTest::simulateEvent(button, true, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"), true);
        QTest::keyRelease(button, Qt::Key_1);
        // An entry that does not repeat: once per press.
        QTest::keyPress(button, Qt::Key_F5);
        QTest::simulateEvent(button, true, Qt::Key_F5, Qt::NoModifier, QString(), true);
        QTest::keyRelease(button, Qt::Key_F5);
        QCOMPARE(commands, (QStringList{"left", "left", "brush 1", "brush 1", "play"}));
        QVERIFY(dialog.log.isEmpty());

        // A message box over the window takes its own keys; afterwards the window's work again.
        commands.clear();
        WatchFor<QMessageBox> box([](QMessageBox *box) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(dialog.MessageBox(QStringLiteral("Этот блок не льзя менять!")), IdOk);
        QVERIFY(commands.isEmpty());
        press(&dialog, Qt::Key_Left);
        QCOMPARE(commands, QStringList{QStringLiteral("left")});
    }

    void messageBox_data()
    {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("OK box, Esc is OK") << false << int(Qt::Key_Escape) << IdOk;
        QTest::newRow("OK+Cancel, Enter") << true << int(Qt::Key_Return) << IdOk;
        QTest::newRow("OK+Cancel, Esc is Cancel") << true << int(Qt::Key_Escape) << IdCancel;
    }
    void messageBox()
    {
        QFETCH(bool, withCancel);
        QFETCH(int, key);
        QFETCH(int, result);
        QString shown;
        WatchFor<QMessageBox> answer([&](QMessageBox *box) {
            QStringList buttons;
            for (QAbstractButton *button : box->buttons())
                buttons << button->text().remove(QLatin1Char('&'));
            buttons.sort();
            shown = box->windowTitle() + QLatin1Char('|') + box->text() + QLatin1Char('|') + buttons.join(' ')
                + (box->textFormat() == Qt::PlainText ? "|plain" : "|markup");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        });
        // Texts from a level file are shown as they are, never as markup.
        const QString message = QStringLiteral("<b>Победа</b> & всё");
        QCOMPARE(dialogkit::messageBox(nullptr, message, withCancel ? MessageButtons::OkCancel : MessageButtons::Ok),
                 result);
        const QString buttons = withCancel ? QStringLiteral("OK Отмена") : QStringLiteral("OK");
        QCOMPARE(shown, QStringLiteral("Cobbleton|%1|%2|plain").arg(message, buttons));
    }

    void fileDialogs()
    {
        ScratchFolder dir;
        const QString existing = dir.filePath(QStringLiteral("old.lay"));
        QVERIFY(QFile(existing).open(QIODevice::WriteOnly));
        const QString openTitle = "Открыть файл.", saveTitle = "Сохранение Уровня";
        const QString openFilter = "Файл Уровня", saveFilter = "Файл Уровня (.lay)";
        const auto open = [&] { return openFileName(nullptr, openTitle, openFilter, "*.lay"); };
        const auto save = [&] { return saveFileName(nullptr, saveTitle, saveFilter, "*.lay", ".lay"); };
        const QString fresh = dir.filePath(QStringLiteral("level one.lay"));
        FileDialogWatch files({fresh, QString(), dir.filePath(QStringLiteral("mine")), existing});
        // A name that does not exist is a valid answer.
        QCOMPARE(open(), std::optional<QString>(fresh));
        QCOMPARE(open(), std::nullopt);
        QCOMPARE(save(), std::optional<QString>(dir.filePath(QStringLiteral("mine.lay"))));

        // An existing file: the overwrite question comes first; No keeps the dialog open.
        int questions = 0;
        WatchFor<QMessageBox> overwrite([&questions](QMessageBox *q) {
            const bool first = ++questions == 1;
            q->button(first ? QMessageBox::No : QMessageBox::Yes)->click();
            if (first) // the same file dialog is up again: accept the name once more
                QMetaObject::invokeMethod(QApplication::activeModalWidget(), "accept", Qt::QueuedConnection);
        });
        QCOMPARE(save(), std::optional<QString>(existing));
        QCOMPARE(questions, 2);
        QCOMPARE(files.titles, (QStringList{openTitle, openTitle, saveTitle, saveTitle}));
        QCOMPARE(files.filters, (QStringList{openFilter, openFilter, saveFilter, saveFilter}));
    }

    void oneShotTimer()
    {
        // The window's timer that kills itself at its first tick, as the editor's redraw does.
        Recorder dialog;
        dialog.show();
        activate(&dialog);
        dialog.SetTimer(1, 10);
        QTRY_COMPARE(dialog.log, QStringList{QStringLiteral("timer 1")});
        QTest::qWait(100);
        QCOMPARE(dialog.log, QStringList{QStringLiteral("timer 1")});
    }

    // Alt+Space opens the same menu: the game's and the editor's window tests choose its item so.
    void systemMenuItem_data()
    {
        QTest::addColumn<bool>("onButton");
        QTest::newRow("right-click on the background") << false;
        QTest::newRow("right-click on a button opens nothing") << true;
    }
    void systemMenuItem()
    {
        QFETCH(bool, onButton);
        Recorder dialog;
        QVERIFY(!dialog.AppendSystemMenuItem(16, QString()));
        QVERIFY(dialog.AppendSystemMenuItem(16, QStringLiteral("&About Cobbleton...")));
        dialog.show();
        activate(&dialog);
        QWidget *button = dialog.GetDlgItem(ButtonA);
        QWidget *target = onButton ? button : button->parentWidget();
        const QPoint at = onButton ? QPoint(3, 3) : QPoint(target->width() - 2, target->height() - 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        if (onButton)
            QVERIFY(!QApplication::activePopupWidget());
        else
            QCOMPARE(chooseLastPopupItem(), QStringLiteral("&About Cobbleton..."));
        QCOMPARE(dialog.log, onButton ? QStringList() : QStringList{QStringLiteral("sys 16")});
    }

    void windowTypeFollowsTheOwner_data()
    {
        QTest::addColumn<uint>("style");
        QTest::addColumn<bool>("owned");
        QTest::addColumn<int>("type");
        QTest::newRow("no owner: a main window, no minimise box added") << uint(SystemMenu) << false << int(Qt::Window);
        QTest::newRow("owned: a dialog") << uint(SystemMenu) << true << int(Qt::Dialog);
        QTest::newRow("owned, minimise box: a main window") << uint(MinimizeBox) << true << int(Qt::Window);
    }
    void windowTypeFollowsTheOwner()
    {
        QFETCH(uint, style);
        QFETCH(bool, owned);
        QFETCH(int, type);
        Dialog owner(testTemplate());
        Dialog dialog(testTemplate(style), owned ? &owner : nullptr);
        QCOMPARE(int(dialog.windowType()), type);
        QCOMPARE(dialog.parentWidget(), owned ? &owner : nullptr);
        QCOMPARE(bool(dialog.windowFlags() & Qt::WindowMinimizeButtonHint), bool(style & MinimizeBox));
        QCOMPARE(bool(dialog.windowFlags() & Qt::WindowCloseButtonHint), bool(style & SystemMenu));
        QCOMPARE(dialog.AppendSystemMenuItem(16, QStringLiteral("&About...")), bool(style & SystemMenu));
    }
};

QTEST_MAIN(DialogTest)
#include "dialog_test.moc"
