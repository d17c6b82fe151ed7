#include "WindowPlacement.h"

#include <algorithm>
#include <tuple>

namespace pelto5 {

namespace {

// How much of a lies over b.
qint64 Overlap(const QRect& a, const QRect& b) {
    const QRect both = a & b;
    return both.isEmpty() ? 0 : qint64{both.width()} * both.height();
}

} // namespace

QPoint PlacedTopLeft(const QSize& window, const QRect& available) {
    QRect placed(QPoint(), window);
    placed.moveCenter(available.center());
    if (window.width() > available.width())
        placed.moveRight(available.right());
    if (window.height() > available.height())
        placed.moveTop(available.top());
    return placed.topLeft();
}

QPoint KeptWithin(const QSize& size, const QPoint& at, const QRect& available) {
    return QPoint(
        std::max(available.left(), std::min(at.x(), available.right() + 1 - size.width())),
        std::max(available.top(), std::min(at.y(), available.bottom() + 1 - size.height())));
}

QPoint BesideTopLeft(const QSize& size, const QRect& window, const QList<QRect>& keepClear,
                     const QRect& available) {
    auto within = [&](const QPoint& at) { return KeptWithin(size, at, available); };
    const QPoint right(window.right() + 1, window.top());
    for (const QPoint& beside : {right, QPoint(window.left() - size.width(), window.top()),
                                 QPoint(window.left(), window.bottom() + 1),
                                 QPoint(window.left(), window.top() - size.height())}) {
        const QPoint at = within(beside);
        const QRect placed(at, size);
        if (!placed.intersects(window) &&
            std::none_of(keepClear.begin(), keepClear.end(),
                         [&](const QRect& r) { return placed.intersects(r); }))
            return at;
    }
    auto cost = [&](const QPoint& at) {
        const QRect placed(at, size);
        qint64 overClear = 0;
        for (const QRect& r : keepClear)
            overClear += Overlap(placed, r);
        return std::make_tuple(overClear, Overlap(placed, window), (at - right).manhattanLength());
    };
    QPoint best = within(right);
    auto bestCost = cost(best);
    constexpr int kStep = 8;
    for (int y = available.top(); y <= available.bottom(); y += kStep)
        for (int x = available.left(); x <= available.right(); x += kStep) {
            const QPoint at = within(QPoint(x, y));
            const auto atCost = cost(at);
            if (atCost < bestCost) {
                best = at;
                bestCost = atCost;
            }
        }
    return best;
}

} // namespace pelto5
