#include "DialogFont.h"

namespace pelto5 {

QFont DialogFont() {
    QFont font(QStringLiteral("PT Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    return font;
}

QFont ReadoutFont() {
    // Fontconfig stands Liberation Sans Narrow, of the same widths, in for the
    // narrow face. At 20 pixels its cell is 22 high; the stretch is relative
    // to a normal width, of which the narrow face already has three quarters.
    QFont font(QStringLiteral("Arial Narrow"));
    font.setStyleHint(QFont::SansSerif, QFont::PreferQuality);
    font.setWeight(QFont::Black);
    font.setPixelSize(20);
    font.setStretch(48);
    return font;
}

} // namespace pelto5
