// Ships dropped onto the window from a file manager.
#include "Pelto5Dlg.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace pelto5 {

namespace {

// The ship file a drop carries, as the system's bytes: exactly one local file
// named *.gf; empty for anything else.
std::string DroppedShip(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile() || !url.fileName().endsWith(QLatin1String(".gf"), Qt::CaseInsensitive))
        return {};
    // The address's escapes are the name's bytes, whatever their encoding.
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

} // namespace

void Pelto5Dlg::dragEnterEvent(QDragEnterEvent* event) {
    // A carried marker holds the mouse; nothing is dropped onto it.
    if (m_nDragState == kIdle && !DroppedShip(event->mimeData()).empty())
        event->acceptProposedAction();
}

void Pelto5Dlg::dropEvent(QDropEvent* event) {
    const std::string ship = DroppedShip(event->mimeData());
    if (m_nDragState != kIdle || ship.empty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended, so that the file manager is not held
    // while a message about the ship is shown.
    QMetaObject::invokeMethod(
        this, [this, ship] { OpenShipFile(ship); }, Qt::QueuedConnection);
}

} // namespace pelto5
