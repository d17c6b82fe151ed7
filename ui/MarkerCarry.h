#pragma once

#include "Geometry.h"
#include "MarkerSelection.h"

#include <QPoint>
#include <QSize>
#include <QUndoStack>

#include <functional>
#include <optional>
#include <vector>

namespace pelto5 {

class MarkerMoves;
class MarkerSurface;
struct PictureLayout;

// What a carry needs of its window.
class CarryListener {
public:
    virtual ~CarryListener() = default;
    // Marker i was picked up: it rises above the other markers, the window
    // takes the mouse and shows its name.
    virtual void CarryStarted(int i) = 0;
    // The carry of marker i ended: the window lets the mouse go, the marker
    // goes back to its place among the others and the markers are redrawn.
    virtual void CarryEnded(int i) = 0;
    // The read-outs show a client point.
    virtual void ShowPoint(const QPoint& point) = 0;
    // The size of the picture shown in control pictureId; empty when none is.
    virtual QSize ShownPictureSize(int pictureId) const = 0;
    // Markers joined the selection or left it: the window shows which are in.
    virtual void SelectionChanged() = 0;
};

// Picking markers up, carrying them and dropping them; the arrow keys'
// nudges, M's mirror, and the history of marker moves that Ctrl+Z undoes.
// Markers selected (Ctrl+click, Ctrl+A) move together: a click on one carries
// them all, the arrows nudge them all. It moves markers only through its
// MarkerSurface.
class MarkerCarry {
public:
    // m_nDragState: idle, carrying a marker (the window holds the mouse), or
    // dragging the window by its background.
    enum class DragState { Idle, Carrying, DraggingWindow };

    MarkerCarry(MarkerSurface& surface, CarryListener& listener);

    DragState State() const { return m_nDragState; }
    bool Carrying() const { return m_nDragState == DragState::Carrying; }
    // The marker carried now, or picked up last; -1 before the ship's first pick-up.
    int Carried() const { return m_nCarried; }
    // Whether marker i is carried now, alone or with the selection.
    bool IsCarried(int i) const;
    // The markers carried now, or in the last carry: the clicked one first.
    std::vector<int> CarriedMarkers() const;
    const MarkerSelection& Selection() const { return m_selection; }
    // While a step that moves a selection's markers together is done or
    // undone, how many markers it moves; 0 otherwise.
    int MovingTogether() const { return m_nMovingTogether; }
    const QUndoStack& History() const { return m_history; }

    // A click on marker i: idle, it is picked up, with the rest of the
    // selection when it is selected, alone otherwise (and the selection is
    // emptied); otherwise whatever goes on ends, a carry with its markers
    // dropped where they stand.
    void OnMarkerClicked(int i);
    // Ctrl+click on marker i: idle, it joins the selection or leaves it;
    // otherwise as a click.
    void OnMarkerCtrlClicked(int i);
    // Ctrl+A: the selection becomes every marker whose point lies on the
    // picture under point, or on either picture when point is over neither.
    // Nothing changes while markers are carried.
    void SelectAllOn(const QPoint& point);
    // Ctrl+Shift+A: no marker is selected. Nothing changes while markers are carried.
    void SelectNone();
    // Moves the carried marker's top-left corner to point; the markers
    // carried with it keep their offsets to it.
    void CarryTo(const QPoint& point);
    // Ends the carry with the markers where they stand: one step of the history.
    void Drop();
    // Ends the carry with the markers back where they were picked up.
    void Cancel();
    // A press on the window's background: a carry is dropped; otherwise a
    // window drag begins, and true says so.
    bool PressOnWindow();
    // The button release, or a drag the desktop took over, ends a window drag.
    void EndWindowDrag();

    // Moves the carried markers by (dx, dy), not as a step; otherwise the
    // selected markers, or without a selection the marker picked up last, as
    // a step, one with the nudges before it in the same run.
    void Nudge(int dx, int dy);
    // The next nudge starts a new step instead of joining the last one.
    void EndNudgeRun() { ++m_nNudgeRun; }
    // Why M moved nothing.
    enum class MirrorRefusal { None, NoPicture, NothingPlaced, OffPicture };
    // Drops the carried marker at the mirror image of the hardpoint placed
    // last on its own picture (among placements that still stand), across
    // the picture's horizontal line, or vertical line, the markers carried
    // with it at their offsets to it; false (and nothing moves) when none is
    // placed there, the picture is not shown, or the mirror image lies off
    // the picture, which why, when given, then says.
    bool Mirror(bool acrossVerticalLine, MirrorRefusal* why = nullptr);
    // Puts the marker carried now (the markers carried with it at their
    // offsets), or else the one picked up last, with its top-left at topLeft,
    // as a drop there: one step of the history. False when no marker was
    // picked up since the ship was opened.
    bool PlaceAt(const QPoint& topLeft);
    // G's offset: with nothing carried, moves the selected markers by
    // (dx, dy) as one step of its own, as one nudge would.
    void MoveSelectionBy(int dx, int dy);

    // Ctrl+Z: a carry is put back; otherwise the last step is undone. The
    // step undone or redone, or null when there was none.
    const MarkerMoves* Undo();
    const MarkerMoves* Redo();
    // A command that moves markers (RESET, CLEAR, PASTE): empties the
    // selection, runs change, and makes the markers it moved one step of the history.
    void RecordMoves(const std::function<void()>& change);
    // A new ship: no carry, no history, nothing selected, picked up or placed.
    void NewShip();

private:
    // A marker carried with the clicked one, and where it was picked up.
    struct CarriedAlong {
        int marker;
        Rect pickedUp;
    };

    // Puts the clicked marker's top-left corner at (left, top), and the
    // markers carried with it at their offsets to it.
    void PlaceCarried(int64_t left, int64_t top);
    // Pushes step, which the history does at once.
    void PushStep(MarkerMoves* step);
    // Empties the selection; the window is told when it was not empty.
    void ClearSelection();
    // The selection changed: the window shows it, and the next nudge is a step of its own.
    void SelectionChangedNow();
    // The file point of the hardpoint placed last on picture, among the
    // placements (drops, nudges, typed places) that still stand.
    std::optional<Point> LastPlacedOn(const PictureLayout& picture) const;
    // Where marker i stands for M: a carried marker where it was picked up.
    Rect StandsFor(int i) const;
    // A dropped marker's way from where it was picked up, as one step.
    void RecordDrop();
    // The read-outs after an undo or redo of step, as after a nudge.
    void ShowStep(const MarkerMoves& step);

    MarkerSurface& m_surface;
    CarryListener& m_listener;
    DragState m_nDragState = DragState::Idle;
    // m_pCarried, as the marker's index: set at pick-up and kept after the
    // drop, so that the arrows nudge it; -1 again for a new ship.
    int m_nCarried = -1;
    Rect m_rcPickedUp;
    // The selected markers picked up with m_nCarried; kept after the drop.
    std::vector<CarriedAlong> m_carriedAlong;
    MarkerSelection m_selection;
    int m_nMovingTogether = 0;
    // Nudges of one run merge into one step; an undo, redo, command or pick-up ends the run.
    int m_nNudgeRun = 0;
    // Marker moves, undone with Ctrl+Z.
    QUndoStack m_history;
};

} // namespace pelto5
