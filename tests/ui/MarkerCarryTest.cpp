#include "MarkerCarry.h"
#include "PosixFileSystem.h"
#include "RectMarkerSurface.h"
#include "ShipModel.h"

#include <gtest/gtest.h>

using namespace pelto5;

namespace {

// The window's part, recorded: carries started and ended, the read-outs'
// last point, the pictures shown (both 200 x 100 unless set otherwise), and
// how often the selection changed.
struct Window final : CarryListener {
    void CarryStarted(int i) override { started.push_back(i); }
    void CarryEnded(int i) override { ended.push_back(i); }
    void ShowPoint(const QPoint& point) override { shown = point; }
    QSize ShownPictureSize(int) const override { return picture; }
    void SelectionChanged() override { ++selectionChanges; }

    std::vector<int> started, ended;
    QPoint shown{-1, -1};
    QSize picture{200, 100};
    int selectionChanges = 0;
};

// Markers without a window, carried.
struct Carry {
    RectMarkerSurface surface;
    ShipModel model{surface, RealFileSystem()};
    Window window;
    MarkerCarry carry{surface, model, window};

    QPoint At(int i) const { return {surface.MarkerRect(i).left, surface.MarkerRect(i).top}; }
    // Picks marker i up, carries it to p and drops it there.
    void DropAt(int i, const QPoint& p) {
        carry.OnMarkerClicked(i);
        carry.CarryTo(p);
        carry.Drop();
    }
};

using State = MarkerCarry::DragState;

} // namespace

// A click picks a marker up, a press drops it where it was carried (one
// step), a click ends the carry as a press would; Ctrl+Z puts a carried
// marker back without a step; a window drag ends at the release or a click.
TEST(MarkerCarry, PickUpCarryDropAndCancel) {
    Carry c;
    const QPoint tray = c.At(5);
    c.carry.OnMarkerClicked(5);
    EXPECT_EQ(c.carry.State(), State::Carrying);
    EXPECT_EQ(c.window.started, std::vector<int>{5});
    c.carry.CarryTo({100, 90});
    EXPECT_EQ(c.At(5), QPoint(100, 90));
    EXPECT_EQ(c.surface.MarkerRect(5).Width(), 32);
    EXPECT_FALSE(c.carry.PressOnWindow()); // the press drops
    EXPECT_EQ(c.carry.State(), State::Idle);
    EXPECT_EQ(c.window.ended, std::vector<int>{5});
    EXPECT_EQ(c.carry.History().count(), 1);

    c.carry.OnMarkerClicked(5);
    c.carry.CarryTo({300, 90});
    c.carry.OnMarkerClicked(9); // a click while carrying only drops
    EXPECT_EQ(c.carry.State(), State::Idle);
    EXPECT_EQ(c.At(5), QPoint(300, 90));
    EXPECT_EQ(c.window.started.size(), 2u);
    EXPECT_EQ(c.carry.History().count(), 2);

    c.carry.OnMarkerClicked(5);
    c.carry.CarryTo({10, 10});
    c.carry.Nudge(1, 0);
    c.carry.Undo();
    EXPECT_EQ(c.At(5), QPoint(300, 90));
    EXPECT_EQ(c.carry.State(), State::Idle);
    EXPECT_EQ(c.carry.History().count(), 2);
    c.carry.Undo();
    c.carry.Undo();
    EXPECT_EQ(c.At(5), tray);

    EXPECT_TRUE(c.carry.PressOnWindow());
    EXPECT_EQ(c.carry.State(), State::DraggingWindow);
    c.carry.OnMarkerClicked(7); // ends the drag, picks nothing up
    EXPECT_EQ(c.carry.State(), State::Idle);
    EXPECT_EQ(c.window.started.size(), 3u);
    EXPECT_TRUE(c.carry.PressOnWindow());
    c.carry.EndWindowDrag();
    EXPECT_EQ(c.carry.State(), State::Idle);
}

// Nudges of the marker picked up last merge into one step until an undo, a
// redo, a command or a pick-up; after an undo or redo the read-outs show the
// moved marker's corner. A new ship forgets the history and the marker.
TEST(MarkerCarry, NudgeRunsAndTheHistory) {
    Carry c;
    c.carry.Nudge(1, 0); // nothing picked up yet
    EXPECT_EQ(c.carry.History().count(), 0);
    c.DropAt(0, {123, 124});
    for (int k = 0; k < 3; ++k)
        c.carry.Nudge(1, 0);
    EXPECT_EQ(c.window.shown, QPoint(126, 124));
    EXPECT_EQ(c.carry.History().count(), 2);
    c.carry.Undo();
    EXPECT_EQ(c.At(0), QPoint(123, 124));
    c.carry.Redo();
    EXPECT_EQ(c.window.shown, QPoint(126, 124));
    c.carry.Nudge(0, 1);
    c.carry.Nudge(0, 1);
    c.carry.Undo();
    EXPECT_EQ(c.At(0), QPoint(126, 124));
    EXPECT_EQ(c.window.shown, QPoint(126, 124));
    c.carry.Nudge(-1, 0);
    c.carry.EndNudgeRun();
    c.carry.Nudge(-1, 0);
    c.carry.Undo();
    EXPECT_EQ(c.At(0), QPoint(125, 124));

    // RESET, CLEAR and PASTE are one step of every marker they moved.
    c.carry.RecordMoves([&] { c.model.ClearLayout(); });
    EXPECT_EQ(c.At(0), QPoint(TrayRects()[0].left, TrayRects()[0].top));
    c.carry.Undo();
    EXPECT_EQ(c.At(0), QPoint(125, 124));
    const int steps = c.carry.History().count();
    c.carry.RecordMoves([] {});
    EXPECT_EQ(c.carry.History().count(), steps);

    c.carry.OnMarkerClicked(3);
    c.carry.CarryTo({50, 50});
    c.carry.NewShip(); // ends the carry where it began
    EXPECT_EQ(c.carry.State(), State::Idle);
    EXPECT_EQ(c.At(3), QPoint(TrayRects()[3].left, TrayRects()[3].top));
    EXPECT_EQ(c.carry.History().count(), 0);
    c.carry.Nudge(1, 0);
    EXPECT_EQ(c.At(0), QPoint(125, 124));
}

// M drops the carried marker at the mirror image of the marker placed last,
// in its picture's file coordinates (the TI group 4 pixels lower); with
// nothing placed, a tray drop, or no picture, nothing moves.
TEST(MarkerCarry, MirrorOfTheMarkerPlacedLast) {
    Carry c;
    c.carry.OnMarkerClicked(1);
    EXPECT_FALSE(c.carry.Mirror(false));
    c.carry.Drop();
    c.DropAt(0, {23 + 10, 24 + 20}); // VL file (10, 20)
    c.DropAt(2, {40, 450});          // in the tray: not placed
    c.carry.OnMarkerClicked(1);
    EXPECT_TRUE(c.carry.Mirror(false));
    EXPECT_EQ(c.At(1), QPoint(23 + 10, 24 + 79));
    EXPECT_EQ(c.carry.State(), State::Idle);
    EXPECT_EQ(c.window.shown, c.At(1));
    c.carry.OnMarkerClicked(1); // the carried reference counts where it was picked up
    EXPECT_TRUE(c.carry.Mirror(true));
    EXPECT_EQ(c.At(1), QPoint(23 + 189, 24 + 79));

    c.DropAt(31, {645 + 30, 8 + 4 + 40}); // TI file (30, 40)
    c.carry.OnMarkerClicked(32);
    EXPECT_TRUE(c.carry.Mirror(true));
    EXPECT_EQ(c.At(32), QPoint(645 + 169, 8 + 4 + 40));
    c.window.picture = QSize();
    c.carry.OnMarkerClicked(33);
    const QPoint before = c.At(33);
    EXPECT_FALSE(c.carry.Mirror(false));
    EXPECT_EQ(c.At(33), before);
    EXPECT_EQ(c.carry.State(), State::Carrying);
}

// Ctrl+click adds a marker to the selection or takes it out, picking nothing
// up; a click on a marker outside the selection empties it and carries that
// marker alone. Ctrl+Shift+A, a command's moves and a new ship empty it; while
// markers are carried the selection stays, and a Ctrl+click only drops.
TEST(MarkerCarry, SelectionIsMadeAndEmptied) {
    Carry c;
    for (int i : {4, 2, 9})
        c.carry.OnMarkerCtrlClicked(i);
    c.carry.OnMarkerCtrlClicked(9);
    EXPECT_EQ(c.carry.Selection().Markers(), (std::vector<int>{4, 2}));
    EXPECT_EQ(c.carry.State(), State::Idle);
    EXPECT_TRUE(c.window.started.empty());
    EXPECT_EQ(c.window.selectionChanges, 4);

    c.carry.OnMarkerClicked(7); // outside: carried alone
    EXPECT_TRUE(c.carry.Selection().Empty());
    EXPECT_EQ(c.carry.CarriedMarkers(), std::vector<int>{7});
    c.carry.OnMarkerCtrlClicked(3); // carrying: only the drop
    EXPECT_EQ(c.carry.State(), State::Idle);
    EXPECT_TRUE(c.carry.Selection().Empty());

    c.carry.OnMarkerCtrlClicked(1);
    c.carry.OnMarkerCtrlClicked(2);
    c.carry.OnMarkerClicked(1);
    c.carry.SelectNone(); // not while carried
    c.carry.SelectAllOn({30, 30});
    EXPECT_EQ(c.carry.Selection().Count(), 2);
    c.carry.Drop();
    c.carry.SelectNone();
    EXPECT_TRUE(c.carry.Selection().Empty());

    const int changes = c.window.selectionChanges;
    c.carry.SelectNone(); // already empty: nothing to tell
    EXPECT_EQ(c.window.selectionChanges, changes);
    c.carry.OnMarkerCtrlClicked(1);
    c.carry.RecordMoves([] {});
    EXPECT_TRUE(c.carry.Selection().Empty());
    c.carry.OnMarkerCtrlClicked(1);
    c.carry.NewShip();
    EXPECT_TRUE(c.carry.Selection().Empty());
}

// Ctrl+A selects the markers whose point lies on the picture under the
// pointer, of either group (a TI marker's point 4 pixels above its corner);
// over neither picture, those on either; with no picture shown, none.
TEST(MarkerCarry, CtrlASelectsWhatStandsOnThePictureUnderThePointer) {
    Carry c;
    c.DropAt(0, {23 + 10, 24 + 10});
    c.DropAt(1, {23 + 199, 24 + 99});    // the VL picture's last pixel
    c.DropAt(2, {23 + 200, 24 + 50});    // just right of it
    c.DropAt(3, {645 + 20, 8 + 20});     // a VL marker on the TI picture
    c.DropAt(31, {645 + 5, 8 + 4 + 99}); // TI file (5, 99): on it
    c.DropAt(32, {645 + 5, 8 + 4 - 1});  // TI file (5, -1): above it
    c.carry.SelectAllOn({23 + 100, 24 + 50});
    EXPECT_EQ(c.carry.Selection().Markers(), (std::vector<int>{0, 1}));
    c.carry.SelectAllOn({645 + 100, 8});
    EXPECT_EQ(c.carry.Selection().Markers(), (std::vector<int>{3, 31}));
    c.carry.SelectAllOn({640, 300});
    EXPECT_EQ(c.carry.Selection().Markers(), (std::vector<int>{0, 1, 3, 31}));
    c.window.picture = QSize();
    c.carry.SelectAllOn({23 + 100, 24 + 50});
    EXPECT_TRUE(c.carry.Selection().Empty());
}

// Selected markers move together: arrow nudges in a run are one step, a
// click on one carries all at their offsets to it and the drop is one step;
// Ctrl+Z while carrying puts them all back; M drops them all, the clicked one
// mirrored. Only a selection's steps count as moved together.
TEST(MarkerCarry, SelectedMarkersNudgeAndCarryTogether) {
    Carry c;
    c.DropAt(0, {100, 100});
    c.DropAt(3, {250, 40});
    const int steps = c.carry.History().count();
    c.carry.OnMarkerCtrlClicked(0);
    c.carry.OnMarkerCtrlClicked(3);
    for (int k = 0; k < 4; ++k)
        c.carry.Nudge(1, 0);
    c.carry.Nudge(0, 8);
    EXPECT_EQ(c.At(0), QPoint(104, 108));
    EXPECT_EQ(c.At(3), QPoint(254, 48));
    EXPECT_EQ(c.window.shown, QPoint(254, 48)); // the marker added last
    EXPECT_EQ(c.carry.History().count(), steps + 1);
    c.carry.OnMarkerCtrlClicked(5); // a new selection: a new run
    c.carry.Nudge(1, 0);
    EXPECT_EQ(c.carry.History().count(), steps + 2);
    c.carry.Undo();
    c.carry.Undo();
    EXPECT_EQ(c.At(0), QPoint(100, 100));
    EXPECT_EQ(c.At(3), QPoint(250, 40));
    EXPECT_EQ(c.carry.MovingTogether(), 0);

    c.carry.OnMarkerCtrlClicked(5);
    c.carry.OnMarkerClicked(0);
    EXPECT_TRUE(c.carry.IsCarried(3));
    EXPECT_FALSE(c.carry.IsCarried(5));
    c.carry.CarryTo({110, 90});
    EXPECT_EQ(c.At(3), QPoint(260, 30));
    c.carry.Nudge(0, 1); // the carry moves, no step
    EXPECT_EQ(c.At(3), QPoint(260, 31));
    c.carry.Undo(); // both back where they were picked up
    EXPECT_EQ(c.At(0), QPoint(100, 100));
    EXPECT_EQ(c.At(3), QPoint(250, 40));
    EXPECT_EQ(c.carry.History().index(), steps);

    c.carry.OnMarkerClicked(3);
    c.carry.CarryTo({260, 50});
    EXPECT_FALSE(c.carry.PressOnWindow());
    EXPECT_EQ(c.At(0), QPoint(110, 110));
    EXPECT_EQ(c.carry.History().index(), steps + 1);
    EXPECT_EQ(c.carry.Selection().Count(), 2); // kept for more moves
    c.carry.Undo();
    EXPECT_EQ(c.At(0), QPoint(100, 100));
    EXPECT_EQ(c.At(3), QPoint(250, 40));
    c.carry.Redo();
    EXPECT_EQ(c.At(3), QPoint(260, 50));

    c.DropAt(1, {23 + 10, 24 + 20}); // alone, the selection emptied: VL file (10, 20)
    c.carry.OnMarkerCtrlClicked(0);
    c.carry.OnMarkerCtrlClicked(3);
    c.carry.OnMarkerClicked(0);
    EXPECT_TRUE(c.carry.Mirror(false)); // 0 to (10, 79), 3 at its offset
    EXPECT_EQ(c.At(0), QPoint(23 + 10, 24 + 79));
    EXPECT_EQ(c.At(3), QPoint(23 + 10 + 150, 24 + 79 - 60));
    EXPECT_EQ(c.carry.State(), State::Idle);
    c.carry.Undo();
    EXPECT_EQ(c.At(0), QPoint(110, 110));
    EXPECT_EQ(c.At(3), QPoint(260, 50));
}
