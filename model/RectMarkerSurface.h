#pragma once

#include "HardpointTable.h"
#include "MarkerSurface.h"

namespace pelto5 {

// Markers without a window: 56 rectangles starting in the tray, the pictures
// at their fixed origins and the reference control at the client origin.
class RectMarkerSurface final : public MarkerSurface {
public:
    RectMarkerSurface() : m_rects(TrayRects()) {}

    Rect MarkerRect(int i) const override { return m_rects[i]; }
    Rect ControlRect(int id) const override {
        if (id == kVlPictureId)
            return {kVlOrigin.x, kVlOrigin.y, kVlOrigin.x, kVlOrigin.y};
        if (id == kTiPictureId)
            return {kTiOrigin.x, kTiOrigin.y, kTiOrigin.x, kTiOrigin.y};
        return {};
    }
    void MoveMarker(int i, const Rect& rc) override { m_rects[i] = rc; }

private:
    RectArray m_rects;
};

} // namespace pelto5
