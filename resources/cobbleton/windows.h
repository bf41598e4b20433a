// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/templates.h"

// The game's windows as data: its dialog templates, menu, accelerator table and strings, under
// the ids its code uses. Texts are UTF-8.
namespace cobbletonresources {

// Template 100: the About box ("About Cobbleton", icon 128, "Cobbleton Version 1.0", OK).
extern const dialogkit::DialogTemplate AboutDialog;

// Template 102: the game window, "Cobbleton", 500 x 390 units with menu 135. Its controls in
// order: the 180 cell pictures (ids 1000..1119, then 1180..1239), all showing the Wall bitmap at
// one provisional spot until the window lays them out, then the "Загрузить" button 1120, the
// only tab stop.
extern const dialogkit::DialogTemplate GameWindow;

// Menu 135: "Файл", "Настройки", "Справка". The game handles none of its commands.
extern const dialogkit::MenuTemplate GameMenu;

// Accelerator table 134: the four arrow keys; Ctrl+Z and Backspace undo, Ctrl+Y and
// Ctrl+Shift+Z redo, Ctrl+R restarts the level.
extern const dialogkit::AcceleratorTable GameKeys;

// The control id of cell `cell` (0..179): 1000 + cell in rows 0 to 7, 1060 + cell from row 8 on,
// around the Load button's 1120.
constexpr int cellControlId(int cell)
{
    return cell < 120 ? 1000 + cell : 1060 + cell;
}

// Commands of the game window.
inline constexpr int LoadButton = 1120;
inline constexpr int MoveLeftCommand = 32771;
inline constexpr int MoveRightCommand = 32772;
inline constexpr int MoveUpCommand = 32773;
inline constexpr int MoveDownCommand = 32774;
inline constexpr int UndoCommand = 32795;
inline constexpr int RedoCommand = 32796;
inline constexpr int RestartCommand = 32797;

// The text of the window-menu item that opens the About box (string 101).
inline constexpr const char *AboutItemText = "&About Cobbleton...";

// The level file dialog and its message when no file was chosen.
inline constexpr const char *OpenLevelTitle = "Открыть файл.";
inline constexpr const char *LevelFileType = "Файл Уровня";
inline constexpr const char *LevelFilePattern = "*.lay";
inline constexpr const char *NoFileMessage = "Вы не выбрали файл, или выбрали поврежденный файл.";

} // namespace cobbletonresources
