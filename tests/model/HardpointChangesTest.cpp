#include "HardpointChanges.h"

#include <gtest/gtest.h>

#include <limits>

using namespace pelto5;

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

std::vector<int> Order(const std::vector<HardpointChange>& changes) {
    std::vector<int> order;
    for (const HardpointChange& c : changes)
        order.push_back(c.hardpoint);
    return order;
}

} // namespace

TEST(HardpointChanges, TheHardpointsPlacedElsewhereAsSavedInTableOrder) {
    HardpointPositions was{}, now{};
    EXPECT_TRUE(ChangedHardpoints(was, now).empty());
    was[55] = Point{1, 2};
    now[55] = Point{1, 2};
    was[40] = Point{5, 6}; // gone to the tray
    now[3] = Point{-7, 8}; // come from the tray
    was[20] = Point{9, 9};
    now[20] = Point{9, 10}; // moved a pixel
    // A point a save drops (y 370 and below) is the tray's.
    was[0] = Point{4, 400};
    now[1] = Point{4, 369};
    now = WrittenPositions(now);
    was = WrittenPositions(was);
    EXPECT_FALSE(was[0]);
    const std::vector<HardpointChange> changes = ChangedHardpoints(was, now);
    EXPECT_EQ(Order(changes), std::vector<int>({1, 3, 20, 40}));
    EXPECT_EQ(changes[1], (HardpointChange{3, std::nullopt, Point{-7, 8}}));
    EXPECT_EQ(changes[2], (HardpointChange{20, Point{9, 9}, Point{9, 10}}));
    EXPECT_EQ(changes[3], (HardpointChange{40, Point{5, 6}, std::nullopt}));
}

TEST(HardpointChanges, LargestMoveFirstTrayChangesAheadAndTiesInTableOrder) {
    std::vector<HardpointChange> changes = {
        {2, Point{0, 0}, Point{3, 4}},             // 5
        {5, Point{0, 0}, std::nullopt},            // to the tray
        {7, Point{0, 0}, Point{0, 5}},             // 5, after 2
        {9, Point{kMin, kMin}, Point{kMax, kMax}}, // the whole range, no overflow
        {11, std::nullopt, Point{1, 1}},           // from the tray, after 5
        {12, Point{10, 10}, Point{10, 16}},        // 6
    };
    SortLargestMoveFirst(changes);
    EXPECT_EQ(Order(changes), std::vector<int>({5, 11, 9, 12, 2, 7}));
}
