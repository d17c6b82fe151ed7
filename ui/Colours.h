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
constexpr ColorRef kLilac = 0x00EFB5C6, kOrange = 0x005ABDF7, kBlack = 0x00000000;
// The read-out boxes' mauve and pink, and the read-outs' near-black text.
constexpr ColorRef kMauve = 0x00847BA5, kPink = 0x00B5A5D6, kReadoutText = 0x00020202;
// A comparison's ghosts: a green no marker face has, bright on the pictures' black.
constexpr ColorRef kGhost = Rgb(0, 255, 176);

} // namespace pelto5
