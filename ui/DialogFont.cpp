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
    // Bebas Neue Bold, a narrow all-capitals face: at 19 pixels its cell is
    // 23 high, the height of the name and picture read-outs, and squeezed to
    // 68 percent of its width the longest name, "VLWEAPON22", fits between
    // the name read-out's margins (52 of its 56 pixels).
    QFont font(QStringLiteral("Bebas Neue"));
    font.setStyleHint(QFont::SansSerif, QFont::PreferQuality);
    font.setWeight(QFont::Black);
    font.setPixelSize(19);
    font.setStretch(68);
    return font;
}

} // namespace pelto5
