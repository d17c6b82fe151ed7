#include "LayoutCommand.h"

#include "FileSystem.h"
#include "ShipLayout.h"
#include "ShipText.h"
#include "Terminal.h"

#include <optional>

namespace pelto5 {

namespace {

// A ship file's bytes, or none when it cannot be read or is a picture
// (which OPEN refuses too); either is said on standard error.
std::optional<std::string> ReadShip(const std::string& path, FileSystem& fs, Terminal& terminal) {
    std::string bytes;
    if (const int err = fs.ReadAll(path, bytes)) {
        terminal.Error(path, ReadFailure(err));
        return std::nullopt;
    }
    if (const char* kind = PictureKind(bytes)) {
        terminal.Error(path, std::string("a picture (") + kind + "), not a ship file");
        return std::nullopt;
    }
    return bytes;
}

std::string Where(const std::optional<Point>& at) {
    return at ? std::to_string(at->x) + "," + std::to_string(at->y) : "tray";
}

} // namespace

int PrintLayout(const std::string& path, FileSystem& fs, Terminal& terminal) {
    const std::optional<std::string> bytes = ReadShip(path, fs, terminal);
    if (!bytes)
        return terminal.Finish(2);
    const ShipLayout layout = ReadShipLayout(*bytes);
    std::string out;
    for (int i = 0; i < kHardpointCount; ++i)
        out += HardpointNames()[i] + " " + Where(layout.at[i]) + "\n";
    terminal.Out(out);
    return terminal.Finish(0);
}

int DiffShips(const std::string& oldPath, const std::string& newPath, FileSystem& fs,
              Terminal& terminal) {
    const std::optional<std::string> oldBytes = ReadShip(oldPath, fs, terminal);
    const std::optional<std::string> newBytes = ReadShip(newPath, fs, terminal);
    if (!oldBytes || !newBytes)
        return terminal.Finish(2);
    const ShipLayout before = ReadShipLayout(*oldBytes);
    const ShipLayout after = ReadShipLayout(*newBytes);

    std::size_t moved = 0;
    for (int i = 0; i < kHardpointCount; ++i) {
        if (before.at[i] == after.at[i])
            continue;
        ++moved;
        terminal.Out(HardpointNames()[i] + ": " + Where(before.at[i]) + " -> " +
                     Where(after.at[i]) + "\n");
    }
    const LineDifference lines = CountDifferingLines(before.otherLines, after.otherLines);
    const std::string others =
        (lines.atLeast ? "at least " : "") + Plural(lines.count, "other line");
    if (lines.count > 0)
        terminal.Out(others + (lines.count == 1 ? " differs" : " differ") +
                     " (empty lines and hardpoint lines aside)\n");
    terminal.Out("pelto5: " + Plural(moved, "hardpoint") + " and " + others + " differ\n");
    return terminal.Finish(moved > 0 || lines.count > 0 ? 1 : 0);
}

} // namespace pelto5
