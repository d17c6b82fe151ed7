#pragma once

#include "Geometry.h"

#include <QUndoCommand>

#include <vector>

namespace pelto5 {

class MarkerSurface;

// What moved markers: an arrow key's nudge takes in the next nudge of the
// same markers within the same run; a selection's markers moved together are
// told apart from a command's (RESET, CLEAR, PASTE) or a single marker's move.
struct MoveKind {
    int nudgeRun = -1; // the run of nudges, or -1 for no nudge
    bool together = false;
};

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

    MarkerMoves(MarkerSurface& surface, std::vector<Move> moves, MoveKind kind = {});

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    // The marker the step moved when it moved one alone, or -1.
    int SoleMarker() const { return m_moves.size() == 1 ? m_moves.front().marker : -1; }
    // How many markers of a selection the step moved together; 0 for any other step.
    int MovedTogether() const { return m_kind.together ? static_cast<int>(m_moves.size()) : 0; }

private:
    MarkerSurface& m_surface;
    std::vector<Move> m_moves;
    MoveKind m_kind;
};

// How many steps the history keeps; older ones drop off. A step of all 56
// markers (RESET, CLEAR, PASTE) holds about 2.5 KB (editor_bench measures it).
constexpr int kHistoryLimit = 1000;

} // namespace pelto5
