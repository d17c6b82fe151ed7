#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QSize>

class QMouseEvent;
class QPainter;
class QWidget;

namespace pelto5 {

// On a scaled screen (QT_SCALE_FACTOR, Xft.dpi) each client pixel spans
// several device pixels. The editor's one rule between the two: device pixel d
// lies in client pixel floor(d / scale), computed as Qt computes a pointer
// position (d times the inverse of the scale), so that a pointer anywhere over
// a picture pixel, and every device pixel drawn for it, mean that pixel.

// Where the pointer is over a window, in its client pixels, rounded down.
// A widget's mouse event carries the pointer rounded to the nearest client
// pixel (and at times no exact position at all), so the exact position is
// taken from the window's own event, which Qt hands on just before it.
class PointerPixels : public QObject {
    Q_OBJECT
public:
    // Follows the pointer over window, a top-level widget.
    explicit PointerPixels(QWidget* window);

    // The client pixel the pointer of window's mouse event lies in.
    QPoint PixelAt(const QMouseEvent& event) const;
    // The client pixel the pointer lies in now: where it last moved over the
    // window, or, before it ever did, where the system says it is.
    QPoint Pixel() const;

signals:
    // The pointer moved over the window, or over any control on it, to this
    // client pixel.
    void moved(const QPoint& pixel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QPointF m_exact{-1e9, -1e9};
    bool m_bKnown = false;
};

// The client pixel that device pixel d of a window at the given scale lies in.
int PixelOfDevice(int d, qreal scale);

// The device pixels [first, end) that lie in client pixels [first, end).
struct DeviceSpan {
    int first;
    int end;
};
DeviceSpan DeviceSpanOf(int first, int end, qreal scale);

// Draws image in painter's device pixels, its top-left at device pixel
// topLeft of the window being painted: each pixel of image is one device
// pixel, copied as it is.
void DrawInDevicePixels(QPainter& painter, const QImage& image, const QPoint& topLeft);

// Draws a picture meant for exact pixels (a ship picture, a marker's face) at
// the painter's origin on a scaled screen: every device pixel shows the
// picture pixel its client pixel is, whole and unblended, by the rule above
// (at scale 1 its controls draw as they always did). The device-sized copy
// is kept until the picture, its place or the scale changes.
class WholePixelPicture {
public:
    // Draws image's top-left part of size client pixels.
    void Draw(QPainter& painter, const QImage& image, const QSize& size);

private:
    QImage m_device;
    QPoint m_deviceTopLeft;
    qint64 m_imageKey = 0;
    QSize m_size;
    QPoint m_origin;
    qreal m_scale = 0;
};

} // namespace pelto5
