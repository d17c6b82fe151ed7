#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace pelto5 {

// Where a window of the given size lands in a screen's available area:
// centred; when it is wider than the area, its right edge on the area's right
// edge, since the command keys stand down the window's right side; when it is
// taller, its top on the area's top. The background drags the rest into view.
QPoint PlacedTopLeft(const QSize& window, const QRect& available);

} // namespace pelto5
