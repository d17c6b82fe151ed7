#pragma once

#include <cstdint>

namespace pelto5 {

// A resource picture stored the way the program holds it in memory, so that
// start-up neither inflates nor converts it: this header, then the rows,
// bytesPerLine bytes each, top row first.
struct RawImageHeader {
    char magic[4];
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bytesPerLine;
    std::uint32_t format; // a QImage::Format
};

constexpr char kRawImageMagic[4] = {'P', '5', 'R', 'I'};

} // namespace pelto5
