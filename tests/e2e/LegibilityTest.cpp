// Every control is legible in the real X server: each name whole in the name
// read-out, the accessible names and descriptions a screen reader hears
// through the desktop's accessibility bus, and the focus outline that only
// keyboard users see.
#include "AccessibilityBus.h"

#include "../ui/DialogLook.h"
#include "FocusCue.h"
#include "HardpointTable.h"
#include "PictureLayout.h"
#include "Resources.h"
#include "ShipText.h"

#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

using namespace pelto5;

namespace {

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

// How a button shows against its face image: the pixels that differ, those
// of them on the button's own edge, and the least contrast (WCAG 2.2) any of
// them has with the face's pixel under it.
struct Outline {
    int changed = 0;
    int onEdge = 0;
    double leastContrast = 21;
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
            outline.onEdge +=
                x == 0 || y == 0 || x == button.width() - 1 || y == button.height() - 1;
            outline.leastContrast =
                std::min(outline.leastContrast, ContrastRatio(shown, face.pixel(x, y)));
        }
    return outline;
}

// A dotted outline along the button's edge, one pixel on and one off, each
// dot standing out from the face under it by 3:1 or more.
void ExpectFocusCue(const Outline& cue, const QRect& button, const char* face) {
    EXPECT_EQ(cue.changed, button.width() + button.height() - 2) << face << ": not one dot in two";
    EXPECT_EQ(cue.onEdge, cue.changed) << face << ": the outline leaves the button's edge";
    EXPECT_GE(cue.leastContrast, 3.0) << face;
    std::printf("Focus cue on the %s face: %.2f:1 at least\n", face, cue.leastContrast);
}

TEST_F(Legibility, TabShowsTheFocusOutlineUntilAClick) {
    const QRect save(730, 260, 64, 29), exit(730, 290, 64, 29);
    // SAVE has the focus from the start, and shows its face alone.
    EXPECT_EQ(OutlineOf(desktop.SteadyScreenshot(desktop.Window()), save, 277).changed, 0);

    desktop.Key("Tab"); // down the column, to EXIT
    ExpectFocusCue(OutlineOf(desktop.SteadyScreenshot(desktop.Window()), exit, 281), exit,
                   "black EXIT");

    desktop.ClickAt(300, 200); // the mouse is used: the cues go
    EXPECT_EQ(OutlineOf(desktop.SteadyScreenshot(desktop.Window()), exit, 281).changed, 0);

    desktop.Key("shift+Tab"); // back up to SAVE
    ExpectFocusCue(OutlineOf(desktop.SteadyScreenshot(desktop.Window()), save, 277), save,
                   "black SAVE");
    EXPECT_EQ(OutlineOf(desktop.SteadyScreenshot(desktop.Window()), exit, 281).changed, 0);
}

TEST_F(Legibility, FocusCueStandsOutOnEveryMarkerFace) {
    // Markers of each face colour, large and small, in the order Tab reaches them.
    const struct {
        int marker;
        const char* face;
    } markers[] = {{0, "olive"},        {3, "orange"},        {6, "lilac"},       {20, "red"},
                   {31, "small lilac"}, {34, "small orange"}, {45, "small olive"}};
    // From SAVE, five Tabs reach the first marker.
    int focused = -5;
    for (const auto& m : markers) {
        for (; focused < m.marker; ++focused)
            desktop.Key("Tab");
        const Rect& rc = TrayRects()[m.marker];
        const QRect marker(rc.left, rc.top, rc.Width(), rc.Height());
        ExpectFocusCue(OutlineOf(desktop.SteadyScreenshot(desktop.Window()), marker,
                                 kFirstMarkerImage + m.marker),
                       marker, m.face);
    }
}

class Accessibility : public EditorAccessibilityTest {};

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

    // A drop changes the marker's description, and the change is announced;
    // each attempt drops the marker somewhere new.
    QStringList said;
    QPoint at = InTray(20);
    const QString heard = Hear(
        {"listen", "30"},
        [&] {
            const QPoint to(200 + 10 * said.size(), 150);
            desktop.ClickAt(at.x(), at.y());
            desktop.MoveTo(to.x(), to.y());
            desktop.ClickAt(to.x(), to.y());
            at = to + QPoint(10, 10);
            said << QStringLiteral("VLWeapon12\ton the VL picture at %1, %2")
                        .arg(to.x() - kVlPicture.Origin().x)
                        .arg(to.y() - kVlPicture.Origin().y);
        },
        // A carried marker is heard as it goes; the drop's place comes last.
        [](const QString& heard) { return heard.contains("VLWeapon12\ton the"); });
    EXPECT_TRUE(std::any_of(said.begin(), said.end(), [&](const QString& line) {
        return heard.contains(line);
    })) << heard.toStdString();
    const QString now = said.last().section('\t', 1);
    EXPECT_TRUE(Tree().contains({"push button", "VLWeapon12", now})) << now.toStdString();
}

// Ctrl+click selects a marker: a screen reader hears it as selected, with
// how many are, and after the selection moved, how many moved together.
TEST_F(Accessibility, ScreenReaderHearsTheSelection) {
    for (int i : {20, 21}) // VLWeapon12, VLWeapon13
        desktop.CtrlClickAt(InTray(i).x(), InTray(i).y());
    QStringList selected = Selected();
    selected.sort();
    EXPECT_EQ(selected, (QStringList{"VLWeapon12", "VLWeapon13"}));
    EXPECT_TRUE(Tree().contains({"push button", "VLWeapon13", "in the tray, one of 2 selected"}));
    desktop.Key("Right");
    EXPECT_TRUE(Tree().contains(
        {"push button", "VLWeapon12", "in the tray, one of 2 selected, 2 moved together"}));
    desktop.Key("ctrl+shift+a");
    EXPECT_EQ(Selected(), QStringList());
}

} // namespace
