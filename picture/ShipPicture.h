#pragma once

#include "FileSystem.h"

#include <QImage>
#include <QString>

#include <string>

namespace pelto5 {

// Most memory one ship picture may take once decoded, in megabytes.
constexpr int kShipPictureLimitMB = 64;

// Loads a ship picture (a .bmp) at its own size, in Format_RGB32. A file that
// is missing, truncated, hostile or too large for kShipPictureLimitMB gives a
// null image; the picture control is then left without an image. Pixels the
// file never sets are black.
QImage LoadShipPicture(FileSystem& fs, const QString& path);
// The same for a picture file's bytes, already read.
QImage DecodeShipPicture(const std::string& file);
// The same for a path given as the system's bytes.
QImage LoadShipPicture(FileSystem& fs, const std::string& path);

} // namespace pelto5
