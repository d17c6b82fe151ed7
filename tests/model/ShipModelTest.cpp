#include "ShipModel.h"
#include "PosixFileSystem.h"
#include "RectMarkerSurface.h"
#include "ShipText.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace pelto5;

namespace {

struct Loaded {
    RectMarkerSurface surface;
    ShipModel model{surface, RealFileSystem()};
};

// Loads bytes the way the open command does: reset, set the path, read.
void Load(ShipModel& model, const std::string& path) {
    model.ResetHardpoints();
    model.SetShipPath(path);
    ASSERT_TRUE(model.ReadShipFile().ok);
}

} // namespace

TEST(Placement, GroupOriginsAndTheTiShift) {
    Loaded s;
    s.model.PlaceHardpoint(30, 0, 0);
    s.model.PlaceHardpoint(31, 0, 0);
    EXPECT_EQ(s.surface.MarkerRect(30), (Rect{23, 24, 65, 56}));
    EXPECT_EQ(s.surface.MarkerRect(31), (Rect{645, 12, 665, 28}));
    EXPECT_EQ(s.model.Placed()[31], s.surface.MarkerRect(31));
}

TEST(Placement, RelativeRectGivesBackTheFilePoint) {
    Loaded s;
    for (int i : {0, 8, 9, 30, 31, 33, 34, 55}) {
        s.model.PlaceHardpoint(i, 17 + i, -3 - i);
        const Rect r = s.model.RelativeMarkerRect(i, 1);
        EXPECT_EQ(r.left, 17 + i) << i;
        EXPECT_EQ(r.top, -3 - i) << i;
    }
    // Any mode but 1 is client coordinates.
    EXPECT_EQ(s.model.RelativeMarkerRect(31, 0), s.surface.MarkerRect(31));
    EXPECT_EQ(s.model.RelativeMarkerRect(31, 2), s.surface.MarkerRect(31));
}

TEST(Placement, HugeCoordinatesSaturate) {
    Loaded s;
    s.model.PlaceHardpoint(0, 2147483647, -2147483647 - 1);
    const Rect rc = s.surface.MarkerRect(0);
    EXPECT_EQ(rc.left, 2147483647 - 32);
    EXPECT_EQ(rc.top, -2147483647 - 1 + 24);
    // The marker keeps its size, so a later placement still knows it.
    EXPECT_EQ(rc.Width(), 32);
    EXPECT_EQ(rc.Height(), 32);
}

TEST(OnPicture, LimitIsFileY370) {
    Loaded s;
    std::string out;
    s.surface.MoveMarker(31, {645, 377, 665, 393}); // file y 365
    s.surface.MoveMarker(32, {645, 382, 665, 398}); // file y 370
    s.surface.MoveMarker(0, {23, 393, 55, 425});    // file y 369
    s.surface.MoveMarker(1, {23, 394, 55, 426});    // file y 370
    s.surface.MoveMarker(2, {0, 0, 32, 32});        // left of and above its picture
    s.model.WriteHardpointLines(out);
    EXPECT_EQ(out, "VLPower1=0,369\r\nVLPower3=-23,-24\r\nWarp=0,365\r\n");
}

TEST(Reset, AfterALoadEverythingIsBackInTheTray) {
    TempDir dir;
    WriteFile(dir / "a.gf", "[HardPoints]\r\nWarp=1,2\r\nKey=1\r\n");
    Loaded s;
    Load(s.model, dir / "a.gf");
    EXPECT_NE(s.model.Placed()[31], TrayRects()[31]);
    s.model.ResetHardpoints();
    for (int i = 0; i < kHardpointCount; ++i) {
        EXPECT_EQ(s.surface.MarkerRect(i), TrayRects()[i]);
        EXPECT_EQ(s.model.Placed()[i], TrayRects()[i]);
    }
    for (const auto& line : s.model.Lines())
        EXPECT_TRUE(line.empty());
}

TEST(Reader, StoresOtherLinesAndEmptiesHardpointRecords) {
    TempDir dir;
    WriteFile(dir / "a.gf", "[General]\r\nweapon1 = 3 , 4\nClass=X\r\n\r\nWarp=1,1\r\nwarp=9,8");
    Loaded s;
    Load(s.model, dir / "a.gf");
    ASSERT_EQ(s.model.LineCount(), 6);
    EXPECT_EQ(s.model.Lines(), (std::vector<std::string>{"[General]", "", "Class=X", "", "", ""}));
    EXPECT_EQ(s.model.RelativeMarkerRect(34, 1).left, 3);
    // The last line naming a hardpoint decides.
    EXPECT_EQ(s.model.RelativeMarkerRect(31, 1).left, 9);
    EXPECT_EQ(s.model.RelativeMarkerRect(31, 1).top, 8);
    EXPECT_EQ(s.surface.MarkerRect(0), TrayRects()[0]);
}

TEST(Reader, UnreadablePathLoadsEmptyAndSaysSo) {
    TempDir dir;
    Loaded s;
    s.model.ResetHardpoints();
    s.model.SetShipPath(dir / "missing.gf");
    // A name that does not exist yet starts a new ship: nothing to say.
    const FileResult r = s.model.ReadShipFile();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.problem, FileResult::Problem::None);
    EXPECT_EQ(s.model.LineCount(), 0);
    s.model.SetShipPath(dir.path().string()); // a folder
    EXPECT_FALSE(s.model.ReadShipFile().ok);
    EXPECT_EQ(s.model.LineCount(), 0);
    for (int i = 0; i < kHardpointCount; ++i)
        EXPECT_EQ(s.surface.MarkerRect(i), TrayRects()[i]);
}

// What the open command checks before it gives up the open ship.
TEST(Opening, OnlyWhatCanBeAShipFileIsAccepted) {
    TempDir dir;
    Loaded s;
    ASSERT_EQ(::mkfifo((dir / "pipe.gf").c_str(), 0600), 0);
    WriteFile(dir / "huge.gf", "");
    std::filesystem::resize_file(dir / "huge.gf", kMaxFileBytes + 1);
    const std::string bmpHeader = std::string("BM\x36\x10\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18);
    const std::pair<std::string, std::string> pictures[] = {
        {"a.gf", bmpHeader + "rest"},
        {"b.gf", std::string("\x89PNG\r\n\x1a\n\0\0", 10)},
        {"c.gf", "\xff\xd8\xff\xe0JFIF"},
        {"d.gf", "GIF89a\x01\0"},
    };
    for (const auto& [name, bytes] : pictures)
        WriteFile(dir / name, bytes);
    for (const std::string& refused :
         {dir / "pipe.gf", std::string("/dev/zero"), dir.path().string(), dir / "huge.gf",
          dir / "a.gf", dir / "b.gf", dir / "c.gf", dir / "d.gf"}) {
        const FileResult r = s.model.CheckShipFile(refused);
        EXPECT_FALSE(r.ok) << refused;
        EXPECT_EQ(r.path, refused);
    }
    // Ship files with odd bytes, text that starts like a picture, an empty
    // file and a name that does not exist yet are all ships.
    const std::pair<std::string, std::string> ships[] = {
        {"e.gf", "BMW=1\r\nWarp=1,2\r\n"},
        {"f.gf", std::string("BM\0\xff\x80\rmid\r\nLine\r\nAnother line\r\n", 28)},
        {"g.gf", ""},
    };
    for (const auto& [name, bytes] : ships) {
        WriteFile(dir / name, bytes);
        EXPECT_TRUE(s.model.CheckShipFile(dir / name).ok) << name;
    }
    EXPECT_TRUE(s.model.CheckShipFile(dir / "new.gf").ok);
    // The reader itself never blocks on a pipe either.
    s.model.SetShipPath(dir / "pipe.gf");
    EXPECT_FALSE(s.model.ReadShipFile().ok);
}

TEST(Writer, WorkedExampleByteForByte) {
    TempDir dir;
    WriteFile(dir / "F.gf", "[General]\r\nClass=Frigate\r\n\r\n[HardPoints]\r\nWeapon1=10,20\r\n"
                            "Warp=5,5\r\n[Other]\r\nKey=1\r\n");
    Loaded s;
    Load(s.model, dir / "F.gf");
    EXPECT_EQ(s.model.Lines(),
              (std::vector<std::string>{"[General]", "Class=Frigate", "", "[HardPoints]", "", "",
                                        "[Other]", "Key=1"}));
    const Rect warp = s.surface.MarkerRect(31);
    s.surface.MoveMarker(31, {warp.left + 1, warp.top + 2, warp.right + 1, warp.bottom + 2});
    ASSERT_TRUE(s.model.SaveShipFile().ok);
    EXPECT_EQ(ReadFile(dir / "F.gf"), "[General]\r\nClass=Frigate\r\n[HardPoints]\r\n\r\n"
                                      "Warp=6,7\r\nWeapon1=10,20\r\n[Other]\r\nKey=1\r\n");
    EXPECT_EQ(ReadFile(dir / "F.001").substr(0, 11), "[General]\r\n");
    // The store is not re-read: a second save writes the same and backs up again.
    ASSERT_TRUE(s.model.SaveShipFile().ok);
    EXPECT_EQ(ReadFile(dir / "F.002"), ReadFile(dir / "F.gf"));
}

TEST(Writer, HeaderHandling) {
    TempDir dir;
    Loaded s;
    s.model.PlaceHardpoint(31, 1, 2);
    struct Case {
        std::string in, out;
    } cases[] = {
        {"A=1\r\n\r\n", "A=1\r\n[HardPoints]\r\nWarp=1,2\r\n"},
        {"[HARDPOINTS]\r\nB\r\n", "[HARDPOINTS]\r\n\r\nWarp=1,2\r\nB\r\n"},
        {"[hardpoints] \r\n", "[hardpoints] \r\n[HardPoints]\r\nWarp=1,2\r\n"},
        {"[hardpoints];c\r\n", "[hardpoints];c\r\n[HardPoints]\r\nWarp=1,2\r\n"},
        {"[HardPoints]\r\nX\r\n[hardpoints]\r\n",
         "[HardPoints]\r\n\r\nWarp=1,2\r\nX\r\n[hardpoints]\r\n\r\nWarp=1,2\r\n"},
        {"   \r\n", "   \r\n[HardPoints]\r\nWarp=1,2\r\n"},
        {"", "[HardPoints]\r\nWarp=1,2\r\n"},
    };
    for (const Case& c : cases) {
        s.model.ReadShipText(c.in);
        EXPECT_EQ(s.model.ShipFileContent(), c.out) << c.in;
    }
}

TEST(Writer, EveryMarkerInTheTrayWritesTheHeaderAlone) {
    Loaded s;
    s.model.ReadShipText("[HardPoints]\r\nTail=1");
    EXPECT_EQ(s.model.ShipFileContent(), "[HardPoints]\r\n\r\nTail=1\r\n");
}

TEST(Writer, LoadedBelowThePictureIsDropped) {
    TempDir dir;
    WriteFile(dir / "a.gf", "[HardPoints]\r\nVLPower1=5,370\r\nVLPower2=5,369\r\n");
    Loaded s;
    Load(s.model, dir / "a.gf");
    EXPECT_EQ(s.model.ShipFileContent(), "[HardPoints]\r\n\r\nVLPower2=5,369\r\n");
}

TEST(RoundTrip, LongAndBinaryLinesComeBackWhole) {
    TempDir dir;
    const std::string longLine(100000, 'x');
    const std::string odd = std::string("k=\0\xff\x80", 5) + "\rmid";
    std::string in;
    for (int i = 0; i < 3000; ++i)
        in += "Line" + std::to_string(i) + "\r\n";
    in += longLine + "\n" + odd + "\r\n[HardPoints]\r\nWeapon3=-4,-9\r\nVLHull2=7,300";
    WriteFile(dir / "a.gf", in);
    Loaded s;
    Load(s.model, dir / "a.gf");
    ASSERT_TRUE(s.model.SaveShipFile().ok);
    std::string expected;
    for (int i = 0; i < 3000; ++i)
        expected += "Line" + std::to_string(i) + "\r\n";
    expected +=
        longLine + "\r\n" + odd + "\r\n[HardPoints]\r\n\r\nVLHull2=7,300\r\nWeapon3=-4,-9\r\n";
    EXPECT_EQ(ReadFile(dir / "a.gf"), expected);
    // And the written file reads back to the same markers and lines.
    Loaded again;
    Load(again.model, dir / "a.gf");
    for (int i = 0; i < kHardpointCount; ++i)
        EXPECT_EQ(again.surface.MarkerRect(i), s.surface.MarkerRect(i)) << i;
    EXPECT_EQ(again.model.ShipFileContent(), expected);
}

TEST(Saving, EmptyPathSavesNothing) {
    Loaded s;
    EXPECT_TRUE(s.model.SaveShipFile().ok);
    EXPECT_FALSE(std::filesystem::exists(".001"));
    EXPECT_FALSE(std::filesystem::exists("[HardPoints]"));
}
