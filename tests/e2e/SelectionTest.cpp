// Selecting several markers and moving them together, by the keys and
// clicks a person uses: Ctrl+click, Ctrl+A, Ctrl+Shift+A, the arrows, a
// carry and G's typed offset; every save is checked byte for byte against
// what the reader and writer give for the layout on screen. And how a
// selection looks, on the markers and in the magnifier.
#include "Desktop.h"

#include "HardpointTable.h"
#include "PictureLayout.h"
#include "SavedShip.h"

#include "../ui/DialogLook.h"
#include "../ui/SelectionLook.h"

#include <QDir>
#include <QFontMetrics>
#include <QSet>

#include <map>

using namespace pelto5;

namespace {

using Moved = std::map<int, Rect>;

// Marker i's client rectangle with its point at file (x, y).
Rect AtFile(int i, int x, int y) {
    const Point p = PictureOf(i).FileToClient({x, y});
    const Rect& tray = TrayRects()[i];
    return {p.x, p.y, p.x + tray.Width(), p.y + tray.Height()};
}

// Every marker that ship places on its picture, among [first, end), moved by (dx, dy).
Moved PlacedMovedBy(const std::string& ship, int first, int end, int dx, int dy) {
    RectMarkerSurface surface;
    ShipModel model(surface, RealFileSystem());
    model.ReadShipText(ship);
    Moved moved;
    for (int i = first; i < end; ++i)
        if (model.RelativeMarkerRect(i, kRelativeToPicture).top < kOnPictureLimit) {
            const Rect rc = surface.MarkerRect(i);
            moved[i] = {rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy};
        }
    return moved;
}

class Selecting : public DisplayTest {
protected:
    // The sample ship, with its lines for VLPower1 and VLBridge1 replaced, opened at start.
    void Open(const QByteArray& power = "VLPower1=200,180",
              const QByteArray& bridge = "VLBridge1=432,166") {
        QByteArray ship = QByteArray::fromStdString(FileBytes(dir.filePath("Corvette.gf")));
        ship.replace("VLPower1=200,180", power).replace("VLBridge1=432,166", bridge);
        QFile file(dir.filePath("Corvette.gf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(ship);
        file.close();
        original = ship.toStdString();
        StartEditor({dir.filePath("Corvette.gf")});
    }
    // Ctrl+A with the pointer at (x, y).
    void SelectAllAt(int x, int y) {
        desktop.MoveTo(x, y);
        desktop.Key("ctrl+a");
    }

    std::string original;
};

} // namespace

TEST_F(Selecting, SelectedMarkersNudgeAndCarryTogetherAsOneStep) {
    Open("VLPower1=100,100", "VLBridge1=250,40");
    desktop.CtrlClickAt(128, 130); // VLPower1, at client (123, 124)
    desktop.CtrlClickAt(278, 70);  // VLBridge1, at client (273, 64)
    for (const char* key : {"Right", "Right", "Right", "Right", "shift+Down"})
        desktop.Key(key);
    std::string saved = Save();
    EXPECT_EQ(saved, SavedShip(original, {{0, AtFile(0, 104, 108)}, {3, AtFile(3, 254, 48)}}));
    EXPECT_NE(saved.find("VLPower1=104,108\r\nVLPower2="), std::string::npos);
    EXPECT_NE(saved.find("VLBridge1=254,48\r\n"), std::string::npos);
    desktop.Key("ctrl+z"); // the whole run, both markers
    EXPECT_EQ(Save(), SavedShip(original));

    desktop.ClickAt(128, 130); // VLPower1, selected: both are carried
    desktop.MoveTo(133, 134);
    desktop.ClickAt(133, 134);
    const Moved carried{{0, AtFile(0, 110, 110)}, {3, AtFile(3, 260, 50)}};
    EXPECT_EQ(Save(), SavedShip(original, carried));

    desktop.ClickAt(140, 145); // VLPower1 again, carried with VLBridge1...
    desktop.MoveTo(300, 300);
    desktop.Key("ctrl+z");     // ...and both put back where they were picked up
    desktop.ClickAt(300, 300); // a press on the window: nothing carried, nothing dropped
    EXPECT_EQ(Save(), SavedShip(original, carried));
    desktop.Key("ctrl+z"); // the carry, one step
    EXPECT_EQ(Save(), SavedShip(original));
}

// G with a selection types an offset: every selected marker moves by it, as
// one step, and no other marker moves.
TEST_F(Selecting, GMovesTheSelectionByATypedOffset) {
    Open("VLPower1=100,100", "VLBridge1=250,40");
    SelectAllAt(300, 200); // over the VL picture
    const QStringList main = desktop.Windows();
    desktop.Key("g");
    const QString popup = desktop.WaitForNewWindow(main);
    ASSERT_FALSE(popup.isEmpty()) << "G showed no popup";
    // Its hint, the popup's last line of text, shows whole within its edge.
    const QImage shot = desktop.SteadyScreenshot(popup);
    const QFontMetrics metrics(DialogFont());
    const QRect hint =
        look::InkBounds(shot, shot.rect().adjusted(2, shot.height() - 3 - metrics.height(), -2, -2),
                        look::IsLilacInk);
    EXPECT_NEAR(hint.width(), metrics.horizontalAdvance("Move the selection by dx, dy"), 3);
    desktop.Type("-4,2"); // over the selected "0, 0"
    desktop.Key("Return");
    ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
    const std::string saved = Save();
    EXPECT_EQ(saved, SavedShip(original, PlacedMovedBy(original, 0, kFirstTiIndex, -4, 2)));
    EXPECT_NE(saved.find("VLPower1=96,102\r\n"), std::string::npos);
    EXPECT_NE(saved.find("VLBridge1=246,42\r\n"), std::string::npos);
    desktop.Key("ctrl+z"); // the offset, one step
    EXPECT_EQ(Save(), SavedShip(original));
}

// Ctrl+A takes the markers on the picture under the pointer (over neither
// picture, on both); Ctrl+Shift+A, a click on a marker outside the
// selection, RESET, OPEN and a marker found with Ctrl+F empty it.
TEST_F(Selecting, CtrlASelectsByPictureAndTheSelectionEmpties) {
    Open();
    SelectAllAt(300, 200); // over the VL picture
    desktop.Key("shift+Right");
    Moved vl = PlacedMovedBy(original, 0, kFirstTiIndex, 8, 0);
    ASSERT_EQ(vl.size(), 30u);
    EXPECT_EQ(Save(), SavedShip(original, vl));
    SelectAllAt(700, 60); // over the TI picture
    desktop.Key("Up");
    Moved both = vl;
    for (const auto& [i, rc] : PlacedMovedBy(original, kFirstTiIndex, kHardpointCount, 0, -1))
        both[i] = rc;
    EXPECT_EQ(Save(), SavedShip(original, both));
    desktop.Key("ctrl+z");
    SelectAllAt(300, 450); // over the tray: every marker on either picture
    desktop.Key("Left");
    both = PlacedMovedBy(original, 0, kHardpointCount, -1, 0);
    for (const auto& [i, rc] : vl)
        both[i] = {rc.left - 1, rc.top, rc.right - 1, rc.bottom};
    EXPECT_EQ(Save(), SavedShip(original, both));

    desktop.Key("ctrl+shift+a");
    desktop.Key("Right"); // nothing selected or picked up: nothing moves
    EXPECT_EQ(Save(), SavedShip(original, both));
    desktop.ClickAt(699, 334); // RESET: the ship as loaded
    SelectAllAt(300, 200);
    desktop.ClickAt(699, 334); // RESET empties the selection...
    desktop.Key("Right");      // ...so this moves nothing
    EXPECT_EQ(Save(), SavedShip(original));

    SelectAllAt(300, 200);
    desktop.ClickAt(100, 480); // VLWeapon22, outside the selection: carried alone
    desktop.ClickAt(305, 203);
    desktop.Key("Right");
    Moved alone{{30, {306, 203, 348, 235}}};
    EXPECT_EQ(Save(), SavedShip(original, alone));

    SelectAllAt(300, 200);
    const QStringList main = desktop.Windows();
    desktop.Key("ctrl+f");
    ASSERT_FALSE(desktop.WaitForNewWindow(main).isEmpty()) << "Ctrl+F showed no popup";
    desktop.Type("VLPower1");
    desktop.Key("Return"); // VLPower1 picked up alone, and no selection left
    ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
    desktop.ClickAt(223, 104);
    desktop.Key("Down");
    alone[0] = AtFile(0, 200, 81);
    EXPECT_EQ(Save(), SavedShip(original, alone));

    SelectAllAt(300, 200);
    desktop.Key("ctrl+o");
    ASSERT_FALSE(desktop.WaitForNewWindow(main).isEmpty()) << "Ctrl+O showed no file dialog";
    desktop.Type(dir.filePath("Corvette.gf"));
    desktop.Key("Return");
    ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
    desktop.FocusEditor();
    desktop.Key("Right"); // the ship opened anew: nothing selected or picked up
    const std::string reopened = FileBytes(dir.filePath("Corvette.gf"));
    EXPECT_EQ(Save(), SavedShip(reopened));
}

// Selected markers show the selection cue, and nothing else of the window
// changes but the name read-out.
TEST_F(Selecting, SelectedMarkersShowTheCue) {
    Open();
    desktop.MoveTo(400, 395); // on the frame below the VL picture
    const QImage before = desktop.SteadyScreenshot(desktop.Window());
    RectMarkerSurface surface;
    ShipModel model(surface, RealFileSystem());
    model.ReadShipText(original);
    QRegion markers;
    const std::vector<int> chosen{9, 10, 11, 12, 31, 41}; // VLWeapon1...4, Warp, Weapon8
    for (int i : chosen) {
        const Rect rc = surface.MarkerRect(i);
        markers += QRect(rc.left, rc.top, rc.Width(), rc.Height());
        desktop.CtrlClickAt(rc.left + rc.Width() / 2, rc.top + rc.Height() / 2);
    }
    desktop.MoveTo(400, 395);
    const QImage after = desktop.SteadyScreenshot(desktop.Window());
    ASSERT_EQ(before.size(), after.size());
    for (int i : chosen) {
        const Rect rc = surface.MarkerRect(i);
        const QRect marker(rc.left, rc.top, rc.Width(), rc.Height());
        look::ExpectSelectionCue(before.copy(marker), after.copy(marker), HardpointNames()[i]);
    }
    const QRect nameReadout(672, 471, 56, 23);
    int changedElsewhere = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            changedElsewhere += !markers.contains(QPoint(x, y)) && !nameReadout.contains(x, y) &&
                                before.pixel(x, y) != after.pixel(x, y);
    EXPECT_EQ(changedElsewhere, 0);
    const QString docs = qEnvironmentVariable("PELTO5_SCREENSHOT_DIR");
    if (!docs.isEmpty()) {
        EXPECT_TRUE(after.save(QDir(docs).filePath("selection.png")));
    }
}

// The magnifier outlines a selected marker white round black, as its cue,
// and in lilac again once the selection is emptied.
TEST_F(Selecting, TheMagnifierOutlinesSelectedMarkers) {
    Open();
    const int weapon12 = 20;
    const Rect rc = LoadedMarkerRect(original, weapon12); // no other marker near it
    desktop.CtrlClickAt(rc.left + 20, rc.top + 16);
    desktop.MoveTo(rc.left + 3, rc.top + 3);
    const QStringList main = desktop.Windows();
    desktop.Key("l");
    const QString magnifier = desktop.WaitForNewWindow(main);
    ASSERT_FALSE(magnifier.isEmpty()) << "L showed no magnifier";
    // The pointer's pixel at the view's centre, cell 12 of 25, each cell 9
    // pixels after the 3-pixel margin: the marker's top edge runs along the
    // grid line of cell 9, on to the view's right edge.
    const int edge = 3 + 9 * 9, end = 3 + 25 * 9;
    auto topEdge = [&](const QImage& shot, int y, int from) {
        QSet<QRgb> colours;
        for (int x = from; x <= end; ++x)
            colours.insert(shot.pixel(x, y) & 0xFFFFFF);
        return colours;
    };
    QImage shot = desktop.SteadyScreenshot(magnifier);
    EXPECT_EQ(topEdge(shot, edge, edge), QSet<QRgb>{0xFFFFFF});
    EXPECT_EQ(topEdge(shot, edge + 1, edge + 1), QSet<QRgb>{0x000000});
    desktop.Key("ctrl+shift+a");
    shot = desktop.SteadyScreenshot(magnifier);
    EXPECT_EQ(topEdge(shot, edge, edge), QSet<QRgb>{0xC6B5EF}); // lilac
}
