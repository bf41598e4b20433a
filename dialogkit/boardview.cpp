// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/boardview.h"

#include "dialogkit/dialog.h"
#include "dialogkit/picturecontrol.h"
#include "dialogkit/picturestore.h"

namespace dialogkit {

using leveldata::CellIndex;
using leveldata::TileCode;

BoardView::BoardView(Dialog &dialog, const CellControlIdFunction &cellControlId, TileImageFunction tileImage)
    : m_dialog(dialog), m_tileImage(std::move(tileImage))
{
    for (CellIndex i = 0; i < leveldata::CellCount; ++i) {
        const int id = cellControlId(i);
        auto *control = dialog.GetDlgItem<PictureControl>(id);
        if (!control) {
            const QRect rect = cellRect(i);
            control = static_cast<PictureControl *>(dialog.addControl(picture(id, NoPicture, 0, 0, 0, 0)));
            control->setPlace(rect);
        }
        m_cells[static_cast<std::size_t>(i)] = control;
    }
}

QRect BoardView::cellRect(CellIndex i)
{
    return QRect(leveldata::CellSize * leveldata::columnOf(i), leveldata::CellSize * leveldata::rowOf(i),
                 leveldata::CellSize, leveldata::CellSize);
}

void BoardView::layOut()
{
    for (CellIndex i = 0; i < leveldata::CellCount; ++i)
        cell(i)->setPlace(cellRect(i));
}

void BoardView::show(const leveldata::Board &board)
{
    std::array<int, leveldata::CellCount> pictures;
    for (CellIndex i = 0; i < leveldata::CellCount; ++i)
        pictures[static_cast<std::size_t>(i)] = m_tileImage(board[i]);
    showPictures(pictures);
}

void BoardView::showPictures(const std::array<int, leveldata::CellCount> &pictures)
{
    const PictureStore *store = m_dialog.pictures();
    const qreal ratio = m_dialog.devicePixelRatioF();
    for (CellIndex i = 0; i < leveldata::CellCount; ++i)
        cell(i)->setPicture(store ? store->picture(pictures[static_cast<std::size_t>(i)], ratio) : QPixmap());
}

} // namespace dialogkit
