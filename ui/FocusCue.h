#pragma once

#include <QRgb>

#include <functional>

class QPainter;
class QPoint;
class QRect;

namespace pelto5 {

// The contrast ratio of two colours as WCAG 2.2 reckons it: the lighter one's
// relative luminance plus 0.05 over the darker one's plus 0.05, from 1 (the
// same) to 21 (black and white).
double ContrastRatio(QRgb a, QRgb b);

// Black or white, whichever stands out more from colour: never less than
// 4.5:1, whatever the colour.
QRgb CueColourOver(QRgb colour);

// The keyboard focus cue: a dotted outline along edge, inside it, one pixel
// on and one off. Each dot is black or white, whichever stands out more from
// the pixel it covers (under gives that pixel's colour), so the cue shows on
// every face: lilac, orange, olive or black.
void DrawFocusCue(QPainter& painter, const QRect& edge,
                  const std::function<QRgb(const QPoint&)>& under);

} // namespace pelto5
