#include "dialogkit/dialog.h"
#include "dialogkit/dialogunits.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/messagebox.h"
#include "modalhelper.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace dialogkit;

namespace {

constexpr int ButtonA = 1001;
constexpr int ButtonB = 1002;
constexpr int LineEdit = 1003;
constexpr int Notes = 1004;      // multi-line, Enter is the OK command
constexpr int Lines = 1005;      // multi-line that takes Enter
constexpr int Radio1 = 1006;
constexpr int Radio2 = 1007;
constexpr int Combo = 1008;

const MenuTemplate TestMenu = {
    popup("&File", {menuItem("New", 32775), menuSeparator(),
                    popup("Levels", {menuItem("Level 1", 32779), menuItem("Level 4", 32782, Grayed)}),
                    menuItem("Exit", 32785)}),
    popup("Help", {menuItem("About", 32794)}),
};

DialogTemplate testTemplate(unsigned style = SystemMenu, const MenuTemplate *menu = nullptr,
                            bool withDefault = false)
{
    return {"Test", 200, 120, style,
            {
                pushButton(ButtonA, "A", 10, 10, 50, 14),
                pushButton(ButtonB, "B", 70, 10, 50, 14,
                           withDefault ? TabStop | DefaultButton : TabStop),
                edit(LineEdit, 10, 30, 100, 14),
                edit(Notes, 10, 50, 100, 20, MultiLine | WordWrap | VScroll | Border | TabStop),
                edit(Lines, 120, 50, 70, 20, MultiLine | WantReturn | Border | TabStop),
                radioButton(Radio1, "One", 10, 80, 50, 10),
                radioButton(Radio2, "Two", 70, 80, 50, 10),
                comboBox(Combo, 10, 95, 100, 60, DropDown | VScroll | TabStop,
                         {"Тестовый", "Средний"}),
            },
            menu};
}

// Records every hook it sees; OnOK and OnCancel record without ending the dialog unless told.
class Recorder : public Dialog
{
    Q_OBJECT
public:
    explicit Recorder(const DialogTemplate &t, QWidget *parent = nullptr)
        : Dialog(t, parent)
    {
        onCommand(ButtonA, [this] { log << QStringLiteral("A"); });
        onCommand(ButtonB, [this] { log << QStringLiteral("B"); });
    }

    QStringList log;
    bool okEnds = false;
    bool cancelEnds = false;
    std::function<void(Recorder &)> init;
    bool initResult = true;
    int showCount = 0;

    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        if (init)
            init(*this);
        return initResult;
    }
    void OnOK() override
    {
        log << QStringLiteral("OK");
        if (okEnds)
            Dialog::OnOK();
    }
    void OnCancel() override
    {
        log << QStringLiteral("Cancel");
        if (cancelEnds)
            Dialog::OnCancel();
    }
    void OnSysCommand(int id) override { log << QStringLiteral("sys %1").arg(id); }
    void OnTimer(int id) override
    {
        log << QStringLiteral("timer %1").arg(id);
        if (id == 1)
            KillTimer(1);
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        ++showCount;
        Dialog::showEvent(event);
    }
};

void showAndActivate(QWidget &w)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace

class DialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QApplication::setApplicationName(QStringLiteral("Cobbleton"));
    }

    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QWidgetList leaked = QApplication::topLevelWidgets();
        for (QWidget *w : leaked)
            qWarning() << "leaked top-level window" << w;
        QVERIFY(leaked.isEmpty());
    }

    void dialogUnits_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<int>("vertical");
        QTest::newRow("game board width and height") << 500 << 750 << 813;
        QTest::newRow("game window height") << 390 << 585 << 634;
        QTest::newRow("halves round up") << 229 << 344 << 372;
        QTest::newRow("cell placeholder") << 33 << 50 << 54;
        QTest::newRow("zero") << 0 << 0 << 0;
    }
    void dialogUnits()
    {
        QFETCH(int, units);
        QFETCH(int, horizontal);
        QFETCH(int, vertical);
        QCOMPARE(dluToPixelsX(units), horizontal);
        QCOMPARE(dluToPixelsY(units), vertical);
    }

    void templateGeometry()
    {
        // Edges convert one by one, so stacked buttons still touch.
        QCOMPARE(dluRect(508, 190, 89, 14).bottom() + 1, dluRect(508, 204, 89, 14).top());
        QCOMPARE(dluRect(229, 377, 50, 14), QRect(344, 613, 75, 22));

        const DialogTemplate game = {"Cobbleton", 500, 390, SystemMenu | MinimizeBox,
                                     {pushButton(1120, "Загрузить", 229, 377, 50, 14)},
                                     &TestMenu};
        Dialog dialog(game);
        showAndActivate(dialog);
        QCOMPARE(dialog.clientArea()->size(), QSize(750, 634));
        QCOMPARE(dialog.GetDlgItem(1120)->geometry(), QRect(344, 613, 75, 22));
        QCOMPARE(dialog.GetDlgItemText(1120), QStringLiteral("Загрузить"));
        auto *bar = dialog.findChild<QMenuBar *>();
        QVERIFY(bar);
        // The template size is the client area; the menu bar sits above it.
        QVERIFY(bar->height() > 0);
        QCOMPARE(dialog.clientArea()->y(), bar->geometry().bottom() + 1);
        QCOMPARE(dialog.height(), bar->height() + 634);
        QCOMPARE(dialog.width(), 750);
        QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(dialog.GetDlgItem(4242), nullptr);
        QCOMPARE(dialog.GetDlgItem<QLineEdit>(1120), nullptr);
    }

    void withoutSystemMenuNoCloseBox()
    {
        Recorder dialog(testTemplate(NoDialogStyle));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowSystemMenuHint));
        QVERIFY(!dialog.AppendSystemMenuItem(16, QStringLiteral("&About...")));
    }

    void enterAndEscape_data()
    {
        QTest::addColumn<int>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("withDefault");
        QTest::addColumn<QStringList>("expected");
        const QStringList ok{QStringLiteral("OK")};
        QTest::newRow("Enter presses the focused button") << ButtonA << int(Qt::Key_Return) << false
                                                          << QStringList{QStringLiteral("A")};
        QTest::newRow("keypad Enter presses the focused button")
            << ButtonB << int(Qt::Key_Enter) << false << QStringList{QStringLiteral("B")};
        QTest::newRow("Enter in a line edit is OK") << LineEdit << int(Qt::Key_Return) << false << ok;
        QTest::newRow("Enter in a multi-line edit is OK") << Notes << int(Qt::Key_Return) << false << ok;
        QTest::newRow("Enter on a radio button is OK") << Radio1 << int(Qt::Key_Return) << false << ok;
        QTest::newRow("Enter in the combo box is OK") << Combo << int(Qt::Key_Return) << false << ok;
        QTest::newRow("Enter off a button is the default button")
            << LineEdit << int(Qt::Key_Return) << true << QStringList{QStringLiteral("B")};
        QTest::newRow("Enter on another button is that button")
            << ButtonA << int(Qt::Key_Return) << true << QStringList{QStringLiteral("A")};
        QTest::newRow("Esc on a button is Cancel")
            << ButtonA << int(Qt::Key_Escape) << false << QStringList{QStringLiteral("Cancel")};
        QTest::newRow("Esc in a multi-line edit is Cancel")
            << Notes << int(Qt::Key_Escape) << false << QStringList{QStringLiteral("Cancel")};
        QTest::newRow("Enter in an edit that wants it is a new line")
            << Lines << int(Qt::Key_Return) << false << QStringList{};
    }
    void enterAndEscape()
    {
        QFETCH(int, focus);
        QFETCH(int, key);
        QFETCH(bool, withDefault);
        QFETCH(QStringList, expected);
        Recorder dialog(testTemplate(SystemMenu, nullptr, withDefault));
        showAndActivate(dialog);
        QWidget *target = dialog.GetDlgItem(focus);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target->focusProxy() ? target->focusProxy() : target);
        const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QCOMPARE(dialog.log, expected);
        QVERIFY(dialog.isVisible());
        if (focus == Lines)
            QCOMPARE(dialog.GetDlgItemText(Lines), QStringLiteral("\n"));
        if (focus == Notes)
            QCOMPARE(dialog.GetDlgItemText(Notes), QString());
    }

    void standardOkAndCancelEndTheDialog_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter") << QStringLiteral("enter") << IdOk;
        QTest::newRow("Esc") << QStringLiteral("esc") << IdCancel;
        QTest::newRow("close box") << QStringLiteral("close") << IdCancel;
        QTest::newRow("Alt+F4") << QStringLiteral("altf4") << IdCancel;
    }
    void standardOkAndCancelEndTheDialog()
    {
        QFETCH(QString, how);
        Recorder dialog(testTemplate());
        dialog.okEnds = true;
        dialog.cancelEnds = true;
        dialog.init = [](Recorder &d) { d.GetDlgItem(LineEdit)->setFocus(); };
        dialog.initResult = false;
        whenModal<Recorder>([how](Recorder *d) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            if (how == QLatin1String("enter"))
                QTest::keyClick(focus, Qt::Key_Return);
            else if (how == QLatin1String("esc"))
                QTest::keyClick(focus, Qt::Key_Escape);
            else if (how == QLatin1String("close"))
                d->close();
            else
                QTest::keyClick(focus, Qt::Key_F4, Qt::AltModifier);
        });
        QFETCH(int, result);
        QCOMPARE(dialog.DoModal(), result);
        QVERIFY(!dialog.isVisible());
    }

    void closeBoxIsOnlyARequest()
    {
        // A window whose OnCancel does nothing stays open when its close box is clicked.
        Recorder dialog(testTemplate());
        whenModal<Recorder>([](Recorder *d) {
            d->close();
            QVERIFY(d->isVisible());
            QCOMPARE(d->log, QStringList{QStringLiteral("Cancel")});
            d->EndDialog(7);
        });
        QCOMPARE(dialog.DoModal(), 7);
    }

    void firstTabStopGetsTheFocus()
    {
        const DialogTemplate start = {
            "Запуск программы", 176, 121, NoDialogStyle,
            {pushButton(IdOk, "OK", 63, 100, 50, 14), groupBox(NoId, "Выберите действие", 7, 7, 162, 91),
             radioButton(1182, "Создать новый уровень", 25, 25, 97, 10),
             radioButton(1183, "Редактировать уровень", 25, 45, 97, 10)}};
        Dialog dialog(start);
        QWidget *focused = nullptr;
        whenModal<Dialog>([&focused](Dialog *d) {
            focused = QApplication::focusWidget();
            d->EndDialog(IdCancel);
        });
        QCOMPARE(dialog.DoModal(), IdCancel);
        QCOMPARE(focused, dialog.GetDlgItem(IdOk));
        // No radio button is chosen at first; choosing one clears the other.
        auto *first = dialog.GetDlgItem<QRadioButton>(1182);
        auto *second = dialog.GetDlgItem<QRadioButton>(1183);
        QVERIFY(!first->isChecked() && !second->isChecked());
        first->click();
        second->click();
        QVERIFY(!dialog.IsDlgButtonChecked(1182));
        QVERIFY(dialog.IsDlgButtonChecked(1183));
    }

    void endDialogDuringInit()
    {
        Recorder dialog(testTemplate());
        bool restRan = false;
        dialog.init = [&restRan](Recorder &d) {
            d.EndDialog(IdCancel);
            restRan = true;
            d.SetDlgItemText(LineEdit, QStringLiteral("still initialised"));
        };
        QCOMPARE(dialog.DoModal(), IdCancel);
        QVERIFY(restRan);
        QCOMPARE(dialog.showCount, 0);
        QCOMPARE(dialog.GetDlgItemText(LineEdit), QStringLiteral("still initialised"));
    }

    void nestedDialogDuringInit()
    {
        // As the editor's start: a dialog of its own runs before the main window is shown.
        Recorder main(testTemplate());
        int nestedResult = 0;
        main.init = [&nestedResult](Recorder &) {
            Recorder start(testTemplate(NoDialogStyle));
            start.okEnds = true;
            whenModal([&start](QWidget *w) { return w == &start; },
                      [](QWidget *w) { QTest::keyClick(w, Qt::Key_Return); });
            nestedResult = start.DoModal();
        };
        whenModal([&main](QWidget *w) { return w == &main; },
                  [](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
        main.cancelEnds = true;
        QCOMPARE(main.DoModal(), IdCancel);
        QCOMPARE(nestedResult, IdOk);
        QCOMPARE(main.showCount, 1);
    }

    void acceleratorsComeFirst()
    {
        Recorder dialog(testTemplate());
        QStringList commands;
        dialog.onCommand(32771, [&commands] { commands << QStringLiteral("left"); });
        dialog.onCommand(32772, [&commands] { commands << QStringLiteral("brush 1"); });
        dialog.LoadAccelerators({{Qt::Key_Left, 32771}, {Qt::Key_1, 32772}});
        showAndActivate(dialog);

        auto *button = dialog.GetDlgItem<QPushButton>(ButtonB);
        button->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(button, Qt::Key_Left);
        QTest::keyClick(button, Qt::Key_Left, Qt::KeypadModifier);   // the keypad's arrow
        QCOMPARE(QApplication::focusWidget(), button);

        // An arrow key neither moves among nor checks the radio buttons.
        auto *radio = dialog.GetDlgItem<QRadioButton>(Radio2);
        radio->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), radio);
        QTest::keyClick(radio, Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), radio);
        QVERIFY(!dialog.IsDlgButtonChecked(Radio1) && !dialog.IsDlgButtonChecked(Radio2));

        // Digits of the main keyboard only; each press (or auto-repeat) is one command.
        QTest::keyClick(radio, Qt::Key_1, Qt::KeypadModifier);
        QTest::keyPress(radio, Qt::Key_1);
        QTest::simulateEvent(radio, true, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"), true);
        QTest::keyRelease(radio, Qt::Key_1);
        QCOMPARE(commands, (QStringList{"left", "left", "left", "brush 1", "brush 1"}));
        QVERIFY(dialog.log.isEmpty());
    }

    void acceleratorsSilentUnderAMessageBox()
    {
        Recorder dialog(testTemplate());
        int lefts = 0;
        dialog.onCommand(32771, [&lefts] { ++lefts; });
        dialog.LoadAccelerators({{Qt::Key_Left, 32771}});
        int answer = 0;
        whenModal<Recorder>([&answer, &lefts](Recorder *d) {
            whenModal<QMessageBox>([&lefts](QMessageBox *box) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
                QCOMPARE(lefts, 0);
                box->button(QMessageBox::Ok)->click();
            });
            answer = d->MessageBox(QStringLiteral("Этот блок не льзя менять!"));
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d));
            QTest::keyClick(d, Qt::Key_Left);
            d->EndDialog(IdOk);
        });
        QCOMPARE(dialog.DoModal(), IdOk);
        QCOMPARE(answer, IdOk);
        QCOMPARE(lefts, 1);
    }

    void messageBox_data()
    {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("OK box, Enter") << false << int(Qt::Key_Return) << IdOk;
        QTest::newRow("OK box, Esc is OK") << false << int(Qt::Key_Escape) << IdOk;
        QTest::newRow("OK+Cancel, Enter") << true << int(Qt::Key_Return) << IdOk;
        QTest::newRow("OK+Cancel, Esc is Cancel") << true << int(Qt::Key_Escape) << IdCancel;
    }
    void messageBox()
    {
        QFETCH(bool, withCancel);
        QFETCH(int, key);
        QString caption;
        QString text;
        int buttons = 0;
        whenModal<QMessageBox>([&](QMessageBox *box) {
            caption = box->windowTitle();
            text = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->text();
            buttons = box->buttons().size();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        });
        // Texts from a level file are shown as they are, never as markup.
        const QString message = QStringLiteral("<b>Победа</b> & всё");
        QFETCH(int, result);
        QCOMPARE(dialogkit::messageBox(nullptr, message,
                                       withCancel ? MessageButtons::OkCancel : MessageButtons::Ok),
                 result);
        QCOMPARE(caption, QStringLiteral("Cobbleton"));
        QCOMPARE(text, message);
        QCOMPARE(buttons, withCancel ? 2 : 1);
    }

    void openFileDialog()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString wanted = dir.filePath(QStringLiteral("level one.lay"));
        QString title;
        QString filterShown;
        whenModal<QFileDialog>([&](QFileDialog *d) {
            title = d->windowTitle();
            filterShown = d->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText();
            d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(wanted);
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
        });
        // A name that does not exist is a valid answer.
        const std::optional<QString> path = openFileName(
            nullptr, QStringLiteral("Открыть файл."), QStringLiteral("Файл Уровня"), QStringLiteral("*.lay"));
        QCOMPARE(path, std::optional<QString>(wanted));
        QCOMPARE(title, QStringLiteral("Открыть файл."));
        QCOMPARE(filterShown, QStringLiteral("Файл Уровня"));

        whenModal<QFileDialog>([](QFileDialog *d) { d->reject(); });
        QCOMPARE(openFileName(nullptr, QStringLiteral("Открыть файл."), QStringLiteral("Файл Уровня"),
                              QStringLiteral("*.lay")),
                 std::nullopt);
    }

    void saveFileDialog()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        whenModal<QFileDialog>([&dir](QFileDialog *d) {
            d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(dir.filePath("mine"));
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
        });
        const auto save = [] {
            return saveFileName(nullptr, QStringLiteral("Сохранение Уровня"),
                                QStringLiteral("Файл Уровня (.lay)"), QStringLiteral("*.lay"),
                                QStringLiteral(".lay"));
        };
        QCOMPARE(save(), std::optional<QString>(dir.filePath(QStringLiteral("mine.lay"))));

        // An existing file: the overwrite question comes first; No keeps the dialog open.
        QFile existing(dir.filePath(QStringLiteral("old.lay")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        int questions = 0;
        const QString existingName = existing.fileName();
        whenModal<QFileDialog>([&questions, existingName](QFileDialog *d) {
            whenModal<QMessageBox>([&questions, d](QMessageBox *q) {
                ++questions;
                q->button(QMessageBox::No)->click();
                d->activateWindow();
                whenModal([d](QWidget *w) { return w == d; }, [&questions, d](QWidget *) {
                    whenModal<QMessageBox>([&questions](QMessageBox *again) {
                        ++questions;
                        again->button(QMessageBox::Yes)->click();
                    });
                    QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
                });
            });
            d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(existingName);
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
        });
        QCOMPARE(save(), std::optional<QString>(existing.fileName()));
        QCOMPARE(questions, 2);
    }

    void timers()
    {
        Recorder dialog(testTemplate());
        showAndActivate(dialog);
        // Timer 1 stops itself at its first tick: one tick only.
        dialog.SetTimer(1, 20);
        // Timer 2 repeats until it is killed.
        dialog.SetTimer(2, 5);
        QTRY_VERIFY(dialog.log.count(QStringLiteral("timer 2")) >= 3);
        dialog.KillTimer(2);
        QTest::qWait(100);
        const qsizetype twos = dialog.log.count(QStringLiteral("timer 2"));
        QTest::qWait(50);
        QCOMPARE(dialog.log.count(QStringLiteral("timer 2")), twos);
        QCOMPARE(dialog.log.count(QStringLiteral("timer 1")), 1);
        dialog.KillTimer(3);
    }

    void systemMenuItem_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Alt+Space") << true;
        QTest::newRow("right-click on the background") << false;
    }
    void systemMenuItem()
    {
        QFETCH(bool, byKey);
        Recorder dialog(testTemplate());
        QVERIFY(!dialog.AppendSystemMenuItem(16, QString()));
        QVERIFY(dialog.AppendSystemMenuItem(16, QStringLiteral("&About Cobbleton...")));
        showAndActivate(dialog);
        if (byKey) {
            QTest::keyClick(&dialog, Qt::Key_Space, Qt::AltModifier);
        } else {
            const QPoint blank(dialog.clientArea()->width() - 2, dialog.clientArea()->height() - 2);
            QContextMenuEvent event(QContextMenuEvent::Mouse, blank,
                                    dialog.clientArea()->mapToGlobal(blank));
            QApplication::sendEvent(dialog.clientArea(), &event);
        }
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QAction *about = nullptr;
        for (QAction *action : menu->actions())
            if (action->text() == QLatin1String("&About Cobbleton..."))
                about = action;
        QVERIFY(about);
        menu->setActiveAction(about);
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(dialog.log, QStringList{QStringLiteral("sys 16")});
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    void rightClickOnAButtonOpensNoMenu()
    {
        Recorder dialog(testTemplate());
        dialog.AppendSystemMenuItem(16, QStringLiteral("&About Cobbleton..."));
        showAndActivate(dialog);
        QWidget *button = dialog.GetDlgItem(ButtonA);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3), button->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(button, &event);
        QVERIFY(!QApplication::activePopupWidget());
    }

    void menuCommands()
    {
        Recorder dialog(testTemplate(SystemMenu, &TestMenu));
        QStringList commands;
        dialog.onCommand(32779, [&commands] { commands << QStringLiteral("level 1"); });
        auto *bar = dialog.findChild<QMenuBar *>();
        QVERIFY(bar);
        QCOMPARE(bar->actions().size(), 2);
        QMenu *file = bar->actions().at(0)->menu();
        QCOMPARE(file->title(), QStringLiteral("&File"));
        const QList<QAction *> items = file->actions();
        QCOMPARE(items.size(), 4);
        QVERIFY(items.at(1)->isSeparator());
        QMenu *levels = items.at(2)->menu();
        QVERIFY(levels);
        QVERIFY(levels->actions().at(0)->isEnabled());
        QVERIFY(!levels->actions().at(1)->isEnabled());
        levels->actions().at(0)->trigger();
        items.at(3)->trigger();   // no handler: nothing happens
        items.at(0)->trigger();
        QCOMPARE(commands, QStringList{QStringLiteral("level 1")});
        QVERIFY(dialog.log.isEmpty());
    }

    void dataExchangeAndComboSelection()
    {
        Recorder dialog(testTemplate());
        QString author = QStringLiteral("Автор");
        dialog.bindText(LineEdit, author);
        dialog.okEnds = true;
        QCOMPARE(dialog.GetComboCount(Combo), 2);
        QCOMPARE(dialog.GetComboSelection(Combo), -1);
        QCOMPARE(dialog.GetComboItemText(Combo, 1), QStringLiteral("Средний"));
        QCOMPARE(dialog.GetComboItemText(Combo, 2), QString());
        whenModal<Recorder>([](Recorder *d) {
            QCOMPARE(d->GetDlgItemText(LineEdit), QStringLiteral("Автор"));
            d->SetComboSelection(Combo, 1);
            QCOMPARE(d->GetComboSelection(Combo), 1);
            QCOMPARE(d->GetDlgItemText(Combo), QStringLiteral("Средний"));
            // Typed text is not a selection.
            auto *combo = d->GetDlgItem<QComboBox>(Combo);
            combo->setFocus();
            QTest::keyClicks(combo->lineEdit(), QStringLiteral("x"));
            QCOMPARE(d->GetComboSelection(Combo), -1);
            d->SetComboSelection(Combo, -1);
            QCOMPARE(d->GetDlgItemText(Combo), QString());
            d->SetDlgItemText(LineEdit, QStringLiteral("Другой"));
            d->OnCommand(IdOk);
        });
        QCOMPARE(dialog.DoModal(), IdOk);
        QCOMPARE(author, QStringLiteral("Другой"));
    }
};

QTEST_MAIN(DialogTest)
#include "dialog_test.moc"
