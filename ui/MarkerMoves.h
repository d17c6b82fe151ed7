#pragma once

#include "Geometry.h"

#include <QUndoCommand>

#include <vector>

namespace pelto5 {

class MarkerSurface;

// One step of the editor's history: markers moved from where they stood to
// where they went. Undo and redo move markers only; the ship's lines, its
// loaded positions and the copied layout stay as they are.
class MarkerMoves : public QUndoCommand {
public:
    struct Move {
        int marker;
        Rect from;
        Rect to;
    };

    // What a step did: moved the layout (RESET, CLEAR, PASTE), placed one
    // marker (a drop, a typed place, a mirror), or nudged one. A nudge step
    // takes in the next nudge of the same marker within the same run.
    enum class Kind { Layout, Placement, Nudge };

    MarkerMoves(MarkerSurface& surface, std::vector<Move> moves, Kind kind = Kind::Layout,
                int nudgeRun = 0);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    // The marker the step moved when it moved one alone, or -1.
    int SoleMarker() const { return m_moves.size() == 1 ? m_moves.front().marker : -1; }
    // The marker a placement or a run of nudges put somewhere, or -1 for a
    // layout step; and where it put it.
    int PlacedMarker() const { return m_kind == Kind::Layout ? -1 : m_moves.front().marker; }
    const Rect& PlacedAt() const { return m_moves.front().to; }

private:
    MarkerSurface& m_surface;
    std::vector<Move> m_moves;
    Kind m_kind;
    int m_nNudgeRun;
};

// How many steps the history keeps; older ones drop off. A step of all 56
// markers (RESET, CLEAR, PASTE) holds about 2.5 KB (editor_bench measures it).
constexpr int kHistoryLimit = 1000;

} // namespace pelto5
