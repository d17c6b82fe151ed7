#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace pelto5 {

// Where a window of the given size lands in a screen's available area:
// centred; when it is wider than the area, its right edge on the area's right
// edge, since the command keys stand down the window's right side; when it is
// taller, its top on the area's top. The background drags the rest into view.
QPoint PlacedTopLeft(const QSize& window, const QRect& available);

// at moved only as far as it takes to put a window of the given size wholly
// within available (onto its top-left when the window is larger).
QPoint KeptWithin(const QSize& size, const QPoint& at, const QRect& available);

// Where a small window of the given size stands beside window, wholly within
// available and clear of keepClear (the pictures, other windows beside it):
// right of it, else left, below or above, slid along the window's edge as far
// as the area asks. With no room beside, the place within the area that
// covers the least of keepClear, then of the window, nearest the window's right.
QPoint BesideTopLeft(const QSize& size, const QRect& window, const QList<QRect>& keepClear,
                     const QRect& available);

} // namespace pelto5
