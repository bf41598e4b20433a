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
              menuItem("Новая игра", 32775),
              menuSeparator(),
              menuItem("Продолжить игру", 32777),
              menuItem("Сохранить игру", 32778),
              menuSeparator(),
              popup("Играть в открытые уровни",
                    {
                        menuItem("Уровень 1", 32779),
                        menuItem("Уровень 2", 32780),
                        menuItem("Уровень 3", 32781),
                        menuItem("Уровень 4", 32782, Grayed),
                        menuItem("Уровень 5", 32787, Grayed),
                        menuItem("Уровень 6", 32788, Grayed),
                        menuItem("Уровень 7", 32789, Grayed),
                        menuItem("Уровень 8", 32790, Grayed),
                        menuItem("Уровень 9", 32791, Grayed),
                        menuItem("Уровень 10", 32792, Grayed),
                    }),
              menuSeparator(),
              menuItem("Дополнительные уровни", 32786),
              menuSeparator(),
              menuItem("Выход", 32785),
          }),
    popup("Настройки", {menuItem("Настройки игры", 32784)}),
    popup("Справка", {menuItem("Справка", 32793), menuItem("О игре", 32794)}),
};

namespace {

DialogTemplate buildGameWindow()
{
    DialogTemplate window{"Cobbleton", 500, 390, SystemMenu | MinimizeBox, {}, &GameMenu};
    for (int cell = 0; cell < 180; ++cell)
        window.controls.push_back(picture(cellControlId(cell), WallPicture, 14, 47, 33, 31));
    window.controls.push_back(pushButton(LoadButton, "Загрузить", 229, 377, 50, 14));
    return window;
}

} // namespace

const DialogTemplate GameWindow = buildGameWindow();

const AcceleratorTable GameKeys = {
    {Qt::Key_Down, MoveDownCommand},        {Qt::Key_Left, MoveLeftCommand},
    {Qt::Key_Right, MoveRightCommand},      {Qt::Key_Up, MoveUpCommand},
    {Qt::CTRL | Qt::Key_Z, UndoCommand},    {Qt::Key_Backspace, UndoCommand},
    {Qt::CTRL | Qt::Key_Y, RedoCommand},    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, RedoCommand},
    {Qt::CTRL | Qt::Key_R, RestartCommand},
};

} // namespace cobbletonresources
