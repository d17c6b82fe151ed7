#include "HardpointTable.h"

namespace pelto5 {

namespace {

NameTable BuildNames() {
    NameTable names;
    int i = 0;
    for (const char* stem : {"VLPower", "VLBridge", "VLHull"})
        for (int n = 1; n <= 3; ++n)
            names[i++] = stem + std::to_string(n);
    for (int n = 1; n <= 22; ++n)
        names[i++] = "VLWeapon" + std::to_string(n);
    for (const char* name : {"Warp", "Impulse", "Thruster"})
        names[i++] = name;
    for (int n = 1; n <= 22; ++n)
        names[i++] = "Weapon" + std::to_string(n);
    return names;
}

RectArray BuildTray() {
    RectArray tray;
    Rect rc{38, 400, 70, 432};
    int prevRight = 0;
    for (int i = 0; i < kHardpointCount; ++i) {
        const int image = kFirstMarkerImage + i;
        const int w = image < 150 ? 32 : (image <= 171 ? 42 : 20);
        if (i < kFirstTiIndex && prevRight > 583) {
            rc.top += 32;
            rc.bottom += 32;
            rc.left = 38;
        }
        rc.right = rc.left + w;
        tray[i] = rc;
        prevRight = rc.right;
        rc.left = rc.right;
        if (i == kFirstTiIndex - 1) {
            // The TI markers take the middle 16 pixels of the row band.
            rc.top += 8;
            rc.bottom -= 8;
        }
    }
    return tray;
}

} // namespace

const NameTable& HardpointNames() {
    static const NameTable names = BuildNames();
    return names;
}

const RectArray& TrayRects() {
    static const RectArray tray = BuildTray();
    return tray;
}

} // namespace pelto5
