// Finding a marker by name (Ctrl+F) and dropping a carried marker mirrored
// (M, Shift+M), typed as a person types them; every save is checked byte for
// byte against what the reader and writer give for the layout on screen.
#include "Desktop.h"

#include "SavedShip.h"

#include <QImage>

#include <map>

using namespace pelto5;

namespace {

class FindAndMirror : public DisplayTest {
protected:
    // The ship opened at start; with a TI picture of 140 x 150 pixels when asked.
    void Open(bool smallTiPicture) {
        if (smallTiPicture) {
            QImage ti(140, 150, QImage::Format_RGB32);
            ti.fill(qRgb(40, 48, 72));
            ASSERT_TRUE(ti.save(dir.filePath("CorvetteTI.bmp"), "BMP"));
        }
        original = FileBytes(dir.filePath("Corvette.gf"));
        StartEditor({dir.filePath("Corvette.gf")});
        desktop.Settle();
        main = desktop.Windows();
    }
    // Ctrl+F; the popup's window, once it shows.
    QString Find() {
        desktop.Key("ctrl+f");
        return desktop.WaitForNewWindow(main);
    }
    bool PopupGone() {
        return desktop.WaitUntil([&] { return desktop.Windows() == main; });
    }

    std::string original;
    QStringList main;
};

} // namespace

TEST_F(FindAndMirror, CtrlFPicksAMarkerUpByNameAndEscChangesNothing) {
    Open(false);
    desktop.ClickAt(100, 480); // VLWeapon22 from the tray, carried
    desktop.MoveTo(305, 203);
    const QString popup = Find(); // drops VLWeapon22 where it is first
    ASSERT_FALSE(popup.isEmpty()) << "Ctrl+F showed no popup";
    const QRect shown = desktop.ScreenRect(popup);
    EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(shown)) << "the popup leaves the screen";
    EXPECT_GT(shown.height(), 100);
    // A lilac edge round a black face with lilac words: the application's colours.
    const QImage face = desktop.SteadyScreenshot(popup);
    const QRgb lilac = qRgb(198, 181, 239);
    ASSERT_GT(face.width(), 20);
    EXPECT_EQ(face.pixel(0, 0), lilac);
    EXPECT_EQ(face.pixel(face.width() - 1, face.height() - 1), lilac);
    int lilacInk = 0;
    for (int y = 2; y < face.height() - 2; ++y)
        for (int x = 2; x < face.width() - 2; ++x)
            lilacInk += face.pixel(x, y) == lilac;
    EXPECT_GT(lilacInk, 100) << "the popup shows no names";

    desktop.Type("THRUST");
    desktop.Key("Return");
    ASSERT_TRUE(PopupGone());
    desktop.ClickAt(701, 101); // Thruster, carried since the popup closed, drops here
    EXPECT_EQ(Save(),
              SavedShip(original, {{30, {305, 203, 347, 235}}, {33, {701, 101, 721, 117}}}));

    ASSERT_FALSE(Find().isEmpty());
    desktop.Type("warp");
    desktop.Key("Escape");
    ASSERT_TRUE(PopupGone());
    desktop.ClickAt(500, 150); // would drop Warp here, had Esc picked it up
    EXPECT_EQ(Save(),
              SavedShip(original, {{30, {305, 203, 347, 235}}, {33, {701, 101, 721, 117}}}));
}

TEST_F(FindAndMirror, MAndShiftMDropMirroredAsOneStep) {
    Open(true);
    desktop.ClickAt(705, 124); // Weapon5, carried
    desktop.Key("m");          // nothing placed yet: a beep, and Weapon5 stays carried
    desktop.ClickAt(701, 50);  // Weapon5 saved at (56,38)
    desktop.ClickAt(710, 145); // Weapon6
    desktop.Key("m");          // (56, 150 - 1 - 38)
    desktop.ClickAt(672, 92);  // Weapon7
    desktop.Key("shift+m");    // (140 - 1 - 56, 111)
    std::map<int, Rect> moved{
        {38, {701, 50, 721, 66}}, {39, {701, 123, 721, 139}}, {40, {728, 123, 748, 139}}};
    const std::string saved = Save();
    EXPECT_EQ(saved, SavedShip(original, moved));
    EXPECT_NE(saved.find("Weapon5=56,38\r\nWeapon6=56,111\r\nWeapon7=83,111\r\n"),
              std::string::npos);
    desktop.Key("ctrl+z"); // Weapon7's mirrored drop, one step
    moved.erase(40);
    EXPECT_EQ(Save(), SavedShip(original, moved));
}

// A name typed whole comes first in the find popup, before the names that
// only hold it: "weapon5" and Enter carry Weapon5, not VLWeapon5.
TEST_F(FindAndMirror, TheNameTypedWholeIsFoundFirst) {
    Open(false);
    desktop.MoveTo(500, 150);
    ASSERT_FALSE(Find().isEmpty());
    desktop.Type("weapon5");
    desktop.Key("Return");
    ASSERT_TRUE(PopupGone());
    desktop.ClickAt(701, 50); // Weapon5, carried, drops here
    EXPECT_EQ(Save(), SavedShip(original, {{38, {701, 50, 721, 66}}}));
}

// M mirrors the last placement on the carried marker's own picture: after
// VLPower2 at (100, 50) on a 560 x 340 VL picture and Weapon5 on the TI
// picture, VLPower3 mirrors to (100, 289), not onto the TI picture.
TEST_F(FindAndMirror, MMirrorsOnTheCarriedMarkersOwnPicture) {
    QImage vl(560, 340, QImage::Format_RGB32);
    vl.fill(qRgb(40, 48, 72));
    ASSERT_TRUE(vl.save(dir.filePath("CorvetteVL.bmp"), "BMP"));
    Open(false);
    desktop.ClickAt(288, 209); // VLPower2
    desktop.ClickAt(123, 74);  // dropped at VL (100, 50)
    desktop.ClickAt(705, 124); // Weapon5
    desktop.ClickAt(701, 50);  // dropped at TI (56, 38)
    desktop.ClickAt(348, 209); // VLPower3
    desktop.Key("m");
    const std::string saved = Save();
    EXPECT_EQ(saved, SavedShip(original, {{1, {123, 74, 155, 106}},
                                          {38, {701, 50, 721, 66}},
                                          {2, {123, 313, 155, 345}}}));
    EXPECT_NE(saved.find("VLPower3=100,289\r\n"), std::string::npos);
}
