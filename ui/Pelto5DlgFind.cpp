// Reaching a marker by name, and dropping a marker at the mirror image of
// the one placed last.
#include "Pelto5Dlg.h"

#include "FindDlg.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QScreen>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace pelto5 {

namespace {

// Where hardpoint i stands, as the find popup lists it.
QString Where(const ShipModel& model, int i) {
    const Rect at = model.RelativeMarkerRect(i, kRelativeToPicture);
    if (at.top >= kOnPictureLimit)
        return QStringLiteral("tray");
    return QStringLiteral("%1 %2,%3")
        .arg(QLatin1String(IsTiGroup(i) ? "TI" : "VL"))
        .arg(at.left)
        .arg(at.top);
}

// A marker edge within the 32-bit range, far enough from its top that the
// marker keeps its size.
int InRange(int64_t v, int size) {
    const int64_t lo = std::numeric_limits<int32_t>::min();
    const int64_t hi = int64_t{std::numeric_limits<int32_t>::max()} - size;
    return static_cast<int>(std::clamp(v, lo, hi));
}

} // namespace

void Pelto5Dlg::OnFind() {
    // The popup takes the mouse itself: a carried marker is dropped first, so
    // that no grab of the window's stands under it.
    if (m_nDragState == kCarrying)
        DropCarried();
    QList<FindDlg::Entry> entries;
    for (int i = 0; i < kHardpointCount; ++i)
        entries.push_back({QString::fromLatin1(m_model.Name(i).c_str()), Where(m_model, i)});
    FindDlg find(entries, this);
    const QPoint pointer = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = this->screen();
    find.PlaceAt(pointer, screen->availableGeometry());
    if (find.exec() != QDialog::Accepted || find.Chosen() < 0 || m_nDragState != kIdle)
        return;
    OnMarkerClicked(kFirstMarkerId + find.Chosen());
}

void Pelto5Dlg::OnMirror(bool acrossVerticalLine) {
    if (m_nDragState != kCarrying)
        return;
    const int ref = m_nLastPlaced;
    const int pictureId = ref >= 0 && IsTiGroup(ref) ? kTiPictureId : kVlPictureId;
    const QLabel* picture = Picture(pictureId);
    if (ref < 0 || picture->pixmap().isNull()) {
        QApplication::beep();
        return;
    }
    // In the picture's saved coordinates, W x H pixels: (x, H - 1 - y) across
    // the horizontal line, (W - 1 - x, y) across the vertical one.
    // A carried reference counts where it was picked up from. Positions can
    // come from any file, so the sums are taken wide and kept in range.
    const Rect placed = ref == m_nLastPicked ? m_rcPickedUp : MarkerRect(ref);
    const Rect origin = ControlRect(pictureId);
    const int64_t shift = IsTiGroup(ref) ? kTiMarkerShift : 0;
    const int64_t atX = int64_t{placed.left} - origin.left;
    const int64_t atY = int64_t{placed.top} - origin.top - shift;
    const QSize size = picture->pixmap().size();
    const int64_t x = acrossVerticalLine ? size.width() - 1 - atX : atX;
    const int64_t y = acrossVerticalLine ? atY : size.height() - 1 - atY;
    const Rect carried = MarkerRect(m_nLastPicked);
    const int left = InRange(origin.left + x, carried.Width());
    const int top = InRange(origin.top + y + shift, carried.Height());
    MoveMarker(m_nLastPicked, {left, top, left + carried.Width(), top + carried.Height()});
    DropCarried();
    ShowPointInReadouts(QPoint(left, top));
}

} // namespace pelto5
