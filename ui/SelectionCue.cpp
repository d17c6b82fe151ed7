#include "SelectionCue.h"

#include <QPainter>
#include <QRect>

namespace pelto5 {

namespace {

// An L in each corner of the one-pixel ring along rc's edge, arms long
// along the top and bottom and high along the sides.
void DrawCorners(QPainter& painter, const QRect& rc, int arms, int high, const QColor& colour) {
    const int right = rc.right() - arms + 1, bottom = rc.bottom() - high + 1;
    for (const QRect& r :
         {QRect(rc.left(), rc.top(), arms, 1), QRect(right, rc.top(), arms, 1),
          QRect(rc.left(), rc.bottom(), arms, 1), QRect(right, rc.bottom(), arms, 1),
          QRect(rc.left(), rc.top(), 1, high), QRect(rc.right(), rc.top(), 1, high),
          QRect(rc.left(), bottom, 1, high), QRect(rc.right(), bottom, 1, high)})
        painter.fillRect(r, colour);
}

} // namespace

void SelectionCue::Draw(QPainter& painter, const QRect& control) {
    // A third of each side, so that the middle of the face, where its
    // letters are, shows whole.
    const QRect white = control.adjusted(1, 1, -1, -1);
    const int arms = (white.width() + 2) / 3, high = (white.height() + 2) / 3;
    DrawCorners(painter, white, arms, high, Qt::white);
    DrawCorners(painter, white.adjusted(1, 1, -1, -1), arms - 1, high - 1, Qt::black);
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
