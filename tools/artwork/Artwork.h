#pragma once

#include "ResourceIds.h"

#include <QFont>
#include <QImage>

#include <vector>

// Draws every picture the editor loads by resource number. Everything is drawn
// from code with QPainter, so the same build gives the same pixels every time.
// Needs a QGuiApplication (for the font).
namespace pelto5::art {

// Every bitmap number we draw, ascending.
const std::vector<int>& BitmapIds();
// The bitmap with that number, or a null image for a number we do not draw.
QImage DrawBitmap(int id);

// The sizes of the application icon the program embeds.
const std::vector<int>& IconSizes();
// The sizes installed for the desktop (hicolor): those and larger ones.
const std::vector<int>& DesktopIconSizes();
QImage DrawIcon(int size);

// Every bitmap (the skin as it is, the rest at twice their size) with its number
// beneath, and the icon in all its sizes.
QImage DrawContactSheet();

// Liberation Sans Narrow Bold at a pixel size, loaded from Debian's fonts-liberation.
QFont ConsoleFont(int pixelSize);

} // namespace pelto5::art
