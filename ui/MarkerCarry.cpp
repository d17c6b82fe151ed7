#include "MarkerCarry.h"

#include "MarkerMoves.h"
#include "MarkerSurface.h"
#include "PictureLayout.h"

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

// rc moved by (dx, dy), kept in range.
Rect Shifted(const Rect& rc, int64_t dx, int64_t dy) {
    return At(rc, InRange(rc.left + dx, rc.Width()), InRange(rc.top + dy, rc.Height()));
}

bool Holds(const Rect& rc, int64_t x, int64_t y) {
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

} // namespace

MarkerCarry::MarkerCarry(MarkerSurface& surface, CarryListener& listener)
    : m_surface(surface), m_listener(listener) {
    m_history.setUndoLimit(kHistoryLimit);
}

bool MarkerCarry::IsCarried(int i) const {
    if (!Carrying())
        return false;
    return i == m_nCarried ||
           std::any_of(m_carriedAlong.begin(), m_carriedAlong.end(),
                       [i](const CarriedAlong& along) { return along.marker == i; });
}

std::vector<int> MarkerCarry::CarriedMarkers() const {
    std::vector<int> markers;
    if (m_nCarried >= 0)
        markers.push_back(m_nCarried);
    for (const CarriedAlong& along : m_carriedAlong)
        markers.push_back(along.marker);
    return markers;
}

void MarkerCarry::OnMarkerClicked(int i) {
    if (m_nDragState == DragState::Carrying) {
        Drop();
    } else if (m_nDragState == DragState::DraggingWindow) {
        m_nDragState = DragState::Idle;
    } else {
        m_carriedAlong.clear();
        if (m_selection.Contains(i)) {
            for (int other : m_selection.Markers())
                if (other != i)
                    m_carriedAlong.push_back({other, m_surface.MarkerRect(other)});
        } else {
            ClearSelection();
        }
        m_nDragState = DragState::Carrying;
        m_nCarried = i;
        m_rcPickedUp = m_surface.MarkerRect(i);
        EndNudgeRun();
        m_listener.CarryStarted(i);
    }
}

void MarkerCarry::OnMarkerCtrlClicked(int i) {
    if (m_nDragState != DragState::Idle) {
        OnMarkerClicked(i);
        return;
    }
    m_selection.Toggle(i);
    SelectionChangedNow();
}

void MarkerCarry::SelectAllOn(const QPoint& point) {
    if (Carrying())
        return;
    // Each picture as shown: its control's top-left, the picture's size.
    std::vector<Rect> under, all;
    for (const PictureLayout* picture : {&kVlPicture, &kTiPicture}) {
        const Rect origin = m_surface.ControlRect(picture->controlId);
        const QSize size = m_listener.ShownPictureSize(picture->controlId);
        const Rect shown{origin.left, origin.top, origin.left + size.width(),
                         origin.top + size.height()};
        all.push_back(shown);
        if (Holds(shown, point.x(), point.y()))
            under.push_back(shown);
    }
    if (under.empty())
        under = all;
    std::vector<int> standing;
    for (int i = 0; i < kHardpointCount; ++i) {
        // The point a marker marks lies its picture's shift above its top-left.
        const Rect rc = m_surface.MarkerRect(i);
        const int64_t y = int64_t{rc.top} - PictureOf(i).markerShift;
        if (std::any_of(under.begin(), under.end(),
                        [&](const Rect& shown) { return Holds(shown, rc.left, y); }))
            standing.push_back(i);
    }
    m_selection.Set(std::move(standing));
    SelectionChangedNow();
}

void MarkerCarry::SelectNone() {
    if (!Carrying())
        ClearSelection();
}

void MarkerCarry::ClearSelection() {
    if (m_selection.Empty())
        return;
    m_selection.Clear();
    SelectionChangedNow();
}

void MarkerCarry::SelectionChangedNow() {
    EndNudgeRun();
    m_listener.SelectionChanged();
}

void MarkerCarry::CarryTo(const QPoint& point) {
    if (Carrying())
        PlaceCarried(point.x(), point.y());
}

void MarkerCarry::PlaceCarried(int64_t left, int64_t top) {
    const Rect lead = m_surface.MarkerRect(m_nCarried);
    m_surface.MoveMarker(m_nCarried,
                         At(lead, InRange(left, lead.Width()), InRange(top, lead.Height())));
    // Positions can come from any file, so the offsets are taken wide and kept in range.
    for (const CarriedAlong& along : m_carriedAlong) {
        const Rect rc = m_surface.MarkerRect(along.marker);
        const int64_t x = left + along.pickedUp.left - m_rcPickedUp.left;
        const int64_t y = top + along.pickedUp.top - m_rcPickedUp.top;
        m_surface.MoveMarker(along.marker, At(rc, InRange(x, rc.Width()), InRange(y, rc.Height())));
    }
}

void MarkerCarry::Drop() {
    m_nDragState = DragState::Idle;
    RecordDrop();
    m_listener.CarryEnded(m_nCarried);
}

void MarkerCarry::Cancel() {
    m_nDragState = DragState::Idle;
    m_surface.MoveMarker(m_nCarried, m_rcPickedUp);
    for (const CarriedAlong& along : m_carriedAlong)
        m_surface.MoveMarker(along.marker, along.pickedUp);
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
    if (Carrying()) {
        // Carried markers move without a step; their carry becomes one at the drop.
        const Rect to = Shifted(m_surface.MarkerRect(m_nCarried), dx, dy);
        PlaceCarried(to.left, to.top);
        m_listener.ShowPoint(QPoint(to.left, to.top));
        return;
    }
    const std::vector<int> nudged =
        m_selection.Empty() ? std::vector<int>{m_nCarried} : m_selection.Markers();
    if (nudged.front() < 0)
        return;
    std::vector<MarkerMoves::Move> moves;
    for (int i : nudged) {
        const Rect from = m_surface.MarkerRect(i);
        moves.push_back({i, from, Shifted(from, dx, dy)});
    }
    // The read-outs follow the selected marker added last, as its name does.
    const Rect shown = moves.back().to;
    PushStep(new MarkerMoves(m_surface, std::move(moves),
                             {m_nNudgeRun, m_selection.Count() > 1, nudged.back()}));
    m_listener.ShowPoint(QPoint(shown.left, shown.top));
}

bool MarkerCarry::PlaceAt(const QPoint& topLeft) {
    const int i = m_nCarried;
    if (i < 0)
        return false;
    if (Carrying()) {
        PlaceCarried(topLeft.x(), topLeft.y());
        Drop();
    } else {
        const Rect from = m_surface.MarkerRect(i);
        const Rect to = At(from, topLeft.x(), topLeft.y());
        EndNudgeRun();
        if (to != from)
            PushStep(new MarkerMoves(m_surface, {{i, from, to}}, {-1, false, i}));
    }
    m_listener.ShowPoint(topLeft);
    return true;
}

void MarkerCarry::MoveSelectionBy(int dx, int dy) {
    if (Carrying() || m_selection.Empty())
        return;
    EndNudgeRun();
    if (dx != 0 || dy != 0)
        Nudge(dx, dy);
    EndNudgeRun();
}

bool MarkerCarry::Mirror(bool acrossVerticalLine, MirrorRefusal* why) {
    if (!Carrying())
        return true;
    const PictureLayout& picture = PictureOf(m_nCarried);
    const QSize size = m_listener.ShownPictureSize(picture.controlId);
    const std::optional<Point> placed = LastPlacedOn(picture);
    const auto refuse = [why](MirrorRefusal refusal) {
        if (why)
            *why = refusal;
        return false;
    };
    if (size.isEmpty())
        return refuse(MirrorRefusal::NoPicture);
    if (!placed)
        return refuse(MirrorRefusal::NothingPlaced);
    // In the picture's file coordinates, W x H pixels: (x, H - 1 - y) across
    // the horizontal line, (W - 1 - x, y) across the vertical one. Positions
    // can come from any file, so the sums are taken wide; a point off the
    // picture is refused.
    const int64_t x = acrossVerticalLine ? int64_t{size.width()} - 1 - placed->x : placed->x;
    const int64_t y = acrossVerticalLine ? placed->y : int64_t{size.height()} - 1 - placed->y;
    if (x < 0 || x >= size.width() || y < 0 || y >= size.height())
        return refuse(MirrorRefusal::OffPicture);
    const Point at = picture.FileToClient({static_cast<int32_t>(x), static_cast<int32_t>(y)});
    PlaceCarried(at.x, at.y);
    Drop();
    m_listener.ShowPoint(QPoint(at.x, at.y));
    return true;
}

std::optional<Point> MarkerCarry::LastPlacedOn(const PictureLayout& picture) const {
    // The newest step of the history (undone steps left out) that placed a
    // marker of this picture onto it, where that marker still stands: of a
    // step's markers, the one it placed first, then those moved with it.
    for (int k = m_history.index() - 1; k >= 0; --k) {
        const auto& step = static_cast<const MarkerMoves&>(*m_history.command(k));
        if (step.Lead() < 0)
            continue;
        std::vector<MarkerMoves::Move> moves = step.Moves();
        std::stable_partition(moves.begin(), moves.end(), [&step](const MarkerMoves::Move& m) {
            return m.marker == step.Lead();
        });
        for (const MarkerMoves::Move& m : moves) {
            const Point file = picture.ClientToFile({m.to.left, m.to.top});
            if (picture.Holds(m.marker) && StandsFor(m.marker) == m.to && file.y < kOnPictureLimit)
                return file;
        }
    }
    return std::nullopt;
}

Rect MarkerCarry::StandsFor(int i) const {
    if (Carrying() && i == m_nCarried)
        return m_rcPickedUp;
    for (const CarriedAlong& along : m_carriedAlong)
        if (Carrying() && along.marker == i)
            return along.pickedUp;
    return m_surface.MarkerRect(i);
}

const MarkerMoves* MarkerCarry::Undo() {
    // A carry is not a step yet: undoing it puts the markers back.
    if (Carrying()) {
        Cancel();
        return nullptr;
    }
    EndNudgeRun();
    if (!m_history.canUndo())
        return nullptr;
    const auto& step = static_cast<const MarkerMoves&>(*m_history.command(m_history.index() - 1));
    m_nMovingTogether = step.MovedTogether();
    m_history.undo();
    m_nMovingTogether = 0;
    ShowStep(step);
    return &step;
}

const MarkerMoves* MarkerCarry::Redo() {
    if (Carrying())
        return nullptr;
    EndNudgeRun();
    if (!m_history.canRedo())
        return nullptr;
    const auto& step = static_cast<const MarkerMoves&>(*m_history.command(m_history.index()));
    m_nMovingTogether = step.MovedTogether();
    m_history.redo();
    m_nMovingTogether = 0;
    ShowStep(step);
    return &step;
}

void MarkerCarry::ShowStep(const MarkerMoves& step) {
    // As after a nudge: the corner of the marker the step moved alone.
    const int i = step.SoleMarker();
    if (i >= 0) {
        const Rect rc = m_surface.MarkerRect(i);
        m_listener.ShowPoint(QPoint(rc.left, rc.top));
    }
}

void MarkerCarry::RecordMoves(const std::function<void()>& change) {
    ClearSelection();
    RectArray before{};
    for (int i = 0; i < kHardpointCount; ++i)
        before[i] = m_surface.MarkerRect(i);
    change();
    std::vector<MarkerMoves::Move> moves;
    for (int i = 0; i < kHardpointCount; ++i)
        if (m_surface.MarkerRect(i) != before[i])
            moves.push_back({i, before[i], m_surface.MarkerRect(i)});
    if (!moves.empty())
        PushStep(new MarkerMoves(m_surface, std::move(moves)));
}

void MarkerCarry::RecordDrop() {
    std::vector<MarkerMoves::Move> moves;
    const Rect to = m_surface.MarkerRect(m_nCarried);
    if (to != m_rcPickedUp)
        moves.push_back({m_nCarried, m_rcPickedUp, to});
    for (const CarriedAlong& along : m_carriedAlong)
        if (m_surface.MarkerRect(along.marker) != along.pickedUp)
            moves.push_back({along.marker, along.pickedUp, m_surface.MarkerRect(along.marker)});
    if (!moves.empty())
        PushStep(new MarkerMoves(m_surface, std::move(moves),
                                 {-1, !m_carriedAlong.empty(), m_nCarried}));
}

void MarkerCarry::PushStep(MarkerMoves* step) {
    m_nMovingTogether = step->MovedTogether();
    m_history.push(step);
    m_nMovingTogether = 0;
}

void MarkerCarry::NewShip() {
    if (Carrying())
        Cancel();
    m_history.clear();
    ClearSelection();
    m_carriedAlong.clear();
    m_nCarried = -1;
}

} // namespace pelto5
