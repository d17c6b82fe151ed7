#pragma once

#include "Geometry.h"

#include <array>
#include <string>

namespace pelto5 {

constexpr int kHardpointCount = 56;
// The arrays of names and rectangles keep four spare slots that nothing reads.
constexpr int kSlotCount = 60;
// Indexes below this belong to the VL picture, the rest to the TI picture.
constexpr int kFirstTiIndex = 31;
constexpr int kFirstMarkerId = 3000;
constexpr int kLastMarkerCommandId = 3250;
constexpr int kFirstMarkerImage = 141;

// Control ids the marker rectangles are measured against.
constexpr int kVlPictureId = 1003, kTiPictureId = 1004, kReferenceId = 1015;

// A hardpoint whose file y is at or below this stays off its picture and is not written.
constexpr int kOnPictureLimit = 370;

using NameTable = std::array<std::string, kSlotCount>;
using RectArray = std::array<Rect, kSlotCount>;

inline bool IsTiGroup(int index) {
    return index >= kFirstTiIndex;
}

// The 56 names in table order; slots 56..59 stay empty.
const NameTable& HardpointNames();

// The tray rectangle of every marker, as the window lays its markers out.
const RectArray& TrayRects();

} // namespace pelto5
