#pragma once

#include "FileResult.h"
#include "FileSystem.h"
#include "HardpointTable.h"
#include "LineStore.h"
#include "MarkerSurface.h"

#include <optional>
#include <string>
#include <vector>

namespace pelto5 {

// A ship file as read for opening: its bytes, none for a name that does not
// exist yet (a new ship), or why it cannot be a ship.
struct ShipFileRead : FileResult {
    std::optional<std::string> bytes;
};

// RelativeMarkerRect's mode for file coordinates: relative to the marker's
// picture, with the TI group's shift; any other mode gives client coordinates.
constexpr int kRelativeToPicture = 1;
constexpr int kRelativeToClient = 0;

// The ship file model: the hardpoint table, the line store and the marker
// rectangles, reading a ship file and writing it back with a numbered backup.
// It reaches the markers only through its MarkerSurface, and files only
// through its FileSystem.
class ShipModel {
public:
    ShipModel(MarkerSurface& surface, FileSystem& fs);

    // Hardpoint i's name as the table writes it (VLPower1 ... Weapon22).
    const std::string& Name(int i) const { return m_names[i]; }

    // Records (x, y) as hardpoint i's loaded position and moves its marker there.
    void PlaceHardpoint(int i, int32_t x, int32_t y);
    // Where marker i stands, at its own size, when its hardpoint is at file point (x, y).
    Rect MarkerRectAt(int i, int32_t x, int32_t y) const;
    // Marker i's rectangle: with kRelativeToPicture its top-left is the
    // hardpoint's file coordinates; with any other mode it is in client coordinates.
    Rect RelativeMarkerRect(int i, int mode) const;
    void MoveMarkersTo(const RectArray& rects);
    // Every marker to the tray, the loaded positions to the tray, the line store emptied.
    void ResetHardpoints();

    // The layout commands. Reset: every marker where the last load put it.
    // Clear: every marker to the tray. Copy takes the markers' places, and
    // Paste puts them back, also after another ship was opened.
    void ResetLayout() { MoveMarkersTo(m_rcPlaced); }
    void ClearLayout() { MoveMarkersTo(m_rcHome); }
    void CopyLayout();
    void PasteLayout() { MoveMarkersTo(m_rcCopy); }
    // Where the last load put each marker (the tray for hardpoints it did not name).
    const RectArray& Placed() const { return m_rcPlaced; }

    void SetShipPath(const std::string& path) { m_strShipPath = path; }
    const std::string& ShipPath() const { return m_strShipPath; }
    // The file's lines as read, the hardpoint lines' places left empty (a copy).
    std::vector<std::string> Lines() const { return m_lines.Records(); }
    int LineCount() const { return static_cast<int>(m_lines.Count()); }

    // Reads the file at path once, to see whether it may be opened as a ship
    // before anything of the open ship is given up: a name that does not
    // exist yet may (it starts a new ship); a picture, anything but a regular
    // file, or a file too large for any ship may not, and the result says why.
    ShipFileRead CheckShipFile(const std::string& path) const;
    // Loads a ship file's bytes as checked (none: a new, empty ship) into the
    // line store, placing the markers its hardpoint lines name.
    void TakeShipFile(std::optional<std::string> bytes);
    // Loads the ship path. A name that does not exist yet loads as an empty
    // ship. A file that exists but cannot be read loads as empty too, the
    // result says why, and saves are refused until the next load, so that the
    // unread file is never replaced by an empty one.
    FileResult ReadShipFile();
    // Takes bytes as a ship file's content: every line into the line store,
    // and each hardpoint line places its marker.
    void ReadShipText(const std::string& bytes);
    // Saves to the ship path, the old file first taking its next backup name.
    // On failure nothing is lost: the old content stays at the ship path or in
    // the new backup, and the result says what failed. An empty path saves nothing.
    FileResult SaveShipFile();
    // The ship file as it is on disk now, when that is no longer what the
    // editor read at open or wrote at its last save: another program changed
    // it (or made it meanwhile). None otherwise; a file that vanished is not
    // changed: a save creates it anew.
    std::optional<std::string> ChangedOnDisk() const;
    // Takes the lines of the ship file as it is now (ChangedOnDisk's bytes),
    // keeping every marker where it stands, then saves: another program's
    // lines stay, and its file becomes the backup.
    FileResult SaveIntoChangedFile(const std::string& now);
    // Whether some marker stands elsewhere than the last load or successful
    // save left it. Without a ship there is nothing to save.
    bool HasUnsavedMoves() const;

    // Appends the hardpoint lines of every hardpoint on its picture, in table order.
    void WriteHardpointLines(std::string& out) const;
    // The whole file a save writes, from the line store and the markers.
    std::string ShipFileContent() const;
    // ShipFileContent's size in bytes, without building it.
    std::size_t ShipFileSize() const;

private:
    // Every line into the line store; with place, each hardpoint line also
    // places its marker.
    void TakeLines(const std::string& bytes, bool place);
    // The markers' places and the file's bytes as they now stand, as saved.
    void MarkSaved(std::optional<std::string> diskBytes);

    const NameTable& m_names;
    LineStore m_lines;
    const RectArray& m_rcHome;
    RectArray m_rcPlaced;
    RectArray m_rcCopy{};
    std::string m_strShipPath;
    bool m_bShipUnread = false;
    // Where the markers stood at the last load or successful save.
    RectArray m_rcSaved;
    // The ship file's bytes as last read or written; none when it did not exist.
    std::optional<std::string> m_diskBytes;
    MarkerSurface& m_surface;
    FileSystem& m_fs;
};

} // namespace pelto5
