#pragma once

#include "Geometry.h"

namespace pelto5 {

// What the ship model needs of the markers: the window implements it with real
// marker buttons, tests with an array of rectangles. All rectangles are in one
// coordinate space of the implementer's choice (the window uses client pixels).
class MarkerSurface {
public:
    virtual ~MarkerSurface() = default;

    // Current rectangle of marker i (0..55).
    virtual Rect MarkerRect(int i) const = 0;
    // Rectangle of the VL picture (1003), the TI picture (1004) or the
    // reference control at the client origin (1015).
    virtual Rect ControlRect(int id) const = 0;
    // Moves marker i to rc and repaints it.
    virtual void MoveMarker(int i, const Rect& rc) = 0;
};

} // namespace pelto5
