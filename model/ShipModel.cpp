#include "ShipModel.h"

#include "PictureLayout.h"
#include "ShipSaver.h"
#include "ShipText.h"

#include <cerrno>
#include <limits>
#include <string_view>

namespace pelto5 {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The header a file without one gets at its end, with its line end.
constexpr std::string_view kNewHeader = "[HardPoints]\r\n";

// Whether a stored line is a hardpoint section's header ([HardPoints] in any case).
bool IsHardpointHeader(std::string_view line) {
    static const std::string kHeader = "[hardpoints]";
    return line.size() == kHeader.size() && ToLowerCopy(std::string(line)) == kHeader;
}

// Hands the saved file to put piece by piece: every stored line that is not
// empty, and the hardpoint lines (points) after an empty line under each
// header, or under a new header at the end when there is none.
template <typename Put>
void PutShipFile(const LineStore& lines, const std::string& points, Put put) {
    bool headerSeen = false;
    lines.ForEach([&](std::string_view line) {
        if (!line.empty()) {
            put(line);
            put(kLineEnd);
        }
        if (IsHardpointHeader(line)) {
            headerSeen = true;
            put(kLineEnd);
            put(points);
        }
    });
    if (!headerSeen) {
        put(kNewHeader);
        put(points);
    }
}

// Coordinates can come from any file: sums saturate instead of overflowing.
int32_t Saturate(int64_t v) {
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

using Problem = FileResult::Problem;

int32_t Add(int32_t a, int64_t b) {
    return Saturate(int64_t{a} + b);
}

// A marker's edge, kept far enough from the top of the range that the marker keeps its size.
int32_t Edge(int32_t a, int64_t b, int32_t size) {
    const int32_t v = Add(a, b);
    return v > std::numeric_limits<int32_t>::max() - size
               ? std::numeric_limits<int32_t>::max() - size
               : v;
}

} // namespace

ShipModel::ShipModel(MarkerSurface& surface, FileSystem& fs)
    : m_names(HardpointNames()), m_rcHome(TrayRects()), m_rcPlaced(TrayRects()),
      m_rcSaved(TrayRects()), m_surface(surface), m_fs(fs) {}

void ShipModel::PlaceHardpoint(int i, int32_t x, int32_t y) {
    const Rect rc = MarkerRectAt(i, x, y);
    m_rcPlaced[i] = rc;
    m_surface.MoveMarker(i, rc);
}

Rect ShipModel::MarkerRectAt(int i, int32_t x, int32_t y) const {
    const Rect marker = m_surface.MarkerRect(i);
    const Point offset = PictureOf(i).MarkerOffset();
    const int32_t left = Edge(x, offset.x, marker.Width());
    const int32_t top = Edge(y, offset.y, marker.Height());
    return {left, top, left + marker.Width(), top + marker.Height()};
}

Rect ShipModel::RelativeMarkerRect(int i, int mode) const {
    const Rect m = m_surface.MarkerRect(i);
    if (mode != kRelativeToPicture) {
        const Rect r = m_surface.ControlRect(kReferenceId);
        return {Add(m.left, -int64_t{r.left}), Add(m.top, -int64_t{r.top}),
                Add(m.right, -int64_t{r.left}), Add(m.bottom, -int64_t{r.top})};
    }
    const PictureLayout& picture = PictureOf(i);
    const Rect r = m_surface.ControlRect(picture.controlId);
    const int32_t x = Add(m.left, -int64_t{r.left});
    const int32_t y = Add(m.top, -int64_t{r.top} - picture.markerShift);
    return {x, y, Add(x, m.Width()), Add(y, m.Height())};
}

void ShipModel::MoveMarkersTo(const RectArray& rects) {
    for (int i = 0; i < kHardpointCount; ++i)
        m_surface.MoveMarker(i, rects[i]);
}

void ShipModel::ResetHardpoints() {
    MoveMarkersTo(m_rcHome);
    m_rcPlaced = m_rcHome;
    m_lines.EmptyRecords();
}

ShipFileRead ShipModel::CheckShipFile(const std::string& path) const {
    std::string bytes;
    const int err = m_fs.ReadAll(path, bytes);
    if (err == ENOENT)
        return {}; // a new ship, which the first save creates
    if (err)
        return {FileResult::Failed(Problem::OpenRefused, path, err), std::nullopt};
    if (const char* kind = PictureKind(bytes))
        return {FileResult::Failed(Problem::OpenPicture, path, 0, kind), std::nullopt};
    return {FileResult{}, std::move(bytes)};
}

void ShipModel::TakeShipFile(std::optional<std::string> bytes) {
    m_bShipUnread = false;
    if (bytes) {
        ReadShipText(*bytes);
    } else {
        m_lines.Clear();
    }
    MarkSaved(std::move(bytes));
}

FileResult ShipModel::ReadShipFile() {
    std::string bytes;
    const int err = m_fs.ReadAll(m_strShipPath, bytes);
    if (err && err != ENOENT) {
        TakeShipFile(std::nullopt);
        m_bShipUnread = true;
        return FileResult::Failed(Problem::ReadFailed, m_strShipPath, err);
    }
    TakeShipFile(err ? std::nullopt : std::optional<std::string>(std::move(bytes)));
    return {};
}

void ShipModel::ReadShipText(const std::string& bytes) {
    TakeLines(bytes, true);
}

void ShipModel::TakeLines(const std::string& bytes, bool place) {
    m_lines.Clear();
    // Each record is at most its line and a line feed: a final line without
    // an end is the one that grows.
    m_lines.Reserve(bytes.size() + 1);
    ForEachLine(bytes, [this, place](std::string_view line) {
        const int i = ClassifyLine(line);
        if (i < 0) {
            m_lines.Append(line);
            return;
        }
        if (place) {
            const Point p = ParseCoordinates(std::string(line));
            PlaceHardpoint(i, p.x, p.y);
        }
        m_lines.Append({});
    });
}

void ShipModel::MarkSaved(std::optional<std::string> diskBytes) {
    for (int i = 0; i < kHardpointCount; ++i)
        m_rcSaved[i] = m_surface.MarkerRect(i);
    m_diskBytes = std::move(diskBytes);
}

bool ShipModel::HasUnsavedMoves() const {
    if (m_strShipPath.empty())
        return false;
    for (int i = 0; i < kHardpointCount; ++i)
        if (m_surface.MarkerRect(i) != m_rcSaved[i])
            return true;
    return false;
}

std::optional<std::string> ShipModel::ChangedOnDisk() const {
    if (m_strShipPath.empty())
        return std::nullopt;
    std::string now;
    // A vanished file is saved anew without asking; a file that cannot be
    // read is left to the save, which says what is wrong with it.
    if (m_fs.ReadAll(m_strShipPath, now) != 0 || (m_diskBytes && now == *m_diskBytes))
        return std::nullopt;
    return now;
}

FileResult ShipModel::SaveIntoChangedFile(const std::string& now) {
    TakeLines(now, false);
    m_bShipUnread = false;
    return SaveShipFile();
}

void ShipModel::CopyLayout() {
    for (int i = 0; i < kHardpointCount; ++i)
        m_rcCopy[i] = RelativeMarkerRect(i, kRelativeToClient);
}

void ShipModel::WriteHardpointLines(std::string& out) const {
    for (int i = 0; i < kHardpointCount; ++i) {
        const Rect rc = RelativeMarkerRect(i, kRelativeToPicture);
        if (rc.top < kOnPictureLimit)
            out.append(m_names[i])
                .append("=")
                .append(std::to_string(rc.left))
                .append(",")
                .append(std::to_string(rc.top))
                .append("\r\n");
    }
}

std::size_t ShipModel::ShipFileSize() const {
    std::string points;
    WriteHardpointLines(points);
    std::size_t size = 0;
    PutShipFile(m_lines, points, [&size](std::string_view piece) { size += piece.size(); });
    return size;
}

std::string ShipModel::ShipFileContent() const {
    std::string points;
    WriteHardpointLines(points);
    std::string out;
    out.reserve(ShipFileSize());
    PutShipFile(m_lines, points, [&out](std::string_view piece) { out.append(piece); });
    return out;
}

FileResult ShipModel::SaveShipFile() {
    if (m_strShipPath.empty())
        return {};
    if (m_bShipUnread)
        return FileResult::Failed(Problem::SaveUnread, m_strShipPath);
    // What the editor writes, it must open again: a ship that would outgrow the
    // open limit (LF ends become CR LF, each header gets every hardpoint line)
    // is refused before it is built.
    if (ShipFileSize() > kMaxFileBytes)
        return FileResult::Failed(Problem::SaveTooLarge, m_strShipPath);
    std::string content = ShipFileContent();
    FileResult saved = ShipSaver(m_fs).Save(m_strShipPath, content);
    if (saved.ok)
        MarkSaved(std::move(content));
    return saved;
}

} // namespace pelto5
