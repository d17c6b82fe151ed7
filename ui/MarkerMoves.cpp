#include "MarkerMoves.h"

#include "MarkerSurface.h"

namespace pelto5 {

namespace {

constexpr int kNudgeId = 1;

} // namespace

MarkerMoves::MarkerMoves(MarkerSurface& surface, std::vector<Move> moves, Kind kind, int nudgeRun)
    : m_surface(surface), m_moves(std::move(moves)), m_kind(kind), m_nNudgeRun(nudgeRun) {}

void MarkerMoves::undo() {
    for (const Move& m : m_moves)
        m_surface.MoveMarker(m.marker, m.from);
}

void MarkerMoves::redo() {
    for (const Move& m : m_moves)
        m_surface.MoveMarker(m.marker, m.to);
}

int MarkerMoves::id() const {
    return m_kind == Kind::Nudge ? kNudgeId : -1;
}

bool MarkerMoves::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const MarkerMoves*>(other);
    if (next->PlacedMarker() != PlacedMarker() || next->m_nNudgeRun != m_nNudgeRun)
        return false;
    m_moves.front().to = next->m_moves.front().to;
    return true;
}

} // namespace pelto5
