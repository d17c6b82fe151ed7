#pragma once

#include "FileSystem.h"
#include "HardpointTable.h"
#include "MarkerSurface.h"

#include <string>
#include <vector>

namespace pelto5 {

// What a load or a save did: ok, or a message the window can show.
struct FileResult {
    bool ok = true;
    std::string message;
};

// The ship file model: the hardpoint table, the line store and the marker
// rectangles, reading a ship file and writing it back with a numbered backup.
// It reaches the markers only through its MarkerSurface.
class ShipModel {
public:
    explicit ShipModel(MarkerSurface& surface, FileSystem& fs = RealFileSystem());

    // Records (x, y) as hardpoint i's loaded position and moves its marker there.
    void PlaceHardpoint(int i, int32_t x, int32_t y);
    // Marker i's rectangle: with mode 1 its top-left is the hardpoint's file
    // coordinates; with any other mode it is in client coordinates.
    Rect RelativeMarkerRect(int i, int mode) const;
    void MoveMarkersTo(const RectArray& rects);
    // Every marker to the tray, the loaded positions to the tray, the line store emptied.
    void ResetHardpoints();

    // Whether the file at path may be opened as a ship, checked before anything
    // of the open ship is given up: a name that does not exist yet may (it
    // starts a new ship); a picture, anything but a regular file, or a file too
    // large for any ship may not, and the result says why.
    FileResult CheckShipFile(const std::string& path) const;
    // Loads m_strShipPath. A name that does not exist yet loads as an empty
    // ship. A file that exists but cannot be read loads as empty too, the
    // result says why, and saves are refused until the next load, so that the
    // unread file is never replaced by an empty one.
    FileResult ReadShipFile();
    // Saves to m_strShipPath, the old file first taking its next backup name.
    // On failure nothing is lost: the old content stays at the ship path or in
    // the new backup, and the result says what failed. An empty path saves nothing.
    FileResult SaveShipFile();
    // Appends the hardpoint lines of every hardpoint on its picture, in table order.
    void WriteHardpointLines(std::string& out) const;

    // The whole file a save writes, from the line store and the markers.
    std::string ShipFileContent() const;

    const NameTable& m_names;
    std::vector<std::string> m_lines;
    int m_nLines = 0;
    const RectArray& m_rcHome;
    RectArray m_rcPlaced;
    RectArray m_rcCopy{};
    std::string m_strShipPath;

private:
    bool m_bShipUnread = false;
    MarkerSurface& m_surface;
    FileSystem& m_fs;
};

} // namespace pelto5
