#include "DialogFont.h"

#include <QStringList>

namespace pelto5 {

QFont DialogFont() {
    QFont font(QStringLiteral("PT Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    return font;
}

QFont ReadoutFont() {
    // Liberation Sans Narrow, of the same widths, stands in for the narrow
    // face; named next, it is found without asking fontconfig for a fallback.
    // At 20 pixels its cell is 22 high; the stretch is relative to a normal
    // width, of which the narrow face already has three quarters.
    QFont font;
    font.setFamilies({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow")});
    font.setStyleHint(QFont::SansSerif, QFont::PreferQuality);
    font.setWeight(QFont::Black);
    font.setPixelSize(20);
    font.setStretch(48);
    return font;
}

} // namespace pelto5
