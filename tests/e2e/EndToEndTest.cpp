#include "Desktop.h"

#include "SavedShip.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace pelto5;

namespace {

class EndToEnd : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (!SetUpStopped())
            StartEditor();
    }
};

} // namespace

TEST_F(EndToEnd, StartsWithItsWindowAndEscapeEndsIt) {
    const QString geometry = desktop.Geometry();
    EXPECT_TRUE(geometry.contains("Geometry: 809x505")) << geometry.toStdString();
    // The display shows the skin: the mauve box under the first read-out.
    const QImage shot = desktop.Screenshot();
    ASSERT_EQ(shot.size(), QSize(809, 505));
    EXPECT_EQ(shot.pixelColor(674, 425), QColor(165, 123, 132));
    desktop.Xdo({"windowfocus", "--sync", desktop.Window()});
    desktop.Key("Escape");
    ASSERT_TRUE(desktop.Editor().waitForFinished(10000));
    EXPECT_EQ(desktop.Editor().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(desktop.Editor().exitCode(), 0);
    const QString output = QString::fromUtf8(desktop.Editor().readAll());
    // It ends cleanly: no warnings, no leaks reported.
    EXPECT_TRUE(output.trimmed().isEmpty()) << output.toStdString();
}

TEST_F(EndToEnd, OpenCarrySnapDropSaveAndExit) {
    const QString ship = dir.filePath("Corvette.gf");
    const std::string original = FileBytes(ship);

    const QStringList main = desktop.Windows();
    desktop.ClickAt(762, 334); // OPEN
    ASSERT_FALSE(desktop.WaitForNewWindow(main).isEmpty()) << "no file dialog";
    desktop.Type(ship);
    desktop.Key("Return");
    ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));

    desktop.ClickAt(762, 364); // snapping on: steps of 8
    desktop.ClickAt(100, 480); // VLWeapon22, waiting in the tray
    desktop.MoveTo(305, 203);  // carried to the snapped point (304, 200)
    desktop.ClickAt(305, 203); // dropped
    desktop.ClickAt(612, 480); // Weapon22 from the tray
    desktop.MoveTo(701, 101);  // (696, 96) on the TI picture
    desktop.ClickAt(701, 101);
    desktop.ClickAt(762, 274); // SAVE

    // What the save must hold: the ship as loaded, with the two markers at
    // their new file points.
    const std::string expected =
        SavedShip(original, {{30, {304, 200, 346, 232}}, {55, {696, 96, 716, 112}}});
    EXPECT_NE(expected.find("VLWeapon22=281,176\r\n"), std::string::npos);
    EXPECT_NE(expected.find("Weapon22=51,84\r\n"), std::string::npos);

    EXPECT_EQ(FileBytes(ship), expected);
    EXPECT_EQ(FileBytes(dir.filePath("Corvette.001")), original);

    desktop.ClickAt(762, 304); // EXIT
    ASSERT_TRUE(desktop.Editor().waitForFinished(10000));
    EXPECT_EQ(desktop.Editor().exitCode(), 0);
}
