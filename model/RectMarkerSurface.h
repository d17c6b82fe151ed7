#pragma once

#include "HardpointTable.h"
#include "MarkerSurface.h"
#include "PictureLayout.h"

namespace pelto5 {

// Markers without a window: 56 rectangles starting in the tray, the pictures
// at their fixed origins and the reference control at the client origin.
class RectMarkerSurface final : public MarkerSurface {
public:
    RectMarkerSurface() : m_rects(TrayRects()) {}

    Rect MarkerRect(int i) const override { return m_rects[i]; }
    Rect ControlRect(int id) const override {
        for (const PictureLayout* picture : {&kVlPicture, &kTiPicture})
            if (id == picture->controlId) {
                const Point o = picture->Origin();
                return {o.x, o.y, o.x, o.y};
            }
        return {};
    }
    void MoveMarker(int i, const Rect& rc) override { m_rects[i] = rc; }

private:
    RectArray m_rects;
};

} // namespace pelto5
