#include "ShipText.h"

#include <gtest/gtest.h>

#include <limits>

using namespace pelto5;

struct ClassifyCase {
    const char* line;
    int index;
};

class ClassifyLineTest : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyLineTest, KeyNamesHardpointIgnoringSpacesAndCase) {
    EXPECT_EQ(ClassifyLine(GetParam().line), GetParam().index) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ClassifyLineTest,
    ::testing::Values(ClassifyCase{"WARP=10,20", 31}, ClassifyCase{"warp=10,20", 31},
                      ClassifyCase{"Warp = 10 , 20", 31}, ClassifyCase{"Warp\t=10,20", -1},
                      ClassifyCase{"VL Weapon 12=5,6", 20}, ClassifyCase{"VLPower1=1,1", 0},
                      ClassifyCase{"Weapon22=1,1", 55}, ClassifyCase{"Weapon1", -1},
                      ClassifyCase{"=Weapon1", -1}, ClassifyCase{"Weapon1x=5,6", -1},
                      ClassifyCase{"Weapon23=5,6", -1}, ClassifyCase{"", -1},
                      ClassifyCase{"[HardPoints]", -1}, ClassifyCase{" =Warp", -1}));

struct CoordCase {
    const char* line;
    int32_t x;
    int32_t y;
};

class ParseCoordinatesTest : public ::testing::TestWithParam<CoordCase> {};

TEST_P(ParseCoordinatesTest, ReadsTheRightHandEnd) {
    const Point p = ParseCoordinates(GetParam().line);
    EXPECT_EQ(p, (Point{GetParam().x, GetParam().y})) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ParseCoordinatesTest,
    ::testing::Values(CoordCase{"Weapon1=120,45", 120, 45}, CoordCase{"Weapon1=1,2,3", 2, 3},
                      CoordCase{"Weapon1=1.5,2.5", 5, 2}, CoordCase{"Weapon1=15", 0, 0},
                      CoordCase{"Weapon1=,40", 0, 40}, CoordCase{"Weapon1=15,", 15, 0},
                      CoordCase{"Weapon1=1234,1000", 1234, 1000},
                      CoordCase{"Weapon1=10,20;note7", 10, 20},
                      CoordCase{"Weapon1 = 0010 , 007", 10, 7},
                      // A minus sign right before the digits is a sign, as the writer writes it.
                      CoordCase{"Weapon1=-5,-7", -5, -7}, CoordCase{"Weapon1=- 5,3", -5, 3},
                      CoordCase{"Weapon1=-,-", 0, 0}, CoordCase{"Weapon1=5-,3", 0, 3},
                      // Too large for 32 bits: saturates.
                      CoordCase{"Weapon1=99999999999,-99999999999", 2147483647,
                                std::numeric_limits<int32_t>::min()},
                      CoordCase{"Weapon1=2147483647,2147483648", 2147483647, 2147483647}));

TEST(CaseFolding, OnlyAsciiLettersFold) {
    const std::string text = "VLWeapon12 [x]\xC4\xE4_@`{";
    EXPECT_EQ(ToUpperCopy(text), "VLWEAPON12 [X]\xC4\xE4_@`{");
    EXPECT_EQ(ToLowerCopy(text), "vlweapon12 [x]\xC4\xE4_@`{");
}

TEST(ShipStem, OnlyALowerCaseGfIsTheExtension) {
    EXPECT_EQ(ShipStem("/ships/Wolf.gf"), "/ships/Wolf");
    EXPECT_EQ(ShipStem("/ships/Wolf.GF"), "/ships/Wolf.GF");
    EXPECT_EQ(ShipStem("/ships/Wolf.gf.bak"), "/ships/Wolf.gf.bak");
    EXPECT_EQ(ShipStem(".gf"), "");
}

TEST(BackupName, DigitsGrowPastNineAndNinetyNine) {
    EXPECT_EQ(BackupName("F", 1), "F.001");
    EXPECT_EQ(BackupName("F", 9), "F.009");
    EXPECT_EQ(BackupName("F", 10), "F.010");
    EXPECT_EQ(BackupName("F", 99), "F.099");
    EXPECT_EQ(BackupName("F", 100), "F.0100");
    EXPECT_EQ(BackupName("F", 1000), "F.01000");
}

TEST(ForEachLine, LineEndsAndKeptBytes) {
    using V = std::vector<std::string>;
    const auto SplitLines = [](const std::string& bytes) {
        V lines;
        ForEachLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
        return lines;
    };
    EXPECT_EQ(SplitLines(""), V{});
    EXPECT_EQ(SplitLines("a\r\nb\nc"), (V{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\r\n"), (V{"a"}));
    EXPECT_EQ(SplitLines("\n\n"), (V{"", ""}));
    EXPECT_EQ(SplitLines("a\rb\r\r\n"), (V{"a\rb\r"}));
    EXPECT_EQ(SplitLines(std::string("x\0y\xff\n", 5)), (V{std::string("x\0y\xff", 4)}));
    EXPECT_EQ(SplitLines("tail\r"), (V{"tail\r"}));
}
