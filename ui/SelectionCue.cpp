#include "SelectionCue.h"

#include <QPainter>
#include <QRect>

namespace pelto5 {

void SelectionCue::Draw(QPainter& painter, const QRect& control) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    const QRect white = control.adjusted(1, 1, -1, -1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(white.adjusted(0, 0, -1, -1));
    const QRect black = white.adjusted(1, 1, -1, -1);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(black.adjusted(0, 0, -1, -1));
    painter.restore();
}

QString SelectionCue::Described(const QString& place, int selected, int movedTogether) {
    QString words = place;
    if (selected == 1)
        words += tr(", selected");
    else if (selected > 1)
        words += tr(", one of %1 selected").arg(selected);
    if (movedTogether > 1)
        words += tr(", %1 moved together").arg(movedTogether);
    return words;
}

} // namespace pelto5
