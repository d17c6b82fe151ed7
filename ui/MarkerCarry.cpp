#include "MarkerCarry.h"

#include "MarkerMoves.h"
#include "PictureLayout.h"
#include "ShipModel.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace pelto5 {

namespace {

// A marker edge within the 32-bit range, far enough from its top that the
// marker keeps its size.
int InRange(int64_t v, int size) {
    const int64_t lo = std::numeric_limits<int32_t>::min();
    const int64_t hi = int64_t{std::numeric_limits<int32_t>::max()} - size;
    return static_cast<int>(std::clamp(v, lo, hi));
}

Rect At(const Rect& rc, int left, int top) {
    return {left, top, left + rc.Width(), top + rc.Height()};
}

} // namespace

MarkerCarry::MarkerCarry(MarkerSurface& surface, const ShipModel& model, CarryListener& listener)
    : m_surface(surface), m_model(model), m_listener(listener) {
    m_history.setUndoLimit(kHistoryLimit);
}

void MarkerCarry::OnMarkerClicked(int i) {
    if (m_nDragState == DragState::Carrying) {
        Drop();
    } else if (m_nDragState == DragState::DraggingWindow) {
        m_nDragState = DragState::Idle;
    } else {
        m_nDragState = DragState::Carrying;
        m_nCarried = i;
        m_rcPickedUp = m_surface.MarkerRect(i);
        EndNudgeRun();
        m_listener.CarryStarted(i);
    }
}

void MarkerCarry::CarryTo(const QPoint& point) {
    if (Carrying())
        m_surface.MoveMarker(m_nCarried,
                             At(m_surface.MarkerRect(m_nCarried), point.x(), point.y()));
}

void MarkerCarry::Drop() {
    m_nDragState = DragState::Idle;
    RecordDrop();
    m_listener.CarryEnded(m_nCarried);
}

void MarkerCarry::Cancel() {
    m_nDragState = DragState::Idle;
    m_surface.MoveMarker(m_nCarried, m_rcPickedUp);
    m_listener.CarryEnded(m_nCarried);
}

bool MarkerCarry::PressOnWindow() {
    if (Carrying()) {
        Drop();
        return false;
    }
    m_nDragState = DragState::DraggingWindow;
    return true;
}

void MarkerCarry::EndWindowDrag() {
    if (m_nDragState == DragState::DraggingWindow)
        m_nDragState = DragState::Idle;
}

void MarkerCarry::Nudge(int dx, int dy) {
    const int i = m_nCarried;
    if (i < 0)
        return;
    const Rect from = m_surface.MarkerRect(i);
    const Rect to = At(from, from.left + dx, from.top + dy);
    // While carried the marker moves alone; its carry becomes a step at the drop.
    if (Carrying()) {
        m_surface.MoveMarker(i, to);
    } else {
        m_history.push(new MarkerMoves(m_surface, {{i, from, to}}, i, m_nNudgeRun));
        NotePlaced(i);
    }
    m_listener.ShowPoint(QPoint(to.left, to.top));
}

bool MarkerCarry::Mirror(bool acrossVerticalLine) {
    if (!Carrying())
        return true;
    const int ref = m_nLastPlaced;
    const PictureLayout& picture = PictureOf(ref < 0 ? 0 : ref);
    const QSize size = m_listener.ShownPictureSize(picture.controlId);
    if (ref < 0 || size.isEmpty())
        return false;
    // In the picture's saved coordinates, W x H pixels: (x, H - 1 - y) across
    // the horizontal line, (W - 1 - x, y) across the vertical one.
    // A carried reference counts where it was picked up from. Positions can
    // come from any file, so the sums are taken wide and kept in range.
    const Rect placed = ref == m_nCarried ? m_rcPickedUp : m_surface.MarkerRect(ref);
    const Rect origin = m_surface.ControlRect(picture.controlId);
    const int64_t shift = picture.markerShift;
    const int64_t atX = int64_t{placed.left} - origin.left;
    const int64_t atY = int64_t{placed.top} - origin.top - shift;
    const int64_t x = acrossVerticalLine ? size.width() - 1 - atX : atX;
    const int64_t y = acrossVerticalLine ? atY : size.height() - 1 - atY;
    const Rect carried = m_surface.MarkerRect(m_nCarried);
    const int left = InRange(origin.left + x, carried.Width());
    const int top = InRange(origin.top + y + shift, carried.Height());
    m_surface.MoveMarker(m_nCarried, At(carried, left, top));
    Drop();
    m_listener.ShowPoint(QPoint(left, top));
    return true;
}

void MarkerCarry::Undo() {
    // A carry is not a step yet: undoing it puts the marker back.
    if (Carrying()) {
        Cancel();
        return;
    }
    EndNudgeRun();
    if (!m_history.canUndo())
        return;
    m_history.undo();
    ShowStep(*m_history.command(m_history.index()));
}

void MarkerCarry::Redo() {
    if (Carrying())
        return;
    EndNudgeRun();
    if (!m_history.canRedo())
        return;
    m_history.redo();
    ShowStep(*m_history.command(m_history.index() - 1));
}

void MarkerCarry::ShowStep(const QUndoCommand& step) {
    // As after a nudge: the corner of the marker the step moved alone.
    const int i = static_cast<const MarkerMoves&>(step).SoleMarker();
    if (i >= 0) {
        const Rect rc = m_surface.MarkerRect(i);
        m_listener.ShowPoint(QPoint(rc.left, rc.top));
    }
}

void MarkerCarry::RecordMoves(const std::function<void()>& change) {
    RectArray before{};
    for (int i = 0; i < kHardpointCount; ++i)
        before[i] = m_surface.MarkerRect(i);
    change();
    std::vector<MarkerMoves::Move> moves;
    for (int i = 0; i < kHardpointCount; ++i)
        if (m_surface.MarkerRect(i) != before[i])
            moves.push_back({i, before[i], m_surface.MarkerRect(i)});
    if (!moves.empty())
        m_history.push(new MarkerMoves(m_surface, std::move(moves)));
}

void MarkerCarry::RecordDrop() {
    const Rect to = m_surface.MarkerRect(m_nCarried);
    if (to != m_rcPickedUp)
        m_history.push(new MarkerMoves(m_surface, {{m_nCarried, m_rcPickedUp, to}}));
    NotePlaced(m_nCarried);
}

void MarkerCarry::NotePlaced(int i) {
    if (m_model.RelativeMarkerRect(i, kRelativeToPicture).top < kOnPictureLimit)
        m_nLastPlaced = i;
}

void MarkerCarry::NewShip() {
    if (Carrying())
        Cancel();
    m_history.clear();
    m_nCarried = -1;
    m_nLastPlaced = -1;
}

} // namespace pelto5
