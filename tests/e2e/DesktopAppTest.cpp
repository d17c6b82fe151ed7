// The editor as a desktop starts it: a ship named on its command line, the
// short answers that need no display, and the window's place on the screen.
#include "Desktop.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStandardPaths>

#include <functional>

namespace {

struct Ended {
    int status; // -1: it did not end normally (a crash or an abort)
    QString out;
    QString err;
};

Ended RunToEnd(const QStringList& args, const QProcessEnvironment& env) {
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.start(QStringLiteral(PELTO5_EDITOR_PATH), args);
    editor.waitForFinished(30000);
    return {editor.exitStatus() == QProcess::NormalExit ? editor.exitCode() : -1,
            QString::fromLocal8Bit(editor.readAllStandardOutput()),
            QString::fromLocal8Bit(editor.readAllStandardError())};
}

QProcessEnvironment WithoutDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    return env;
}

// Window position and size as the X server has them.
QRect WindowRect(const Desktop& desktop) {
    const QString text = desktop.Geometry();
    const auto at = QRegularExpression("Position: (-?\\d+),(-?\\d+)").match(text);
    const auto size = QRegularExpression("Geometry: (\\d+)x(\\d+)").match(text);
    if (!at.hasMatch() || !size.hasMatch())
        return {};
    return {at.captured(1).toInt(), at.captured(2).toInt(), size.captured(1).toInt(),
            size.captured(2).toInt()};
}

// The editor's window once the display shows what is asked for (or the last
// screenshot, when it never does).
QImage ShotWhen(const Desktop& desktop, const std::function<bool(const QImage&)>& ready) {
    QElapsedTimer timer;
    timer.start();
    QImage shot = desktop.Screenshot();
    while (!ready(shot) && timer.elapsed() < 10000) {
        QThread::msleep(100);
        shot = desktop.Screenshot();
    }
    return shot;
}

// How much of the VL picture the window shows at its place (client 23, 24);
// markers standing on it cover the rest.
double VlPictureShown(const QImage& shot, const QImage& picture) {
    int same = 0;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4)
            same += shot.pixel(23 + x, 24 + y) == picture.pixel(x, y);
    return same / double(((picture.width() + 3) / 4) * ((picture.height() + 3) / 4));
}

class DesktopApp : public DisplayTest {
protected:
    // The window at rest: the pointer on the frame below the VL picture, so
    // that the read-outs read the same in every run.
    QImage RestingShot(const std::function<bool(const QImage&)>& ready) {
        desktop.MoveTo(400, 395);
        return ShotWhen(desktop, ready);
    }
};

} // namespace

TEST_F(DesktopApp, ShipOnTheCommandLineOpensAsWithOpen) {
    const QImage picture(dir.filePath("CorvetteVL.bmp"));
    ASSERT_FALSE(picture.isNull());
    auto pictureShown = [&](const QImage& shot) { return VlPictureShown(shot, picture) > 0.8; };

    // Named as a file manager names it from the ship's folder.
    desktop.Editor().setWorkingDirectory(dir.path());
    ASSERT_TRUE(desktop.StartEditor({"Corvette.gf"}));
    EXPECT_EQ(WindowRect(desktop), QRect(235, 259, 809, 505)); // centred on 1280 x 1024
    const QImage opened = RestingShot(pictureShown);
    ASSERT_TRUE(pictureShown(opened));

    // The next OPEN starts in the ship's folder: a bare name finds the ship.
    const QStringList main = desktop.Windows();
    desktop.ClickAt(762, 334);
    ASSERT_FALSE(desktop.WaitForNewWindow(main).isEmpty()) << "no file dialog";
    desktop.Key("ctrl+a");
    desktop.Type("Corvette.gf");
    desktop.Key("Return");
    EXPECT_EQ(RestingShot([&](const QImage& shot) { return shot == opened; }), opened);
    desktop.Key("Escape");
    ASSERT_TRUE(desktop.Editor().waitForFinished(10000));

    // The same ship chosen with OPEN shows the same window, markers and all.
    ASSERT_TRUE(desktop.StartEditor());
    const QStringList started = desktop.Windows();
    desktop.ClickAt(762, 334);
    ASSERT_FALSE(desktop.WaitForNewWindow(started).isEmpty()) << "no file dialog";
    desktop.Type(dir.filePath("Corvette.gf"));
    desktop.Key("Return");
    EXPECT_EQ(RestingShot([&](const QImage& shot) { return shot == opened; }), opened);
}

TEST_F(DesktopApp, ANameThatDoesNotExistOpensANewShipAndSaysSoOnce) {
    desktop.Editor().setWorkingDirectory(dir.path());
    ASSERT_TRUE(desktop.StartEditor({"New.gf"}));
    // A new ship, as OPEN makes of a typed name: every marker in the tray, so
    // that a save writes the header alone.
    desktop.Key("ctrl+s");
    ASSERT_TRUE(desktop.WaitUntil([&] { return QFile::exists(dir.filePath("New.gf")); }));
    EXPECT_EQ(FileBytes(dir.filePath("New.gf")), "[HardPoints]\r\n");
    desktop.Key("Escape");
    ASSERT_TRUE(desktop.Editor().waitForFinished(10000));
    const QString said = QString::fromLocal8Bit(desktop.Editor().readAll());
    EXPECT_EQ(said.count("pelto5: New.gf: no such ship; the markers stay in the tray\n"), 1)
        << said.toStdString();
}

TEST_F(DesktopApp, TheLargestShipOpensInMemoryThatFollowsTheFile) {
    // 64 MiB of bare line ends: 67 million lines, each kept for the save.
    QFile ship(dir.filePath("Empty.gf"));
    ASSERT_TRUE(ship.open(QIODevice::WriteOnly));
    ASSERT_EQ(ship.write(QByteArray(64 << 20, '\n')), 64 << 20);
    ship.close();
    ASSERT_TRUE(desktop.StartEditor({ship.fileName()}));
    // The ship opens with the window's first turn of its event loop, before
    // the window answers anything.
    desktop.Key("shift");
    QFile status(QStringLiteral("/proc/%1/status").arg(desktop.Editor().processId()));
    ASSERT_TRUE(status.open(QIODevice::ReadOnly));
    const auto peak = QRegularExpression("VmHWM:\\s*(\\d+) kB").match(status.readAll());
    ASSERT_TRUE(peak.hasMatch());
    const long kib = peak.captured(1).toLong();
    EXPECT_GT(kib, 64 * 1024) << "the ship was not read";
    EXPECT_LE(kib, 320 * 1000) << "KiB at the peak"; // 320 MB
}

TEST(DesktopAppAnswers, HelpVersionBadOptionAndNoDisplay) {
    const Ended help = RunToEnd({"--help"}, WithoutDisplay());
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: pelto5 [FILE]\n")) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty());

    const Ended version = RunToEnd({"--version"}, WithoutDisplay());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "pelto5 1.0\n");

    const Ended bad = RunToEnd({"--bogus", "Ship.gf"}, WithoutDisplay());
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_EQ(bad.err.count('\n'), 1);
    EXPECT_TRUE(bad.err.contains("--bogus") && bad.err.contains("usage:")) << bad.err.toStdString();

    const Ended none = RunToEnd({}, WithoutDisplay());
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err,
              "pelto5: no X11 or Wayland display found; set DISPLAY or WAYLAND_DISPLAY\n");

    // A display that is named but not there: one line too, not Qt's abort.
    int n = 250;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
        ++n;
    QProcessEnvironment gone = WithoutDisplay();
    gone.insert("DISPLAY", QStringLiteral(":%1").arg(n));
    const Ended unreachable = RunToEnd({}, gone);
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_EQ(unreachable.err, QStringLiteral("pelto5: cannot open the display (DISPLAY=:%1); set "
                                              "DISPLAY or WAYLAND_DISPLAY to a running display\n")
                                   .arg(n));
}

TEST_F(DesktopApp, TwiceTheScaleKeepsTheCommandKeysOnTheScreen) {
    QProcessEnvironment scaled;
    scaled.insert("QT_SCALE_FACTOR", "2");
    ASSERT_TRUE(desktop.StartEditor({}, scaled));
    const QRect window = WindowRect(desktop);
    EXPECT_EQ(window.size(), QSize(1618, 1010));
    const QRect screen(0, 0, 1280, 1024);
    for (const QRect key : {QRect(730, 260, 64, 29), QRect(730, 290, 64, 29),
                            QRect(730, 320, 64, 29)}) { // SAVE, EXIT, OPEN
        const QRect shown(window.topLeft() + 2 * key.topLeft(), 2 * key.size());
        EXPECT_TRUE(screen.contains(shown)) << shown.x() << "," << shown.y();
    }
    EXPECT_NEAR(window.top(), (1024 - 1010) / 2, 1); // centred in height

    // A person clicks EXIT where the display shows it.
    desktop.ClickAt(2 * 762, 2 * 304);
    ASSERT_TRUE(desktop.Editor().waitForFinished(10000));
    EXPECT_EQ(desktop.Editor().exitCode(), 0);
}
