#pragma once

#include "DialogUnitPixels.h"

#include <QRect>

namespace pelto5 {

inline QRect DialogUnitsRect(int left, int top, int width, int height) {
    return QRect(DialogUnitsX(left), DialogUnitsY(top), DialogUnitsX(width), DialogUnitsY(height));
}

} // namespace pelto5
