// Every control is legible in the real X server: each name whole in the name
// read-out, the accessible names and descriptions a screen reader hears
// through the desktop's accessibility bus, and the focus outline that only
// keyboard users see.
#include "Desktop.h"

#include "../ui/DialogLook.h"
#include "HardpointTable.h"
#include "PictureLayout.h"
#include "Resources.h"
#include "ShipText.h"

#include <QPainter>
#include <QRegularExpression>

#include <algorithm>

using namespace pelto5;

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");
const QString kTreeScript = QStringLiteral(PELTO5_SOURCE_DIR "/tests/e2e/accessible_tree.py");

// The centre of marker i's place in the tray, where it waits at start.
QPoint InTray(int i) {
    const Rect& rc = TrayRects()[i];
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

QString UpperName(int i) {
    return QString::fromStdString(ToUpperCopy(HardpointNames()[i]));
}

class Legibility : public DisplayTest {
protected:
    Legibility() : DisplayTest({"Xvfb", "xdotool"}) {}
    void SetUp() override {
        DisplayTest::SetUp();
        if (SetUpStopped())
            return;
        StartEditor();
        desktop.Xdo({"windowfocus", "--sync", desktop.Window()});
    }

    // The name read-out while marker i is carried; then Ctrl+Z puts the
    // marker back in the tray.
    QImage ReadoutCarrying(int i) {
        desktop.ClickAt(InTray(i).x(), InTray(i).y());
        desktop.MoveTo(300, 200);
        const QImage shot = desktop.SteadyScreenshot(desktop.Window());
        desktop.Key("ctrl+z");
        return shot.copy(look::kNameReadout);
    }
};

TEST_F(Legibility, NamesThatDifferAtOneEndShowWholeAndApart) {
    const std::pair<int, int> pairs[] = {
        {20, 21}, // VLWeapon12, VLWeapon13
        {9, 18},  // VLWeapon1, VLWeapon10
        {20, 45}, // VLWeapon12, Weapon12
    };
    for (const auto& [a, b] : pairs) {
        const QImage first = ReadoutCarrying(a);
        const QImage second = ReadoutCarrying(b);
        look::ExpectNameWhole(first, UpperName(a));
        look::ExpectNameWhole(second, UpperName(b));
        EXPECT_NE(first, second) << qPrintable(UpperName(a)) << " reads as "
                                 << qPrintable(UpperName(b));
    }
}

// With PELTO5_SCREENSHOT_DIR set (to docs/), every name is carried in turn and
// the read-out's pictures are kept as one sheet, each checked whole.
TEST_F(Legibility, SheetOfEveryName) {
    const QString dir = qEnvironmentVariable("PELTO5_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "PELTO5_SCREENSHOT_DIR names no folder for the sheet";
    constexpr int kColumns = 4;
    const QSize cell(look::kNameReadout.width() + 8, look::kNameReadout.height() + 8);
    QImage sheet(cell.width() * kColumns, cell.height() * ((kHardpointCount + 3) / kColumns),
                 QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter painter(&sheet);
    for (int i = 0; i < kHardpointCount; ++i) {
        const QImage readout = ReadoutCarrying(i);
        look::ExpectNameWhole(readout, UpperName(i));
        painter.drawImage((i % kColumns) * cell.width() + 4, (i / kColumns) * cell.height() + 4,
                          readout);
    }
    painter.end();
    EXPECT_TRUE(sheet.save(QDir(dir).filePath("name-readout-sheet.png")));
}

// How a button shows against its face image: the pixels that differ, and of
// them those that are lilac and on the button's own edge.
struct Outline {
    int changed = 0;
    int lilacOnEdge = 0;
};
Outline OutlineOf(const QImage& shot, const QRect& button, int faceId) {
    const QImage face = ResourceBitmap(faceId).convertToFormat(QImage::Format_RGB32);
    Outline outline;
    for (int y = 0; y < button.height(); ++y)
        for (int x = 0; x < button.width(); ++x) {
            const QRgb shown = shot.pixel(button.x() + x, button.y() + y);
            if ((shown & 0xFFFFFF) == (face.pixel(x, y) & 0xFFFFFF))
                continue;
            ++outline.changed;
            const bool edge =
                x == 0 || y == 0 || x == button.width() - 1 || y == button.height() - 1;
            outline.lilacOnEdge += edge && shown == qRgb(198, 181, 239);
        }
    return outline;
}

TEST_F(Legibility, TabShowsTheFocusOutlineUntilAClick) {
    const QRect save(730, 260, 64, 29), exit(730, 290, 64, 29);
    // SAVE has the focus from the start, and shows its face alone.
    EXPECT_EQ(OutlineOf(desktop.SteadyScreenshot(desktop.Window()), save, 277).changed, 0);

    desktop.Key("Tab"); // down the column, to EXIT
    Outline shown = OutlineOf(desktop.SteadyScreenshot(desktop.Window()), exit, 281);
    EXPECT_GT(shown.changed, 40) << "no outline on EXIT";
    EXPECT_EQ(shown.lilacOnEdge, shown.changed) << "the outline is not a lilac edge";

    desktop.ClickAt(300, 200); // the mouse is used: the cues go
    EXPECT_EQ(OutlineOf(desktop.SteadyScreenshot(desktop.Window()), exit, 281).changed, 0);

    desktop.Key("shift+Tab"); // back up to SAVE
    shown = OutlineOf(desktop.SteadyScreenshot(desktop.Window()), save, 277);
    EXPECT_GT(shown.changed, 40) << "no outline on SAVE";
    EXPECT_EQ(shown.lilacOnEdge, shown.changed);
    EXPECT_EQ(OutlineOf(desktop.SteadyScreenshot(desktop.Window()), exit, 281).changed, 0);
}

// A private session bus: the editor and the screen reader's side meet on the
// accessibility bus it starts.
class Accessibility : public DisplayTest {
protected:
    Accessibility() : DisplayTest({"Xvfb", "xdotool", "dbus-daemon", "/usr/bin/python3"}) {}
    void SetUp() override {
        DisplayTest::SetUp();
        if (SetUpStopped())
            return;
        if (QProcess::execute(kPython, {"-c", "import pyatspi"}) != 0)
            GTEST_SKIP() << "python3-pyatspi is needed (tools/setup.sh installs it)";
        m_bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address"});
        ASSERT_TRUE(m_bus.waitForReadyRead(10000));
        m_env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromUtf8(m_bus.readLine()).trimmed());
        m_env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        StartEditor({}, m_env);
    }
    void TearDown() override {
        if (desktop.Editor().state() != QProcess::NotRunning) {
            desktop.Editor().kill();
            desktop.Editor().waitForFinished(5000);
        }
        m_bus.terminate();
        m_bus.waitForFinished(5000);
    }

    // Starts the script in mode on the editor, with the session's bus.
    void Run(QProcess& script, const QString& mode, const QStringList& more = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(m_env);
        script.setProcessEnvironment(env);
        script.start(kPython,
                     QStringList{kTreeScript, mode, QString::number(desktop.Editor().processId())} +
                         more);
    }
    // Every visible accessible object: role, name and description.
    QList<QStringList> Tree() {
        QProcess script;
        Run(script, "tree");
        EXPECT_TRUE(script.waitForFinished(60000));
        EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
        QList<QStringList> nodes;
        for (const QString& line : QString::fromUtf8(script.readAllStandardOutput()).split('\n'))
            if (!line.isEmpty())
                nodes << line.split('\t');
        return nodes;
    }

    QProcess m_bus;
    QProcessEnvironment m_env;
};

TEST_F(Accessibility, ScreenReaderHearsEveryNameOnceAndAMarkersNewPlace) {
    QStringList buttons, described;
    QMap<QString, QString> descriptions;
    int unnamed = 0;
    for (const QStringList& node : Tree()) {
        ASSERT_EQ(node.size(), 3);
        unnamed += node[1].isEmpty();
        if (node[0] == "push button")
            buttons << node[1];
        descriptions[node[1]] = node[2];
    }
    EXPECT_EQ(unnamed, 0) << "controls without a name";
    QStringList expected = {"SAVE", "COPY", "EXIT", "CLEAR", "OPEN", "RESET", "STICKY OFF", "DATA"};
    for (int i = 0; i < kHardpointCount; ++i)
        expected << QString::fromStdString(HardpointNames()[i]);
    buttons.sort();
    expected.sort();
    EXPECT_EQ(buttons, expected) << "the push buttons, each named once";
    for (const char* readout :
         {"Pointer x in the window", "Pointer y in the window", "Pointer x on the picture",
          "Pointer y on the picture", "Hardpoint name", "VL picture", "TI picture"})
        EXPECT_TRUE(descriptions.contains(readout)) << readout;
    EXPECT_EQ(descriptions.value("VLWeapon12"), "in the tray");

    // A drop changes the marker's description, and the change is announced.
    QProcess listener;
    Run(listener, "listen", {"30"});
    ASSERT_TRUE(listener.waitForReadyRead(30000));
    ASSERT_EQ(listener.readLine().trimmed(), "ready");
    // The listener may start hearing a moment after it says so: each attempt
    // drops the marker somewhere new, until one is heard.
    QString heard;
    QStringList said;
    QPoint at = InTray(20);
    for (int attempt = 0; attempt < 5 && !heard.contains("VLWeapon12\t"); ++attempt) {
        const QPoint to(200 + 10 * attempt, 150);
        desktop.ClickAt(at.x(), at.y());
        desktop.MoveTo(to.x(), to.y());
        desktop.ClickAt(to.x(), to.y());
        at = to + QPoint(10, 10);
        said << QStringLiteral("VLWeapon12\ton the VL picture at %1, %2")
                    .arg(to.x() - kVlPicture.Origin().x)
                    .arg(to.y() - kVlPicture.Origin().y);
        Desktop::WaitUntil(
            [&] {
                listener.waitForReadyRead(100); // the pipe is read only while waiting
                heard += QString::fromUtf8(listener.readAll());
                return heard.contains("VLWeapon12\t");
            },
            3000);
    }
    listener.kill();
    listener.waitForFinished(5000);
    EXPECT_TRUE(std::any_of(said.begin(), said.end(), [&](const QString& line) {
        return heard.contains(line);
    })) << heard.toStdString();
    const QString now = said.last().section('\t', 1);
    EXPECT_TRUE(Tree().contains({"push button", "VLWeapon12", now})) << now.toStdString();
}

} // namespace
