// Selected markers: the cue on every face, what screen readers are told, and
// the selection made and emptied through the window's own mouse and keys.
#include "EditorFixture.h"

#include "BitmapButton.h"
#include "HardpointTable.h"
#include "ResourceIds.h"

#include <QAccessible>
#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <map>

using namespace pelto5;

namespace {

// WCAG's relative luminance and contrast ratio.
double Luminance(QRgb c) {
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}
double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
// Whether (x, y) lies on the ring of pixels inset pixels inside size's edge.
bool OnRing(const QSize& size, int x, int y, int inset) {
    const QRect ring = QRect(QPoint(0, 0), size).adjusted(inset, inset, -inset, -inset);
    return ring.contains(x, y) && !ring.adjusted(1, 1, -1, -1).contains(x, y);
}

class Selection : public SmallShipTest {
protected:
    BitmapButton* Marker(int i) const { return Button(kFirstMarkerId + i); }
    void CtrlClick(int i) {
        const QPoint at = InWindow(Marker(i), QPoint(5, 5));
        QTest::mousePress(dlg->windowHandle(), Qt::LeftButton, Qt::ControlModifier, at);
        QTest::mouseRelease(dlg->windowHandle(), Qt::LeftButton, Qt::ControlModifier, at);
    }
    QString Described(int i) const { return Marker(i)->accessibleDescription(); }
    bool HeardSelected(int i) const {
        const QAccessible::State state = QAccessible::queryAccessibleInterface(Marker(i))->state();
        EXPECT_TRUE(state.selectable) << i;
        return state.selected;
    }
};

} // namespace

// The cue is a solid frame of two colours, one pixel inside the marker's
// edge (the outermost pixels stay the focus outline's, the face within shows
// whole); on every marker's face one of its colours stands out at least 3:1
// from the face's own colour, and the two from each other.
TEST(SelectionCue, StandsOutOnEveryFaceWithinTheMarker) {
    QWidget parent;
    for (int i = 0; i < kHardpointCount; ++i) {
        const Rect& rc = TrayRects()[i];
        BitmapButton marker(&parent, kFirstMarkerId + i, "OK", {0, 0, rc.Width(), rc.Height()});
        marker.LoadBitmaps(kFirstMarkerImage + i, kFirstMarkerImage + i);
        marker.SetSelectable();
        const QImage plain = marker.grab().toImage();
        marker.SetSelected(true);
        const QImage cued = marker.grab().toImage();
        ASSERT_EQ(plain.size(), cued.size());
        const QSize size = plain.size();
        const QRgb outer = cued.pixel(1, 1), inside = cued.pixel(2, 2);
        std::map<QRgb, int> face;
        int offFrame = 0, changedElsewhere = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                ++face[plain.pixel(x, y)];
                if (OnRing(size, x, y, 1))
                    offFrame += cued.pixel(x, y) != outer;
                else if (OnRing(size, x, y, 2))
                    offFrame += cued.pixel(x, y) != inside;
                else
                    changedElsewhere += cued.pixel(x, y) != plain.pixel(x, y);
            }
        const std::string name = HardpointNames()[i];
        EXPECT_EQ(changedElsewhere, 0) << name << ": the cue reaches beyond its frame";
        EXPECT_EQ(offFrame, 0) << name << ": the frame is not solid";
        const QRgb faceColour =
            std::max_element(face.begin(), face.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            })->first;
        EXPECT_GE(std::max(Contrast(outer, faceColour), Contrast(inside, faceColour)), 3.0) << name;
        EXPECT_GE(Contrast(outer, inside), 3.0) << name;
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
