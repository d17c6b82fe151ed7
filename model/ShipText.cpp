#include "ShipText.h"

#include "HardpointTable.h"

#include <cstdint>
#include <limits>
#include <unordered_map>

namespace pelto5 {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string WithoutSpaces(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            out += c;
    return out;
}

// Value of the digits [first, last), saturated to the 32-bit range.
int32_t RunValue(const std::string& s, size_t first, size_t last, bool negative) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t v = 0;
    for (size_t k = first; k < last; ++k) {
        v = v * 10 + (s[k] - '0');
        if (v > kMax + 1)
            v = kMax + 1;
    }
    if (negative)
        return static_cast<int32_t>(-v);
    return static_cast<int32_t>(v > kMax ? kMax : v);
}

// A copy of text with the 26 ASCII letters from `from` on moved to start at `to`.
std::string FoldCopy(const std::string& text, char from, char to) {
    std::string out(text);
    for (char& c : out)
        if (c >= from && c < from + 26)
            c = static_cast<char>(c - from + to);
    return out;
}

} // namespace

std::string ToLowerCopy(const std::string& text) {
    return FoldCopy(text, 'A', 'a');
}

std::string ToUpperCopy(const std::string& text) {
    return FoldCopy(text, 'a', 'A');
}

int ClassifyLine(std::string_view line) {
    // The key is the text before the first "=" past the first position, spaces
    // removed; no name is longer than this, so a longer key names nothing.
    constexpr size_t kLongestName = 10;
    std::string key;
    bool found = false;
    for (const char c : line) {
        if (c == ' ')
            continue;
        if (c == '=' && !key.empty()) {
            found = true;
            break;
        }
        if (key.size() == kLongestName)
            return -1;
        key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (!found)
        return -1;
    // Every line of a ship file is looked up, so the folded names are hashed once.
    static const auto byName = [] {
        std::unordered_map<std::string, int> names;
        for (int i = 0; i < kHardpointCount; ++i)
            names.emplace(ToLowerCopy(HardpointNames()[i]), i);
        return names;
    }();
    const auto it = byName.find(key);
    return it == byName.end() ? -1 : it->second;
}

Point ParseCoordinates(std::string line) {
    line = WithoutSpaces(std::move(line));
    const size_t p = line.rfind(',');
    if (p == std::string::npos)
        return {0, 0};

    size_t yFirst = p + 1;
    bool yNegative = false;
    if (yFirst + 1 < line.size() && line[yFirst] == '-' && IsDigit(line[yFirst + 1])) {
        yNegative = true;
        ++yFirst;
    }
    size_t yLast = yFirst;
    while (yLast < line.size() && IsDigit(line[yLast]))
        ++yLast;

    size_t xFirst = p;
    while (xFirst > 0 && IsDigit(line[xFirst - 1]))
        --xFirst;
    const bool xNegative = xFirst < p && xFirst > 0 && line[xFirst - 1] == '-';

    return {RunValue(line, xFirst, p, xNegative), RunValue(line, yFirst, yLast, yNegative)};
}

std::string ShipStem(const std::string& shipPath) {
    const std::string ext = ".gf";
    if (shipPath.size() >= ext.size() &&
        shipPath.compare(shipPath.size() - ext.size(), ext.size(), ext) == 0)
        return shipPath.substr(0, shipPath.size() - ext.size());
    return shipPath;
}

std::string BackupName(const std::string& stem, int n) {
    return stem + (n < 10 ? ".00" : ".0") + std::to_string(n);
}

const char* PictureKind(const std::string& bytes) {
    auto startsWith = [&bytes](const char* sig, size_t n) {
        return bytes.compare(0, n, sig, n) == 0;
    };
    if (startsWith("\x89PNG\r\n\x1a\n", 8))
        return "PNG";
    if (startsWith("\xff\xd8\xff", 3))
        return "JPEG";
    if (startsWith("GIF87a", 6) || startsWith("GIF89a", 6))
        return "GIF";
    // "BM" alone could begin a line of text; a bitmap's info header size follows
    // at byte 14, and its zero bytes never stand in a ship file's first line.
    if (startsWith("BM", 2) && bytes.size() >= 18) {
        const auto byte = [&bytes](size_t k) {
            return static_cast<uint32_t>(static_cast<unsigned char>(bytes[k]));
        };
        const uint32_t infoSize = byte(14) | byte(15) << 8 | byte(16) << 16 | byte(17) << 24;
        for (uint32_t known : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u})
            if (infoSize == known)
                return "BMP";
    }
    return nullptr;
}

} // namespace pelto5
