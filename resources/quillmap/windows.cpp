// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/quillmap/windows.h"

#include "resources/quillmap/pictures.h"

namespace quillmapresources {

using namespace dialogkit;

namespace {

std::vector<ControlTemplate> editorControls()
{
    std::vector<ControlTemplate> controls;
    // The cells all start at one placeholder spot without a picture; the window lays them out.
    for (int i = 0; i < 180; ++i)
        controls.push_back(picture(cellControlId(i), NoPicture, 14, 47, 33, 31));
    const std::vector<ControlTemplate> panel = {
        blackFrame(NoId, 502, 0, 99, 369, ModalFrame),
        pushButton(RefreshButton, "Обновить", 508, 204, 89, 14),
        pushButton(LevelDataButton, "Данные уровня", 508, 190, 89, 14),
        picture(NoId, WallPicture, 563, 5, 33, 31),
        picture(NoId, PlayerPicture, 563, 37, 33, 31),
        picture(NoId, ItemPlacePicture, 563, 69, 33, 31),
        picture(NoId, FloorPicture, 563, 101, 33, 31),
        picture(NoId, ItemPicture, 563, 133, 33, 31),
        staticText(NoId, "Стена ( 1 )  -", 518, 16, 41, 8),
        staticText(NoId, "Игрок ( 2 )  -", 517, 48, 42, 8),
        staticText(NoId, "Место для предмета ( 3 ) -", 507, 73, 52, 22),
        staticText(NoId, "Пол (4 )  -", 527, 112, 32, 8),
        staticText(NoId, "Предмет ( 5 )  -", 508, 144, 51, 8),
        pushButton(SaveLevelButton, "Сохранить уровень", 508, 219, 89, 14),
        pushButton(CloseProgramButton, "Закрыть программу", 508, 343, 89, 14),
        pushButton(OpenLevelButton, "Открыть уровень", 508, 328, 89, 14),
        pushButton(NewLevelButton, "Новый уровень", 508, 313, 89, 14),
        picture(MarkerPicture, WallPicture, 535, 260, 33, 31),
        staticText(NoId, "Маркер", 538, 246, 27, 8),
    };
    controls.insert(controls.end(), panel.begin(), panel.end());
    return controls;
}

// Templates 135 and 139 differ only in their captions.
DialogTemplate levelInfoTemplate(const char *caption)
{
    return {caption,
            288,
            130,
            NoDialogStyle,
            {
                pushButton(LevelInfoOkButton, "OK", 118, 109, 50, 14),
                edit(AuthorEdit, 102, 11, 172, 14),
                staticText(NoId, "Автор уровня", 52, 14, 46, 8),
                staticText(NoId, "Название уровня", 38, 30, 60, 8),
                staticText(NoId, "Сложность уровня", 34, 50, 64, 8),
                staticText(NoId, "Сообщение при победе.", 16, 68, 82, 8),
                edit(NameEdit, 102, 28, 172, 14),
                comboBox(
                    DifficultyCombo, 102, 48, 172, 73, DropDown | VScroll | TabStop,
                    {"Тестовый", "Очень легкий", "Легкий", "Средний", "Тяжелый", "Очень тяжелый", "Нереально сложный"}),
                edit(VictoryMessageEdit, 102, 65, 172, 38, MultiLine | WordWrap | VScroll | Border | TabStop),
            }};
}

} // namespace

const DialogTemplate AboutDialog = {
    "About Quillmap",
    235,
    55,
    SystemMenu,
    {
        icon(NoId, ProgramIcon, 11, 17, 20, 20),
        staticText(NoId, "Quillmap Version 1.0", 40, 10, 119, 8),
        pushButton(IdOk, "OK", 178, 7, 50, 14, TabStop | DefaultButton),
    },
};

const DialogTemplate EditorWindow = {"Quillmap", 601, 369, SystemMenu, editorControls()};

const DialogTemplate StartDialog = {
    "Запуск программы",
    176,
    121,
    NoDialogStyle,
    {
        pushButton(IdOk, "OK", 63, 100, 50, 14),
        groupBox(NoId, "Выберите действие", 7, 7, 162, 91),
        radioButton(NewLevelRadio, "Создать новый уровень", 25, 25, 97, 10),
        radioButton(EditLevelRadio, "Редактировать уровень", 25, 45, 97, 10),
        radioButton(LeaveRadio, "Выйти из программы", 25, 65, 89, 10),
    },
};

const DialogTemplate NewLevelDialog = levelInfoTemplate("Создание нового Уровня.");
const DialogTemplate LevelInfoDialog = levelInfoTemplate("Информация об уровне");

const AcceleratorTable EditorKeys = {
    {Qt::Key_1, BrushWallCommand},
    {Qt::Key_2, BrushPlayerCommand},
    {Qt::Key_3, BrushItemPlaceCommand},
    {Qt::Key_4, BrushFloorCommand},
    {Qt::Key_5, BrushItemCommand},
    {Qt::Key_Left, CursorLeftCommand},
    {Qt::Key_Right, CursorRightCommand},
    {Qt::Key_Down, CursorDownCommand},
    {Qt::Key_Up, CursorUpCommand},
    {Qt::Key_F5, PlayLevelCommand, false},  // held down, it still starts one game
    {Qt::Key_F7, CheckLevelCommand, false}, // a second press cancels, so never repeat
    {Qt::CTRL | Qt::Key_Z, UndoCommand},
    {Qt::CTRL | Qt::Key_Y, RedoCommand},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, RedoCommand},
    {Qt::CTRL | Qt::Key_C, CopyLevelCommand, false},
    {Qt::CTRL | Qt::Key_V, PasteLevelCommand, false},
};

} // namespace quillmapresources
