// Keys beyond the mouse: undo and redo of marker moves, nudging the marker
// picked up last, SAVE and OPEN, finding a marker by name and mirroring.
#include "Pelto5Dlg.h"

#include "MarkerMoves.h"

#include <QShortcut>

namespace pelto5 {

namespace {

constexpr int kSmallNudge = 1;
constexpr int kLargeNudge = 8;

} // namespace

void Pelto5Dlg::CreateKeys() {
    m_history.setUndoLimit(kHistoryLimit);
    // Window-wide keys, whatever control has the focus; a focused control that
    // needs a key itself (edit 1012 its arrows) keeps it.
    auto key = [this](const QKeySequence& sequence, auto handler) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, handler);
    };
    for (const QKeySequence& undo : QKeySequence::keyBindings(QKeySequence::Undo))
        key(undo, [this] { OnUndo(); });
    for (const QKeySequence& redo :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
        key(redo, [this] { OnRedo(); });
    key(QKeySequence::Save, [this] { RunCommand(&Pelto5Dlg::OnSave); });
    key(QKeySequence::Open, [this] { RunCommand(&Pelto5Dlg::OnOpen); });
    key(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { OnFind(); });
    key(QKeySequence(Qt::Key_M), [this] { OnMirror(false); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_M), [this] { OnMirror(true); });
    const struct {
        Qt::Key key;
        int dx, dy;
    } arrows[] = {
        {Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, -1}, {Qt::Key_Down, 0, 1}};
    for (const auto& a : arrows) {
        key(QKeySequence(a.key), [this, a] { OnNudge(a.dx * kSmallNudge, a.dy * kSmallNudge); });
        key(QKeySequence(Qt::SHIFT | a.key),
            [this, a] { OnNudge(a.dx * kLargeNudge, a.dy * kLargeNudge); });
    }
}

void Pelto5Dlg::OnUndo() {
    // A carry is not a step yet: undoing it puts the marker back.
    if (m_nDragState == kCarrying) {
        CancelCarry();
        return;
    }
    EndNudgeRun();
    if (!m_history.canUndo())
        return;
    m_history.undo();
    ShowStepInReadouts(*m_history.command(m_history.index()));
}

void Pelto5Dlg::OnRedo() {
    if (m_nDragState == kCarrying)
        return;
    EndNudgeRun();
    if (!m_history.canRedo())
        return;
    m_history.redo();
    ShowStepInReadouts(*m_history.command(m_history.index() - 1));
}

void Pelto5Dlg::ShowStepInReadouts(const QUndoCommand& step) {
    // As after a nudge: the corner of the marker the step moved alone.
    const int i = static_cast<const MarkerMoves&>(step).SoleMarker();
    if (i >= 0) {
        const Rect rc = MarkerRect(i);
        ShowPointInReadouts(QPoint(rc.left, rc.top));
    }
}

void Pelto5Dlg::EndNudgeRun() {
    ++m_nNudgeRun;
}

void Pelto5Dlg::OnNudge(int dx, int dy) {
    const int i = m_nLastPicked;
    if (i < 0)
        return;
    const Rect from = MarkerRect(i);
    const Rect to{from.left + dx, from.top + dy, from.right + dx, from.bottom + dy};
    // While carried the marker moves alone; its carry becomes a step at the drop.
    if (m_nDragState == kCarrying) {
        MoveMarker(i, to);
    } else {
        m_history.push(new MarkerMoves(*this, {{i, from, to}}, i, m_nNudgeRun));
        NotePlaced(i);
    }
    ShowPointInReadouts(QPoint(to.left, to.top));
}

void Pelto5Dlg::RecordMoves(const std::function<void()>& change) {
    RectArray before{};
    for (int i = 0; i < kHardpointCount; ++i)
        before[i] = MarkerRect(i);
    change();
    std::vector<MarkerMoves::Move> moves;
    for (int i = 0; i < kHardpointCount; ++i)
        if (MarkerRect(i) != before[i])
            moves.push_back({i, before[i], MarkerRect(i)});
    if (!moves.empty())
        m_history.push(new MarkerMoves(*this, std::move(moves)));
}

void Pelto5Dlg::RecordDrop() {
    const Rect to = MarkerRect(m_nLastPicked);
    if (to != m_rcPickedUp)
        m_history.push(new MarkerMoves(*this, {{m_nLastPicked, m_rcPickedUp, to}}));
    NotePlaced(m_nLastPicked);
}

void Pelto5Dlg::NotePlaced(int i) {
    if (m_model.RelativeMarkerRect(i, kRelativeToPicture).top < kOnPictureLimit)
        m_nLastPlaced = i;
}

} // namespace pelto5
