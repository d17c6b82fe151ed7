#include "SpokenResults.h"

#include "MarkerMoves.h"
#include "ShipModel.h"

namespace pelto5 {

namespace {

QString NameOf(int i, const ShipModel& model) {
    return QString::fromLatin1(model.Name(i).c_str());
}

} // namespace

QString SpokenResults::Opened(const QString& fileName) {
    return tr("Opened %1").arg(fileName);
}

QString SpokenResults::Step(const MarkerMoves* step, bool undone, const ShipModel& model) {
    if (!step)
        return undone ? tr("Nothing to undo") : tr("Nothing to redo");
    const int count = static_cast<int>(step->Moves().size());
    const QString moved = count == 1 ? tr("%1 moved").arg(NameOf(step->SoleMarker(), model))
                                     : tr("%n markers moved", nullptr, count);
    return (undone ? tr("Undone: %1") : tr("Redone: %1")).arg(moved);
}

QString SpokenResults::CarryUndone(int i, const ShipModel& model) {
    return tr("Undone: %1 put back").arg(NameOf(i, model));
}

QString SpokenResults::MirrorRefused(MarkerCarry::MirrorRefusal why) {
    using Refusal = MarkerCarry::MirrorRefusal;
    switch (why) {
    case Refusal::NoPicture:
        return tr("Mirror refused: no picture shown");
    case Refusal::NothingPlaced:
        return tr("Mirror refused: nothing placed on this picture yet");
    case Refusal::OffPicture:
        return tr("Mirror refused: the mirror image lies off the picture");
    case Refusal::None:
        break;
    }
    return {};
}

QString SpokenResults::NothingToPlace() {
    return tr("Nothing to place: no marker picked up yet");
}

} // namespace pelto5
