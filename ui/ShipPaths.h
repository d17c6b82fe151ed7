#pragma once

#include <QString>

#include <optional>
#include <string>

class QMimeData;

namespace pelto5 {

// Paths are kept as the bytes the system gave them, so that a ship whose name
// is not valid UTF-8 (an old archive's Latin-1 `Schäd.gf`) opens and saves as
// itself. Qt's names are only for showing.

// The bytes of a name a dialog chose. Letters that could not be shown come
// back as replacement characters; each such part of the path stands for the
// one folder entry that shows as it. Empty when none, or several, do: then no
// file is ever made under a name the user did not choose.
std::optional<std::string> ChosenPathBytes(const QString& chosen);

// path made absolute against the working folder, byte for byte.
std::string AbsolutePathBytes(const std::string& path);

// The last part of a path, as a person reads it.
QString ShownFileName(const std::string& path);

// The ship file a drop carries, as the system's bytes: exactly one local file
// named *.gf; empty for anything else.
std::string DroppedShipPath(const QMimeData* data);

} // namespace pelto5
