#include "HardpointChanges.h"

#include <algorithm>
#include <cmath>

namespace pelto5 {

namespace {

// How far a change moved its hardpoint; a move from or to the tray is
// farther than any on a picture.
double MoveLength(const HardpointChange& change) {
    if (!change.was || !change.now)
        return HUGE_VAL;
    // Coordinates span the whole 32-bit range: their differences are taken wide.
    return std::hypot(static_cast<double>(change.now->x) - change.was->x,
                      static_cast<double>(change.now->y) - change.was->y);
}

} // namespace

HardpointPositions WrittenPositions(const HardpointPositions& positions) {
    HardpointPositions written{};
    for (int i = 0; i < kHardpointCount; ++i)
        if (positions[i] && positions[i]->y < kOnPictureLimit)
            written[i] = positions[i];
    return written;
}

std::vector<HardpointChange> ChangedHardpoints(const HardpointPositions& was,
                                               const HardpointPositions& now) {
    std::vector<HardpointChange> changes;
    for (int i = 0; i < kHardpointCount; ++i)
        if (was[i] != now[i])
            changes.push_back({i, was[i], now[i]});
    return changes;
}

void SortLargestMoveFirst(std::vector<HardpointChange>& changes) {
    std::stable_sort(changes.begin(), changes.end(),
                     [](const HardpointChange& a, const HardpointChange& b) {
                         return MoveLength(a) > MoveLength(b);
                     });
}

} // namespace pelto5
