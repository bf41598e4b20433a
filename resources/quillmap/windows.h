// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/templates.h"

// The editor's windows as data: its dialog templates, accelerator table and strings, under the
// ids its code uses. Texts are UTF-8.
namespace quillmapresources {

// Editor window (template 102): the control id of cell `cell` (0..179), then the panel's controls.
constexpr int cellControlId(int cell)
{
    return 1000 + cell;
}
inline constexpr int RefreshButton = 1181;
inline constexpr int LevelDataButton = 1190;
inline constexpr int SaveLevelButton = 1191;
inline constexpr int CloseProgramButton = 1192;
inline constexpr int OpenLevelButton = 1193;
inline constexpr int NewLevelButton = 1194;
inline constexpr int MarkerPicture = 1195;

// Start dialog (template 134).
inline constexpr int NewLevelRadio = 1182;
inline constexpr int EditLevelRadio = 1183;
inline constexpr int LeaveRadio = 1184;

// Level information dialogs (templates 135 and 139).
inline constexpr int AuthorEdit = 1185;
inline constexpr int NameEdit = 1186;
inline constexpr int DifficultyCombo = 1187;
inline constexpr int VictoryMessageEdit = 1188;
inline constexpr int LevelInfoOkButton = 1189; // an ordinary button, not the OK command

// Commands of accelerator table 138.
inline constexpr int CursorLeftCommand = 32771;
inline constexpr int BrushWallCommand = 32772;
inline constexpr int BrushPlayerCommand = 32773;
inline constexpr int BrushItemPlaceCommand = 32774;
inline constexpr int BrushFloorCommand = 32775;
inline constexpr int CursorRightCommand = 32777;
inline constexpr int CursorDownCommand = 32778;
inline constexpr int CursorUpCommand = 32779;
inline constexpr int BrushItemCommand = 32780;
inline constexpr int PlayLevelCommand = 32781;
inline constexpr int CheckLevelCommand = 32782;
inline constexpr int UndoCommand = 32783;
inline constexpr int RedoCommand = 32784;
inline constexpr int CopyLevelCommand = 32785;
inline constexpr int PasteLevelCommand = 32786;

extern const dialogkit::DialogTemplate AboutDialog;     // template 100: About Quillmap
extern const dialogkit::DialogTemplate EditorWindow;    // template 102: the editor window
extern const dialogkit::DialogTemplate StartDialog;     // template 134: program start
extern const dialogkit::DialogTemplate NewLevelDialog;  // template 135: a new level's texts
extern const dialogkit::DialogTemplate LevelInfoDialog; // template 139: the level's texts

// Accelerator table 138: arrows move the cursor, the main keyboard's 1..5 choose the brush, F5
// plays the level in the game, F7 checks it; Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo,
// Ctrl+C and Ctrl+V copy and paste the level as text.
extern const dialogkit::AcceleratorTable EditorKeys;

// The text of the window-menu item that opens the About box (string 101).
inline constexpr const char *AboutItemText = "&About Quillmap...";

// The level file dialogs.
inline constexpr const char *OpenLevelTitle = "Открыть файл.";
inline constexpr const char *SaveLevelTitle = "Сохранение Уровня";
inline constexpr const char *LevelFileType = "Файл Уровня";
inline constexpr const char *SavedLevelFileType = "Файл Уровня (.lay)";
inline constexpr const char *LevelFilePattern = "*.lay";
inline constexpr const char *LevelFileSuffix = ".lay";

// Messages.
inline constexpr const char *NoFileMessage = "Вы не выбрали файл, или выбрали поврежденный файл.";
inline constexpr const char *SaveFailedMessage = "Не удалось сохранить уровень.";
// %1: the current folder.
inline constexpr const char *ScratchNotWrittenMessage =
    "Не удалось записать файл NewLayer.lay в текущую папку (%1). Уровень создан только в памяти: "
    "сохраните его кнопкой «Сохранить уровень».";
inline constexpr const char *GameNotFoundMessage =
    "Игра cobbleton не найдена ни рядом с редактором, ни в папках из PATH.";
inline constexpr const char *PlayCopyFailedMessage = "Не удалось записать временный файл уровня для игры.";
inline constexpr const char *GameNotStartedMessage = "Не удалось запустить игру.";
inline constexpr const char *SolutionFoundMessage = "Решение найдено: %1 ходов, %2 толканий.";
inline constexpr const char *NoSolutionMessage = "Решения нет.";
inline constexpr const char *CheckUndecidedMessage = "Не удалось проверить за 10 секунд.";
inline constexpr const char *PlayerCountMessage =
    "Игра не может быть без игрока или с колличеством больше одного игрока.";
inline constexpr const char *ItemCountMessage =
    "Колличество предметов и колличество мест под предметы должно быть одинакого.";
inline constexpr const char *BorderCellMessage = "Этот блок не льзя менять!";
inline constexpr const char *NothingToCopyMessage =
    "Нечего копировать: на поле одни стены или клетки, которых нет в текстовом формате уровней.";
inline constexpr const char *NothingToPasteMessage = "В буфере обмена нет уровня.";
// %1: the level's size, e.g. "17 × 9".
inline constexpr const char *PasteTooLargeMessage = "Уровень из буфера обмена (%1) не помещается на поле 15 × 12.";
inline constexpr const char *PasteNotUsableMessage =
    "Уровень из буфера обмена нельзя вставить: в таком виде в него нельзя играть.";
inline constexpr const char *NoChoiceMessage = "Вы не выбрали действие!!!";
inline constexpr const char *CloseQuestion =
    "Внимание при выходе из программы могут быть утеряны несохраненные данные. "
    "Вы уверену, что хотите выйте из программы?";

} // namespace quillmapresources
