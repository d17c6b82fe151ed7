// Selected markers: the cue on every face, what screen readers are told, and
// the selection made and emptied through the window's own mouse and keys.
#include "EditorFixture.h"

#include "BitmapButton.h"
#include "CoordinatesDlg.h"
#include "HardpointTable.h"
#include "PictureLayout.h"
#include "ResourceIds.h"
#include "SelectionLook.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include <limits>

using namespace pelto5;

namespace {

class Selection : public SmallShipTest {
protected:
    BitmapButton* Marker(int i) const { return Button(kFirstMarkerId + i); }
    QString Described(int i) const { return Marker(i)->accessibleDescription(); }
    bool HeardSelected(int i) const {
        const QAccessible::State state = QAccessible::queryAccessibleInterface(Marker(i))->state();
        EXPECT_TRUE(state.selectable) << i;
        return state.selected;
    }
};

} // namespace

// The cue stands out on every marker's face, in each corner, leaving the
// middle of the face whole.
TEST(SelectionCue, StandsOutOnEveryFaceWithinTheMarker) {
    QWidget parent;
    for (int i = 0; i < kHardpointCount; ++i) {
        const Rect& rc = TrayRects()[i];
        BitmapButton marker(&parent, kFirstMarkerId + i, "OK", {0, 0, rc.Width(), rc.Height()});
        marker.LoadBitmaps(kFirstMarkerImage + i, kFirstMarkerImage + i);
        marker.SetSelectable();
        const QImage plain = marker.grab().toImage();
        marker.SetSelected(true);
        look::ExpectSelectionCue(plain, marker.grab().toImage(), HardpointNames()[i]);
    }
}

// Ctrl+click selects without picking up; screen readers hear "selected" and
// how many are, and after the markers moved together, how many moved; the
// name read-out shows the marker added last. A plain click on a marker
// outside the selection empties it.
TEST_F(Selection, CtrlClickSelectsAndScreenReadersHearIt) {
    CtrlClick(0);  // VLPower1 at (30, 40)
    CtrlClick(31); // Warp at (10, 20)
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_TRUE(Marker(0)->IsSelected() && Marker(31)->IsSelected());
    EXPECT_FALSE(Marker(1)->IsSelected());
    EXPECT_TRUE(HeardSelected(0));
    EXPECT_FALSE(HeardSelected(1));
    EXPECT_EQ(Described(0), "on the VL picture at 30, 40, one of 2 selected");
    EXPECT_EQ(Described(1), "in the tray");
    EXPECT_EQ(dlg->ReadoutText(1012), "WARP");

    QTest::keyClick(dlg.get(), Qt::Key_Right);
    EXPECT_EQ(Described(0), "on the VL picture at 31, 40, one of 2 selected, 2 moved together");
    EXPECT_EQ(Described(31), "on the TI picture at 11, 20, one of 2 selected, 2 moved together");
    QTest::keyClick(dlg.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Described(0), "on the VL picture at 30, 40, one of 2 selected, 2 moved together");

    // Ctrl+Space on the focused marker selects it as Ctrl+click does.
    Marker(2)->setFocus();
    QTest::keyClick(dlg->windowHandle(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(Marker(2)->IsSelected());
    EXPECT_EQ(Described(31), "on the TI picture at 10, 20, one of 3 selected, 2 moved together");
    EXPECT_EQ(dlg->ReadoutText(1012), "VLPOWER3");
    CtrlClick(2);
    EXPECT_FALSE(Marker(2)->IsSelected());
    EXPECT_EQ(dlg->ReadoutText(1012), "WARP");

    Click(kFirstMarkerId + 5); // outside the selection: carried alone
    EXPECT_EQ(dlg->DragState(), 1);
    EXPECT_FALSE(Marker(0)->IsSelected() || Marker(31)->IsSelected());
    EXPECT_FALSE(HeardSelected(0));
    EXPECT_EQ(Described(0), "on the VL picture at 30, 40, 2 moved together");
    PressOn(dlg.get(), QPoint(200, 150));
    CtrlClick(0);
    PressOn(Marker(0)); // carried alone, as the only one selected
    MoveTo(QPoint(100, 100));
    PressOn(dlg.get(), QPoint(100, 100));
    EXPECT_EQ(Described(0), "on the VL picture at 77, 76, selected");
}

// A selection's moves are work to keep like any other: unsaved while the
// markers stand elsewhere (not once nudged back), a carry of them until it
// ends, Cancel putting them all back; and saving into a file another program
// changed keeps them.
TEST_F(Selection, MovesTogetherAreWorkToKeep) {
    int asked = 0, answer = 2; // Cancel
    dlg->SetQuestion([&](QWidget*, const QString&, const QStringList&) {
        ++asked;
        return answer;
    });
    CtrlClick(0);
    CtrlClick(31);
    EXPECT_FALSE(dlg->HasUnsavedWork());
    QTest::keyClick(dlg.get(), Qt::Key_Right);
    EXPECT_TRUE(dlg->HasUnsavedWork());
    QTest::keyClick(dlg.get(), Qt::Key_Left);
    EXPECT_FALSE(dlg->HasUnsavedWork());

    const QRect power = Geometry(kFirstMarkerId), warp = Geometry(kFirstMarkerId + 31);
    Click(kFirstMarkerId); // selected: both carried
    MoveTo(QPoint(200, 150));
    EXPECT_TRUE(dlg->HasUnsavedWork());
    dlg->close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(Geometry(kFirstMarkerId), power);
    EXPECT_EQ(Geometry(kFirstMarkerId + 31), warp);

    Click(kFirstMarkerId);
    MoveTo(QPoint(200, 150));
    PressOn(dlg.get(), QPoint(200, 150));
    QFile ship(dir.filePath("S.gf"));
    ASSERT_TRUE(ship.open(QIODevice::Append));
    ship.write("Other=1\r\n");
    ship.close();
    answer = 0; // Save into the changed file
    QTest::keyClick(dlg.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(asked, 2);
    ASSERT_TRUE(ship.open(QIODevice::ReadOnly));
    EXPECT_EQ(ship.readAll().toStdString(),
              "[HardPoints]\r\n\r\nVLPower1=177,126\r\nWarp=157,106\r\nOther=1\r\n");
}

// An offset names two whole numbers that move every marker to a point the
// ship file holds: the marker nearest the range's edge decides.
TEST(CoordinatesDlg, ReadsAnOffsetThatKeepsEveryMarkerInTheFilesRange) {
    const std::vector<CoordinatesDlg::Standing> markers{{{30, 40}, &kVlPicture, QSize(32, 32)},
                                                        {{10, 20}, &kTiPicture, QSize(20, 16)}};
    const QString shape = CoordinatesDlg::ReadOffset("4", markers).refusal;
    const QString range = CoordinatesDlg::ReadOffset("0, -2147483649", markers).refusal;
    EXPECT_TRUE(shape.contains("dx, dy")) << shape.toStdString();
    EXPECT_FALSE(range.isEmpty());
    EXPECT_NE(shape, range);
    constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
    // The TI marker, 645 pixels further right and 20 wide, reaches the edge first.
    const struct {
        const char* line;
        std::optional<Point> by;
        QString refusal;
    } cases[] = {
        {"-4,2", Point{-4, 2}, {}},
        {"0, 0", Point{0, 0}, {}},
        {"2147482972 0", Point{2147482972, 0}, {}},
        {"2147482973, 0", std::nullopt, range},
        {"0, -2147483648", Point{0, kLowest}, {}},
        {"99999999999999999999, 1", std::nullopt, range},
        {"", std::nullopt, shape},
        {"-4;2", std::nullopt, shape},
    };
    for (const auto& c : cases) {
        const CoordinatesDlg::Reading read =
            CoordinatesDlg::ReadOffset(QString::fromLatin1(c.line), markers);
        EXPECT_EQ(read.point.has_value(), c.by.has_value()) << c.line;
        if (read.point && c.by) {
            EXPECT_EQ(*read.point, *c.by) << c.line;
        }
        EXPECT_EQ(read.refusal, c.refusal) << c.line;
    }
}

// With a selection and nothing carried, G asks for an offset, "0, 0"
// selected; a refused line moves nothing; Enter moves every selected marker
// by it, one step. Carried, or with nothing selected, G places as before.
TEST_F(Selection, GWithASelectionMovesItByATypedOffset) {
    CtrlClick(0);  // VLPower1 at (30, 40)
    CtrlClick(31); // Warp at (10, 20)
    const int steps = dlg->History().count();
    EXPECT_TRUE(TypeCoordinates([](CoordinatesDlg& popup) {
        EXPECT_EQ(popup.accessibleName(), "Move the selection");
        EXPECT_EQ(popup.Line()->accessibleName(), "dx, dy");
        EXPECT_EQ(popup.Line()->selectedText(), "0, 0");
        const QString hint = popup.Note()->text();
        EXPECT_EQ(hint, "Move the selection by dx, dy");
        for (const char* line : {"-4", "2147483647, 0", "-4, 2"}) {
            EXPECT_LE(QFontMetrics(popup.Note()->font()).horizontalAdvance(popup.Note()->text()),
                      popup.Note()->width())
                << line;
            popup.Line()->setText(QString::fromLatin1(line));
            QTest::keyClick(popup.Line(), Qt::Key_Return);
            EXPECT_EQ(popup.isVisible(), QByteArray(line) != "-4, 2") << line;
        }
    }));
    EXPECT_EQ(FilePoint(0), (Point{26, 42}));
    EXPECT_EQ(FilePoint(31), (Point{6, 22}));
    EXPECT_EQ(dlg->History().count(), steps + 1);
    EXPECT_TRUE(Marker(0)->IsSelected() && Marker(31)->IsSelected());
    EXPECT_EQ(Described(0), "on the VL picture at 26, 42, one of 2 selected, 2 moved together");
    QTest::keyClick(dlg.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(FilePoint(0), (Point{30, 40}));
    EXPECT_EQ(FilePoint(31), (Point{10, 20}));

    Click(kFirstMarkerId); // the selection carried: G places it
    EXPECT_TRUE(TypeCoordinates([](CoordinatesDlg& popup) {
        EXPECT_EQ(popup.accessibleName(), "Place at coordinates");
        EXPECT_EQ(popup.Line()->text(), "30, 40");
    }));
    QTest::keyClick(dlg.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(dlg.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(TypeCoordinates([](CoordinatesDlg& popup) {
        EXPECT_EQ(popup.accessibleName(), "Place at coordinates");
        EXPECT_EQ(popup.Line()->text(), "30, 40"); // VLPower1, picked up last
    }));
}
