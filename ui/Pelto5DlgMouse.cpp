// Carrying markers, dragging the window by its background, and the read-outs
// that follow the cursor.
#include "Pelto5Dlg.h"

#include "ShipText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

namespace pelto5 {

namespace {

constexpr int kTiReadoutSplit = 645;
constexpr QSize kDragWindowSize(798, 505);

// Integer division truncates toward zero, as the snapping rule wants (-9 snaps to -8).
QPoint Snapped(const QPoint& p, int step) {
    return {p.x() / step * step, p.y() / step * step};
}

bool CanMoveOwnWindow() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

void Pelto5Dlg::OnMarkerClicked(int id) {
    const int i = id - kFirstMarkerId;
    if (i < 0 || i >= kHardpointCount)
        return;
    if (m_nDragState == kIdle) {
        m_strName = QString::fromLatin1(ToUpperCopy(m_model.Name(i)).c_str());
        m_nDragState = kCarrying;
        m_pCarried = m_markers[i];
        m_nLastPicked = i;
        m_rcPickedUp = MarkerRect(i);
        EndNudgeRun();
        StackCarried(true);
        grabMouse();
        PushReadouts();
    } else {
        if (m_nDragState == kCarrying) {
            StackCarried(false);
            RecordDrop();
        }
        m_nDragState = kIdle;
        releaseMouse();
    }
}

void Pelto5Dlg::StackCarried(bool carried) {
    // Carried, the marker shows above the pictures and the other markers, still
    // beneath the command buttons; dropped, it goes back to its place among the
    // markers, beneath those of lower numbers.
    const int i = m_pCarried->Id() - kFirstMarkerId;
    m_pCarried->stackUnder(carried || i == 0 ? m_btnData : m_markers[i - 1]);
}

void Pelto5Dlg::DropCarried() {
    m_nDragState = kIdle;
    releaseMouse();
    StackCarried(false);
    RecordDrop();
    RedrawMarkers();
}

void Pelto5Dlg::CancelCarry() {
    MoveMarker(m_nLastPicked, m_rcPickedUp);
    m_nDragState = kIdle;
    releaseMouse();
    StackCarried(false);
    RedrawMarkers();
}

void Pelto5Dlg::OnReadoutFocus(int) {
    // The coordinate read-outs never keep the focus; the VL picture takes it.
    m_stcVL->setFocus(Qt::OtherFocusReason);
}

void Pelto5Dlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->position().toPoint());
    else
        QDialog::mousePressEvent(event);
}

void Pelto5Dlg::mouseMoveEvent(QMouseEvent* event) {
    QDialog::mouseMoveEvent(event);
    OnMouseMove(event->position().toPoint());
}

void Pelto5Dlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnLButtonUp();
    QDialog::mouseReleaseEvent(event);
}

void Pelto5Dlg::OnLButtonDown(const QPoint& point) {
    PushReadouts();
    if (m_nDragState == kCarrying) {
        DropCarried();
        return;
    }
    m_ptDragStart = point;
    m_nDragState = kDraggingWindow;
    if (!CanMoveOwnWindow()) {
        // The compositor moves windows there; hand it the drag.
        if (QWindow* window = windowHandle())
            window->startSystemMove();
        m_nDragState = kIdle;
    }
}

void Pelto5Dlg::OnMouseMove(const QPoint& point) {
    const QPoint snapped = Snapped(point, m_nSnap);
    if (m_nDragState == kCarrying && m_pCarried) {
        m_pCarried->move(snapped);
    } else if (m_nDragState == kDraggingWindow) {
        // The point under the cursor stays where the press began.
        const QPoint topLeft = frameGeometry().topLeft() - (m_ptDragStart - point);
        setFixedSize(kDragWindowSize);
        move(topLeft);
    }
    ShowPointInReadouts(snapped);
}

void Pelto5Dlg::ShowPointInReadouts(const QPoint& point) {
    m_strWinX = QString::number(point.x());
    m_strWinY = QString::number(point.y());
    const bool onTi = point.x() >= kTiReadoutSplit;
    const QPoint pic = onTi ? QPoint(point.x() - kTiOrigin.x, point.y())
                            : QPoint(point.x() - kVlOrigin.x, point.y() - kVlOrigin.y);
    m_strPicX = QString::number(pic.x());
    m_strPicY = QString::number(pic.y());
    PushReadouts();
}

void Pelto5Dlg::OnLButtonUp() {
    if (m_nDragState == kDraggingWindow)
        m_nDragState = kIdle;
}

} // namespace pelto5
