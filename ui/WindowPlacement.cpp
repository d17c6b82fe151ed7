#include "WindowPlacement.h"

namespace pelto5 {

QPoint PlacedTopLeft(const QSize& window, const QRect& available) {
    QRect placed(QPoint(), window);
    placed.moveCenter(available.center());
    if (window.width() > available.width())
        placed.moveRight(available.right());
    if (window.height() > available.height())
        placed.moveTop(available.top());
    return placed.topLeft();
}

} // namespace pelto5
