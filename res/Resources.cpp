#include "Resources.h"

#include <QFile>
#include <QHash>
#include <QPixmap>

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

// Each resource image is decoded once: every window that opens asks for its
// faces and icon again. A missing one is remembered as a null image.
template <typename PathOf>
QImage Cached(QHash<int, QImage>& cache, int key, PathOf pathOf, QImage::Format format) {
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    EnsureRegistered();
    const QString path = pathOf();
    QImage image;
    if (QFile::exists(path))
        image = QImage(path).convertToFormat(format);
    cache.insert(key, image);
    return image;
}

} // namespace

QImage ResourceBitmap(int id) {
    static QHash<int, QImage> bitmaps;
    return Cached(
        bitmaps, id, [id] { return QStringLiteral(":/pelto5/bitmaps/%1.png").arg(id); },
        QImage::Format_RGB32);
}

QIcon ResourceIcon(int id) {
    static QHash<int, QImage> icons; // keyed by id and size together
    QIcon icon;
    for (int size : kIconSizes) {
        const QImage image = Cached(
            icons, id * 1000 + size,
            [id, size] { return QStringLiteral(":/pelto5/icons/%1-%2.png").arg(id).arg(size); },
            QImage::Format_ARGB32_Premultiplied);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
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
