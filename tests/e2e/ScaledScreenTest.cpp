// On a scaled screen (QT_SCALE_FACTOR 2 and 1.5) the editor stays exact to
// the device pixel: a pointer anywhere over the device pixels of one client
// pixel means that pixel, and the pictures show each picture pixel in the
// device pixels a pointer over them means, unblended.
#include "Desktop.h"

#include "SavedShip.h"

#include <QImage>

#include <cmath>
#include <map>
#include <vector>

using namespace pelto5;

namespace {

class ScaledScreen : public DisplayTest, public ::testing::WithParamInterface<double> {
protected:
    // Room for the window at twice its size.
    ScaledScreen() : DisplayTest({"Xvfb", "xdotool", "dbus-daemon"}, QSize(2560, 1600)) {}

    void Start() {
        ASSERT_TRUE(bus.Ready());
        QProcessEnvironment env = bus.Environment();
        env.insert("QT_SCALE_FACTOR", QString::number(Scale()));
        original = FileBytes(dir.filePath("Corvette.gf"));
        StartEditor({dir.filePath("Corvette.gf")}, env);
    }
    double Scale() const { return GetParam(); }
    // The device pixels that lie in client pixel c: those of [c * s, (c + 1) * s).
    std::vector<int> DevicePixelsOf(int c) const {
        std::vector<int> pixels;
        for (int d = static_cast<int>(c * Scale()) - 1; d <= (c + 1) * Scale(); ++d)
            if (d >= c * Scale() && d < (c + 1) * Scale())
                pixels.push_back(d);
        return pixels;
    }
    // The client pixel device pixel d lies in.
    int ClientPixelOf(int d) const { return static_cast<int>(std::floor(d / Scale())); }
    // A device pixel well inside client pixel (x, y).
    void ClickInside(int x, int y) {
        desktop.ClickAt(static_cast<int>((x + 0.5) * Scale()),
                        static_cast<int>((y + 0.5) * Scale()));
    }

    PrivateSessionBus bus;
    std::string original;
};

} // namespace

TEST_P(ScaledScreen, DropsAnywhereInOneClientPixelSaveTheSamePoint) {
    Start();
    // VLPower1, VLPower2, VLPower3 and VLBridge1, each dropped on another
    // device pixel of client pixel (124, 74): each saves at VL (101, 50).
    const std::vector<int> xs = DevicePixelsOf(124), ys = DevicePixelsOf(74);
    ASSERT_EQ(xs.size() * ys.size(), 4u);
    std::map<int, Rect> moved;
    int marker = 0;
    for (int dy : ys)
        for (int dx : xs) {
            const Rect at = LoadedMarkerRect(original, marker);
            ClickInside(at.left + 5, at.top + 5);
            desktop.MoveTo(dx, dy);
            desktop.ClickAt(dx, dy);
            moved[marker] = {124, 74, 124 + at.Width(), 74 + at.Height()};
            ++marker;
        }
    EXPECT_EQ(Save(), SavedShip(original, moved));
}

TEST_P(ScaledScreen, APictureShowsEachOfItsPixelsWholeAndUnblended) {
    const QRgb ground = qRgb(40, 48, 72), dot = qRgb(250, 60, 40);
    QImage vl(600, 360, QImage::Format_RGB32);
    vl.fill(ground);
    vl.setPixel(150, 100, dot); // client pixel (173, 124)
    ASSERT_TRUE(vl.save(dir.filePath("CorvetteVL.bmp"), "BMP"));
    Start();
    desktop.MoveTo(10, 10); // the pointer away from the picture
    const QImage shot = desktop.SteadyScreenshot(desktop.Window());
    int dotPixels = 0;
    for (int dy = static_cast<int>(120 * Scale()); dy < 129 * Scale(); ++dy)
        for (int dx = static_cast<int>(169 * Scale()); dx < 178 * Scale(); ++dx) {
            const bool onDot = ClientPixelOf(dx) == 173 && ClientPixelOf(dy) == 124;
            dotPixels += onDot;
            ASSERT_EQ(shot.pixel(dx, dy), onDot ? dot : ground) << dx << "," << dy;
        }
    EXPECT_EQ(dotPixels, DevicePixelsOf(173).size() * DevicePixelsOf(124).size());
}

INSTANTIATE_TEST_SUITE_P(AtTwoAndOneAndAHalf, ScaledScreen, ::testing::Values(2.0, 1.5));
