#include "Resources.h"

#include <QFile>
#include <QHash>

#include <mutex>

// The resource data lives in this static library; register it on first use so
// that callers need no Q_INIT_RESOURCE of their own. Must sit outside a namespace.
static void RegisterPelto5Resources() {
    Q_INIT_RESOURCE(pelto5);
}

namespace pelto5 {
namespace {

void EnsureRegistered() {
    static std::once_flag once;
    std::call_once(once, RegisterPelto5Resources);
}

constexpr int kIconSizes[] = {16, 32, 48};

} // namespace

QImage ResourceBitmap(int id) {
    EnsureRegistered();
    // Decoded once: the faces are loaded again each time a button changes them.
    static QHash<int, QImage> cache;
    const auto it = cache.constFind(id);
    if (it != cache.constEnd())
        return *it;
    const QString path = QStringLiteral(":/pelto5/bitmaps/%1.png").arg(id);
    QImage image;
    if (QFile::exists(path))
        image = QImage(path).convertToFormat(QImage::Format_RGB32);
    cache.insert(id, image);
    return image;
}

QIcon ResourceIcon(int id) {
    EnsureRegistered();
    QIcon icon;
    for (int size : kIconSizes) {
        const QString path = QStringLiteral(":/pelto5/icons/%1-%2.png").arg(id).arg(size);
        if (QFile::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon;
}

QString ResourceString(int id) {
    switch (id) {
    case 101:
        return QStringLiteral("&About Pelto5...");
    default:
        return {};
    }
}

} // namespace pelto5
