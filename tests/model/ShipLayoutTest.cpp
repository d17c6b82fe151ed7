#include "ShipLayout.h"
#include "PosixFileSystem.h"
#include "RectMarkerSurface.h"
#include "ShipModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pelto5;

using Lines = std::vector<std::string_view>;

TEST(ShipLayout, ReadsAsTheEditorReadsAndASaveWithoutMovesChangesNothing) {
    const std::string bytes = "[General]\r\nweapon1 = 3 , 4\nClass=X\r\n\r\n[hardpoints]\r\n"
                              "Warp=1,1\r\nwarp=9,8\nWarp\t=5,5\r\nVLHull2=-7,400\r\ntail";
    const ShipLayout layout = ReadShipLayout(bytes);

    RectMarkerSurface surface;
    ShipModel model(surface, RealFileSystem());
    model.ReadShipText(bytes);
    for (int i = 0; i < kHardpointCount; ++i) {
        const Rect rc = model.RelativeMarkerRect(i, kRelativeToPicture);
        if (model.Placed()[i] == TrayRects()[i])
            EXPECT_FALSE(layout.at[i]) << HardpointNames()[i];
        else
            EXPECT_EQ(layout.at[i], (Point{rc.left, rc.top})) << HardpointNames()[i];
    }
    EXPECT_EQ(layout.at[34], (Point{3, 4}));
    EXPECT_EQ(layout.at[31], (Point{9, 8})); // the last line naming it decides
    EXPECT_EQ(layout.otherLines,
              (Lines{"[General]", "Class=X", "[hardpoints]", "Warp\t=5,5", "tail"}));

    // A save regathers the hardpoint lines, drops empty lines and ends every
    // line in CR LF: by the reader's rules nothing differs but the hardpoint
    // that left its picture (y 400 is not written).
    const std::string saved = model.ShipFileContent();
    const ShipLayout after = ReadShipLayout(saved);
    for (int i = 0; i < kHardpointCount; ++i)
        EXPECT_EQ(after.at[i], HardpointNames()[i] == "VLHull2" ? std::nullopt : layout.at[i])
            << HardpointNames()[i];
    const LineDifference none = CountDifferingLines(layout.otherLines, after.otherLines);
    EXPECT_EQ(none.count, 0u);
    EXPECT_FALSE(none.atLeast);
}

TEST(ShipLayout, CountsChangedAddedAndRemovedLinesOnce) {
    struct Case {
        Lines before, after;
        std::size_t count;
    };
    const Case cases[] = {
        {{}, {}, 0},
        {{"a", "b"}, {"a", "b"}, 0},
        {{"a", "b", "c"}, {"a", "B", "c"}, 1},           // changed
        {{"a", "c"}, {"a", "b", "c"}, 1},                // added
        {{"a", "b", "c"}, {"b", "c"}, 1},                // removed
        {{}, {"a", "b"}, 2},                             // all new
        {{"a", "b"}, {"b", "a"}, 1},                     // one line moved past another
        {{"x", "a", "b", "y"}, {"x", "B", "y", "z"}, 2}, // two gone, two new
        {{"a", "a", "a"}, {"a", "a"}, 1},
        {{"1", "2", "3", "4", "5"}, {"5", "4", "3", "2", "1"}, 4},
    };
    for (const Case& c : cases) {
        const LineDifference d = CountDifferingLines(c.before, c.after);
        EXPECT_EQ(d.count, c.count) << c.before.size() << " -> " << c.after.size();
        EXPECT_FALSE(d.atLeast);
        EXPECT_EQ(CountDifferingLines(c.after, c.before).count, c.count);
    }
}

TEST(ShipLayout, TwoUnrelatedHugeShipsStopAtALowerBound) {
    // 200,000 lines against 150,000 others, none shared: 200,000 differ. The
    // count stops early and says how many differ at least.
    std::vector<std::string> a, b;
    for (int k = 0; k < 200000; ++k)
        a.push_back("a" + std::to_string(k));
    for (int k = 0; k < 150000; ++k)
        b.push_back("b" + std::to_string(k));
    const Lines before(a.begin(), a.end()), after(b.begin(), b.end());
    const LineDifference d = CountDifferingLines(before, after);
    EXPECT_TRUE(d.atLeast);
    EXPECT_GE(d.count, 50000u); // the gap in length alone
    EXPECT_LE(d.count, 200000u);
    // A shared head and tail around a small change cost nothing of the bound.
    std::vector<std::string_view> changed(before);
    changed[100000] = "changed";
    EXPECT_EQ(CountDifferingLines(before, changed).count, 1u);
    EXPECT_FALSE(CountDifferingLines(before, changed).atLeast);
}
