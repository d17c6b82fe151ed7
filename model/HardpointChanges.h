#pragma once

#include "Geometry.h"
#include "ShipLayout.h"

#include <optional>
#include <vector>

namespace pelto5 {

// What a save writes of positions: those on their picture; none (the tray)
// for the rest, which a save drops.
HardpointPositions WrittenPositions(const HardpointPositions& positions);

// One hardpoint that stands elsewhere in two layouts.
struct HardpointChange {
    int hardpoint = -1;
    std::optional<Point> was;
    std::optional<Point> now;

    bool operator==(const HardpointChange& o) const {
        return hardpoint == o.hardpoint && was == o.was && now == o.now;
    }
};

// The hardpoints whose place in was differs from their place in now, in table order.
std::vector<HardpointChange> ChangedHardpoints(const HardpointPositions& was,
                                               const HardpointPositions& now);

// Orders changes largest move first: a hardpoint that comes from or goes to
// the tray before any that moved on its picture, those by the length of the
// move; equal ones stay in table order.
void SortLargestMoveFirst(std::vector<HardpointChange>& changes);

} // namespace pelto5
