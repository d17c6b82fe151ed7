#include "ShipPaths.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace pelto5 {

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The entries of folder dir whose names show as shown.
std::vector<std::string> EntriesShownAs(const std::string& dir, const QString& shown) {
    std::vector<std::string> found;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(dir.empty() ? "/" : dir.c_str()),
                                                     &::closedir);
    if (!folder)
        return found;
    while (const dirent* entry = ::readdir(folder.get()))
        if (QFile::decodeName(entry->d_name) == shown)
            found.emplace_back(entry->d_name);
    return found;
}

} // namespace

std::optional<std::string> ChosenPathBytes(const QString& chosen) {
    const std::string direct = QFile::encodeName(chosen).toStdString();
    if (!chosen.contains(QChar::ReplacementCharacter) || Exists(direct))
        return direct;
    std::string path = chosen.startsWith(QLatin1Char('/')) ? "" : ".";
    for (const QString& part : chosen.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const std::string next = path + "/" + QFile::encodeName(part).toStdString();
        if (!part.contains(QChar::ReplacementCharacter) || Exists(next)) {
            path = next;
            continue;
        }
        const std::vector<std::string> entries = EntriesShownAs(path, part);
        if (entries.size() != 1)
            return std::nullopt;
        path += "/" + entries.front();
    }
    return path;
}

std::string AbsolutePathBytes(const std::string& path) {
    if (path.empty() || path.front() == '/')
        return path;
    std::vector<char> cwd(4096);
    while (!::getcwd(cwd.data(), cwd.size()))
        if (errno == ERANGE)
            cwd.resize(cwd.size() * 2);
        else
            return path;
    return std::string(cwd.data()) + "/" + path;
}

QString ShownFileName(const std::string& path) {
    return QFile::decodeName(path.substr(path.rfind('/') + 1).c_str());
}

std::string DroppedShipPath(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile() || !url.fileName().endsWith(QLatin1String(".gf"), Qt::CaseInsensitive))
        return {};
    // The address's escapes are the name's bytes, whatever their encoding.
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

} // namespace pelto5
