#include "PointerPopup.h"

#include "DialogFont.h"
#include "WindowEdge.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace pelto5 {

PointerPopup::PointerPopup(QWidget* parent) : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setFont(DialogFont());
}

void PointerPopup::PlaceAt(const QPoint& pointer, const QRect& available) {
    adjustSize();
    const QSize size = sizeHint().expandedTo(this->size());
    const int x =
        std::max(available.left(), std::min(pointer.x(), available.right() + 1 - size.width()));
    const int y =
        std::max(available.top(), std::min(pointer.y(), available.bottom() + 1 - size.height()));
    move(x, y);
}

void PointerPopup::PlaceAtPointer() {
    const QPoint pointer = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = parentWidget() ? parentWidget()->screen() : this->screen();
    PlaceAt(pointer, screen->availableGeometry());
}

void PointerPopup::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintWindowEdge(*this);
}

} // namespace pelto5
