// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"

#include <array>
#include <functional>

#include <QRect>

namespace dialogkit {

class Dialog;
class PictureControl;

// The 180 cell picture controls of a main window. Cell i is shown by the picture control with id
// cellControlId(i), and code c by picture tileImage(c) from the dialog's picture store
// (NoPicture: the cell is cleared); both tables, CellControlId and TileImage, are the program's
// own. A cell missing from the template is added to the dialog. The view must not outlive the
// dialog.
class BoardView
{
public:
    using CellControlIdFunction = std::function<int(leveldata::CellIndex)>;
    using TileImageFunction = std::function<int(leveldata::TileCode)>;

    BoardView(Dialog &dialog, const CellControlIdFunction &cellControlId, TileImageFunction tileImage);

    // The cell layout: cell i to x = 50 * (i mod 15), y = 50 * (i div 15), 50 x 50 pixels, from
    // the client area's top-left corner.
    void layOut();

    // Sets all 180 cells, in CellIndex order, to the picture of board[i], in its "@2x" variant
    // when the dialog's device pixel ratio is above 1; a code without a picture clears its cell.
    // Cells whose picture is unchanged are not repainted.
    void show(const leveldata::Board &board);
    // The same with the picture of each cell given (NoPicture clears it).
    void showPictures(const std::array<int, leveldata::CellCount> &pictures);

private:
    // The client rectangle of cell i, for 0 <= i < CellCount.
    static QRect cellRect(leveldata::CellIndex i);
    PictureControl *cell(leveldata::CellIndex i) const { return m_cells[static_cast<std::size_t>(i)]; }

    Dialog &m_dialog;
    std::array<PictureControl *, leveldata::CellCount> m_cells{};
    TileImageFunction m_tileImage;
};

} // namespace dialogkit
