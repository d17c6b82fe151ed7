#include "CheckCommand.h"

#include "ShipCheck.h"
#include "ShipPicture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <string>
#include <vector>

namespace pelto5 {

namespace {

std::optional<PictureSize> DecodedSize(const std::string& bytes) {
    const QImage image = DecodeShipPicture(bytes);
    if (image.isNull())
        return std::nullopt;
    return PictureSize{image.width(), image.height()};
}

// The ship files under a folder, in a stable order.
std::vector<std::string> ShipsUnder(const QString& folder) {
    std::vector<std::string> ships;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".gf"), Qt::CaseInsensitive))
            ships.push_back(QFile::encodeName(path).toStdString());
    }
    std::sort(ships.begin(), ships.end());
    return ships;
}

std::string Plural(size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

} // namespace

int CheckShips(const QStringList& paths, FileSystem& fs, std::FILE* out, std::FILE* err) {
    bool unreadable = false;
    size_t ships = 0, found = 0;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        std::vector<std::string> files;
        if (info.isDir() && QDir(path).isReadable()) {
            files = ShipsUnder(path);
        } else if (info.isFile() && info.isReadable()) {
            files.push_back(QFile::encodeName(path).toStdString());
        } else {
            std::fprintf(err, "pelto5: %s: %s\n", QFile::encodeName(path).constData(),
                         info.exists() ? "cannot be read" : "no such file or folder");
            unreadable = true;
            continue;
        }
        for (const std::string& ship : files) {
            ++ships;
            for (const Finding& f : CheckShip(fs, ship, DecodedSize)) {
                ++found;
                if (f.line > 0)
                    std::fprintf(out, "%s:%d: %s\n", ship.c_str(), f.line, f.message.c_str());
                else
                    std::fprintf(out, "%s: %s\n", ship.c_str(), f.message.c_str());
            }
        }
    }
    std::fprintf(out, "pelto5: %s checked, %s\n", Plural(ships, "ship").c_str(),
                 Plural(found, "finding").c_str());
    return unreadable ? 2 : (found > 0 ? 1 : 0);
}

} // namespace pelto5
