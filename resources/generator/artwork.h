// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>

// The pictures of both programs, drawn from code so they can be changed and drawn again.
// Light falls from the top left everywhere: lit edges up and left, shadows down and right.

inline constexpr int TileSide = 50;   // a board cell
inline constexpr int CursorSide = 51; // the editor's cursor reaches one pixel past its cell

// The five tiles, TileSide x TileSide times `scale` (1, or 2 for screens of device pixel ratio 2),
// opaque (Format_RGB32). The floor and the wall repeat seamlessly when laid edge to edge.
QImage wallTile(int scale = 1);
QImage floorTile(int scale = 1);
QImage itemPlaceTile(int scale = 1);
QImage playerTile(int scale = 1);
QImage itemTile(int scale = 1);

// An item standing on its place and the player standing on a place, for the game's marking of
// items that are home: the place's yellow disc shows round a smaller token, and the item's upper
// lights are green. The same size and format as the five tiles.
QImage itemOnPlaceTile(int scale = 1);
QImage playerOnPlaceTile(int scale = 1);

// CursorSide x CursorSide times `scale`, Format_Indexed8 on the standard 16-colour palette: white
// inside a pure red frame three pixels (times `scale`) wide.
QImage cursorPicture(int scale = 1);

// Program icons in full colour with alpha, `size` x `size` pixels (any size from 16 up), and the
// 15 colours each is reduced to for its 16-colour images.
QImage cobbletonIcon(int size);
QList<QRgb> cobbletonIconPalette();
QImage quillmapIcon(int size);
QList<QRgb> quillmapIconPalette();

// `image` in at most 16 colours (Format_Indexed8): entry 0 is transparent and takes every pixel
// under half alpha, entries 1.. are the first 15 of `palette`, each pixel taking the nearest.
// No dithering, so edges stay crisp.
QImage sixteenColours(const QImage &image, const QList<QRgb> &palette);
