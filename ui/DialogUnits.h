#pragma once

#include <QRect>

#include <cmath>

namespace pelto5 {

// The window layouts are given in dialog units of an 8-point dialog font:
// 1.5 pixels across and 1.625 pixels down, each value rounded half away from zero.
inline int DialogUnitsX(int du) {
    return static_cast<int>(std::lround(du * 1.5));
}
inline int DialogUnitsY(int du) {
    return static_cast<int>(std::lround(du * 1.625));
}

inline QRect DialogUnitsRect(int left, int top, int width, int height) {
    return QRect(DialogUnitsX(left), DialogUnitsY(top), DialogUnitsX(width), DialogUnitsY(height));
}

} // namespace pelto5
