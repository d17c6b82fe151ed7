// No work is lost without the user's say: closing or opening another ship
// asks first about unsaved moves, and a save asks first when another program
// changed the file since it was read.
#include "Pelto5Dlg.h"

#include "ShipPaths.h"

namespace pelto5 {

namespace {

enum SaveChangesAnswer { kSaveChanges, kDiscardChanges };
enum ChangedFileAnswer { kSaveIntoChanged, kOverwrite };

} // namespace

bool Pelto5Dlg::HasUnsavedWork() const {
    const bool carrying = m_nDragState == kCarrying && !m_model.ShipPath().empty();
    return carrying || m_model.HasUnsavedMoves();
}

void Pelto5Dlg::done(int result) {
    if (SettleUnsavedWork())
        QDialog::done(result);
}

bool Pelto5Dlg::SettleUnsavedWork() {
    if (!HasUnsavedWork() || !m_askQuestion)
        return true;
    // The question takes the mouse; a carried marker waits where it is.
    const bool carrying = m_nDragState == kCarrying;
    if (carrying)
        releaseMouse();
    const int answer = m_askQuestion(
        this, QStringLiteral("Save changes to %1?").arg(ShownFileName(m_model.ShipPath())),
        {QStringLiteral("&Save"), QStringLiteral("&Discard"), QStringLiteral("Cancel")});
    if (answer == kSaveChanges) {
        if (carrying)
            DropCarried();
        return SaveShip();
    }
    // Cancelled or discarded, a carry ends where the marker was picked up.
    if (carrying)
        CancelCarry();
    return answer == kDiscardChanges;
}

bool Pelto5Dlg::SaveShip() {
    FileResult saved;
    if (m_model.ChangedOnDisk() && m_askQuestion) {
        const int answer =
            m_askQuestion(this,
                          QStringLiteral("%1 was changed by another program since it was opened.")
                              .arg(ShownFileName(m_model.ShipPath())),
                          {QStringLiteral("&Save into the changed file"),
                           QStringLiteral("&Overwrite"), QStringLiteral("Cancel")});
        if (answer == kSaveIntoChanged)
            saved = m_model.SaveIntoChangedFile();
        else if (answer == kOverwrite)
            saved = m_model.SaveShipFile();
        else
            return false;
    } else {
        saved = m_model.SaveShipFile();
    }
    ShowFailure(saved);
    return saved.ok;
}

} // namespace pelto5
