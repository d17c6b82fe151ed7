#include "ShipCheck.h"

#include "HardpointTable.h"
#include "PictureLayout.h"
#include "ShipText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace pelto5 {

namespace {

struct Picture {
    const char* group;
    std::string path;
    std::optional<PictureSize> size;
};

Picture LoadPicture(FileSystem& fs, const PictureLayout& layout, const std::string& shipPath,
                    const PictureDecoder& decode, std::vector<Finding>& findings) {
    const std::string path = layout.PicturePath(shipPath);
    const char* group = layout.name;
    Picture picture{group, path, std::nullopt};
    const std::string what = std::string("the ") + group + " picture " + path;
    std::string bytes;
    if (const int err = fs.ReadAll(path, bytes)) {
        findings.push_back(
            {0, what + (err == ENOENT ? " is missing"
                                      : " cannot be read: " + std::string(std::strerror(err)))});
        return picture;
    }
    picture.size = decode(bytes);
    if (!picture.size)
        findings.push_back({0, what + " is refused: it is no BMP picture OPEN can show"});
    return picture;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A run of digits with an optional minus sign, from at; returns where it ends, or npos.
size_t NumberEnd(const std::string& s, size_t at) {
    if (at < s.size() && s[at] == '-')
        ++at;
    const size_t first = at;
    while (at < s.size() && IsDigit(s[at]))
        ++at;
    return at > first ? at : std::string::npos;
}

// The key of a line shaped as a hardpoint line, "key=x,y" with spaces
// ignored, or empty for any other line (a comment is never one).
std::string HardpointShapedKey(std::string_view line) {
    std::string text;
    for (const char c : line)
        if (c != ' ')
            text += c;
    const size_t eq = text.find('=', 1);
    if (text.empty() || eq == std::string::npos || text[0] == ';' || text[0] == '#')
        return {};
    const size_t comma = NumberEnd(text, eq + 1);
    if (comma == std::string::npos || comma >= text.size() || text[comma] != ',' ||
        NumberEnd(text, comma + 1) != text.size())
        return {};
    return text.substr(0, eq);
}

bool IsSectionHeader(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] == '[';
}

std::string At(const Point& p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

// Where hardpoint i's marker stands against its group's picture, if anything is wrong there.
std::optional<std::string> PlacementProblem(int i, const Point& p, const Picture& picture) {
    const std::string name = HardpointNames()[i];
    if (!picture.size)
        return name + " is at " + At(p) + " but no " + picture.group + " picture is shown for it";
    const Rect& marker = TrayRects()[i];
    const int64_t left = p.x;
    const int64_t top = int64_t{p.y} + PictureOf(i).markerShift;
    if (left < 0 || top < 0 || left + marker.Width() > picture.size->width ||
        top + marker.Height() > picture.size->height)
        return name + " at " + At(p) + " does not lie wholly on the " + picture.group +
               " picture (" + std::to_string(picture.size->width) + " x " +
               std::to_string(picture.size->height) + ")";
    if (p.y >= kOnPictureLimit)
        return name + " at " + At(p) + " is dropped by a save (y " +
               std::to_string(kOnPictureLimit) + " or more)";
    return std::nullopt;
}

} // namespace

ShipReview CheckShip(FileSystem& fs, const std::string& shipPath, const PictureDecoder& decode) {
    std::vector<Finding> findings;
    std::string bytes;
    if (const int err = fs.ReadAll(shipPath, bytes)) {
        if (err == EFBIG)
            return {0, {{0, std::string("cannot be read: ") + std::strerror(err)}}};
        return {err, {}};
    }
    if (const char* kind = PictureKind(bytes))
        return {0, {{0, std::string("is a picture (") + kind + "), not a ship file"}}};

    const Picture vl = LoadPicture(fs, kVlPicture, shipPath, decode, findings);
    const Picture ti = LoadPicture(fs, kTiPicture, shipPath, decode, findings);

    // Each hardpoint's lines, in file order; the reader takes the last.
    std::array<std::vector<int>, kHardpointCount> named;
    std::array<Point, kHardpointCount> at{};
    std::vector<Finding> byLine;
    bool inHardpoints = false;
    int number = 0;
    ForEachLine(bytes, [&](std::string_view line) {
        ++number;
        if (IsSectionHeader(line)) {
            inHardpoints = ToLowerCopy(std::string(line)) == "[hardpoints]";
            return;
        }
        const int i = ClassifyLine(line);
        if (i >= 0) {
            named[i].push_back(number);
            at[i] = ParseCoordinates(std::string(line));
        } else if (inHardpoints) {
            const std::string key = HardpointShapedKey(line);
            if (!key.empty())
                byLine.push_back({number, key + " looks like a hardpoint but names none of the 56; "
                                                "the line is kept as it is"});
        }
    });

    for (int i = 0; i < kHardpointCount; ++i) {
        const std::string& name = HardpointNames()[i];
        if (named[i].empty()) {
            findings.push_back({0, name + " has no line; its marker stays in the tray"});
            continue;
        }
        const int counting = named[i].back();
        for (size_t n = 0; n + 1 < named[i].size(); ++n)
            byLine.push_back({named[i][n], name + " is named again on line " +
                                               std::to_string(counting) +
                                               ", which counts (the last line naming it decides)"});
        if (auto problem = PlacementProblem(i, at[i], IsTiGroup(i) ? ti : vl))
            byLine.push_back({counting, *problem});
    }
    std::stable_sort(byLine.begin(), byLine.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    findings.insert(findings.end(), byLine.begin(), byLine.end());
    return {0, findings};
}

} // namespace pelto5
