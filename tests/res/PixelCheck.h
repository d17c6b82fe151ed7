#pragma once

// Small pixel helpers shared by the resource tests.
#include <QColor>
#include <QImage>
#include <QRect>

#include <cmath>
#include <map>

namespace pelto5::test {

inline int Luma(QRgb c) {
    return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000;
}

inline bool SameRgb(QRgb a, QRgb b) {
    return (a & 0xFFFFFFu) == (b & 0xFFFFFFu);
}

// The colour that covers the most pixels of rect, black left out.
inline QRgb DominantColor(const QImage& image, const QRect& rect) {
    std::map<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb c = image.pixel(x, y) & 0xFFFFFFu;
            if (c != 0)
                ++counts[c];
        }
    QRgb best = 0;
    int most = 0;
    for (const auto& [color, count] : counts)
        if (count > most) {
            most = count;
            best = color;
        }
    return best;
}

inline int CountPixels(const QImage& image, const QRect& rect, bool (*match)(QRgb, QRgb),
                       QRgb ref) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (match(image.pixel(x, y), ref))
                ++n;
    return n;
}

inline bool Darker(QRgb c, QRgb ref) {
    return Luma(c) < Luma(ref) - 90;
}
inline bool Lighter(QRgb c, QRgb ref) {
    return Luma(c) > Luma(ref) + 70;
}

// Hue in degrees, -1 for greys.
inline int Hue(QRgb c) {
    return QColor::fromRgb(c).hsvHue();
}

inline int HueDistance(int a, int b) {
    const int d = std::abs(a - b) % 360;
    return d > 180 ? 360 - d : d;
}

} // namespace pelto5::test
