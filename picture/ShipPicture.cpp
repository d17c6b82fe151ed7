#include "ShipPicture.h"

#include "FileSystem.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>

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

// What the header tells of the pixel data, once checked.
struct PictureHeader {
    int bpp = 0;
    // Whether the data can leave pixels unset: RLE data may skip pixels or
    // stop early, and uncompressed rows run out when the palette Qt's reader
    // takes overlaps them.
    bool mayLeaveUnset = false;
};

// Where Qt's reader may start on the pixel data at the latest: after the
// palette it reads whole (as many colours as the header names, or all that
// the depth allows), and the masks of a bit-fields picture.
std::int64_t LatestPixelStart(std::int64_t infoSize, std::int64_t offset, std::uint32_t bpp,
                              std::uint32_t compression, std::int64_t colorsUsed) {
    const std::int64_t entrySize = infoSize == 12 ? 3 : 4;
    const std::int64_t colors = bpp <= 8 && colorsUsed == 0 ? std::int64_t{1} << bpp : colorsUsed;
    const bool masks =
        infoSize == 40 && (compression == kBitFields || compression == kAlphaBitFields);
    return std::max(offset, kFileHeaderSize + infoSize + (masks ? 16 : 0) + colors * entrySize);
}

// Qt's reader trusts a header that promises more rows than the file holds and
// shows uninitialised memory for the missing ones, and it would allocate
// whatever size a header claims; so the header is checked against the bytes
// actually present before anything is decoded.
std::optional<PictureHeader> CheckHeader(const QByteArray& file) {
    const std::int64_t fileSize = file.size();
    if (fileSize < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
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
        return std::nullopt;
    }
    if (fileSize < kFileHeaderSize + infoSize)
        return std::nullopt;
    const qsizetype info = kFileHeaderSize;
    std::int64_t width = 0, height = 0, colorsUsed = 0;
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
        colorsUsed = U32(file, info + 32);
    }
    const bool topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || planes != 1)
        return std::nullopt;
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
        return std::nullopt;
    }
    switch (compression) {
    case kRgb:
        break;
    case kRle8:
        if (bpp != 8 || topDown)
            return std::nullopt;
        break;
    case kRle4:
        if (bpp != 4 || topDown)
            return std::nullopt;
        break;
    case kBitFields:
    case kAlphaBitFields:
        if (bpp != 16 && bpp != 32)
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    // The decoded picture is 32 bits a pixel whatever the file holds.
    if (width * height * 4 > kLimitBytes)
        return std::nullopt;
    if (offset < kFileHeaderSize + infoSize || offset >= fileSize)
        return std::nullopt;
    if (compression == kRle8 || compression == kRle4)
        return PictureHeader{static_cast<int>(bpp), true};
    const std::int64_t pixelBytes = ((width * bpp + 31) / 32) * 4 * height;
    if (fileSize < offset + pixelBytes)
        return std::nullopt;
    const std::int64_t start = LatestPixelStart(infoSize, offset, bpp, compression, colorsUsed);
    return PictureHeader{static_cast<int>(bpp), fileSize < start + pixelBytes};
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

QImage DecodePlain(QByteArray& bytes) {
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

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

// A palette index the data cannot set: every index of a 4-bit picture is
// below 16, and an 8-bit picture sets only byte values its file holds. -1
// when every value may be set.
int IndexNeverSet(const QByteArray& bytes, int bpp) {
    if (bpp == 4)
        return 0xFF;
    if (bpp != 8)
        return -1;
    std::array<bool, 256> held{};
    for (const char byte : bytes)
        held[static_cast<unsigned char>(byte)] = true;
    const auto unheld = std::find(held.begin(), held.end(), false);
    return unheld == held.end() ? -1 : static_cast<int>(unheld - held.begin());
}

// Qt's reader leaves the pixels the data never sets as whatever memory held;
// they show black. Decoded over an index the data cannot set, a pixel that
// keeps it was never set. Where no such index exists, the picture is decoded
// once over zeros and once over ones, and a pixel that differs was never set.
QImage DecodeWithUnsetBlack(QByteArray& bytes, int bpp) {
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
    const int unsetIndex = format == QImage::Format_Indexed8 ? IndexNeverSet(bytes, bpp) : -1;
    QImage first = DecodeFilled(bytes, size, format, unsetIndex >= 0 ? uint(unsetIndex) : 0u);
    if (!first.isNull() && first.format() != format) // the header did not tell the alpha
        first = DecodeFilled(bytes, size, format = first.format(), 0);
    if (first.isNull())
        return {};
    QImage shown = first.convertToFormat(QImage::Format_RGB32);
    if (unsetIndex >= 0 && first.format() == QImage::Format_Indexed8) {
        for (int y = 0; y < size.height(); ++y) {
            const uchar* indices = first.constScanLine(y);
            auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
            for (int x = 0; x < size.width(); ++x)
                if (indices[x] == unsetIndex)
                    row[x] = qRgb(0, 0, 0);
        }
        return shown;
    }
    const QImage ones = DecodeFilled(bytes, size, format, ~0u);
    if (ones.isNull() || ones.format() != first.format())
        return {};
    const qsizetype rowBytes = (qsizetype{size.width()} * first.depth() + 7) / 8;
    for (int y = 0; y < size.height(); ++y) {
        if (std::equal(first.constScanLine(y), first.constScanLine(y) + rowBytes,
                       ones.constScanLine(y)))
            continue;
        auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            if (!SamePixel(first, ones, x, y))
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
    const std::optional<PictureHeader> header = CheckHeader(bytes);
    if (!header)
        return {};
    AllocationLimitScope limit;
    // Most pictures set every pixel, and are decoded once as they stand.
    return header->mayLeaveUnset ? DecodeWithUnsetBlack(bytes, header->bpp) : DecodePlain(bytes);
}

} // namespace pelto5
