// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Resources as data: dialog templates, menus and accelerator tables. Each program keeps its own
// in resources/, written with the numbers of its windows (dialog units, ids, captions), e.g.
//
//   const dialogkit::DialogTemplate AboutDialog = {
//       "About Cobbleton", 235, 55, dialogkit::SystemMenu,
//       {
//           dialogkit::icon(dialogkit::NoId, 128, 11, 17, 20, 20),
//           dialogkit::staticText(dialogkit::NoId, "Cobbleton Version 1.0", 40, 10, 119, 8),
//           dialogkit::pushButton(dialogkit::IdOk, "OK", 178, 7, 50, 14,
//                                 dialogkit::TabStop | dialogkit::DefaultButton),
//       },
//   };
//
// Texts are UTF-8. Positions and sizes are dialog units (dialogunits.h), relative to the client
// area's top-left corner.

#include <QKeyCombination>

#include <utility>
#include <vector>

namespace dialogkit {

inline constexpr int NoId = -1;     // a control without an id of its own
inline constexpr int NoPicture = 0; // no picture / icon resource
inline constexpr int IdOk = 1;      // the standard OK command and dialog result
inline constexpr int IdCancel = 2;  // the standard Cancel command and dialog result

enum class ControlKind {
    PushButton,
    StaticText,  // left-aligned text, wrapped at the control's width; '&' shown as is
    Picture,     // a picture (bitmap) resource; the control takes the picture's size
    Icon,        // an icon resource, shown 32 x 32
    Edit,        // single-line, or multi-line with MultiLine
    ComboBox,    // a drop-down list; with DropDown it has an edit box
    GroupBox,    // a titled frame drawn behind the controls that follow it
    RadioButton, // automatic: consecutive radio buttons form one exclusive group
    CheckBox,    // automatic: a click checks or clears it
    BlackFrame,  // a rectangle in the window-frame colour
};

// Style flags of a control; combine with |.
enum ControlStyle : unsigned {
    NoStyle = 0,
    TabStop = 1u << 0,       // reached with Tab; without it a control takes focus only by click
    DefaultButton = 1u << 1, // push button: pressed by Enter when no push button has the focus
    MultiLine = 1u << 2,     // edit: several lines (a single-line edit scrolls as the text grows)
    WordWrap = 1u << 3,      // multi-line edit: lines wrap at the right edge
    VScroll = 1u << 4,       // multi-line edit: vertical scroll bar
    Border = 1u << 5,        // edit: a border
    DropDown = 1u << 6,      // combo box: an edit box above the list
    WantReturn = 1u << 7,    // multi-line edit: takes Enter for itself (else Enter is the OK command)
    ModalFrame = 1u << 8,    // black frame: a raised border
    Disabled = 1u << 9,
    ReadOnly = 1u << 10, // edit: shows its text, takes no typing
};
using ControlStyles = unsigned;

struct ControlTemplate
{
    ControlKind kind = ControlKind::StaticText;
    int id = NoId;
    const char *text = "";   // caption, UTF-8; unused by pictures, icons and frames
    int picture = NoPicture; // Picture: picture id; Icon: icon id
    int x = 0;               // dialog units
    int y = 0;
    int width = 0;
    int height = 0; // a combo box's height includes its opened list
    ControlStyles style = NoStyle;
    std::vector<const char *> items = {}; // combo box: the list entries in order, not sorted
};

// Window styles of a dialog; combine with |.
enum DialogStyle : unsigned {
    NoDialogStyle = 0,
    SystemMenu = 1u << 0,  // a close box, and the window menu (AppendSystemMenuItem)
    MinimizeBox = 1u << 1, // a minimise box; the window is a main window even with an owner
};

struct MenuItem;
using MenuTemplate = std::vector<MenuItem>; // the pop-ups of a menu bar, left to right

enum MenuItemFlag : unsigned {
    Enabled = 0,
    Grayed = 1u << 0,
};

struct MenuItem
{
    const char *text = nullptr; // UTF-8, '&' marks the mnemonic; nullptr makes a separator
    int command = 0;            // command id sent to Dialog::OnCommand
    unsigned flags = Enabled;
    std::vector<MenuItem> items = {}; // not empty: this item is a pop-up (submenu)
};

struct DialogTemplate
{
    const char *caption = "";
    int width = 0; // client area, dialog units; a menu bar sits above it
    int height = 0;
    unsigned style = NoDialogStyle;
    std::vector<ControlTemplate> controls = {}; // template order = tab order = creation order
    const MenuTemplate *menu = nullptr;         // the menu bar, if any; must outlive the dialog build
};

// One key of an accelerator table: a key (Qt::Key_Left, Qt::Key_1 …, optionally with modifiers)
// and the command it sends. Digit keys mean the main keyboard only, never the keypad; the
// keypad's arrow keys are arrow keys.
struct Accelerator
{
    QKeyCombination key;
    int command = 0;
    bool repeats = true; // false: a key held down sends the command once, not on auto-repeat
};
using AcceleratorTable = std::vector<Accelerator>;

// Shorthands that read like the templates' own lines: id, caption, x, y, width, height, style.
inline ControlTemplate pushButton(int id, const char *text, int x, int y, int w, int h, ControlStyles style = TabStop)
{
    return {ControlKind::PushButton, id, text, NoPicture, x, y, w, h, style, {}};
}

inline ControlTemplate staticText(int id, const char *text, int x, int y, int w, int h, ControlStyles style = NoStyle)
{
    return {ControlKind::StaticText, id, text, NoPicture, x, y, w, h, style, {}};
}

inline ControlTemplate picture(int id, int pictureId, int x, int y, int w, int h, ControlStyles style = NoStyle)
{
    return {ControlKind::Picture, id, "", pictureId, x, y, w, h, style, {}};
}

inline ControlTemplate icon(int id, int iconId, int x, int y, int w, int h)
{
    return {ControlKind::Icon, id, "", iconId, x, y, w, h, NoStyle, {}};
}

inline ControlTemplate edit(int id, int x, int y, int w, int h, ControlStyles style = Border | TabStop)
{
    return {ControlKind::Edit, id, "", NoPicture, x, y, w, h, style, {}};
}

inline ControlTemplate comboBox(int id, int x, int y, int w, int h, ControlStyles style,
                                std::vector<const char *> items)
{
    return {ControlKind::ComboBox, id, "", NoPicture, x, y, w, h, style, std::move(items)};
}

inline ControlTemplate groupBox(int id, const char *text, int x, int y, int w, int h)
{
    return {ControlKind::GroupBox, id, text, NoPicture, x, y, w, h, NoStyle, {}};
}

inline ControlTemplate radioButton(int id, const char *text, int x, int y, int w, int h, ControlStyles style = NoStyle)
{
    return {ControlKind::RadioButton, id, text, NoPicture, x, y, w, h, style, {}};
}

inline ControlTemplate checkBox(int id, const char *text, int x, int y, int w, int h, ControlStyles style = TabStop)
{
    return {ControlKind::CheckBox, id, text, NoPicture, x, y, w, h, style, {}};
}

inline ControlTemplate blackFrame(int id, int x, int y, int w, int h, ControlStyles style = NoStyle)
{
    return {ControlKind::BlackFrame, id, "", NoPicture, x, y, w, h, style, {}};
}

inline MenuItem menuItem(const char *text, int command, unsigned flags = Enabled)
{
    return {text, command, flags, {}};
}

inline MenuItem menuSeparator()
{
    return {nullptr, 0, Enabled, {}};
}

inline MenuItem popup(const char *text, std::vector<MenuItem> items)
{
    return {text, 0, Enabled, std::move(items)};
}

} // namespace dialogkit
