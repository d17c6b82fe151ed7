#include "WindowEdge.h"

#include <QPainter>
#include <QWidget>

namespace pelto5 {

void PaintWindowEdge(QWidget& window) {
    QPainter painter(&window);
    painter.setPen(window.palette().color(QPalette::WindowText));
    painter.drawRect(window.rect().adjusted(0, 0, -1, -1));
}

} // namespace pelto5
