// Every text shows whole in the real X server with Debian's fonts: the
// support dialog, the about box, the window menu and the name read-out; and
// the window is listed under the design's title alone.
#include "Desktop.h"

#include "../ui/DialogLook.h"

#include <QStandardPaths>

using namespace pelto5;

namespace {

// The em dash before the application's name that Qt adds to a title on X11.
const QChar kTitleSeparator(0x2014);

class TextFit : public DisplayTest {
protected:
    TextFit() : DisplayTest({"Xvfb", "xdotool", "xprop"}) {}
    void SetUp() override {
        DisplayTest::SetUp();
        if (!SetUpStopped())
            StartEditor();
    }

    // With PELTO5_SCREENSHOT_DIR set (to docs/), keeps the picture there.
    static void Keep(const QImage& shot, const QString& name) {
        const QString dir = qEnvironmentVariable("PELTO5_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            EXPECT_TRUE(shot.save(QDir(dir).filePath(name)));
        }
    }
};

TEST_F(TextFit, WindowIsListedUnderTheTitleAlone) {
    EXPECT_EQ(desktop.Property(desktop.Window(), "_NET_WM_NAME").toStdString(),
              "\"Vorsanth's Tolmar Util\"");
}

TEST_F(TextFit, SupportDialogShowsEveryTextWhole) {
    desktop.ClickAt(762, 484); // DATA
    const QString dialog = desktop.NewWindow({desktop.Window()});
    ASSERT_FALSE(dialog.isEmpty()) << "no support dialog";
    const QImage shot = desktop.SteadyScreenshot(dialog);
    look::ExpectSupportDialogWhole(shot);
    EXPECT_FALSE(desktop.Property(dialog, "_NET_WM_NAME").contains(kTitleSeparator));
    Keep(shot, "support-dialog.png");
}

TEST_F(TextFit, WindowMenuAndAboutBoxAreReadable) {
    desktop.MoveTo(300, 200);
    desktop.Xdo({"click", "3"}); // the background's window menu
    const QString menu = desktop.NewWindow({desktop.Window()});
    ASSERT_FALSE(menu.isEmpty()) << "no window menu";
    // A lilac edge all round its black face, and lilac words on the face.
    const QImage face = desktop.SteadyScreenshot(menu);
    ASSERT_GT(face.width(), 20);
    ASSERT_GT(face.height(), 20);
    const QRgb lilac = qRgb(198, 181, 239);
    int edge = 0, black = 0;
    for (int x = 0; x < face.width(); ++x)
        edge += (face.pixel(x, 0) == lilac) + (face.pixel(x, face.height() - 1) == lilac);
    for (int y = 1; y < face.height() - 1; ++y)
        edge += (face.pixel(0, y) == lilac) + (face.pixel(face.width() - 1, y) == lilac);
    const QRect inside = face.rect().adjusted(2, 2, -2, -2);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            black += qGray(face.pixel(x, y)) < 20;
    EXPECT_EQ(edge, 2 * (face.width() + face.height()) - 4) << "the menu's edge is not lilac";
    EXPECT_GT(black * 10, inside.width() * inside.height() * 7) << "the menu's face is not black";
    EXPECT_FALSE(look::InkBounds(face, inside, look::IsLilacInk).isEmpty()) << "no words show";

    desktop.Key("a"); // &About Pelto5...
    const QString about = desktop.NewWindow({desktop.Window(), menu});
    ASSERT_FALSE(about.isEmpty()) << "no about box";
    const QImage shot = desktop.SteadyScreenshot(about);
    look::ExpectAboutBoxWhole(shot);
    // The keys' lines under the version line, whole within their four rows.
    const QRect keyLines(60, 36, 282, 52);
    const QRect keysInk = look::InkBounds(
        shot, QRect(50, 34, shot.width() - 50, shot.height() - 34), look::IsLilacInk);
    EXPECT_FALSE(keysInk.isEmpty()) << "the keys are not named";
    EXPECT_TRUE(keyLines.contains(keysInk)) << "the keys' lines leave their rows";
    EXPECT_FALSE(desktop.Property(about, "_NET_WM_NAME").contains(kTitleSeparator));
    Keep(shot, "about-box.png");
}

TEST_F(TextFit, NameReadoutShowsTheLongestNameWhole) {
    desktop.ClickAt(100, 480); // VLWeapon22, waiting in the tray
    desktop.MoveTo(300, 200);
    const QImage shot = desktop.SteadyScreenshot(desktop.Window());
    look::ExpectNameWhole(shot.copy(look::kNameReadout), "VLWEAPON22");
}

} // namespace
