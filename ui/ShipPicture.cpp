#include "ShipPicture.h"

#include "FileSystem.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace pelto5 {
namespace {

constexpr std::int64_t kMaxSide = 32768;
constexpr std::int64_t kLimitBytes = std::int64_t{kShipPictureLimitMB} * 1024 * 1024;
constexpr std::int64_t kFileHeaderSize = 14;

enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kAlphaBitFields = 6,
};

std::uint32_t U16(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8);
}
std::uint32_t U32(const QByteArray& b, qsizetype at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}
std::int64_t S32(const QByteArray& b, qsizetype at) {
    return static_cast<std::int32_t>(U32(b, at));
}

// Qt's reader trusts a header that promises more rows than the file holds and
// shows uninitialised memory for the missing ones, and it would allocate
// whatever size a header claims; so the header is checked against the bytes
// actually present before anything is decoded.
bool HeaderIsSound(const QByteArray& file) {
    const std::int64_t fileSize = file.size();
    if (fileSize < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M')
        return false;
    const std::int64_t offset = U32(file, 10);
    const std::int64_t infoSize = U32(file, 14);
    switch (infoSize) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        break;
    default:
        return false;
    }
    if (fileSize < kFileHeaderSize + infoSize)
        return false;
    const qsizetype info = kFileHeaderSize;
    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, bpp = 0, compression = kRgb;
    if (infoSize == 12) {
        width = U16(file, info + 4);
        height = U16(file, info + 6);
        planes = U16(file, info + 8);
        bpp = U16(file, info + 10);
    } else {
        width = S32(file, info + 4);
        height = S32(file, info + 8);
        planes = U16(file, info + 12);
        bpp = U16(file, info + 14);
        compression = U32(file, info + 16);
    }
    const bool topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || planes != 1)
        return false;
    switch (bpp) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    switch (compression) {
    case kRgb:
        break;
    case kRle8:
        if (bpp != 8 || topDown)
            return false;
        break;
    case kRle4:
        if (bpp != 4 || topDown)
            return false;
        break;
    case kBitFields:
    case kAlphaBitFields:
        if (bpp != 16 && bpp != 32)
            return false;
        break;
    default:
        return false;
    }
    // The decoded picture is 32 bits a pixel whatever the file holds.
    if (width * height * 4 > kLimitBytes)
        return false;
    if (offset < kFileHeaderSize + infoSize || offset >= fileSize)
        return false;
    if (compression != kRle8 && compression != kRle4) {
        const std::int64_t stride = ((width * bpp + 31) / 32) * 4;
        if (fileSize < offset + stride * height)
            return false;
    }
    return true;
}

// Lowers Qt's process-wide allocation limit for one read and puts it back.
class AllocationLimitScope {
public:
    AllocationLimitScope() : saved_(QImageReader::allocationLimit()) {
        const int lowered =
            saved_ > 0 ? std::min(saved_, kShipPictureLimitMB) : kShipPictureLimitMB;
        QImageReader::setAllocationLimit(lowered);
    }
    ~AllocationLimitScope() { QImageReader::setAllocationLimit(saved_); }
    AllocationLimitScope(const AllocationLimitScope&) = delete;
    AllocationLimitScope& operator=(const AllocationLimitScope&) = delete;

private:
    int saved_;
};

// Decodes the file into an image of the given size and format filled with
// fill: the reader keeps an image of its own size and format, so the pixels
// its data never sets keep the fill.
QImage DecodeFilled(QByteArray& bytes, const QSize& size, QImage::Format format, uint fill) {
    QImage image(size, format);
    if (image.isNull())
        return {};
    image.fill(fill);
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    if (!reader.read(&image) || image.isNull())
        return {};
    return image;
}

bool SamePixel(const QImage& a, const QImage& b, int x, int y) {
    return a.depth() <= 8 ? a.pixelIndex(x, y) == b.pixelIndex(x, y)
                          : a.pixel(x, y) == b.pixel(x, y);
}

// An RLE picture may skip pixels, and a picture whose rows run out leaves the
// rest unset; Qt's reader leaves such pixels as whatever memory held. Decoded
// once over zeros and once over ones, a pixel that differs was never set, and
// it shows black.
QImage DecodeWithUnsetBlack(QByteArray& bytes) {
    QSize size;
    QImage::Format format = QImage::Format_Invalid;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::ReadOnly))
            return {};
        QImageReader header(&buffer, "bmp");
        header.setAutoDetectImageFormat(false);
        // A top-down picture gives its height negative.
        size = QSize(header.size().width(), std::abs(header.size().height()));
        format = header.imageFormat();
    }
    QImage zeros = DecodeFilled(bytes, size, format, 0);
    if (!zeros.isNull() && zeros.format() != format) // the header did not tell the alpha
        zeros = DecodeFilled(bytes, size, format = zeros.format(), 0);
    const QImage ones = DecodeFilled(bytes, size, format, ~0u);
    if (zeros.isNull() || ones.isNull() || ones.format() != zeros.format())
        return {};
    QImage shown = zeros.convertToFormat(QImage::Format_RGB32);
    const qsizetype rowBytes = (qsizetype{size.width()} * zeros.depth() + 7) / 8;
    for (int y = 0; y < size.height(); ++y) {
        if (std::equal(zeros.constScanLine(y), zeros.constScanLine(y) + rowBytes,
                       ones.constScanLine(y)))
            continue;
        auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            if (!SamePixel(zeros, ones, x, y))
                row[x] = qRgb(0, 0, 0);
    }
    return shown;
}

} // namespace

QImage LoadShipPicture(FileSystem& fs, const QString& path) {
    return LoadShipPicture(fs, QFile::encodeName(path).toStdString());
}

QImage LoadShipPicture(FileSystem& fs, const std::string& path) {
    // The checked bytes are the decoded bytes: the file is read once, so it
    // cannot change between the check and the decode. Only a regular file is
    // read, so a pipe or a device named like a picture can neither block nor
    // run on forever.
    std::string file;
    if (fs.ReadAll(path, file) != 0)
        return {};
    return DecodeShipPicture(file);
}

QImage DecodeShipPicture(const std::string& file) {
    QByteArray bytes = QByteArray::fromRawData(file.data(), static_cast<qsizetype>(file.size()));
    if (!HeaderIsSound(bytes))
        return {};
    AllocationLimitScope limit;
    return DecodeWithUnsetBlack(bytes);
}

} // namespace pelto5
