#pragma once

#include <QFont>

namespace pelto5 {

// The fonts the window templates name, as this system stands them in. Each is
// a family and a pixel size fixed once by measuring the fonts Debian packages
// (tests/ui/TemplateTextTest.cpp holds the measurement), so nothing is matched
// or measured at start-up.

// "MS Sans Serif" 8, the font of every dialog template: 13-pixel lines and
// letters about 6 pixels wide on average (dialog base units 6 x 13).
QFont DialogFont();

// The read-outs' "Arial Narrow" in its heaviest weight: characters 5 pixels
// wide on average, a cell as tall as the read-out boxes allow, and every
// hardpoint name in capitals whole between the name read-out's margins.
QFont ReadoutFont();

} // namespace pelto5
