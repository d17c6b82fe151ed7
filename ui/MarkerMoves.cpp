#include "MarkerMoves.h"

#include "MarkerSurface.h"

#include <algorithm>

namespace pelto5 {

namespace {

constexpr int kNudgeId = 1;

} // namespace

MarkerMoves::MarkerMoves(MarkerSurface& surface, std::vector<Move> moves, MoveKind kind)
    : m_surface(surface), m_moves(std::move(moves)), m_kind(kind) {}

void MarkerMoves::undo() {
    for (const Move& m : m_moves)
        m_surface.MoveMarker(m.marker, m.from);
}

void MarkerMoves::redo() {
    for (const Move& m : m_moves)
        m_surface.MoveMarker(m.marker, m.to);
}

int MarkerMoves::id() const {
    return m_kind.nudgeRun >= 0 ? kNudgeId : -1;
}

bool MarkerMoves::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const MarkerMoves*>(other);
    const auto sameMarker = [](const Move& a, const Move& b) { return a.marker == b.marker; };
    if (next->m_kind.nudgeRun != m_kind.nudgeRun ||
        !std::equal(m_moves.begin(), m_moves.end(), next->m_moves.begin(), next->m_moves.end(),
                    sameMarker))
        return false;
    for (size_t k = 0; k < m_moves.size(); ++k)
        m_moves[k].to = next->m_moves[k].to;
    return true;
}

} // namespace pelto5
