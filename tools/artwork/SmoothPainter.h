#pragma once

#include <QImage>
#include <QPainter>

namespace pelto5::art {

// The artwork's shapes are drawn with smooth edges; only the skin's read-out boxes are not.
class SmoothPainter : public QPainter {
public:
    explicit SmoothPainter(QImage* image) : QPainter(image) { setRenderHint(Antialiasing, true); }
};

} // namespace pelto5::art
