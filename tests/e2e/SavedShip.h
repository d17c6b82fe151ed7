#pragma once

#include "PosixFileSystem.h"
#include "RectMarkerSurface.h"
#include "ShipModel.h"

#include <map>
#include <string>

// What a save of the ship file original must write, as the reader and writer
// give it: the markers where the file puts them (or all in the tray, when
// cleared), then those in moved at their client rectangles.
inline std::string SavedShip(const std::string& original,
                             const std::map<int, pelto5::Rect>& moved = {}, bool cleared = false) {
    pelto5::RectMarkerSurface surface;
    pelto5::ShipModel model(surface, pelto5::RealFileSystem());
    model.ReadShipText(original);
    if (cleared)
        model.ClearLayout();
    for (const auto& [i, rc] : moved)
        surface.MoveMarker(i, rc);
    return model.ShipFileContent();
}

// Where opening the ship file original puts marker i, in client pixels.
inline pelto5::Rect LoadedMarkerRect(const std::string& original, int i) {
    pelto5::RectMarkerSurface surface;
    pelto5::ShipModel model(surface, pelto5::RealFileSystem());
    model.ReadShipText(original);
    return surface.MarkerRect(i);
}
