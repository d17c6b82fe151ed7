// Loads arbitrary bytes as a ship file and checks that what a save would write
// reads back to the same markers and writes the same bytes again.
#include "PictureLayout.h"
#include "RectMarkerSurface.h"
#include "ShipModel.h"
#include "ShipText.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace pelto5;

class MemoryFileSystem final : public FileSystem {
public:
    std::string bytes;
    int ReadAll(const std::string&, std::string& out) override {
        out = bytes;
        return 0;
    }
    int Lstat(const std::string&, bool&, bool&, mode_t&) override { return ENOSYS; }
    int RealPath(const std::string&, std::string&) override { return ENOSYS; }
    int CreateTemp(const std::string&, int&, std::string&) override { return ENOSYS; }
    int CreateExclusive(const std::string&, mode_t, int&) override { return ENOSYS; }
    int SetMode(int, mode_t) override { return ENOSYS; }
    int Write(int, const char*, size_t, size_t&) override { return ENOSYS; }
    int Sync(int) override { return ENOSYS; }
    int Close(int) override { return ENOSYS; }
    int LinkNoReplace(const std::string&, const std::string&) override { return ENOSYS; }
    int Rename(const std::string&, const std::string&) override { return ENOSYS; }
    int Unlink(const std::string&) override { return ENOSYS; }
    int SyncDirectory(const std::string&) override { return ENOSYS; }
    mode_t NewFileMode() override { return 0644; }
};

std::string LoadAndWrite(const std::string& bytes, RectMarkerSurface& surface) {
    MemoryFileSystem fs;
    fs.bytes = bytes;
    ShipModel model(surface, fs);
    model.SetShipPath("ship.gf");
    model.ResetHardpoints();
    if (!model.ReadShipFile().ok)
        std::abort();
    return model.ShipFileContent();
}

int32_t RelativeTop(const RectMarkerSurface& s, int i) {
    const int64_t shift = PictureOf(i).MarkerOffset().y;
    return static_cast<int32_t>(int64_t{s.MarkerRect(i).top} - shift);
}

// What a save must write: the other lines as read, less the empty ones, and
// the hardpoints on their picture, in table order, after each hardpoint header.
std::string Expected(const std::string& input, bool& inRange) {
    std::array<bool, kHardpointCount> named{};
    std::array<Point, kHardpointCount> at{};
    std::vector<std::string> lines;
    ForEachLine(input, [&lines](std::string_view line) { lines.emplace_back(line); });
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        const int i = ClassifyLine(line);
        if (i < 0) {
            kept.push_back(line);
            continue;
        }
        named[i] = true;
        at[i] = ParseCoordinates(line);
        // Saturated sums cannot round-trip exactly; they are checked elsewhere.
        if (std::abs(int64_t{at[i].x}) > 1000000000 || std::abs(int64_t{at[i].y}) > 1000000000)
            inRange = false;
    }
    std::string block;
    for (int i = 0; i < kHardpointCount; ++i)
        if (named[i] && at[i].y < kOnPictureLimit)
            block += HardpointNames()[i] + "=" + std::to_string(at[i].x) + "," +
                     std::to_string(at[i].y) + "\r\n";
    std::string out;
    bool header = false;
    for (const std::string& line : kept) {
        if (!line.empty())
            out += line + "\r\n";
        if (ToLowerCopy(line) == "[hardpoints]") {
            header = true;
            out += "\r\n" + block;
        }
    }
    if (!header)
        out += "[HardPoints]\r\n" + block;
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    bool inRange = true;
    const std::string expected = Expected(input, inRange);
    RectMarkerSurface first, second;
    const std::string written = LoadAndWrite(input, first);
    if (inRange && written != expected)
        std::abort();
    // The written file places every marker it names where the first load did.
    LoadAndWrite(written, second);
    for (int i = 0; i < kHardpointCount; ++i) {
        const bool onPicture = RelativeTop(first, i) < kOnPictureLimit;
        if (onPicture && first.MarkerRect(i) != second.MarkerRect(i))
            std::abort();
    }
    return 0;
}
