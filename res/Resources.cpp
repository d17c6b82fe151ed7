#include "Resources.h"

#include "RawImage.h"

#include <QHash>
#include <QPixmap>
#include <QResource>

#include <cstring>
#include <mutex>

// The resource data lives in this static library; register it on first use so
// that callers need no Q_INIT_RESOURCE of their own. Must sit outside a namespace.
static void RegisterPelto5Resources() {
    Q_INIT_RESOURCE(pelto5_raw);
}

namespace pelto5 {
namespace {

void EnsureRegistered() {
    static std::once_flag once;
    std::call_once(once, RegisterPelto5Resources);
}

constexpr int kIconSizes[] = {16, 32, 48};

// The picture stored raw at path, or a null image. Its rows stay where the
// program's data holds them: nothing is decoded, converted or copied.
QImage RawPicture(const QString& path) {
    EnsureRegistered();
    const QResource resource(path);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < qint64{sizeof(RawImageHeader)})
        return {};
    RawImageHeader header{};
    std::memcpy(&header, resource.data(), sizeof header);
    const qint64 rows = qint64{header.bytesPerLine} * header.height;
    if (std::memcmp(header.magic, kRawImageMagic, sizeof header.magic) != 0 ||
        resource.size() != qint64{sizeof header} + rows)
        return {};
    const uchar* pixels = resource.data() + sizeof header;
    const QImage image(pixels, static_cast<int>(header.width), static_cast<int>(header.height),
                       static_cast<qsizetype>(header.bytesPerLine),
                       static_cast<QImage::Format>(header.format));
    // Rows of 32-bit pixels must start on a word; embedded data that does not gets its own copy.
    return reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0 ? image : image.copy();
}

// Each picture is looked up once: every window that opens asks for its faces
// and icon again. A missing one is remembered as a null image.
QImage Cached(QHash<int, QImage>& cache, int key, const QString& path) {
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    const QImage image = RawPicture(path);
    cache.insert(key, image);
    return image;
}

} // namespace

QImage ResourceBitmap(int id) {
    static QHash<int, QImage> bitmaps;
    return Cached(bitmaps, id, QStringLiteral(":/pelto5/bitmaps/%1.raw").arg(id));
}

QIcon ResourceIcon(int id) {
    static QHash<int, QImage> icons; // keyed by id and size together
    QIcon icon;
    for (int size : kIconSizes) {
        const QImage image = Cached(icons, id * 1000 + size,
                                    QStringLiteral(":/pelto5/icons/%1-%2.raw").arg(id).arg(size));
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
