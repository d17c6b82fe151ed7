#include "MarkerCarry.h"

#include "MarkerMoves.h"
#include "MarkerSurface.h"
#include "PictureLayout.h"

#include <cstdint>

namespace pelto5 {

namespace {

Rect At(const Rect& rc, int left, int top) {
    return {left, top, left + rc.Width(), top + rc.Height()};
}

} // namespace

MarkerCarry::MarkerCarry(MarkerSurface& surface, CarryListener& listener)
    : m_surface(surface), m_listener(listener) {
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
    if (Carrying())
        m_surface.MoveMarker(i, to);
    else
        m_history.push(
            new MarkerMoves(m_surface, {{i, from, to}}, MarkerMoves::Kind::Nudge, m_nNudgeRun));
    m_listener.ShowPoint(QPoint(to.left, to.top));
}

bool MarkerCarry::PlaceAt(const QPoint& topLeft) {
    const int i = m_nCarried;
    if (i < 0)
        return false;
    const Rect from = m_surface.MarkerRect(i);
    const Rect to = At(from, topLeft.x(), topLeft.y());
    if (Carrying()) {
        m_surface.MoveMarker(i, to);
        Drop();
    } else if (to != from) {
        EndNudgeRun();
        m_history.push(new MarkerMoves(m_surface, {{i, from, to}}, MarkerMoves::Kind::Placement));
    }
    m_listener.ShowPoint(topLeft);
    return true;
}

bool MarkerCarry::Mirror(bool acrossVerticalLine) {
    if (!Carrying())
        return true;
    const PictureLayout& picture = PictureOf(m_nCarried);
    const QSize size = m_listener.ShownPictureSize(picture.controlId);
    const std::optional<Point> placed = LastPlacedOn(picture);
    if (!placed || size.isEmpty())
        return false;
    // In the picture's file coordinates, W x H pixels: (x, H - 1 - y) across
    // the horizontal line, (W - 1 - x, y) across the vertical one. Positions
    // can come from any file, so the sums are taken wide; a point off the
    // picture is refused.
    const int64_t x = acrossVerticalLine ? int64_t{size.width()} - 1 - placed->x : placed->x;
    const int64_t y = acrossVerticalLine ? placed->y : int64_t{size.height()} - 1 - placed->y;
    if (x < 0 || x >= size.width() || y < 0 || y >= size.height())
        return false;
    const Point at = picture.FileToClient({static_cast<int32_t>(x), static_cast<int32_t>(y)});
    m_surface.MoveMarker(m_nCarried, At(m_surface.MarkerRect(m_nCarried), at.x, at.y));
    Drop();
    m_listener.ShowPoint(QPoint(at.x, at.y));
    return true;
}

std::optional<Point> MarkerCarry::LastPlacedOn(const PictureLayout& picture) const {
    // The newest step of the history (undone steps left out) that placed a
    // marker of this picture onto it, where that marker still stands; a
    // carried marker stands where it was picked up.
    for (int k = m_history.index() - 1; k >= 0; --k) {
        const auto& step = static_cast<const MarkerMoves&>(*m_history.command(k));
        const int i = step.PlacedMarker();
        if (i < 0 || !picture.Holds(i))
            continue;
        const Rect& at = step.PlacedAt();
        const Rect stands = Carrying() && i == m_nCarried ? m_rcPickedUp : m_surface.MarkerRect(i);
        const Point file = picture.ClientToFile({at.left, at.top});
        if (stands == at && file.y < kOnPictureLimit)
            return file;
    }
    return std::nullopt;
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
        m_history.push(new MarkerMoves(m_surface, {{m_nCarried, m_rcPickedUp, to}},
                                       MarkerMoves::Kind::Placement));
}

void MarkerCarry::NewShip() {
    if (Carrying())
        Cancel();
    m_history.clear();
    m_nCarried = -1;
}

} // namespace pelto5
