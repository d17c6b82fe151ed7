// What the editor asks about before work could be lost: moves made since the
// ship was read or saved, and another program's edit of the file on disk.
#include "PosixFileSystem.h"
#include "RectMarkerSurface.h"
#include "ShipModel.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace pelto5;

namespace {

struct Opened {
    explicit Opened(const std::string& path) {
        model.ResetHardpoints();
        model.SetShipPath(path);
        model.ReadShipFile();
    }
    RectMarkerSurface surface;
    ShipModel model{surface, RealFileSystem()};
};

const std::string kShip = "[General]\r\nName=Wolf\r\n[HardPoints]\r\n\r\nWeapon1=10,20\r\n";

Rect Shifted(const Rect& r, int dx) {
    return {r.left + dx, r.top, r.right + dx, r.bottom};
}

} // namespace

TEST(UnsavedMoves, AMoveCountsUntilSavedOrMovedBack) {
    TempDir dir;
    WriteFile(dir / "Wolf.gf", kShip);
    Opened s(dir / "Wolf.gf");
    EXPECT_FALSE(s.model.HasUnsavedMoves());
    const Rect loaded = s.surface.MarkerRect(34);
    s.surface.MoveMarker(34, Shifted(loaded, 5));
    EXPECT_TRUE(s.model.HasUnsavedMoves());
    s.surface.MoveMarker(34, loaded); // undone back to the layout as read
    EXPECT_FALSE(s.model.HasUnsavedMoves());
    s.model.ClearLayout();
    EXPECT_TRUE(s.model.HasUnsavedMoves());
    ASSERT_TRUE(s.model.SaveShipFile().ok);
    EXPECT_FALSE(s.model.HasUnsavedMoves());
    s.model.ResetLayout(); // back where the file was read, but not where it was saved
    EXPECT_TRUE(s.model.HasUnsavedMoves());

    // Without a ship nothing can be saved, so nothing is unsaved.
    RectMarkerSurface surface;
    ShipModel none(surface, RealFileSystem());
    surface.MoveMarker(0, Shifted(surface.MarkerRect(0), 5));
    EXPECT_FALSE(none.HasUnsavedMoves());
}

TEST(ChangedOnDisk, TheBytesDecideAndASaveIntoTheChangeKeepsBoth) {
    TempDir dir;
    const std::string path = dir / "Wolf.gf";
    WriteFile(path, kShip);
    Opened s(path);
    EXPECT_FALSE(s.model.ChangedOnDisk());
    // Same bytes, new time: not a change.
    WriteFile(path, kShip);
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() +
                                               std::chrono::hours(1));
    EXPECT_FALSE(s.model.ChangedOnDisk());
    // Same size, other bytes: a change.
    std::string other = kShip;
    other[13] = 'X';
    WriteFile(path, other);
    EXPECT_TRUE(s.model.ChangedOnDisk());

    WriteFile(path, kShip + "Mod=1\r\n");
    s.surface.MoveMarker(34, Shifted(s.surface.MarkerRect(34), 7));
    const std::optional<std::string> now = s.model.ChangedOnDisk();
    ASSERT_TRUE(now);
    EXPECT_EQ(*now, kShip + "Mod=1\r\n");
    ASSERT_TRUE(s.model.SaveIntoChangedFile(*now).ok);
    EXPECT_EQ(ReadFile(path),
              "[General]\r\nName=Wolf\r\n[HardPoints]\r\n\r\nWeapon1=17,20\r\nMod=1\r\n");
    EXPECT_EQ(ReadFile(dir / "Wolf.001"), kShip + "Mod=1\r\n");
    EXPECT_FALSE(s.model.ChangedOnDisk()); // what was written is what was read

    // A vanished file is no change: the save makes it anew.
    std::filesystem::remove(path);
    EXPECT_FALSE(s.model.ChangedOnDisk());
    // A new ship's file that another program made meanwhile is one.
    Opened fresh(dir / "New.gf");
    EXPECT_FALSE(fresh.model.ChangedOnDisk());
    WriteFile(dir / "New.gf", kShip);
    EXPECT_TRUE(fresh.model.ChangedOnDisk());
}
