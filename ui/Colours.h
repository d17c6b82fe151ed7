#pragma once

#include <QColor>

#include <cstdint>

namespace pelto5 {

// A colour as 0x00BBGGRR, red in the low byte.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) {
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
           (static_cast<ColorRef>(b) << 16);
}
inline QColor ToQColor(ColorRef color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
inline ColorRef FromQColor(const QColor& color) {
    return Rgb(color.red(), color.green(), color.blue());
}

// The console's colours, shared by every window: the dialogs' lilac text on
// black, and the orange of the support dialog's lines.
constexpr ColorRef kLilac = Rgb(198, 181, 239);
constexpr ColorRef kOrange = Rgb(247, 189, 90);
constexpr ColorRef kBlack = Rgb(0, 0, 0);
// The read-out boxes' mauve and pink, and the read-outs' near-black text.
constexpr ColorRef kMauve = Rgb(165, 123, 132);
constexpr ColorRef kPink = Rgb(214, 165, 181);
constexpr ColorRef kReadoutText = Rgb(2, 2, 2);

} // namespace pelto5
