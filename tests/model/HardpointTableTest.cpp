#include "HardpointTable.h"
#include "PictureLayout.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

using namespace pelto5;

TEST(HardpointNames, TableOrderAndSpareSlots) {
    const auto& names = HardpointNames();
    EXPECT_EQ(names[0], "VLPower1");
    EXPECT_EQ(names[8], "VLHull3");
    EXPECT_EQ(names[8 + 12], "VLWeapon12");
    EXPECT_EQ(names[30], "VLWeapon22");
    EXPECT_EQ(names[31], "Warp");
    EXPECT_EQ(names[32], "Impulse");
    EXPECT_EQ(names[33], "Thruster");
    EXPECT_EQ(names[34], "Weapon1");
    EXPECT_EQ(names[55], "Weapon22");
    for (int i = kHardpointCount; i < kSlotCount; ++i)
        EXPECT_TRUE(names[i].empty()) << i;
}

TEST(HardpointNames, DistinctEvenWhenFolded) {
    std::set<std::string> folded;
    for (int i = 0; i < kHardpointCount; ++i) {
        std::string s = HardpointNames()[i];
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        folded.insert(s);
    }
    EXPECT_EQ(folded.size(), static_cast<size_t>(kHardpointCount));
}

TEST(TrayRects, RowsBreakWhereTheLayoutRuleSays) {
    const auto& t = TrayRects();
    EXPECT_EQ(t[0], (Rect{38, 400, 70, 432}));
    EXPECT_EQ(t[8].right, 326);
    EXPECT_EQ(t[9], (Rect{326, 400, 368, 432}));
    EXPECT_EQ(t[15].right, 620);
    EXPECT_EQ(t[16], (Rect{38, 432, 80, 464}));
    EXPECT_EQ(t[28].right, 584);
    EXPECT_EQ(t[29], (Rect{38, 464, 80, 496}));
    EXPECT_EQ(t[30].right, 122);
    EXPECT_EQ(t[31], (Rect{122, 472, 142, 488}));
    EXPECT_EQ(t[55], (Rect{602, 472, 622, 488}));
}

TEST(TrayRects, EveryTrayPositionIsOffItsPicture) {
    const auto& t = TrayRects();
    for (int i = 0; i < kHardpointCount; ++i) {
        const int fileY = t[i].top - PictureOf(i).MarkerOffset().y;
        EXPECT_GE(fileY, 376) << i;
    }
}
