#pragma once

#include "MarkerCarry.h"

#include <QCoreApplication>
#include <QString>

namespace pelto5 {

class MarkerMoves;
class ShipModel;

// The short texts a screen reader hears of the editor window's results that
// show only as pixels or a beep: an open, Ctrl+Z and Ctrl+Y, and M's and G's
// refusals.
class SpokenResults {
    Q_DECLARE_TR_FUNCTIONS(SpokenResults)
public:
    static QString Opened(const QString& fileName);
    // After Ctrl+Z (undone) or Ctrl+Y: what the step moved, "Undone:
    // VLWeapon5 moved", or that there was nothing to undo or redo (step null).
    static QString Step(const MarkerMoves* step, bool undone, const ShipModel& model);
    // After Ctrl+Z put carried marker i back where it was picked up.
    static QString CarryUndone(int i, const ShipModel& model);
    static QString MirrorRefused(MarkerCarry::MirrorRefusal why);
    // G with no marker picked up since the ship was opened.
    static QString NothingToPlace();
};

} // namespace pelto5
