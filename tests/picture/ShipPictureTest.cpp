#include "ShipPicture.h"

#include "PosixFileSystem.h"

#include "../ui/TestApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <random>
#include <string>
#include <vector>

namespace pelto5 {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void Poke32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// What a little BMP file is made of. The pixel function gives, for each
// stored pixel, a palette index (up to 8 bits) or a packed value (16, 24 and
// 32 bits, written low byte first).
struct BmpSpec {
    int width = 4;
    int height = 3;
    int bpp = 24;
    bool topDown = false;
    bool os2 = false; // 12-byte core header with 3-byte palette entries
    std::uint32_t infoSize = 40;
    std::uint32_t compression = 0;
    std::vector<QRgb> palette;
    std::vector<std::uint32_t> masks;                 // written after a 40-byte header
    std::function<std::uint32_t(int x, int y)> pixel; // y counts from the top
    Bytes rlePixels;                                  // used instead of pixel() for RLE compression
};

Bytes MakeBmp(const BmpSpec& s) {
    const std::uint32_t infoSize = s.os2 ? 12 : s.infoSize;
    Bytes info;
    Put32(info, infoSize);
    if (s.os2) {
        Put16(info, static_cast<std::uint32_t>(s.width));
        Put16(info, static_cast<std::uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, static_cast<std::uint32_t>(s.bpp));
    } else {
        Put32(info, static_cast<std::uint32_t>(s.width));
        Put32(info, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height));
        Put16(info, 1);
        Put16(info, static_cast<std::uint32_t>(s.bpp));
        Put32(info, s.compression);
        Put32(info, 0);    // image size
        Put32(info, 2835); // 72 dpi
        Put32(info, 2835);
        Put32(info, static_cast<std::uint32_t>(s.palette.size()));
        Put32(info, 0);
        for (std::uint32_t m : s.masks) // the V4/V5 headers hold the masks themselves
            if (infoSize > 40 && info.size() < infoSize)
                Put32(info, m);
        while (info.size() < infoSize)
            info.push_back(0);
    }
    if (infoSize == 40)
        for (std::uint32_t m : s.masks)
            Put32(info, m);
    for (QRgb c : s.palette) {
        info.push_back(static_cast<std::uint8_t>(qBlue(c)));
        info.push_back(static_cast<std::uint8_t>(qGreen(c)));
        info.push_back(static_cast<std::uint8_t>(qRed(c)));
        if (!s.os2)
            info.push_back(0);
    }
    Bytes pixels;
    if (s.compression == 1 || s.compression == 2) {
        pixels = s.rlePixels;
    } else {
        const int stride = ((s.width * s.bpp + 31) / 32) * 4;
        for (int row = 0; row < s.height; ++row) {
            const int y = s.topDown ? row : s.height - 1 - row;
            Bytes line(static_cast<std::size_t>(stride), 0);
            for (int x = 0; x < s.width; ++x) {
                const std::uint32_t v = s.pixel(x, y);
                if (s.bpp < 8) {
                    const int bit = x * s.bpp;
                    const int shift = 8 - s.bpp - (bit % 8);
                    line[static_cast<std::size_t>(bit / 8)] |=
                        static_cast<std::uint8_t>(v << shift);
                } else {
                    for (int i = 0; i < s.bpp / 8; ++i)
                        line[static_cast<std::size_t>(x * (s.bpp / 8) + i)] =
                            static_cast<std::uint8_t>(v >> (8 * i));
                }
            }
            pixels.insert(pixels.end(), line.begin(), line.end());
        }
    }
    Bytes file = {'B', 'M'};
    const std::uint32_t offset = 14 + static_cast<std::uint32_t>(info.size());
    Put32(file, offset + static_cast<std::uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

std::vector<QRgb> Palette(int count) {
    std::vector<QRgb> p;
    for (int i = 0; i < count; ++i)
        p.push_back(qRgb((i * 37) & 0xFF, (i * 91 + 17) & 0xFF, (255 - i * 13) & 0xFF));
    return p;
}

class ShipPictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApp(); }
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Write(const Bytes& bytes, const QString& name = QStringLiteral("pic.bmp")) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }
    QImage Load(const Bytes& bytes) { return LoadShipPicture(RealFileSystem(), Write(bytes)); }

    QTemporaryDir dir_;
};

// Every pixel of the loaded picture is the colour the writer meant.
void ExpectPixels(const QImage& img, int w, int h, const std::function<QRgb(int, int)>& want) {
    ASSERT_FALSE(img.isNull());
    ASSERT_EQ(img.size(), QSize(w, h));
    EXPECT_EQ(img.format(), QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(img.pixel(x, y), want(x, y)) << "at " << x << "," << y;
}

TEST_F(ShipPictureTest, PalettedDepthsLoadTheirColours) {
    for (int bpp : {1, 4, 8}) {
        SCOPED_TRACE(bpp);
        BmpSpec s;
        s.width = 13; // odd widths exercise the row padding
        s.height = 5;
        s.bpp = bpp;
        s.palette = Palette(1 << bpp);
        const int n = 1 << bpp;
        s.pixel = [n](int x, int y) { return static_cast<std::uint32_t>((x * 7 + y * 3) % n); };
        const auto pal = s.palette;
        ExpectPixels(Load(MakeBmp(s)), 13, 5, [&](int x, int y) {
            return pal[static_cast<std::size_t>((x * 7 + y * 3) % n)];
        });
    }
}

TEST_F(ShipPictureTest, TwentyFourAndThirtyTwoBitsLoadTheirColours) {
    auto colour = [](int x, int y) { return qRgb(x * 20, y * 40, 200 - x * 10); };
    for (int bpp : {24, 32}) {
        SCOPED_TRACE(bpp);
        BmpSpec s;
        s.width = 7;
        s.height = 4;
        s.bpp = bpp;
        s.pixel = [&](int x, int y) { return colour(x, y) & 0xFFFFFFu; };
        ExpectPixels(Load(MakeBmp(s)), 7, 4, colour);
    }
}

TEST_F(ShipPictureTest, SixteenBitsIsFiveFiveFive) {
    // Full and empty channels only. A full 5-bit channel reads as 248, as on
    // Windows: the bits are shifted up, not stretched.
    auto on = [](int x, int y, int ch) { return ((x + y * 2) >> ch) & 1; };
    BmpSpec s;
    s.width = 9;
    s.height = 3;
    s.bpp = 16;
    s.pixel = [&](int x, int y) {
        return static_cast<std::uint32_t>((on(x, y, 0) * 31 << 10) | (on(x, y, 1) * 31 << 5) |
                                          (on(x, y, 2) * 31));
    };
    ExpectPixels(Load(MakeBmp(s)), 9, 3, [&](int x, int y) {
        return qRgb(on(x, y, 0) * 248, on(x, y, 1) * 248, on(x, y, 2) * 248);
    });
}

TEST_F(ShipPictureTest, BitFieldsFollowTheirMasks) {
    auto on = [](int x, int y, int ch) { return ((x * 3 + y) >> ch) & 1; };
    BmpSpec s;
    s.width = 6;
    s.height = 4;
    s.bpp = 16;
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.pixel = [&](int x, int y) {
        return static_cast<std::uint32_t>((on(x, y, 0) * 31 << 11) | (on(x, y, 1) * 63 << 5) |
                                          (on(x, y, 2) * 31));
    };
    auto want = [&](int x, int y) {
        return qRgb(on(x, y, 0) * 248, on(x, y, 1) * 252, on(x, y, 2) * 248);
    };
    ExpectPixels(Load(MakeBmp(s)), 6, 4, want);

    // Thirty-two bits with the channels in an unusual order, masks in a V5 header.
    BmpSpec t;
    t.width = 5;
    t.height = 3;
    t.bpp = 32;
    t.compression = 3;
    t.infoSize = 124;
    t.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0};
    auto colour = [](int x, int y) { return qRgb(10 + x * 40, 200 - y * 50, x * y * 9); };
    t.pixel = [&](int x, int y) {
        const QRgb c = colour(x, y);
        return (static_cast<std::uint32_t>(qRed(c)) << 8) |
               (static_cast<std::uint32_t>(qGreen(c)) << 16) |
               (static_cast<std::uint32_t>(qBlue(c)) << 24);
    };
    ExpectPixels(Load(MakeBmp(t)), 5, 3, colour);
}

TEST_F(ShipPictureTest, TopDownRowsComeFirst) {
    BmpSpec s;
    s.width = 3;
    s.height = 4;
    s.topDown = true;
    auto colour = [](int x, int y) { return qRgb(y * 60, x * 100, 7); };
    s.pixel = [&](int x, int y) { return colour(x, y) & 0xFFFFFFu; };
    ExpectPixels(Load(MakeBmp(s)), 3, 4, colour);
}

TEST_F(ShipPictureTest, Os2CoreHeaderLoads) {
    BmpSpec s;
    s.os2 = true;
    s.width = 5;
    s.height = 2;
    s.bpp = 8;
    s.palette = Palette(256);
    s.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x * 50 + y); };
    const auto pal = s.palette;
    ExpectPixels(Load(MakeBmp(s)), 5, 2,
                 [&](int x, int y) { return pal[static_cast<std::size_t>(x * 50 + y)]; });
}

TEST_F(ShipPictureTest, ShipSizedPictureKeepsItsOwnSize) {
    BmpSpec s;
    s.width = 600;
    s.height = 367;
    s.pixel = [](int x, int y) {
        return static_cast<std::uint32_t>((x & 0xFF) | ((y & 0xFF) << 8));
    };
    const QImage img = Load(MakeBmp(s));
    ASSERT_EQ(img.size(), QSize(600, 367));
    // Stored bytes are blue, green, red: x went to blue, y to green.
    EXPECT_EQ(img.pixel(599, 366), qRgb(0, 366 & 0xFF, 599 & 0xFF));
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(300, 200), qRgb(0, 200, 300 & 0xFF));
    EXPECT_EQ(img.pixel(17, 0), qRgb(0, 0, 17)); // the top row is the last one stored
}

// RLE8 rows, bottom row first: a run, an absolute stretch, a delta.
TEST_F(ShipPictureTest, Rle8Decodes) {
    BmpSpec s;
    s.width = 8;
    s.height = 2;
    s.bpp = 8;
    s.compression = 1;
    s.palette = Palette(256);
    s.rlePixels = {
        5, 9, 0, 3, 1, 2, 3, 0, // bottom row: 9 x5, then absolute 1 2 3 (padded)
        0, 0,                   // end of line
        8, 4,                   // top row: 4 x8
        0, 1,                   // end of bitmap
    };
    const auto pal = s.palette;
    ExpectPixels(Load(MakeBmp(s)), 8, 2, [&](int x, int y) {
        static const int bottom[8] = {9, 9, 9, 9, 9, 1, 2, 3};
        return pal[static_cast<std::size_t>(y == 0 ? 4 : bottom[x])];
    });
}

TEST_F(ShipPictureTest, Rle4Decodes) {
    BmpSpec s;
    s.width = 6;
    s.height = 2;
    s.bpp = 4;
    s.compression = 2;
    s.palette = Palette(16);
    s.rlePixels = {
        6, 0x12,                   // bottom row: 1 2 1 2 1 2
        0, 0,    0, 4, 0xAB, 0xCD, // top row: absolute A B C D
        2, 0x77,                   // then 7 7
        0, 1,
    };
    const auto pal = s.palette;
    ExpectPixels(Load(MakeBmp(s)), 6, 2, [&](int x, int y) {
        static const int top[6] = {0xA, 0xB, 0xC, 0xD, 7, 7};
        return pal[static_cast<std::size_t>(y == 0 ? top[x] : (x % 2 ? 2 : 1))];
    });
}

TEST_F(ShipPictureTest, TruncatedRleNeverCrashes) {
    BmpSpec s;
    s.width = 8;
    s.height = 4;
    s.bpp = 8;
    s.compression = 1;
    s.palette = Palette(256);
    s.rlePixels = {8, 1, 0, 0, 8, 2, 0, 0, 8, 3, 0, 0, 8, 4, 0, 1};
    const Bytes full = MakeBmp(s);
    const std::size_t pixelsAt = full.size() - s.rlePixels.size();
    for (std::size_t len = pixelsAt + 1; len < full.size(); ++len) {
        const QImage img = Load(Bytes(full.begin(), full.begin() + static_cast<long>(len)));
        if (!img.isNull()) {
            EXPECT_EQ(img.size(), QSize(8, 4)) << len;
        }
    }
}

TEST_F(ShipPictureTest, EveryShortenedUncompressedFileIsRefused) {
    for (int bpp : {1, 8, 24, 32}) {
        BmpSpec s;
        s.width = 5;
        s.height = 3;
        s.bpp = bpp;
        if (bpp <= 8)
            s.palette = Palette(1 << bpp);
        s.pixel = [bpp](int x, int y) {
            return static_cast<std::uint32_t>(x + y) & ((1u << std::min(bpp, 31)) - 1);
        };
        const Bytes full = MakeBmp(s);
        ASSERT_FALSE(Load(full).isNull()) << bpp;
        for (std::size_t len = 0; len < full.size(); ++len)
            EXPECT_TRUE(Load(Bytes(full.begin(), full.begin() + static_cast<long>(len))).isNull())
                << bpp << " bits cut at " << len;
    }
}

Bytes Valid24() {
    BmpSpec s;
    s.width = 4;
    s.height = 4;
    s.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x * 64 + y); };
    return MakeBmp(s);
}
constexpr std::size_t kWidthAt = 18, kHeightAt = 22, kPlanesAt = 26, kBppAt = 28,
                      kCompressionAt = 30;

TEST_F(ShipPictureTest, LyingDimensionsAreRefused) {
    ASSERT_FALSE(Load(Valid24()).isNull());
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> sizes = {
        {100000, 100000}, {0, 4},     {4, 0},         {0xFFFFFFFF, 4}, {4, 0x80000000},
        {32769, 1},       {1, 32769}, {30000, 30000}, {4, 5}};
    for (auto [w, h] : sizes) {
        Bytes b = Valid24();
        Poke32(b, kWidthAt, w);
        Poke32(b, kHeightAt, h);
        EXPECT_TRUE(Load(b).isNull()) << w << "x" << h;
    }
}

TEST_F(ShipPictureTest, HugeRleHeaderIsRefusedBeforeDecoding) {
    BmpSpec s;
    s.width = 8;
    s.height = 1;
    s.bpp = 8;
    s.compression = 1;
    s.palette = Palette(256);
    s.rlePixels = {8, 1, 0, 1};
    Bytes b = MakeBmp(s);
    ASSERT_FALSE(Load(b).isNull());
    Poke32(b, kWidthAt, 20000);
    Poke32(b, kHeightAt, 20000); // 1.6 GB once decoded
    EXPECT_TRUE(Load(b).isNull());
}

TEST_F(ShipPictureTest, BadHeaderFieldsAreRefused) {
    auto with = [](std::size_t at, std::uint32_t v, bool wide = true) {
        Bytes b = Valid24();
        if (wide)
            Poke32(b, at, v);
        else
            b[at] = static_cast<std::uint8_t>(v), b[at + 1] = static_cast<std::uint8_t>(v >> 8);
        return b;
    };
    EXPECT_TRUE(Load(with(kBppAt, 7, false)).isNull());
    EXPECT_TRUE(Load(with(kBppAt, 0, false)).isNull());
    EXPECT_TRUE(Load(with(kBppAt, 64, false)).isNull());
    EXPECT_TRUE(Load(with(kPlanesAt, 2, false)).isNull());
    for (std::uint32_t c : {4u, 5u, 7u, 11u, 0xFFFFFFFFu})
        EXPECT_TRUE(Load(with(kCompressionAt, c)).isNull()) << c;
    EXPECT_TRUE(Load(with(kCompressionAt, 1)).isNull()) << "RLE8 on 24 bits";
    EXPECT_TRUE(Load(with(kCompressionAt, 3)).isNull()) << "bit fields on 24 bits";
    for (std::uint32_t size : {0u, 11u, 13u, 41u, 200u, 0xFFFFFFFFu})
        EXPECT_TRUE(Load(with(14, size)).isNull()) << "info size " << size;
    EXPECT_TRUE(Load(with(10, 0xFFFFFFF0u)).isNull()) << "offset past the end";
    EXPECT_TRUE(Load(with(10, static_cast<std::uint32_t>(Valid24().size()))).isNull());
    EXPECT_TRUE(Load(with(10, 20)).isNull()) << "offset inside the header";
    Bytes notBm = Valid24();
    notBm[1] = 'A';
    EXPECT_TRUE(Load(notBm).isNull());
}

// Pictures whose data can leave pixels unset, where no palette index is
// free to mark them: RLE data holding every byte value, and two-colour rows
// that run out under a longer palette the header names but the file does not
// hold. What the heap held never shows; what the data never set is black.
TEST_F(ShipPictureTest, UnsetPixelsAreBlackWhereEveryIndexMayBeSet) {
    BmpSpec rle;
    rle.width = 64;
    rle.height = 5;
    rle.bpp = 8;
    rle.compression = 1;
    rle.palette = Palette(256);
    for (int row = 0; row < 4; ++row) { // absolute stretches: every value once
        rle.rlePixels.insert(rle.rlePixels.end(), {0, 64});
        for (int x = 0; x < 64; ++x)
            rle.rlePixels.push_back(static_cast<std::uint8_t>(row * 64 + x));
        rle.rlePixels.insert(rle.rlePixels.end(), {0, 0});
    }
    rle.rlePixels.insert(rle.rlePixels.end(), {2, 7, 0, 1}); // the top row stops after two
    BmpSpec mono;
    mono.bpp = 1;
    mono.height = 4;
    mono.palette = Palette(2);
    mono.pixel = [](int x, int) { return static_cast<std::uint32_t>(x % 2); };
    Bytes shortRows = MakeBmp(mono);
    Poke32(shortRows, 14 + 32, 3); // a third colour, read where the rows begin

    for (const Bytes& file : {MakeBmp(rle), shortRows}) {
        QImage decoded[2];
        for (int run = 0; run < 2; ++run) {
            mallopt(M_PERTURB, run == 0 ? 0x5a : 0xa5);
            decoded[run] = Load(file);
        }
        mallopt(M_PERTURB, 0);
        ASSERT_FALSE(decoded[0].isNull());
        EXPECT_EQ(decoded[0], decoded[1]);
    }
    const QImage image = Load(MakeBmp(rle));
    EXPECT_EQ(image.pixel(1, 0), rle.palette[7]);
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(63, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(5, 4), rle.palette[5]);
    EXPECT_EQ(image.pixel(63, 1), rle.palette[255]);
    const QImage shifted = Load(shortRows); // its rows start a row late: the top one runs out
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(shifted.pixel(x, 0), qRgb(0, 0, 0)) << x;
        EXPECT_EQ(shifted.pixel(x, 3), mono.palette[static_cast<std::size_t>(x % 2)]) << x;
    }
}

TEST_F(ShipPictureTest, TopDownRleIsRefused) {
    BmpSpec s;
    s.width = 4;
    s.height = 1;
    s.bpp = 8;
    s.compression = 1;
    s.topDown = true;
    s.palette = Palette(256);
    s.rlePixels = {4, 1, 0, 1};
    EXPECT_TRUE(Load(MakeBmp(s)).isNull());
}

TEST_F(ShipPictureTest, EmptyMissingAndGarbageFilesGiveNull) {
    EXPECT_TRUE(Load({}).isNull());
    EXPECT_TRUE(LoadShipPicture(RealFileSystem(), dir_.filePath("none.bmp")).isNull());
    EXPECT_TRUE(LoadShipPicture(RealFileSystem(), QString()).isNull());
    EXPECT_TRUE(LoadShipPicture(RealFileSystem(), dir_.path()).isNull()) << "a folder";
    std::mt19937 rng(5);
    for (std::size_t len : {1u, 13u, 14u, 54u, 500u, 5000u}) {
        Bytes b(len);
        for (auto& c : b)
            c = static_cast<std::uint8_t>(rng());
        EXPECT_TRUE(Load(b).isNull()) << len;
        if (len >= 2) {
            b[0] = 'B', b[1] = 'M';
            const QImage img = Load(b);
            EXPECT_TRUE(img.isNull()) << "BM then garbage, " << len;
        }
    }
}

// Random bytes flipped in valid files: whatever loads has the size its
// header names, within the bounds; nothing crashes.
TEST_F(ShipPictureTest, MutatedFilesStayBounded) {
    BmpSpec rle;
    rle.width = 8;
    rle.height = 4;
    rle.bpp = 8;
    rle.compression = 1;
    rle.palette = Palette(256);
    rle.rlePixels = {8, 1, 0, 0, 0, 5, 1, 2, 3, 4, 5, 0, 0, 2, 1, 1, 8, 4, 0, 1};
    BmpSpec pal4;
    pal4.width = 9;
    pal4.height = 3;
    pal4.bpp = 4;
    pal4.palette = Palette(16);
    pal4.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x + y) & 15; };
    const std::vector<Bytes> seeds = {Valid24(), MakeBmp(rle), MakeBmp(pal4)};
    std::mt19937 rng(42);
    for (int round = 0; round < 600; ++round) {
        Bytes b = seeds[static_cast<std::size_t>(round) % seeds.size()];
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < flips; ++i)
            b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        const QImage img = Load(b);
        if (!img.isNull()) {
            EXPECT_GT(img.width(), 0);
            EXPECT_LE(img.width(), 32768);
            EXPECT_LE(img.height(), 32768);
            EXPECT_LE(std::int64_t{img.width()} * img.height() * 4,
                      std::int64_t{kShipPictureLimitMB} * 1024 * 1024);
            EXPECT_EQ(img.format(), QImage::Format_RGB32);
        }
    }
}

TEST_F(ShipPictureTest, ProcessWideAllocationLimitIsPutBack) {
    const int before = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(300);
    EXPECT_FALSE(Load(Valid24()).isNull());
    EXPECT_EQ(QImageReader::allocationLimit(), 300);
    QImageReader::setAllocationLimit(before);
}

// The public BMP Suite, kept beside the project when it is available.
class BmpSuiteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApp(); }
    static QDir Suite() { return QDir(QStringLiteral(PELTO5_SOURCE_DIR "/../shared/bmpsuite")); }
    static QStringList Files(const QString& group) {
        QDir d(Suite().filePath(group));
        QStringList out;
        for (const QFileInfo& fi : d.entryInfoList(QDir::Files, QDir::Name))
            out << fi.absoluteFilePath();
        return out;
    }
};

TEST_F(BmpSuiteTest, GoodFilesAllLoad) {
    const QStringList files = Files("g");
    if (files.isEmpty())
        GTEST_SKIP() << "no BMP Suite at " << Suite().path().toStdString();
    for (const QString& f : files) {
        const QImage img = LoadShipPicture(RealFileSystem(), f);
        EXPECT_FALSE(img.isNull()) << f.toStdString();
        if (!img.isNull()) {
            const QImage plain = QImageReader(f, "bmp").read();
            EXPECT_EQ(img.size(), plain.size()) << f.toStdString();
            EXPECT_EQ(img, plain.convertToFormat(QImage::Format_RGB32)) << f.toStdString();
        }
    }
}

TEST_F(BmpSuiteTest, QuestionableBadAndForeignFilesNeverCrash) {
    QStringList files;
    for (const char* group : {"q", "b", "x"})
        files << Files(group);
    if (files.isEmpty())
        GTEST_SKIP() << "no BMP Suite at " << Suite().path().toStdString();
    for (const QString& f : files) {
        const QImage img = LoadShipPicture(RealFileSystem(), f);
        std::printf(
            "%-28s %s\n",
            QFileInfo(f)
                .dir()
                .dirName()
                .append('/')
                .append(QFileInfo(f).fileName())
                .toUtf8()
                .constData(),
            img.isNull()
                ? "refused"
                : QStringLiteral("%1x%2").arg(img.width()).arg(img.height()).toUtf8().constData());
        if (!img.isNull()) {
            EXPECT_GT(img.width(), 0) << f.toStdString();
            EXPECT_LE(img.width(), 32768) << f.toStdString();
            EXPECT_LE(img.height(), 32768) << f.toStdString();
        }
    }
}

// These files leave pixels unset (skipped by RLE deltas, or rows the data
// never reaches): what the heap held must never show through.
TEST_F(BmpSuiteTest, PixelsTheDataNeverSetsAreBlackWhateverTheHeapHeld) {
    const char* const names[] = {"b/badrle",     "b/badrlebis",   "b/badrleter",
                                 "q/pal8rlecut", "q/pal8rletrns", "q/pal8os2sp"};
    if (!QFileInfo::exists(Suite().filePath("b/badrle.bmp")))
        GTEST_SKIP() << "no BMP Suite at " << Suite().path().toStdString();
    int blackSeen = 0;
    for (const char* name : names) {
        const QString f = Suite().filePath(QStringLiteral("%1.bmp").arg(name));
        QImage decoded[2];
        for (int run = 0; run < 2; ++run) {
            mallopt(M_PERTURB, run == 0 ? 0x5a : 0xa5); // fresh memory holds this byte's complement
            decoded[run] = LoadShipPicture(RealFileSystem(), f);
        }
        mallopt(M_PERTURB, 0);
        EXPECT_EQ(decoded[0], decoded[1]) << name;
        blackSeen += decoded[0].pixel(decoded[0].width() - 1, 0) == qRgb(0, 0, 0);
    }
    // pal8rlecut ends before its top rows: they are black.
    EXPECT_GT(blackSeen, 0);
}

TEST_F(BmpSuiteTest, ShortFileIsRefused) {
    const QString f = Suite().filePath("b/shortfile.bmp");
    if (!QFileInfo::exists(f))
        GTEST_SKIP() << "no " << f.toStdString();
    EXPECT_TRUE(LoadShipPicture(RealFileSystem(), f).isNull());
}

} // namespace
} // namespace pelto5
