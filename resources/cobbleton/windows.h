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
// only tab stop, then the strip's texts left and right of it (StripFields), empty at first.
extern const dialogkit::DialogTemplate GameWindow;

// Menu 135: "Файл", "Настройки", "Справка", with the commands below.
extern const dialogkit::MenuTemplate GameMenu;

// Accelerator table 134: the four arrow keys; Ctrl+Z and Backspace undo, Ctrl+Y and
// Ctrl+Shift+Z redo, Ctrl+R restarts the level; PageDown and PageUp the next and the previous
// level; F1 the help; F2 a hint.
extern const dialogkit::AcceleratorTable GameKeys;

// The settings dialog ("Настройки игры"): a check box per setting (SettingsCheckBox + i, in the
// order of cobbleton::SettingEntries), OK and "Отмена".
extern const dialogkit::DialogTemplate SettingsDialog;

// The help window ("Справка"): HelpText in a read-only text box (HelpTextBox), and OK.
extern const dialogkit::DialogTemplate HelpDialog;

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
inline constexpr int NextLevelCommand = 32798;
inline constexpr int PreviousLevelCommand = 32799;
inline constexpr int HintCommand = 32800;

// Commands of menu 135.
inline constexpr int NewGameCommand = 32775;
inline constexpr int ContinueGameCommand = 32777;
inline constexpr int SaveGameCommand = 32778;
inline constexpr int LevelCommands[] = {32779, 32780, 32781, 32782, 32787, 32788, 32789, 32790, 32791, 32792};
inline constexpr int MoreLevelsCommand = 32786;
inline constexpr int ExitCommand = 32785;
inline constexpr int SettingsCommand = 32784;
inline constexpr int HelpCommand = 32793;
inline constexpr int AboutGameCommand = 32794;

// The strip under the board: its texts, each shown only while its setting is on.
inline constexpr int StripPlaceText = 1240;  // "Уровень 3 из 10: <name>"
inline constexpr int StripCountsText = 1241; // "Ходы: 12   Толкания: 3"
inline constexpr const char *StripPlaceFormat = "Уровень %1 из %2: %3";
inline constexpr const char *StripCountsFormat = "Ходы: %1   Толкания: %2";

// What the strip's left text says instead, while there is something to say: of a hint (F2), until
// the next key; of a lost position, while it is lost (%1 the undos, %2 the word "ход" for that
// number: LostMoveWords for 1, 2 to 4, and 5 or more, as Russian counts).
inline constexpr const char *HintSearchingText = "Подсказка: ищу решение…";
inline constexpr const char *HintNoSolutionText = "Отсюда решения нет: отмените ходы (Ctrl+Z).";
inline constexpr const char *HintNotFoundText = "Подсказка не найдена за 10 секунд.";
inline constexpr const char *LostFormat = "Позиция проиграна. Вернитесь на %1 %2 назад (Ctrl+Z).";
inline constexpr const char *LostMoveWords[] = {"ход", "хода", "ходов"};
// Lost, and no count to give: no position since the start can be won, or the count was not
// found in time.
inline constexpr const char *LostText = "Позиция проиграна.";

// The settings dialog's first check box; the others follow it.
inline constexpr int SettingsCheckBox = 1000;
inline constexpr int HelpTextBox = 1000;

// The text of the window-menu item that opens the About box (string 101).
inline constexpr const char *AboutItemText = "&About Cobbleton...";

// The level file dialog and its message when no file was chosen.
inline constexpr const char *OpenLevelTitle = "Открыть файл.";
inline constexpr const char *LevelFileType = "Файл Уровня";
inline constexpr const char *LevelFilePattern = "*.lay";
inline constexpr const char *NoFileMessage = "Вы не выбрали файл, или выбрали поврежденный файл.";

// "Дополнительные уровни": a level file or a collection in the text format.
inline constexpr const char *MoreLevelsTitle = "Дополнительные уровни";
inline constexpr const char *MoreLevelsFileType = "Уровни";
inline constexpr const char *MoreLevelsPattern = "*.lay *.xsb *.sok *.txt";

// When a saved game cannot be played on, and when the game's files cannot be written (%1: the
// folder).
inline constexpr const char *SavedLevelMissingMessage =
    "Сохранённую игру не удаётся продолжить: файла её уровня больше нет.";
inline constexpr const char *CannotReplayMessage =
    "Сохранённую игру не удаётся продолжить: файл её уровня изменился. Уровень начат сначала.";
inline constexpr const char *CannotKeepFilesMessage =
    "Не удаётся записать файлы игры в папку %1. Игра продолжается, но прогресс, настройки и "
    "сохранённая игра не будут сохранены.";

// The help window's text; %1 is the folder of the settings, %2 that of the progress and the
// saved game, %3 that of the sample levels.
extern const char *const HelpText;

} // namespace cobbletonresources
