#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace pelto5 {

// The bitmap with resource number id, or a null image when there is none.
QImage ResourceBitmap(int id);
// The icon with resource number id (all its sizes), or a null icon.
QIcon ResourceIcon(int id);
// The string with resource number id, or an empty string.
QString ResourceString(int id);

} // namespace pelto5
