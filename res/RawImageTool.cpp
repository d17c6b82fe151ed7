// Turns the committed artwork into the raw pictures the program embeds:
//   pelto5_raw_images <in.png> <out.raw> [<in.png> <out.raw> ...]
// Bitmaps become opaque 32-bit rows, icons (their path holds "icons/") keep
// their alpha, premultiplied, as the window system wants them.
#include "RawImage.h"

#include <QFile>
#include <QImage>

#include <cstdio>
#include <cstring>

namespace {

bool Convert(const QString& in, const QString& out) {
    const QImage::Format format = in.contains(QLatin1String("icons/"))
                                      ? QImage::Format_ARGB32_Premultiplied
                                      : QImage::Format_RGB32;
    const QImage image = QImage(in).convertToFormat(format);
    if (image.isNull())
        return false;
    pelto5::RawImageHeader header{};
    std::memcpy(header.magic, pelto5::kRawImageMagic, sizeof header.magic);
    header.width = static_cast<std::uint32_t>(image.width());
    header.height = static_cast<std::uint32_t>(image.height());
    header.bytesPerLine = static_cast<std::uint32_t>(image.bytesPerLine());
    header.format = static_cast<std::uint32_t>(image.format());
    QFile file(out);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool ok = file.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header;
    for (int y = 0; ok && y < image.height(); ++y)
        ok = file.write(reinterpret_cast<const char*>(image.constScanLine(y)),
                        image.bytesPerLine()) == image.bytesPerLine();
    return ok && file.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: pelto5_raw_images <in.png> <out.raw> [...]\n");
        return 2;
    }
    for (int k = 1; k + 1 < argc; k += 2) {
        if (!Convert(QString::fromLocal8Bit(argv[k]), QString::fromLocal8Bit(argv[k + 1]))) {
            std::fprintf(stderr, "pelto5_raw_images: cannot convert %s\n", argv[k]);
            return 1;
        }
    }
    return 0;
}
