#pragma once

#include <QColor>

#include <cstdint>
#include <optional>

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

// A parent's answer to a control's colour request: the text, the background
// behind the text's own box, and the fill of the rest of the control.
struct ControlColors {
    ColorRef text = 0;
    ColorRef textBack = 0;
    ColorRef brush = 0;
};

// Implemented by a parent window that colours some of its controls itself;
// its answer wins over the control's own colours and the application's.
class ControlColorAnswer {
public:
    virtual ~ControlColorAnswer() = default;
    // The colours for control id, or nothing to leave the control to itself.
    virtual std::optional<ControlColors> CtlColor(int id) const = 0;
};

} // namespace pelto5
