#include "CheckCommand.h"

#include "FolderWalk.h"
#include "ShipCheck.h"
#include "ShipPicture.h"
#include "ShipText.h"
#include "Terminal.h"

namespace pelto5 {

namespace {

std::optional<PictureSize> DecodedSize(const std::string& bytes) {
    const QImage image = DecodeShipPicture(bytes);
    if (image.isNull())
        return std::nullopt;
    return PictureSize{image.width(), image.height()};
}

bool IsShipName(const std::string& path) {
    return path.size() >= 3 && ToLowerCopy(path.substr(path.size() - 3)) == ".gf";
}

} // namespace

int CheckShips(const std::vector<std::string>& paths, FileSystem& fs, Terminal& terminal) {
    std::size_t ships = 0, found = 0, unread = 0;
    const auto cannotRead = [&](const std::string& path, int err) {
        terminal.Error(path, ReadFailure(err));
        ++unread;
    };
    const auto check = [&](const std::string& ship, bool given) {
        if (!given && !IsShipName(ship))
            return;
        const ShipReview review = CheckShip(fs, ship, DecodedSize);
        if (review.readError) {
            cannotRead(ship, review.readError);
            return;
        }
        ++ships;
        const std::string name = Escaped(ship);
        for (const Finding& f : review.findings) {
            ++found;
            const std::string at = f.line > 0 ? ":" + std::to_string(f.line) : "";
            terminal.Out(name + at + ": " + Escaped(f.message) + "\n");
        }
    };
    for (const std::string& path : paths)
        WalkPath(path, check, cannotRead);
    std::string summary =
        "pelto5: " + Plural(ships, "ship") + " checked, " + Plural(found, "finding");
    if (unread > 0)
        summary += ", " + Plural(unread, "path") + " could not be read";
    terminal.Out(summary + "\n");
    return terminal.Finish(unread > 0 ? 2 : (found > 0 ? 1 : 0));
}

} // namespace pelto5
