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

    // nudged names the marker of an arrow-key step: such a step takes in the
    // next arrow-key step of the same marker within the same run of nudges.
    MarkerMoves(MarkerSurface& surface, std::vector<Move> moves, int nudged = -1, int nudgeRun = 0);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    // The marker the step moved when it moved one alone, or -1.
    int SoleMarker() const { return m_moves.size() == 1 ? m_moves.front().marker : -1; }

private:
    MarkerSurface& m_surface;
    std::vector<Move> m_moves;
    int m_nNudged;
    int m_nNudgeRun;
};

// How many steps the history keeps; older ones drop off. A step of all 56
// markers (RESET, CLEAR, PASTE) holds about 2.5 KB (editor_bench measures it).
constexpr int kHistoryLimit = 1000;

} // namespace pelto5
