#pragma once

#include "HardpointChanges.h"

#include <QObject>
#include <QString>

#include <functional>

namespace pelto5 {

class ChangesDlg;
class GhostLayer;
class MarkerCarry;
class MarkerSurface;
class ShipFileGuard;
class ShipModel;

// Ctrl+D: compares the ship's markers with another version of the ship file
// (a backup, another ship). Each hardpoint that stands elsewhere there shows
// as a ghost at that place with a line to its marker, and as a row of the
// "Changes" window, from which its marker is picked up or its hardpoint put
// back (one step of the history). Both follow every later move of a marker
// until Ctrl+D again, or closing "Changes", ends the comparison. Comparing
// reads the file and writes nothing.
class ShipComparison : public QObject {
    Q_OBJECT
public:
    // pickUp picks marker i up as a click on it would.
    ShipComparison(QWidget* window, ShipModel& model, MarkerSurface& surface, MarkerCarry& carry,
                   ShipFileGuard& guard, std::function<void(int)> pickUp);

    // The ghosts, a control of the window beneath its markers.
    GhostLayer* Ghosts() const { return m_ghosts; }
    // The "Changes" window, once a comparison made it.
    ChangesDlg* Changes() const { return m_changes; }
    bool Comparing() const { return m_bComparing; }

    // Ctrl+D: asks for a file and compares the ship with it; while
    // comparing, ends the comparison.
    void OnCompare();
    // Some marker moved: the rows and ghosts follow, once for all the moves
    // of one command.
    void MarkersMoved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Start(const std::string& path, const std::string& bytes);
    void End();
    void Refresh();
    void PlaceChanges();
    void PickUp(int i);
    void Revert(int i);
    // Where the compared file puts marker i: at its point there, or in the tray.
    Rect ComparedRect(int i) const;

    QWidget* m_window;
    ShipModel& m_model;
    MarkerSurface& m_surface;
    MarkerCarry& m_carry;
    ShipFileGuard& m_guard;
    std::function<void(int)> m_pickUp;
    GhostLayer* m_ghosts = nullptr;
    ChangesDlg* m_changes = nullptr;
    bool m_bComparing = false;
    bool m_bRefreshDue = false;
    // What a save of the compared file writes, and that file's name as shown.
    HardpointPositions m_compared{};
    QString m_comparedName;
};

} // namespace pelto5
