// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/cobbleton/windows.h"

#include "resources/cobbleton/pictures.h"

namespace cobbletonresources {

using namespace dialogkit;

const DialogTemplate AboutDialog = {
    "About Cobbleton",
    235,
    55,
    SystemMenu,
    {
        icon(NoId, ProgramIcon, 11, 17, 20, 20),
        staticText(NoId, "Cobbleton Version 1.0", 40, 10, 119, 8),
        pushButton(IdOk, "OK", 178, 7, 50, 14, TabStop | DefaultButton),
    },
};

const MenuTemplate GameMenu = {
    popup("Файл",
          {
              menuItem("Новая игра", NewGameCommand),
              menuSeparator(),
              menuItem("Продолжить игру", ContinueGameCommand),
              menuItem("Сохранить игру", SaveGameCommand),
              menuSeparator(),
              popup("Играть в открытые уровни",
                    {
                        menuItem("Уровень 1", LevelCommands[0]),
                        menuItem("Уровень 2", LevelCommands[1]),
                        menuItem("Уровень 3", LevelCommands[2]),
                        menuItem("Уровень 4", LevelCommands[3], Grayed),
                        menuItem("Уровень 5", LevelCommands[4], Grayed),
                        menuItem("Уровень 6", LevelCommands[5], Grayed),
                        menuItem("Уровень 7", LevelCommands[6], Grayed),
                        menuItem("Уровень 8", LevelCommands[7], Grayed),
                        menuItem("Уровень 9", LevelCommands[8], Grayed),
                        menuItem("Уровень 10", LevelCommands[9], Grayed),
                    }),
              menuSeparator(),
              menuItem("Дополнительные уровни", MoreLevelsCommand),
              menuSeparator(),
              menuItem("Выход", ExitCommand),
          }),
    popup("Настройки", {menuItem("Настройки игры", SettingsCommand)}),
    popup("Справка", {menuItem("Справка", HelpCommand), menuItem("О игре", AboutGameCommand)}),
};

const DialogTemplate SettingsDialog = {
    "Настройки игры",
    200,
    76,
    SystemMenu,
    {
        checkBox(SettingsCheckBox, "Отмечать предметы, стоящие на местах", 10, 9, 180, 10),
        checkBox(SettingsCheckBox + 1, "Показывать ходы и толкания", 10, 23, 180, 10),
        checkBox(SettingsCheckBox + 2, "Предупреждать о проигранной позиции", 10, 37, 180, 10),
        pushButton(IdOk, "OK", 86, 55, 50, 14, TabStop | DefaultButton),
        pushButton(IdCancel, "Отмена", 142, 55, 50, 14),
    },
};

const DialogTemplate HelpDialog = {
    "Справка",
    320,
    230,
    SystemMenu,
    {
        edit(HelpTextBox, 7, 7, 306, 194, MultiLine | WordWrap | VScroll | Border | ReadOnly | TabStop),
        pushButton(IdOk, "OK", 263, 209, 50, 14, TabStop | DefaultButton),
    },
};

const char *const HelpText =
    "Цель игры\n"
    "Расставьте все предметы по местам для предметов (жёлтые круги). Предметы можно только толкать, "
    "по одному и на одну клетку; тянуть их нельзя, а два предмета подряд не сдвинуть. Когда на "
    "каждом месте стоит предмет, уровень пройден.\n"
    "\n"
    "Клавиши\n"
    "Стрелки — шаг; шаг в предмет толкает его.\n"
    "Ctrl+Z или Backspace — отменить последний шаг; Ctrl+Y или Ctrl+Shift+Z — вернуть его.\n"
    "Ctrl+R — начать уровень заново (Ctrl+Z возвращает позицию).\n"
    "PageDown и PageUp — следующий и предыдущий уровень.\n"
    "F2 — подсказка: игра ищет решение из текущей позиции и сама делает следующее толкание (подход "
    "к предмету и толчок), шаг за шагом; каждый шаг отменяется Ctrl+Z, как свой. Любая клавиша или "
    "F2 ещё раз останавливает подсказку. Если решения отсюда нет, строка под полем говорит, что "
    "ходы нужно отменить.\n"
    "F1 — эта справка. Esc — выход из игры.\n"
    "\n"
    "Меню «Файл»\n"
    "Новая игра — первый из десяти уровней игры; открытые уровни остаются открытыми.\n"
    "Продолжить игру — сохранённая игра с её позицией и историей ходов; без неё — первый открытый "
    "и ещё не пройденный уровень.\n"
    "Сохранить игру — запомнить текущий уровень, позицию и историю ходов (прежняя сохранённая игра "
    "заменяется).\n"
    "Играть в открытые уровни — десять уровней игры, от очень лёгкого до нереально сложного. "
    "Сначала открыты три; каждый впервые пройденный уровень открывает ещё один. После победы "
    "начинается следующий уровень.\n"
    "Дополнительные уровни — файл уровня (.lay) или набор уровней в текстовом формате (.xsb, .sok, "
    ".txt). Уровни папки файла или набора идут один за другим.\n"
    "Выход — закрыть игру.\n"
    "Кнопка «Загрузить» открывает один файл уровня; PageDown и PageUp листают уровни его папки.\n"
    "\n"
    "Меню «Настройки»\n"
    "Настройки игры: «Отмечать предметы, стоящие на местах» — свои картинки для предмета и игрока "
    "на месте; «Показывать ходы и толкания» — строка под полем: номер и название уровня, число "
    "ходов и толканий; «Предупреждать о проигранной позиции» (включено сначала) — после каждого "
    "толкания, отмены, возврата и начала заново игра проверяет в фоне (не дольше секунды), можно "
    "ли ещё выиграть, и если нельзя, строка под полем говорит, сколько ходов отменить (Ctrl+Z), "
    "чтобы вернуться к последней выигрышной позиции.\n"
    "\n"
    "Меню «Справка»\n"
    "Справка — эта справка. О игре — название и версия игры.\n"
    "\n"
    "Где хранятся файлы\n"
    "Настройки: %1\n"
    "Прогресс и сохранённая игра: %2\n"
    "Уровни игры и дополнительные уровни: %3";

namespace {

DialogTemplate buildGameWindow()
{
    DialogTemplate window{"Cobbleton", 500, 390, SystemMenu | MinimizeBox, {}, &GameMenu};
    for (int cell = 0; cell < 180; ++cell)
        window.controls.push_back(picture(cellControlId(cell), WallPicture, 14, 47, 33, 31));
    window.controls.push_back(pushButton(LoadButton, "Загрузить", 229, 377, 50, 14));
    window.controls.push_back(staticText(StripPlaceText, "", 4, 380, 221, 9));
    window.controls.push_back(staticText(StripCountsText, "", 284, 380, 212, 9));
    return window;
}

} // namespace

const DialogTemplate GameWindow = buildGameWindow();

const AcceleratorTable GameKeys = {
    {Qt::Key_Down, MoveDownCommand},
    {Qt::Key_Left, MoveLeftCommand},
    {Qt::Key_Right, MoveRightCommand},
    {Qt::Key_Up, MoveUpCommand},
    {Qt::CTRL | Qt::Key_Z, UndoCommand},
    {Qt::Key_Backspace, UndoCommand},
    {Qt::CTRL | Qt::Key_Y, RedoCommand},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, RedoCommand},
    {Qt::CTRL | Qt::Key_R, RestartCommand},
    {Qt::Key_PageDown, NextLevelCommand},
    {Qt::Key_PageUp, PreviousLevelCommand},
    {Qt::Key_F1, HelpCommand},
    {Qt::Key_F2, HintCommand},
};

} // namespace cobbletonresources
