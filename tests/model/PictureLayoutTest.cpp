#include "PictureLayout.h"

#include <gtest/gtest.h>

#include <limits>

namespace pelto5 {
namespace {

// Every mapping between file, picture and client points, for both pictures,
// at the edges where a fault would show: the template's origins, the groups'
// boundary, the read-out's split, and values no 32-bit sum can hold.
TEST(PictureLayout, MapsFilePictureAndClientPoints) {
    EXPECT_EQ(kVlPicture.Origin(), (Point{23, 24}));
    EXPECT_EQ(kTiPicture.Origin(), (Point{645, 8}));
    EXPECT_EQ(&PictureOf(30), &kVlPicture);
    EXPECT_EQ(&PictureOf(31), &kTiPicture);
    EXPECT_EQ(&ReadoutPictureAt(644), &kVlPicture);
    EXPECT_EQ(&ReadoutPictureAt(645), &kTiPicture);

    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const struct {
        const PictureLayout& picture;
        Point file;   // the hardpoint's file point
        Point client; // its marker's top-left
        Point pixel;  // the picture pixel under that top-left
        Point readout;
    } cases[] = {
        {kVlPicture, {0, 0}, {23, 24}, {0, 0}, {0, 0}},
        {kVlPicture, {101, 50}, {124, 74}, {101, 50}, {101, 50}},
        {kVlPicture, {-30, -1}, {-7, 23}, {-30, -1}, {-30, -1}},
        {kTiPicture, {0, 0}, {645, 12}, {0, 4}, {0, 12}},
        {kTiPicture, {56, 38}, {701, 50}, {56, 42}, {56, 50}},
        {kTiPicture, {kMax, kMax}, {kMax, kMax}, {kMax - 645, kMax - 8}, {kMax - 645, kMax}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture.name + std::string(" ") + std::to_string(c.file.x) + "," +
                     std::to_string(c.file.y));
        EXPECT_EQ(c.picture.FileToClient(c.file), c.client);
        EXPECT_EQ(c.picture.ClientToPicture(c.client), c.pixel);
        EXPECT_EQ(c.picture.Readout(c.client), c.readout);
        if (c.file.x != kMax) {
            EXPECT_EQ(c.picture.ClientToFile(c.client), c.file);
            EXPECT_EQ(c.picture.PictureToClient(c.pixel), c.client);
        }
    }
    EXPECT_EQ(kVlPicture.ClientToFile({kMin, kMin}), (Point{kMin, kMin}));
}

TEST(PictureLayout, NamesThePicturesAfterTheShipStem) {
    EXPECT_EQ(kVlPicture.PicturePath("/ships/Wolf.gf"), "/ships/WolfVL.bmp");
    EXPECT_EQ(kTiPicture.PicturePath("/ships/Wolf.gf"), "/ships/WolfTI.bmp");
    EXPECT_EQ(kTiPicture.PicturePath("/ships/Wolf.GF"), "/ships/Wolf.GFTI.bmp");
}

} // namespace
} // namespace pelto5
