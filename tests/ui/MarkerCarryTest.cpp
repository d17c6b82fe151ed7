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
    MarkerCarry carry{surface, window};

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

// M's reference is the newest placement on the carried marker's own picture
// that still stands: a TI placement never counts for a VL marker, an undone
// or cleared one no more; a mirror image off the picture is refused.
TEST(MarkerCarry, MirrorOfTheLastStandingPlacementOnItsOwnPicture) {
    Carry c;                              // both pictures 200 x 100
    c.DropAt(0, {23 + 50, 24 + 5});       // VL file (50, 5)
    c.DropAt(1, {23 + 10, 24 + 20});      // VL file (10, 20)
    c.DropAt(31, {645 + 30, 8 + 4 + 40}); // TI file (30, 40), placed last
    c.carry.OnMarkerClicked(2);
    EXPECT_TRUE(c.carry.Mirror(false));
    EXPECT_EQ(c.At(2), QPoint(23 + 10, 24 + 79));
    c.carry.Undo(); // VLPower3's mirrored drop
    c.carry.Undo(); // Impulse's drop
    c.carry.Undo(); // VLPower2's drop: VLPower1's stands again as the last
    c.carry.OnMarkerClicked(2);
    EXPECT_TRUE(c.carry.Mirror(true));
    EXPECT_EQ(c.At(2), QPoint(23 + 149, 24 + 5));

    c.DropAt(3, {23 + 250, 24 + 150}); // VL file (250, 150), off the 200 x 100 picture
    for (bool vertical : {false, true}) {
        c.carry.OnMarkerClicked(4);
        const QPoint before = c.At(4);
        EXPECT_FALSE(c.carry.Mirror(vertical));
        EXPECT_EQ(c.At(4), before);
        EXPECT_EQ(c.carry.State(), State::Carrying);
        c.carry.Cancel();
    }
    c.carry.RecordMoves([&] { c.model.ClearLayout(); }); // no placement stands
    c.carry.OnMarkerClicked(4);
    EXPECT_FALSE(c.carry.Mirror(false));
    c.carry.Cancel();

    // Markers dropped together are each placed: VLWeapon1, carried along with
    // Impulse, lands at VL (20, 30) and is VLWeapon2's reference.
    c.carry.OnMarkerCtrlClicked(32);
    c.carry.OnMarkerCtrlClicked(9);
    c.carry.OnMarkerClicked(32);
    const Rect along = TrayRects()[9], lead = TrayRects()[32];
    c.carry.CarryTo({23 + 20 - (along.left - lead.left), 24 + 30 - (along.top - lead.top)});
    c.carry.Drop();
    ASSERT_EQ(c.At(9), QPoint(23 + 20, 24 + 30));
    c.carry.OnMarkerClicked(10);
    EXPECT_TRUE(c.carry.Mirror(false));
    EXPECT_EQ(c.At(10), QPoint(23 + 20, 24 + 69));
}

// G's place: the carried marker is dropped there, or the one picked up last
// moves there, each as one step of its own; with none picked up, nothing.
TEST(MarkerCarry, PlaceAtIsADropThereAsOneStep) {
    Carry c;
    EXPECT_FALSE(c.carry.PlaceAt({100, 90}));
    c.carry.OnMarkerClicked(5);
    c.carry.CarryTo({10, 10});
    EXPECT_TRUE(c.carry.PlaceAt({100, 90}));
    EXPECT_EQ(c.At(5), QPoint(100, 90));
    EXPECT_EQ(c.carry.State(), State::Idle);
    EXPECT_EQ(c.window.ended, std::vector<int>{5});
    EXPECT_EQ(c.window.shown, QPoint(100, 90));
    EXPECT_EQ(c.carry.History().count(), 1);

    c.carry.Nudge(1, 0);
    EXPECT_TRUE(c.carry.PlaceAt({200, 95}));
    c.carry.Nudge(1, 0); // a step of its own, not one with the place
    EXPECT_EQ(c.carry.History().count(), 4);
    c.carry.Undo();
    EXPECT_EQ(c.At(5), QPoint(200, 95));
    c.carry.Undo();
    EXPECT_EQ(c.At(5), QPoint(101, 90));
    EXPECT_TRUE(c.carry.PlaceAt({101, 90})); // where it stands: no step
    EXPECT_EQ(c.carry.History().index(), 2);
    EXPECT_EQ(c.carry.History().count(), 4);

    // A selection carried with it keeps its distance, all in the one step.
    c.carry.OnMarkerCtrlClicked(5);
    c.carry.OnMarkerCtrlClicked(6);
    c.carry.OnMarkerClicked(5);
    const QPoint apart = c.At(6) - c.At(5);
    EXPECT_TRUE(c.carry.PlaceAt({300, 60}));
    EXPECT_EQ(c.At(6), QPoint(300, 60) + apart);
    c.carry.Undo();
    EXPECT_EQ(c.At(5), QPoint(101, 90));
    EXPECT_EQ(c.At(6), QPoint(101, 90) + apart);
}

// G's offset moves the selected markers together as a step of its own,
// neither joining the nudges around it nor made when nothing moves; with
// markers carried, or none selected, it moves nothing.
TEST(MarkerCarry, MoveSelectionByIsOneStepOfItsOwn) {
    Carry c;
    c.carry.OnMarkerCtrlClicked(5);
    c.carry.OnMarkerCtrlClicked(40);
    const QPoint five = c.At(5), forty = c.At(40);
    c.carry.Nudge(1, 0);
    c.carry.MoveSelectionBy(-4, 2);
    c.carry.Nudge(1, 0);
    EXPECT_EQ(c.At(5), five + QPoint(-2, 2));
    EXPECT_EQ(c.At(40), forty + QPoint(-2, 2));
    EXPECT_EQ(c.carry.History().count(), 3);
    EXPECT_EQ(c.window.shown, c.At(40)); // the marker added last, as after a nudge
    c.carry.Undo();
    c.carry.Undo();
    EXPECT_EQ(c.At(5), five + QPoint(1, 0));
    EXPECT_EQ(c.At(40), forty + QPoint(1, 0));
    c.carry.MoveSelectionBy(0, 0); // no step: the undone ones stay to redo
    EXPECT_EQ(c.carry.History().index(), 1);
    EXPECT_EQ(c.carry.History().count(), 3);

    c.carry.OnMarkerClicked(5); // the selection carried
    c.carry.MoveSelectionBy(10, 10);
    c.carry.Cancel();
    c.carry.SelectNone();
    c.carry.MoveSelectionBy(10, 10); // none selected: not even the one picked up last
    EXPECT_EQ(c.At(5), five + QPoint(1, 0));
    EXPECT_EQ(c.At(40), forty + QPoint(1, 0));
    EXPECT_EQ(c.carry.History().count(), 3);
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
