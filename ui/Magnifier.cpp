#include "Magnifier.h"

#include "Colours.h"
#include "DialogFont.h"
#include "HardpointTable.h"
#include "MarkerSurface.h"
#include "PictureLayout.h"
#include "WholePixels.h"
#include "WindowEdge.h"
#include "WindowPlacement.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace pelto5 {

namespace {

// The room between the window's edge and the view, and under the view.
constexpr int kMargin = 3;
constexpr int kTextGap = 2;
// The view spans kCells blocks and the grid line after the last.
constexpr int kViewSize = Magnifier::kCells * Magnifier::kZoom + 1;

} // namespace

Magnifier::Magnifier(QWidget* owner, const MarkerSurface& markers, const MagnifierSource& source)
    : QWidget(owner, Qt::Tool), m_owner(owner), m_markers(markers), m_source(source) {
    setWindowTitle(tr("Magnifier"));
    setAccessibleName(tr("Magnifier"));
    setFont(DialogFont());
    // The editor window keeps the keys while the magnifier comes and goes.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::StrongFocus);
    owner->installEventFilter(this);
}

void Magnifier::Toggle() {
    if (isVisible()) {
        hide();
        m_owner->activateWindow();
        return;
    }
    Place();
    show();
    setAccessibleDescription(CentreText());
}

void Magnifier::Follow(const QPoint& centre, const QPoint& cursor) {
    if (centre == m_ptCentre && cursor == m_ptCursor)
        return;
    m_ptCentre = centre;
    m_ptCursor = cursor;
    if (isVisible()) {
        setAccessibleDescription(CentreText());
        update();
    }
}

void Magnifier::Refresh() {
    if (isVisible())
        update();
}

QString Magnifier::CentreText() const {
    const PictureLayout& picture = CentrePicture();
    const Point at = picture.ClientToPicture({m_ptCentre.x(), m_ptCentre.y()});
    return tr("%1 %2,%3").arg(QLatin1String(picture.name)).arg(at.x).arg(at.y);
}

const PictureLayout& Magnifier::CentrePicture() const {
    return ReadoutPictureAt(m_ptCentre.x());
}

QPoint Magnifier::ViewOrigin() const {
    const Point centre = CentrePicture().ClientToPicture({m_ptCentre.x(), m_ptCentre.y()});
    return QPoint(centre.x, centre.y) - QPoint(kCells / 2, kCells / 2);
}

QRect Magnifier::ViewRect() const {
    return QRect(kMargin, kMargin, kViewSize, kViewSize);
}

QList<QPair<int, QRect>> Magnifier::MarkersInView() const {
    const PictureLayout& picture = CentrePicture();
    const QPoint origin = ViewOrigin();
    QList<QPair<int, QRect>> inView;
    for (int i = 0; i < kHardpointCount; ++i) {
        const Rect marker = m_markers.MarkerRect(i);
        const Point at = picture.ClientToPicture({marker.left, marker.top});
        const QRect cells = QRect(at.x, at.y, marker.Width(), marker.Height()).translated(-origin);
        if (cells.intersects(QRect(0, 0, kCells, kCells)))
            inView.push_back({i, cells});
    }
    return inView;
}

QImage Magnifier::DrawView(const QSize& deviceSize, int cell, const QPoint& gridOffset) const {
    QImage view(deviceSize, QImage::Format_RGB32);
    view.fill(ToQColor(kBlack));
    auto cells = [&](const QRect& r) {
        return QRect(gridOffset + r.topLeft() * cell, r.size() * cell);
    };
    QPainter painter(&view);
    // Each picture pixel a whole block inside its grid lines; the grid and
    // what lies off the picture stay black.
    const QImage picture = m_source.ShownPicture(CentrePicture().controlId);
    const QPoint origin = ViewOrigin();
    for (int y = 0; y < kCells; ++y)
        for (int x = 0; x < kCells; ++x)
            if (picture.valid(origin + QPoint(x, y)))
                painter.fillRect(cells(QRect(x, y, 1, 1)).adjusted(1, 1, 0, 0),
                                 QColor(picture.pixel(origin + QPoint(x, y))));
    // Outlines two pixels wide: along the grid lines round the blocks they
    // hold, and just inside them.
    auto outline = [&painter](const QRect& r, const QColor& along, const QColor& inside) {
        painter.setPen(along);
        painter.drawRect(r);
        painter.setPen(inside);
        painter.drawRect(r.adjusted(1, 1, -1, -1));
    };
    // Carried markers in orange; selected ones white round black, as their
    // cue on the markers, one of the two standing out on any picture.
    const QList<int> marked = m_source.MarkedMarkers();
    const QList<int> selected = m_source.SelectedMarkers();
    for (const auto& [i, r] : MarkersInView()) {
        if (marked.contains(i))
            outline(cells(r), ToQColor(kOrange), ToQColor(kOrange));
        else if (selected.contains(i))
            outline(cells(r), Qt::white, Qt::black);
        else
            outline(cells(r), ToQColor(kLilac), ToQColor(kLilac));
    }
    const Point cursor = CentrePicture().ClientToPicture({m_ptCursor.x(), m_ptCursor.y()});
    const QRect cursorCell = cells(QRect(QPoint(cursor.x, cursor.y) - origin, QSize(1, 1)));
    outline(cursorCell, ToQColor(kLilac), ToQColor(kBlack));
    // Where each carried marker's top-left would drop, a dark ring inside
    // the orange one setting it off any picture.
    for (int i : marked) {
        const Rect marker = m_markers.MarkerRect(i);
        const Point at = CentrePicture().ClientToPicture({marker.left, marker.top});
        const QRect drop = cells(QRect(QPoint(at.x, at.y) - origin, QSize(1, 1)));
        outline(drop, ToQColor(kOrange), ToQColor(kOrange));
        painter.setPen(ToQColor(kBlack));
        painter.drawRect(drop.adjusted(2, 2, -2, -2));
    }
    return view;
}

void Magnifier::paintEvent(QPaintEvent*) {
    PaintView();
    PaintWindowEdge(*this);
}

void Magnifier::PaintView() {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());

    // The view in whole device pixels: each picture pixel as many device
    // pixels as the scale gives it whole, centred in the view's room.
    const qreal scale = painter.deviceTransform().m11();
    const QRect view = ViewRect();
    const DeviceSpan columns = DeviceSpanOf(view.left(), view.right() + 1, scale);
    const DeviceSpan rows = DeviceSpanOf(view.top(), view.bottom() + 1, scale);
    const QSize deviceSize(columns.end - columns.first, rows.end - rows.first);
    const int cell = std::max(kZoom, static_cast<int>(std::floor(kZoom * scale)));
    const int grid = kCells * cell + 1;
    const QPoint gridOffset((deviceSize.width() - grid) / 2, (deviceSize.height() - grid) / 2);
    const QPoint deviceTopLeft(columns.first, rows.first);
    DrawInDevicePixels(painter, DrawView(deviceSize, cell, gridOffset), deviceTopLeft);

    // Each marker's name at the foot of what shows of it, away from its
    // top-left corner, the point it places.
    const QFontMetrics metrics(font());
    auto toClient = [&](const QPoint& device) {
        return QPointF(device + deviceTopLeft + gridOffset) / scale;
    };
    painter.setPen(palette().color(QPalette::WindowText));
    for (const auto& [i, r] : MarkersInView()) {
        const QRect shown = r & QRect(0, 0, kCells, kCells);
        const QRectF area(toClient(shown.topLeft() * cell + QPoint(1, 1)),
                          toClient((shown.bottomRight() + QPoint(1, 1)) * cell));
        const QString name = m_source.MarkerName(i);
        QRectF label(area.left() + 1, area.bottom() - metrics.height(),
                     metrics.horizontalAdvance(name) + 2, metrics.height());
        painter.save();
        painter.setClipRect(area & QRectF(view));
        painter.fillRect(label, palette().window());
        painter.drawText(label, Qt::AlignCenter, name);
        painter.restore();
    }
    painter.drawText(QRect(kMargin, view.bottom() + 1 + kTextGap, view.width(), metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, CentreText());
}

void Magnifier::Place() {
    // Sized when placed, not when made: its text line's height needs the
    // dialog font, which the editor's start need not wait for.
    setFixedSize(2 * kMargin + kViewSize,
                 2 * kMargin + kViewSize + kTextGap + QFontMetrics(font()).height());
    // Clear of the pictures, and of the editor's other windows beside it.
    QList<QRect> keepClear;
    for (const PictureLayout* picture : {&kVlPicture, &kTiPicture}) {
        const Rect r = m_markers.ControlRect(picture->controlId);
        keepClear.push_back(
            QRect(m_owner->mapToGlobal(QPoint(r.left, r.top)), QSize(r.Width(), r.Height())));
    }
    for (const QWidget* other : m_owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->isWindow() && other->isVisible())
            keepClear.push_back(other->frameGeometry());
    move(BesideTopLeft(frameGeometry().size(), m_owner->frameGeometry(), keepClear,
                       m_owner->screen()->availableGeometry()));
}

bool Magnifier::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_owner && isVisible() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        Place();
    return QWidget::eventFilter(watched, event);
}

void Magnifier::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape ||
        (event->key() == Qt::Key_L && event->modifiers() == Qt::NoModifier))
        Toggle();
    else
        QWidget::keyPressEvent(event);
}

} // namespace pelto5
