#include "PictureLayout.h"

#include "ShipText.h"

#include <algorithm>
#include <limits>

namespace pelto5 {

std::string PictureLayout::PicturePath(const std::string& shipPath) const {
    return ShipStem(shipPath) + suffix;
}

Point PictureLayout::Shifted(const Point& p, const Point& offset, int sign) {
    auto add = [sign](int32_t a, int32_t b) {
        const int64_t v = int64_t{a} + int64_t{sign} * b;
        return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
    };
    return {add(p.x, offset.x), add(p.y, offset.y)};
}

} // namespace pelto5
