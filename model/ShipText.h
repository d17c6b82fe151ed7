#pragma once

#include "Geometry.h"

#include <string>
#include <string_view>

namespace pelto5 {

// Copies of text with only the ASCII letters folded; every other byte stays.
std::string ToLowerCopy(const std::string& text);
std::string ToUpperCopy(const std::string& text);

// The hardpoint index (0..55) a line's key names, ignoring spaces and case, or -1.
int ClassifyLine(std::string_view line);

// The x,y at the right-hand end of a hardpoint line. A "-" right before a run
// of digits makes it negative, so written lines read back; values too large for
// 32 bits saturate.
Point ParseCoordinates(std::string line);

// The ship path less its final ".gf" (case matters).
std::string ShipStem(const std::string& shipPath);

// Backup name number n: stem.001 .. stem.009, then stem.010, stem.0100, ...
std::string BackupName(const std::string& stem, int n);

// The kind of picture ("BMP", "PNG", "JPEG" or "GIF") that bytes begin like,
// or null: no ship file starts with a picture's signature.
const char* PictureKind(const std::string& bytes);

// Calls f with each line of bytes, a view into them: CR LF or a lone LF ends a
// line; a final line without an end still counts. Any other byte, a lone CR
// included, stays.
template <typename F> void ForEachLine(std::string_view bytes, F f) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            f(bytes.substr(start));
            return;
        }
        std::size_t end = lf;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        f(bytes.substr(start, end - start));
        start = lf + 1;
    }
}

} // namespace pelto5
