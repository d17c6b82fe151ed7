#pragma once

#include "WholePixels.h"

#include <QLabel>

namespace pelto5 {

// A ship picture's control: a label that shows its picture at its own size,
// its top-left fixed, transparent to the mouse. On a scaled screen it draws
// the picture in whole device pixels, so that every device pixel shows the
// picture pixel a pointer over it means.
class PictureView : public QLabel {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WholePixelPicture m_whole;
};

} // namespace pelto5
