#include "ShipComparison.h"

#include "ChangesDlg.h"
#include "GhostLayer.h"
#include "MarkerCarry.h"
#include "MarkerPlace.h"
#include "MarkerSurface.h"
#include "ShipFileGuard.h"
#include "ShipModel.h"
#include "ShipPaths.h"
#include "SpokenStatus.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTreeWidget>
#include <QWidget>

#include <cerrno>

namespace pelto5 {

namespace {

QRect ToQRect(const Rect& rc) {
    return QRect(rc.left, rc.top, rc.Width(), rc.Height());
}

} // namespace

ShipComparison::ShipComparison(QWidget* window, ShipModel& model, MarkerSurface& surface,
                               MarkerCarry& carry, ShipFileGuard& guard,
                               std::function<void(int)> pickUp)
    : QObject(window), m_window(window), m_model(model), m_surface(surface), m_carry(carry),
      m_guard(guard), m_pickUp(std::move(pickUp)), m_ghosts(new GhostLayer(window)) {
    window->installEventFilter(this);
}

void ShipComparison::OnCompare() {
    if (m_bComparing) {
        End();
        return;
    }
    // Without a ship there is nothing to compare.
    if (m_model.ShipPath().empty()) {
        QApplication::beep();
        SpokenStatus::Announce(tr("Nothing to compare: no ship open"));
        return;
    }
    const std::optional<std::string> path = m_guard.AskComparedPath(m_model.ShipPath());
    if (!path)
        return;
    ShipFileRead read = m_model.CheckShipFile(*path);
    if (read.ok && !read.bytes)
        read = {FileResult::Failed(FileResult::Problem::ReadFailed, *path, ENOENT), std::nullopt};
    if (!read.ok) {
        m_guard.ShowFailure(read);
        return;
    }
    Start(*path, *read.bytes);
}

void ShipComparison::Start(const std::string& path, const std::string& bytes) {
    m_compared = WrittenPositions(ReadShipLayout(bytes).at);
    m_comparedName = ShownFileName(path);
    m_bComparing = true;
    if (!m_changes) {
        m_changes = new ChangesDlg(m_window);
        connect(m_changes, &ChangesDlg::PickUpRequested, this, &ShipComparison::PickUp);
        connect(m_changes, &ChangesDlg::RevertRequested, this, &ShipComparison::Revert);
        connect(m_changes, &QDialog::finished, this, &ShipComparison::End);
    }
    Refresh();
    m_ghosts->show();
    PlaceChanges();
    m_changes->show();
    m_changes->List()->setFocus(Qt::OtherFocusReason);
    // "Changes" takes the keys once the file dialog's closing has given them
    // back to the window, so that R and Enter work on its rows at once.
    QMetaObject::invokeMethod(
        m_changes, [changes = m_changes] { changes->activateWindow(); }, Qt::QueuedConnection);
}

void ShipComparison::End() {
    if (!m_bComparing)
        return;
    m_bComparing = false;
    m_ghosts->SetGhosts({});
    m_ghosts->hide();
    m_changes->hide();
}

void ShipComparison::MarkersMoved() {
    if (!m_bComparing || m_bRefreshDue)
        return;
    // RESET, CLEAR, PASTE, an open or an undo moves many markers at once.
    m_bRefreshDue = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bRefreshDue = false;
            Refresh();
        },
        Qt::QueuedConnection);
}

void ShipComparison::Refresh() {
    if (!m_bComparing)
        return;
    HardpointPositions now{};
    for (int i = 0; i < kHardpointCount; ++i) {
        const Rect file = m_model.RelativeMarkerRect(i, kRelativeToPicture);
        now[i] = Point{file.left, file.top};
    }
    const std::vector<HardpointChange> changes =
        ChangedHardpoints(m_compared, WrittenPositions(now));
    QVector<GhostLayer::Ghost> ghosts;
    for (const HardpointChange& change : changes)
        ghosts.push_back({ToQRect(ComparedRect(change.hardpoint)),
                          ToQRect(m_surface.MarkerRect(change.hardpoint))});
    m_ghosts->SetGhosts(ghosts);
    m_changes->ShowChanges(m_comparedName, changes);
}

Rect ShipComparison::ComparedRect(int i) const {
    const std::optional<Point>& at = m_compared[i];
    return at ? m_model.MarkerRectAt(i, at->x, at->y) : TrayRects()[i];
}

void ShipComparison::PlaceChanges() {
    const QScreen* screen = m_window->screen();
    if (m_changes && screen)
        m_changes->PlaceBeside(m_window->frameGeometry(), screen->availableGeometry());
}

void ShipComparison::PickUp(int i) {
    // As after the find popup: the editor window takes the keys again.
    if (m_carry.State() != MarkerCarry::DragState::Idle)
        return;
    m_window->activateWindow();
    m_pickUp(i);
}

void ShipComparison::Revert(int i) {
    if (m_carry.Carrying())
        m_carry.Drop();
    const Rect back = ComparedRect(i);
    m_carry.RecordMoves([&] { m_surface.MoveMarker(i, back); });
    Refresh();
    SpokenStatus::Announce(
        tr("Put back: %1, %2")
            .arg(QString::fromLatin1(m_model.Name(i).c_str()), SpokenPlace(m_model, i)));
}

bool ShipComparison::eventFilter(QObject* watched, QEvent* event) {
    // "Changes" keeps beside the window as the window is dragged.
    if (watched == m_window && event->type() == QEvent::Move && m_bComparing)
        PlaceChanges();
    return QObject::eventFilter(watched, event);
}

} // namespace pelto5
