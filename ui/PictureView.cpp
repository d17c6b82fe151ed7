#include "PictureView.h"

#include <QPainter>

namespace pelto5 {

PictureView::PictureView(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureView::paintEvent(QPaintEvent* event) {
    if (devicePixelRatioF() == 1 || pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    // Only the part within the window is ever seen: a large picture keeps
    // no device-sized copy of what lies beyond it.
    const QSize seen = pixmap().size().boundedTo(parentWidget()->size() - QSize(x(), y()));
    QPainter painter(this);
    m_whole.Draw(painter, pixmap().toImage(), seen.expandedTo(QSize(0, 0)));
}

} // namespace pelto5
