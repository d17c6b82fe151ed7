#pragma once

#include "Geometry.h"

namespace pelto5 {

// The window layouts are given in dialog units of an 8-point dialog font:
// 1.5 pixels across and 1.625 pixels down, each value rounded half away
// from zero. Worked in whole numbers, so that layouts can be constants.
constexpr int32_t DialogUnitsX(int32_t du) {
    return (3 * du + (du < 0 ? -1 : 1)) / 2;
}
constexpr int32_t DialogUnitsY(int32_t du) {
    return (26 * du + (du < 0 ? -8 : 8)) / 16;
}

} // namespace pelto5
