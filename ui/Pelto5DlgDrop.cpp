// Ships dropped onto the window from a file manager.
#include "Pelto5Dlg.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace pelto5 {

namespace {

// The ship file a drop carries: exactly one local file named *.gf; empty for
// anything else.
QString DroppedShip(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile() || !url.fileName().endsWith(QLatin1String(".gf"), Qt::CaseInsensitive))
        return {};
    return url.toLocalFile();
}

} // namespace

void Pelto5Dlg::dragEnterEvent(QDragEnterEvent* event) {
    // A carried marker holds the mouse; nothing is dropped onto it.
    if (m_nDragState == kIdle && !DroppedShip(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Pelto5Dlg::dropEvent(QDropEvent* event) {
    const QString ship = DroppedShip(event->mimeData());
    if (m_nDragState != kIdle || ship.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended, so that the file manager is not held
    // while a message about the ship is shown.
    QMetaObject::invokeMethod(
        this, [this, ship] { OpenShip(ship); }, Qt::QueuedConnection);
}

} // namespace pelto5
