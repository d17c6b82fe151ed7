// Placing to the pixel, as a person does it: L's magnifier over a picture
// with a known dot, and G's typed coordinates, typed into the real editor.
#include "Desktop.h"

#include "SavedShip.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>

using namespace pelto5;

namespace {

constexpr QRgb kGround = qRgb(40, 48, 72), kDot = qRgb(250, 60, 40), kBeside = qRgb(60, 220, 90);
constexpr QRgb kOrange = qRgb(247, 189, 90), kLilac = qRgb(198, 181, 239);

class ExactPlacement : public DisplayTest {
protected:
    ExactPlacement() : DisplayTest({"Xvfb", "xdotool", "xprop", "dbus-daemon"}) {}

    void Start() {
        ASSERT_TRUE(bus.Ready());
        original = FileBytes(dir.filePath("Corvette.gf"));
        StartEditor({dir.filePath("Corvette.gf")}, bus.Environment());
        main = desktop.Windows();
    }
    // The window that a key opened.
    QString Opened(const QString& key) {
        desktop.Key(key);
        return desktop.WaitForNewWindow(main);
    }
    bool BackToTheWindowAlone() {
        return desktop.WaitUntil([&] { return desktop.Windows() == main; });
    }
    // Where a window stands on the screen and how large it is.
    QRect ScreenRect(const QString& window) const {
        const QString text = desktop.Xdo({"getwindowgeometry", window});
        const auto at = QRegularExpression(R"(Position: (-?\d+),(-?\d+))").match(text);
        const auto size = QRegularExpression(R"(Geometry: (\d+)x(\d+))").match(text);
        return QRect(at.captured(1).toInt(), at.captured(2).toInt(), size.captured(1).toInt(),
                     size.captured(2).toInt());
    }
    // With PELTO5_SCREENSHOT_DIR set (to docs/), keeps the picture there.
    static void Keep(const QImage& shot, const QString& name) {
        const QString folder = qEnvironmentVariable("PELTO5_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            EXPECT_TRUE(shot.save(QDir(folder).filePath(name)));
        }
    }

    PrivateSessionBus bus;
    std::string original;
    QStringList main;
};

// The smallest rectangle holding every pixel of colour, and whether all of
// it is that colour.
struct Block {
    QRect rect;
    bool uniform = true;
};
Block BlockOf(const QImage& shot, QRgb colour) {
    Block block;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) == colour)
                block.rect |= QRect(x, y, 1, 1);
    for (int y = block.rect.top(); y <= block.rect.bottom(); ++y)
        for (int x = block.rect.left(); x <= block.rect.right(); ++x)
            block.uniform = block.uniform && shot.pixel(x, y) == colour;
    return block;
}

int Count(const QImage& shot, QRgb colour) {
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            n += shot.pixel(x, y) == colour;
    return n;
}

} // namespace

// L shows the picture under the pointer, a one-pixel dot as a whole block of
// 8 x 8 or more with its right-hand neighbour beside it, beside the window
// and clear of the pictures; it follows the pointer; L again hides it.
TEST_F(ExactPlacement, TheMagnifierShowsEachPixelAsAWholeBlock) {
    QImage vl(600, 360, QImage::Format_RGB32);
    vl.fill(kGround);
    vl.setPixel(40, 340, kDot); // client (63, 364), clear of every marker
    vl.setPixel(41, 340, kBeside);
    ASSERT_TRUE(vl.save(dir.filePath("CorvetteVL.bmp"), "BMP"));
    Start();
    desktop.MoveTo(61, 364); // two pixels left of the dot
    const QString magnifier = Opened("l");
    ASSERT_FALSE(magnifier.isEmpty()) << "L showed no magnifier";
    EXPECT_EQ(desktop.Property(magnifier, "_NET_WM_NAME"), "\"Magnifier\"");
    const QRect shown = ScreenRect(magnifier), window = ScreenRect(desktop.Window());
    EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(shown)) << "the magnifier leaves the screen";
    for (const QRect& picture : {QRect(23, 24, 600, 360), QRect(645, 8, 151, 165)})
        EXPECT_FALSE(shown.intersects(picture.translated(window.topLeft())))
            << "the magnifier lies over a picture";

    QImage shot = desktop.SteadyScreenshot(magnifier);
    const Block dot = BlockOf(shot, kDot), beside = BlockOf(shot, kBeside);
    EXPECT_TRUE(dot.uniform && beside.uniform) << "a pixel's block is blended";
    EXPECT_GE(dot.rect.width(), 8);
    EXPECT_GE(dot.rect.height(), 8);
    EXPECT_EQ(beside.rect.size(), dot.rect.size());
    EXPECT_EQ(beside.rect.top(), dot.rect.top());
    EXPECT_EQ(beside.rect.left() - dot.rect.right(), 2)
        << "the neighbour is not beside the dot, one grid line between";

    desktop.MoveTo(62, 364); // one pixel on: the view follows
    shot = desktop.SteadyScreenshot(magnifier);
    EXPECT_EQ(BlockOf(shot, kDot).rect,
              dot.rect.translated(-(beside.rect.left() - dot.rect.left()), 0));

    desktop.Key("l");
    EXPECT_TRUE(BackToTheWindowAlone()) << "L again left the magnifier shown";
}

// Carrying a marker over the sample ship, the magnifier marks where its
// top-left would drop (orange) and outlines the markers in view (lilac).
TEST_F(ExactPlacement, TheMagnifierMarksTheCarriedMarkersDrop) {
    Start();
    desktop.ClickAt(288, 209); // VLPower2, carried
    desktop.MoveTo(333, 196);  // up and left of VLPower3's corner
    const QString magnifier = Opened("l");
    ASSERT_FALSE(magnifier.isEmpty()) << "L showed no magnifier";
    const QImage shot = desktop.SteadyScreenshot(magnifier);
    const QImage view = shot.copy(3, 3, 226, 226);
    EXPECT_GT(Count(view, kOrange), 200) << "the carried marker and its drop are not marked";
    EXPECT_GT(Count(view, kLilac), 80) << "VLPower3 is not outlined";
    Keep(shot, "magnifier.png");
}

// G types a marker's file point: Enter places it there as one drop; a line
// that names no point keeps the popup open and moves nothing; Esc closes it
// and a carry goes on.
TEST_F(ExactPlacement, GPlacesTheMarkerAtTypedFileCoordinates) {
    Start();
    desktop.ClickAt(705, 124); // Weapon5, carried
    QString popup = Opened("g");
    ASSERT_FALSE(popup.isEmpty()) << "G showed no popup";
    EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(ScreenRect(popup)));
    desktop.Type("56,38"); // over the selected "56, 108"
    desktop.Key("Return");
    ASSERT_TRUE(BackToTheWindowAlone());
    std::map<int, Rect> moved{{38, {701, 50, 721, 66}}};
    EXPECT_EQ(Save(), SavedShip(original, moved));

    popup = Opened("g"); // for Weapon5, picked up last
    ASSERT_FALSE(popup.isEmpty());
    for (const char* refused : {"56;x", "56, 99999999999"}) {
        desktop.Key("ctrl+a");
        desktop.Type(refused);
        desktop.Key("Return");
        EXPECT_TRUE(desktop.Windows().contains(popup)) << refused << " closed the popup";
    }
    desktop.Key("Escape");
    ASSERT_TRUE(BackToTheWindowAlone());
    EXPECT_EQ(Save(), SavedShip(original, moved));

    desktop.ClickAt(713, 144); // Weapon6, carried
    ASSERT_FALSE(Opened("g").isEmpty());
    desktop.Key("Escape");
    ASSERT_TRUE(BackToTheWindowAlone());
    desktop.ClickAt(730, 60); // the carry went on: this drops it
    moved[39] = {730, 60, 750, 76};
    EXPECT_EQ(Save(), SavedShip(original, moved));
}
