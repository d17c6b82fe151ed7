// The editor as the desktop meets it: the window a task bar groups under the
// desktop entry, and the loaded ship the README and AppStream screenshot show.
#include "Desktop.h"

#include <QRegularExpression>

namespace {

class DesktopPresence : public DisplayTest {
protected:
    DesktopPresence() : DisplayTest({"Xvfb", "xdotool", "xprop"}) {}
    void SetUp() override {
        DisplayTest::SetUp();
        if (!SetUpStopped())
            StartEditor({dir.filePath("Corvette.gf")});
    }
};

// A key's value in the desktop entry as it is installed.
QString DesktopEntryKey(const QString& key) {
    const QString entry = QString::fromStdString(
        FileBytes(QStringLiteral(PELTO5_SOURCE_DIR "/dist/linux/pelto5.desktop.in")));
    return QRegularExpression(QStringLiteral("^%1=(.*)$").arg(key),
                              QRegularExpression::MultilineOption)
        .match(entry)
        .captured(1);
}

} // namespace

TEST_F(DesktopPresence, WindowClassIsTheDesktopEntrysStartupClass) {
    // WM_CLASS holds the instance name, then the class a task bar matches
    // against StartupWMClass.
    const auto classes = QRegularExpression("^\"([^\"]*)\", \"([^\"]*)\"$")
                             .match(desktop.Property(desktop.Window(), "WM_CLASS"));
    ASSERT_TRUE(classes.hasMatch()) << desktop.Property(desktop.Window(), "WM_CLASS").toStdString();
    EXPECT_EQ(classes.captured(1), "pelto5");
    EXPECT_FALSE(DesktopEntryKey("StartupWMClass").isEmpty());
    EXPECT_EQ(classes.captured(2), DesktopEntryKey("StartupWMClass"));
}

TEST_F(DesktopPresence, ScreenshotShowsTheLoadedShip) {
    // The pointer rests on the frame below the VL picture, so that the
    // read-outs read the same in every run.
    desktop.MoveTo(400, 395);
    const QImage vl(dir.filePath("CorvetteVL.bmp"));
    const QImage ti(dir.filePath("CorvetteTI.bmp"));
    ASSERT_FALSE(vl.isNull() || ti.isNull());
    // How much of a picture the window shows at its place; the markers
    // standing on it cover the rest.
    auto shown = [](const QImage& shot, const QImage& picture, QPoint at) {
        int same = 0, all = 0;
        for (int y = 0; y < picture.height(); y += 4)
            for (int x = 0; x < picture.width(); x += 4, ++all)
                same += shot.valid(at + QPoint(x, y)) &&
                        shot.pixel(at + QPoint(x, y)) == picture.pixel(x, y);
        return same / double(all);
    };
    QImage shot;
    ASSERT_TRUE(Desktop::WaitUntil([&] {
        shot = desktop.Screenshot();
        return shown(shot, vl, {23, 24}) > 0.8 && shown(shot, ti, {645, 8}) > 0.6;
    })) << "VL "
        << shown(shot, vl, {23, 24}) << ", TI " << shown(shot, ti, {645, 8});
    // Markers stand on the pictures, not all in the tray: the VL field is not
    // the picture alone.
    EXPECT_LT(shown(shot, vl, {23, 24}), 1.0);
    const QString docs = qEnvironmentVariable("PELTO5_SCREENSHOT_DIR");
    if (!docs.isEmpty()) {
        EXPECT_TRUE(
            desktop.SteadyScreenshot(desktop.Window()).save(QDir(docs).filePath("screenshot.png")));
    }
}
