#include "WholePixels.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace pelto5 {

namespace {

// For each device pixel of span, the client pixel it lies in, less origin.
std::vector<int> SourceIndexes(const DeviceSpan& span, int origin, qreal scale) {
    std::vector<int> indexes;
    indexes.reserve(static_cast<size_t>(std::max(0, span.end - span.first)));
    for (int d = span.first; d < span.end; ++d)
        indexes.push_back(PixelOfDevice(d, scale) - origin);
    return indexes;
}

QPoint Floor(const QPointF& p) {
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

} // namespace

PointerPixels::PointerPixels(QWidget* window) : QObject(window), m_window(window) {
    // The window's QWindow comes with its native window, at the latest when shown.
    window->installEventFilter(this);
}

QPoint PointerPixels::PixelAt(const QMouseEvent& event) const {
    // The window's event stands behind this one when both round alike.
    const QPointF& exact =
        m_exact.toPoint() == event.position().toPoint() ? m_exact : event.position();
    return Floor(exact);
}

QPoint PointerPixels::Pixel() const {
    return m_bKnown ? Floor(m_exact) : m_window->mapFromGlobal(QCursor::pos());
}

bool PointerPixels::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_window && (type == QEvent::Show || type == QEvent::WinIdChange)) {
        if (QWindow* window = m_window->windowHandle())
            window->installEventFilter(this);
    } else if (watched != m_window &&
               (type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
                type == QEvent::MouseButtonRelease)) {
        m_exact = static_cast<QMouseEvent*>(event)->position();
        m_bKnown = true;
        if (type == QEvent::MouseMove)
            emit moved(Floor(m_exact));
    }
    return false;
}

int PixelOfDevice(int d, qreal scale) {
    return static_cast<int>(std::floor(d * (qreal(1) / scale)));
}

DeviceSpan DeviceSpanOf(int first, int end, qreal scale) {
    auto firstDeviceOf = [scale](int pixel) {
        int d = static_cast<int>(std::floor(pixel * scale)) - 2;
        while (PixelOfDevice(d, scale) < pixel)
            ++d;
        return d;
    };
    return {firstDeviceOf(first), firstDeviceOf(end)};
}

void DrawInDevicePixels(QPainter& painter, const QImage& image, const QPoint& topLeft) {
    painter.save();
    painter.setWorldTransform(painter.deviceTransform().inverted());
    painter.drawImage(topLeft, image);
    painter.restore();
}

void WholePixelPicture::Draw(QPainter& painter, const QImage& image, const QSize& size) {
    const QTransform device = painter.deviceTransform();
    const qreal scale = device.m11();
    const QPoint origin(qRound(device.dx() / scale), qRound(device.dy() / scale));
    if (image.cacheKey() != m_imageKey || size != m_size || origin != m_origin ||
        scale != m_scale) {
        m_imageKey = image.cacheKey();
        m_size = size;
        m_origin = origin;
        m_scale = scale;
        const QImage source = image.format() == QImage::Format_RGB32 ||
                                      image.format() == QImage::Format_ARGB32_Premultiplied
                                  ? image
                                  : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QSize shown = size.boundedTo(source.size());
        const DeviceSpan columns = DeviceSpanOf(origin.x(), origin.x() + shown.width(), scale);
        const DeviceSpan rows = DeviceSpanOf(origin.y(), origin.y() + shown.height(), scale);
        const std::vector<int> sourceX = SourceIndexes(columns, origin.x(), scale);
        const std::vector<int> sourceY = SourceIndexes(rows, origin.y(), scale);
        m_device = QImage(columns.end - columns.first, rows.end - rows.first,
                          QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < m_device.height(); ++y) {
            auto* to = reinterpret_cast<QRgb*>(m_device.scanLine(y));
            // A device row of the same picture row as the one above is its copy.
            if (y > 0 && sourceY[y] == sourceY[y - 1]) {
                std::memcpy(to, m_device.constScanLine(y - 1), m_device.bytesPerLine());
                continue;
            }
            const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(sourceY[y]));
            for (int x = 0; x < m_device.width(); ++x)
                to[x] = from[sourceX[x]];
        }
        m_deviceTopLeft = QPoint(columns.first, rows.first);
    }
    DrawInDevicePixels(painter, m_device, m_deviceTopLeft);
}

} // namespace pelto5
