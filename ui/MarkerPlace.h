#pragma once

#include <QString>

namespace pelto5 {

class ShipModel;

// Where hardpoint i stands, as a save would write it: "VL 123,45" or
// "TI 56,38" on its picture, "tray" when it stays off it. The find popup
// lists this.
QString ShortPlace(const ShipModel& model, int i);
// The same in words, for screen readers: "on the VL picture at 123, 45" or
// "in the tray".
QString SpokenPlace(const ShipModel& model, int i);
// The same for a carried marker: "carried, over the VL picture at 123, 45",
// or "carried, over the tray" where a drop would leave it off its picture.
QString CarriedPlace(const ShipModel& model, int i);

} // namespace pelto5
