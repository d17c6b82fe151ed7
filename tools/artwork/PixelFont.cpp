#include "PixelFont.h"

#include <array>

namespace pelto5::art {
namespace {

using Glyph = std::array<const char*, kPixelGlyphHeight>;

const Glyph* GlyphFor(QChar c) {
    static const std::array<Glyph, 10> kDigits{{
        {".##.", "#..#", "#..#", "#..#", "#..#", ".##."},
        {".#..", "##..", ".#..", ".#..", ".#..", "###."},
        {".##.", "#..#", "..#.", ".#..", "#...", "####"},
        {"###.", "...#", ".##.", "...#", "...#", "###."},
        {"#..#", "#..#", "####", "...#", "...#", "...#"},
        {"####", "#...", "###.", "...#", "...#", "###."},
        {".##.", "#...", "###.", "#..#", "#..#", ".##."},
        {"####", "...#", "..#.", ".#..", ".#..", ".#.."},
        {".##.", "#..#", ".##.", "#..#", "#..#", ".##."},
        {".##.", "#..#", "#..#", ".###", "...#", ".##."},
    }};
    static const Glyph kP{"###.", "#..#", "#..#", "###.", "#...", "#..."};
    static const Glyph kH{"#..#", "#..#", "####", "#..#", "#..#", "#..#"};
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return &kDigits[static_cast<std::size_t>(c.unicode() - '0')];
    if (c == QLatin1Char('P'))
        return &kP;
    if (c == QLatin1Char('H'))
        return &kH;
    return nullptr;
}

} // namespace

int PixelTextWidth(const QString& text) {
    if (text.isEmpty())
        return 0;
    return static_cast<int>(text.size()) * (kPixelGlyphWidth + kPixelGlyphGap) - kPixelGlyphGap;
}

void DrawPixelText(QImage& image, int x, int y, const QString& text, const QColor& color) {
    const QRgb rgb = color.rgb();
    for (const QChar c : text) {
        if (const Glyph* glyph = GlyphFor(c)) {
            for (int row = 0; row < kPixelGlyphHeight; ++row) {
                for (int col = 0; col < kPixelGlyphWidth; ++col) {
                    const int px = x + col;
                    const int py = y + row;
                    if ((*glyph)[static_cast<std::size_t>(row)][col] == '#' && image.valid(px, py))
                        image.setPixel(px, py, rgb);
                }
            }
        }
        x += kPixelGlyphWidth + kPixelGlyphGap;
    }
}

void DrawPixelColumn(QImage& image, int x, int y, const QString& text, const QColor& color) {
    for (const QChar c : text) {
        DrawPixelText(image, x, y, QString(c), color);
        y += kPixelGlyphHeight + kPixelGlyphGap;
    }
}

} // namespace pelto5::art
