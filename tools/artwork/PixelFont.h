#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace pelto5::art {

// A 4 x 6 pixel font (digits, P and H) for faces too small for an outline font.
constexpr int kPixelGlyphWidth = 4;
constexpr int kPixelGlyphHeight = 6;
constexpr int kPixelGlyphGap = 1;

// Width in pixels of text set in the pixel font.
int PixelTextWidth(const QString& text);
// Sets text with its top-left corner at (x, y); unknown characters leave a blank.
void DrawPixelText(QImage& image, int x, int y, const QString& text, const QColor& color);
// Sets text one character under another, the first with its top-left corner at (x, y).
void DrawPixelColumn(QImage& image, int x, int y, const QString& text, const QColor& color);

} // namespace pelto5::art
