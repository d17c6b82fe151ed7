// The committed artwork is what tools/artwork draws today: a change to the
// generator without redrawing (or a hand edit of a PNG) shows up here.
#include "Artwork.h"
#include "ExampleShip.h"
#include "Palette.h"
#include "Resources.h"

#include "../ui/TestApp.h"

#include <QFile>

#include <gtest/gtest.h>

namespace pelto5 {
namespace {

QImage Rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST(ArtworkCurrent, EmbeddedBitmapsMatchTheGenerator) {
    ASSERT_FALSE(art::BitmapIds().empty());
    for (int id : art::BitmapIds()) {
        const QImage drawn = Rgb(art::DrawBitmap(id));
        const QImage embedded = ResourceBitmap(id);
        ASSERT_FALSE(embedded.isNull()) << id;
        EXPECT_EQ(drawn, embedded) << "bitmap " << id << " needs redrawing";
    }
}

TEST(ArtworkCurrent, GeneratorDrawsNothingForUnknownIds) {
    for (int id : {0, 130, 197, 220, 222, 289})
        EXPECT_TRUE(art::DrawBitmap(id).isNull()) << id;
}

TEST(ArtworkCurrent, EmbeddedIconMatchesTheGenerator) {
    for (int size : art::IconSizes()) {
        const QImage embedded(QStringLiteral(PELTO5_SOURCE_DIR "/res/icons/128-%1.png").arg(size));
        EXPECT_EQ(embedded.convertToFormat(QImage::Format_ARGB32), art::DrawIcon(size)) << size;
    }
}

TEST(ArtworkCurrent, DesktopIconsMatchTheGeneratorAndAreCrisp) {
    using namespace art::palette;
    const QList<QRgb> designColours{kBlack.rgb(), kOrange.rgb(), kLilac.rgb(), kInkDark.rgb()};
    for (int size : art::DesktopIconSizes()) {
        const QImage committed(QStringLiteral(PELTO5_SOURCE_DIR "/res/icons/128-%1.png").arg(size));
        ASSERT_EQ(committed.size(), QSize(size, size));
        EXPECT_EQ(committed.convertToFormat(QImage::Format_ARGB32), art::DrawIcon(size)) << size;
        // Drawn for its size, not scaled: a row and a column across the middle
        // (through the elbow, the marker and its cross) hold only the design's
        // colours and clear pixels, never a blend at an edge.
        const int middle = size * 5 / 8;
        for (int i = 0; i < size; ++i)
            for (const QRgb pixel : {committed.pixel(i, middle), committed.pixel(middle, i)})
                EXPECT_TRUE(qAlpha(pixel) == 0 ||
                            (qAlpha(pixel) == 255 && designColours.contains(pixel)))
                    << size << " px icon, at " << i << ": " << std::hex << pixel;
    }
}

TEST(ArtworkCurrent, SampleShipMatchesTheGenerator) {
    QFile gf(QStringLiteral(PELTO5_SOURCE_DIR "/examples/Corvette.gf"));
    ASSERT_TRUE(gf.open(QIODevice::ReadOnly));
    EXPECT_EQ(gf.readAll(), art::ShipFileText());
    EXPECT_EQ(Rgb(QImage(QStringLiteral(PELTO5_SOURCE_DIR "/examples/CorvetteVL.bmp"))),
              Rgb(art::DrawShipVl()));
    EXPECT_EQ(Rgb(QImage(QStringLiteral(PELTO5_SOURCE_DIR "/examples/CorvetteTI.bmp"))),
              Rgb(art::DrawShipTi()));
}

TEST(ArtworkCurrent, ContactSheetMatchesTheGenerator) {
    const QImage sheet(QStringLiteral(PELTO5_SOURCE_DIR "/docs/contact-sheet.png"));
    EXPECT_EQ(Rgb(sheet), Rgb(art::DrawContactSheet()));
}

TEST(ArtworkCurrent, DrawingTwiceGivesTheSamePixels) {
    for (int id : art::BitmapIds())
        EXPECT_EQ(art::DrawBitmap(id), art::DrawBitmap(id)) << id;
}

} // namespace
} // namespace pelto5
