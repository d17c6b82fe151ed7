#pragma once

#include "DialogUnitPixels.h"
#include "Geometry.h"
#include "HardpointTable.h"

#include <string>

namespace pelto5 {

// One of the ship's two pictures and how its pixels meet the window's:
// where its control lies (in the window template's dialog units, so its
// top-left corner is the picture's origin in client pixels), which
// hardpoints it holds, and how a hardpoint's file coordinates place its
// marker. Every mapping between file, picture and client points goes
// through here.
struct PictureLayout {
    const char* name;   // "VL" or "TI", as the user reads it
    const char* suffix; // the picture file beside the ship: stem + suffix
    int controlId;
    Rect templateRect; // the picture control in the window template, in dialog units
    // Markers of this picture stand this many pixels below their file point.
    int32_t markerShift;
    int firstIndex; // the hardpoints [firstIndex, endIndex) belong here
    int endIndex;
    // The pointer read-out measures y from the window's top, not the
    // picture's, over this picture.
    bool readoutKeepsWindowY;

    constexpr Point Origin() const {
        return {DialogUnitsX(templateRect.left), DialogUnitsY(templateRect.top)};
    }
    constexpr bool Holds(int index) const { return index >= firstIndex && index < endIndex; }
    // Where file point (0, 0) puts a marker's top-left, in client pixels.
    constexpr Point MarkerOffset() const { return {Origin().x, Origin().y + markerShift}; }

    // Client point of a marker's top-left for a file point, and back.
    Point FileToClient(const Point& file) const { return Shifted(file, MarkerOffset(), 1); }
    Point ClientToFile(const Point& client) const { return Shifted(client, MarkerOffset(), -1); }
    // Picture pixel under a client point, and back.
    Point ClientToPicture(const Point& client) const { return Shifted(client, Origin(), -1); }
    Point PictureToClient(const Point& picture) const { return Shifted(picture, Origin(), 1); }
    // The pointer read-out's numbers for a client point over this picture.
    Point Readout(const Point& client) const {
        return Shifted(client, {Origin().x, readoutKeepsWindowY ? 0 : Origin().y}, -1);
    }
    // The picture file of the ship at shipPath (its stem, plus the suffix).
    std::string PicturePath(const std::string& shipPath) const;

private:
    // p plus sign times offset, kept in the 32-bit range: points can come from any file.
    static Point Shifted(const Point& p, const Point& offset, int sign);
};

// The side view, left of the console, holds the VL hardpoints.
inline constexpr PictureLayout kVlPicture = {"VL", "VL.bmp", kVlPictureId,  Rect{15, 15, 30, 28},
                                             0,    0,        kFirstTiIndex, false};
// The top view, at the top right, holds the TI hardpoints, whose markers
// stand four pixels below their file point.
inline constexpr PictureLayout kTiPicture = {
    "TI", "TI.bmp", kTiPictureId, Rect{430, 5, 445, 18}, 4, kFirstTiIndex, kHardpointCount, true};

// The picture hardpoint i belongs to.
constexpr const PictureLayout& PictureOf(int index) {
    return kTiPicture.Holds(index) ? kTiPicture : kVlPicture;
}
// The picture the pointer read-out measures against at client x: the TI
// picture from its left edge on, the VL picture everywhere left of it.
constexpr const PictureLayout& ReadoutPictureAt(int32_t clientX) {
    return clientX >= kTiPicture.Origin().x ? kTiPicture : kVlPicture;
}

} // namespace pelto5
