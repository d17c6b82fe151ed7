#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

// The sample ship in examples/: its two pictures and its ship file, drawn and
// written so that every hardpoint the file names sits on a fitting part of the drawing.
namespace pelto5::art {

struct ShipPoint {
    QString kind; // "VLWeapon", "Warp"...
    int number;   // from 1 within its kind; 0 for a kind with a single hardpoint
    QPoint at;    // pixels from the top-left of the hardpoint's picture
    // The name the ship file gives it: "VLWeapon5", "Warp".
    QString Name() const;
};

constexpr int kShipVlWidth = 600;
constexpr int kShipVlHeight = 360;
constexpr int kShipTiWidth = 151;
constexpr int kShipTiHeight = 165;

const std::vector<ShipPoint>& ShipVlPoints();
const std::vector<ShipPoint>& ShipTiPoints();

QImage DrawShipVl();
QImage DrawShipTi();
// The whole ship file, lines ending in CR LF.
QByteArray ShipFileText();

} // namespace pelto5::art
