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
    // next arrow-key step of the same marker.
    MarkerMoves(MarkerSurface& surface, std::vector<Move> moves, int nudged = -1);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    MarkerSurface& m_surface;
    std::vector<Move> m_moves;
    int m_nNudged;
};

} // namespace pelto5
