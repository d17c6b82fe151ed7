#include "FocusCue.h"

#include <QPainter>
#include <QPolygon>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace pelto5 {

namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(QRgb colour) {
    return 0.2126 * Linear(qRed(colour)) + 0.7152 * Linear(qGreen(colour)) +
           0.0722 * Linear(qBlue(colour));
}

// The edge's pixels in order round it, clockwise from the top-left corner.
QPolygon EdgePixels(const QRect& edge) {
    QPolygon pixels;
    const int left = edge.left(), top = edge.top(), right = edge.right(), bottom = edge.bottom();
    for (int x = left; x <= right; ++x)
        pixels << QPoint(x, top);
    for (int y = top + 1; y <= bottom; ++y)
        pixels << QPoint(right, y);
    if (bottom > top)
        for (int x = right - 1; x >= left; --x)
            pixels << QPoint(x, bottom);
    if (right > left)
        for (int y = bottom - 1; y > top; --y)
            pixels << QPoint(left, y);
    return pixels;
}

} // namespace

double ContrastRatio(QRgb a, QRgb b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QRgb CueColourOver(QRgb colour) {
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    return ContrastRatio(colour, black) >= ContrastRatio(colour, white) ? black : white;
}

void DrawFocusCue(QPainter& painter, const QRect& edge,
                  const std::function<QRgb(const QPoint&)>& under) {
    if (edge.isEmpty())
        return;
    QPolygon dark, light;
    const QPolygon pixels = EdgePixels(edge);
    for (int k = 0; k < pixels.size(); k += 2)
        (CueColourOver(under(pixels[k])) == qRgb(0, 0, 0) ? dark : light) << pixels[k];
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPoints(dark);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPoints(light);
    painter.restore();
}

} // namespace pelto5
