// The embedded artwork as the editor reaches it: sizes, the skin's layout and
// colours, and the words and marks on every face.
#include "Resources.h"
#include "../ui/TestApp.h"
#include "PixelCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <vector>

namespace pelto5 {
namespace {

using namespace test;

const QRgb kLilac = qRgb(198, 181, 239);
const QRgb kOrange = qRgb(247, 189, 90);
const QRgb kPink = qRgb(214, 165, 181);
const QRgb kMauve = qRgb(165, 123, 132);
const QRgb kFrameOrange = qRgb(0xFF, 0xAD, 0x21);
const QRgb kTan = qRgb(0xDE, 0xB5, 0x63);
const QRgb kFramePink = qRgb(0xD6, 0xA5, 0xB5);
const QRgb kExitPressed = qRgb(0x94, 0x83, 0xBD);
const QRgb kBlack = qRgb(0, 0, 0);

QSize ExpectedSize(int id) {
    if (id == 131)
        return {797, 504};
    if (id >= 141 && id <= 149)
        return {32, 32};
    if (id >= 150 && id <= 171)
        return {42, 32};
    if (id >= 172 && id <= 196)
        return {20, 20};
    if ((id >= 214 && id <= 219) || (id >= 224 && id <= 227) || (id >= 276 && id <= 287))
        return {64, 29};
    if (id == 288)
        return {58, 30};
    if (id == 221)
        return {25, 235};
    if (id == 223)
        return {265, 23};
    return {};
}

std::vector<int> AllIds() {
    std::vector<int> ids{131, 221, 223, 288};
    for (int id = 141; id <= 196; ++id)
        ids.push_back(id);
    for (int id : {214, 215, 216, 217, 218, 219, 224, 225, 226, 227})
        ids.push_back(id);
    for (int id = 276; id <= 287; ++id)
        ids.push_back(id);
    return ids;
}

TEST(ResourceBitmap, EveryIdHasItsImageAtExactlyItsSize) {
    for (int id : AllIds()) {
        const QImage image = ResourceBitmap(id);
        ASSERT_FALSE(image.isNull()) << "bitmap " << id;
        EXPECT_EQ(image.size(), ExpectedSize(id)) << "bitmap " << id;
    }
}

TEST(ResourceBitmap, UnknownIdGivesNullImage) {
    for (int id : {0, -1, 1, 100, 101, 128, 130, 132, 140, 197, 213, 220, 222, 228, 275, 289, 1000,
                   INT_MAX, INT_MIN})
        EXPECT_TRUE(ResourceBitmap(id).isNull()) << "bitmap " << id;
}

TEST(ResourceBitmap, RepeatedLookupsGiveTheSamePixels) {
    EXPECT_EQ(ResourceBitmap(131), ResourceBitmap(131));
    EXPECT_NE(ResourceBitmap(214), ResourceBitmap(215));
}

// ---- Skin ----

struct Box {
    QRect rect;
    QRgb color;
    bool roundRight;
    QRect readout; // the read-out edit that lies over the box, in client pixels
};

const Box kBoxes[] = {
    {QRect(QPoint(672, 402), QPoint(727, 427)), kMauve, false, QRect(683, 403, 42, 24)},
    {QRect(QPoint(732, 402), QPoint(791, 427)), kLilac, true, QRect(738, 403, 44, 24)},
    {QRect(QPoint(672, 438), QPoint(727, 463)), kOrange, false, QRect(683, 439, 42, 23)},
    {QRect(QPoint(732, 438), QPoint(791, 463)), kLilac, true, QRect(738, 439, 44, 23)},
    {QRect(QPoint(672, 471), QPoint(727, 496)), kPink, false, QRect(672, 471, 56, 23)},
};

TEST(Skin, NumberBoxesHoldExactlyTheirColourAndANumberShownOrHiddenWhole) {
    const QImage skin = ResourceBitmap(131);
    ASSERT_EQ(skin.size(), QSize(797, 504));
    for (const Box& box : kBoxes) {
        QRect ink;
        int others = 0, covered = 0;
        for (int y = box.rect.top(); y <= box.rect.bottom(); ++y)
            for (int x = box.rect.left(); x <= box.rect.right(); ++x) {
                if (SameRgb(skin.pixel(x, y), box.color))
                    continue;
                ++others;
                covered += box.readout.contains(x, y);
                ink |= QRect(x, y, 1, 1);
            }
        EXPECT_GE(others, 15) << "no decorative number in box at " << box.rect.x();
        // The read-out shows none of the number or all of it: no cut digits.
        EXPECT_TRUE(covered == 0 || covered == others)
            << covered << " of " << others << " pixels under the read-out in box at "
            << box.rect.x();
        // Its three digits: three runs of ink along the number.
        const bool across = ink.width() > ink.height();
        int runs = 0;
        bool inRun = false;
        for (int k = 0; k < (across ? ink.width() : ink.height()); ++k) {
            bool any = false;
            for (int j = 0; j < (across ? ink.height() : ink.width()); ++j) {
                const QPoint p = across ? QPoint(ink.left() + k, ink.top() + j)
                                        : QPoint(ink.left() + j, ink.top() + k);
                any |= !SameRgb(skin.pixel(p), box.color);
            }
            runs += any && !inRun;
            inRun = any;
        }
        EXPECT_EQ(runs, 3) << "box at " << box.rect.x();
    }
}

TEST(Skin, LilacBoxesHaveARoundedRightEnd) {
    const QImage skin = ResourceBitmap(131);
    for (const Box& box : kBoxes) {
        const int mid = box.rect.center().y();
        const QRgb beyond = skin.pixel(box.rect.right() + 2, mid);
        if (box.roundRight) {
            EXPECT_TRUE(SameRgb(beyond, box.color)) << "box at " << box.rect.y();
            // The corners past the box are cut away by the round.
            EXPECT_LT(Luma(skin.pixel(box.rect.right() + 4, box.rect.top())), 60);
            EXPECT_LT(Luma(skin.pixel(box.rect.right() + 4, box.rect.bottom())), 60);
        } else {
            EXPECT_FALSE(SameRgb(beyond, box.color)) << "box at " << box.rect.y();
        }
    }
}

TEST(Skin, PictureFieldsAndTrayAreBlack) {
    const QImage skin = ResourceBitmap(131);
    const QRect fields[] = {
        QRect(QPoint(16, 23), QPoint(623, 391)),  // VL picture
        QRect(QPoint(636, 0), QPoint(796, 173)),  // TI picture
        QRect(QPoint(16, 396), QPoint(621, 503)), // marker tray
    };
    for (const QRect& field : fields) {
        const int area = field.width() * field.height();
        EXPECT_EQ(CountPixels(skin, field, SameRgb, kBlack), area) << "field at " << field.x();
    }
}

TEST(Skin, FramesTheFieldsWithBarsAndBands) {
    const QImage skin = ResourceBitmap(131);
    // Orange bar down the left of the VL field, segmented bar along its top.
    for (int y = 30; y <= 391; y += 20)
        EXPECT_TRUE(SameRgb(skin.pixel(8, y), kOrange)) << "left bar at y " << y;
    std::set<QRgb> top;
    for (int x = 20; x <= 615; ++x)
        top.insert(skin.pixel(x, 12) & 0xFFFFFFu);
    EXPECT_TRUE(top.count(kOrange & 0xFFFFFFu));
    EXPECT_TRUE(top.count(kPink & 0xFFFFFFu));
    EXPECT_TRUE(top.count(kBlack & 0xFFFFFFu)) << "top bar segments are split by gaps";
    EXPECT_GE(top.size(), 4u) << "orange, sand and pink segments";
    // Thin orange line over the tray.
    for (int x = 16; x <= 621; x += 15)
        for (int y = 392; y <= 395; ++y)
            EXPECT_TRUE(SameRgb(skin.pixel(x, y), kOrange)) << x << "," << y;
    EXPECT_TRUE(SameRgb(skin.pixel(300, 391), kBlack));
    EXPECT_TRUE(SameRgb(skin.pixel(300, 396), kBlack));
    // A reddish bar closes the TI field.
    for (int x = 640; x <= 796; x += 12) {
        bool red = false;
        for (int y = 174; y <= 190; ++y) {
            const QRgb c = skin.pixel(x, y);
            red |= Luma(c) > 60 && qRed(c) > qGreen(c) + 60 && qRed(c) > qBlue(c) + 60;
        }
        EXPECT_TRUE(red) << "x " << x;
    }
    // The band between the fields and down beside the tray is coloured all the way.
    // (Only the narrow gaps between its segments are black.)
    int colouredRows = 0;
    for (int y = 200; y <= 503; ++y) {
        bool coloured = false;
        for (int x = 624; x <= 666; ++x)
            coloured |= Luma(skin.pixel(x, y)) > 60;
        colouredRows += coloured;
    }
    EXPECT_GE(colouredRows, 304 - 20);
}

// ---- Command keys ----

struct Key {
    int normal;
    int pressed;
    const char* word;
    QRgb tone;
};

const Key kKeys[] = {
    {277, 276, "SAVE", kLilac}, {226, 225, "COPY", kPink},   {281, 280, "EXIT", kLilac},
    {217, 216, "CLEAR", kPink}, {279, 278, "OPEN", kLilac},  {214, 215, "RESET", kPink},
    {286, 285, "OFF", kLilac},  {218, 219, "DATA", kOrange}, {224, 227, "PASTE", kPink},
    {284, 283, "LOW", kLilac},  {282, 287, "HIGH", kLilac},
};

// Where the word sits: inside the key, clear of its rounded ends and notch.
const QRect kWordArea(QPoint(14, 4), QPoint(50, 24));

struct InkSpan {
    int pixels = 0;
    int left = INT_MAX;
    int right = -1;
    int runs = 0;
};

InkSpan FindInk(const QImage& face, bool (*ink)(QRgb, QRgb), QRgb body) {
    InkSpan span;
    bool inRun = false;
    for (int x = kWordArea.left(); x <= kWordArea.right(); ++x) {
        int column = 0;
        for (int y = kWordArea.top(); y <= kWordArea.bottom(); ++y)
            column += ink(face.pixel(x, y), body);
        span.pixels += column;
        if (column > 0) {
            span.left = std::min(span.left, x);
            span.right = x;
        }
        span.runs += column > 0 && !inRun;
        inRun = column > 0;
    }
    return span;
}

TEST(CommandKeys, NormalFaceIsTheLightToneWithDarkLetters) {
    for (const Key& key : kKeys) {
        const QImage face = ResourceBitmap(key.normal);
        ASSERT_FALSE(face.isNull()) << key.normal;
        const QRgb body = DominantColor(face, face.rect());
        EXPECT_TRUE(SameRgb(body, key.tone)) << key.word << " normal " << key.normal;
        const InkSpan ink = FindInk(face, Darker, body);
        const int letters = static_cast<int>(std::strlen(key.word));
        EXPECT_GE(ink.pixels, 25 * letters) << key.word << " " << key.normal;
        EXPECT_GE(ink.right - ink.left + 1, 5 * letters) << key.word << " " << key.normal;
        // Letters stand apart, though a kerned pair such as "TA" may touch.
        EXPECT_GE(ink.runs, std::max(2, letters - 2)) << key.word << " " << key.normal;
        EXPECT_LE(ink.runs, letters) << key.word << " " << key.normal;
    }
}

TEST(CommandKeys, PressedFaceIsDarkerOfTheSameToneWithLightLetters) {
    for (const Key& key : kKeys) {
        const QImage face = ResourceBitmap(key.pressed);
        const QImage normal = ResourceBitmap(key.normal);
        ASSERT_FALSE(face.isNull()) << key.pressed;
        const QRgb body = DominantColor(face, face.rect());
        EXPECT_LT(Luma(body), Luma(DominantColor(normal, normal.rect())) - 30)
            << key.word << " pressed " << key.pressed;
        EXPECT_LE(HueDistance(Hue(body), Hue(key.tone)), 20) << key.word << " " << key.pressed;
        const InkSpan ink = FindInk(face, Lighter, body);
        const int letters = static_cast<int>(std::strlen(key.word));
        EXPECT_GE(ink.pixels, 25 * letters) << key.word << " " << key.pressed;
        EXPECT_GE(ink.right - ink.left + 1, 5 * letters) << key.word << " " << key.pressed;
        EXPECT_GE(ink.runs, std::max(2, letters - 2)) << key.word << " " << key.pressed;
        EXPECT_LE(ink.runs, letters) << key.word << " " << key.pressed;
    }
}

TEST(CommandKeys, ExitFacesUseTheSupportDialogColours) {
    EXPECT_TRUE(SameRgb(DominantColor(ResourceBitmap(281), QRect(0, 0, 64, 29)), kLilac));
    const QImage pressed = ResourceBitmap(280);
    EXPECT_TRUE(SameRgb(DominantColor(pressed, pressed.rect()), kExitPressed));
    EXPECT_GE(CountPixels(pressed, kWordArea, SameRgb, qRgb(255, 255, 255)), 40);
}

TEST(CommandKeys, EveryFaceIsDistinct) {
    std::vector<QImage> faces;
    for (const Key& key : kKeys) {
        faces.push_back(ResourceBitmap(key.normal));
        faces.push_back(ResourceBitmap(key.pressed));
    }
    for (std::size_t a = 0; a < faces.size(); ++a)
        for (std::size_t b = a + 1; b < faces.size(); ++b)
            EXPECT_NE(faces[a], faces[b]) << a << " and " << b;
}

TEST(CommandKeys, StickyPlateIsOrangeWithItsWord) {
    const QImage plate = ResourceBitmap(288);
    ASSERT_EQ(plate.size(), QSize(58, 30));
    EXPECT_TRUE(SameRgb(DominantColor(plate, plate.rect()), kOrange));
    // 'STICKY' with its quotes: eight marks across most of the plate.
    int pixels = 0, left = INT_MAX, right = -1;
    for (int y = 4; y < 26; ++y)
        for (int x = 3; x < 55; ++x)
            if (Darker(plate.pixel(x, y), kOrange)) {
                ++pixels;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GE(pixels, 120);
    EXPECT_GE(right - left, 40);
}

// ---- Markers ----

struct MarkerKind {
    int first;
    int last;
    int hue;    // expected hue of the face colour, or -1 to compare exactly
    QRgb exact; // used when hue is -1
    int minInk;
};

const MarkerKind kMarkerKinds[] = {
    {141, 143, 60, 0, 60}, // olive PWR
    {144, 146, -1, kOrange, 60}, {147, 149, -1, kLilac, 60},  {150, 160, -1, kLilac, 60},
    {161, 171, 5, 0, 60},                                                            // red H plates
    {172, 174, -1, kLilac, 20},  {175, 185, -1, kOrange, 20}, {186, 196, 60, 0, 20}, // olive tiles
};

TEST(Markers, FacesHaveTheirToneAndBearTheirMark) {
    for (const MarkerKind& kind : kMarkerKinds) {
        for (int id = kind.first; id <= kind.last; ++id) {
            const QImage face = ResourceBitmap(id);
            ASSERT_FALSE(face.isNull()) << id;
            const QRgb fill = DominantColor(face, face.rect());
            if (kind.hue < 0) {
                EXPECT_TRUE(SameRgb(fill, kind.exact)) << "marker " << id;
            } else {
                EXPECT_LE(HueDistance(Hue(fill), kind.hue), 20) << "marker " << id;
                EXPECT_GT(QColor::fromRgb(fill).hsvSaturation(), 80) << "marker " << id;
            }
            const QRect inner = face.rect().adjusted(2, 0, -2, 0);
            EXPECT_GE(CountPixels(face, inner, Darker, fill), kind.minInk) << "marker " << id;
        }
    }
}

TEST(Markers, SmallTilesKeepTheirMarkInTheTopSixteenRows) {
    for (int id = 172; id <= 196; ++id) {
        const QImage face = ResourceBitmap(id);
        const QRgb fill = DominantColor(face, face.rect());
        EXPECT_GE(CountPixels(face, QRect(0, 0, 20, 16), Darker, fill), 20) << id;
        // Below row 16 the tile is plain (its rounded corners aside).
        EXPECT_EQ(CountPixels(face, QRect(QPoint(3, 16), QPoint(16, 19)), SameRgb, fill), 14 * 4)
            << id;
    }
}

TEST(Markers, EveryFaceIsDistinct) {
    std::vector<QImage> faces;
    for (int id = 141; id <= 196; ++id)
        faces.push_back(ResourceBitmap(id));
    for (std::size_t a = 0; a < faces.size(); ++a)
        for (std::size_t b = a + 1; b < faces.size(); ++b)
            EXPECT_NE(faces[a], faces[b]) << 141 + a << " and " << 141 + b;
}

// ---- Support dialog frame ----

TEST(SupportFrame, UprightBarIsOrangeWithRoundedTopLeft) {
    const QImage bar = ResourceBitmap(221);
    ASSERT_EQ(bar.size(), QSize(25, 235));
    EXPECT_TRUE(SameRgb(bar.pixel(0, 0), kBlack));
    EXPECT_TRUE(SameRgb(bar.pixel(24, 0), kFrameOrange));
    EXPECT_TRUE(SameRgb(bar.pixel(0, 234), kFrameOrange));
    EXPECT_EQ(CountPixels(bar, QRect(0, 30, 25, 205), SameRgb, kFrameOrange), 25 * 205);
}

TEST(SupportFrame, TopBarHasOrangeTanAndPinkSegments) {
    const QImage bar = ResourceBitmap(223);
    ASSERT_EQ(bar.size(), QSize(265, 23));
    const int y = 11;
    for (int x = 0; x < 9; ++x)
        EXPECT_TRUE(SameRgb(bar.pixel(x, y), kBlack)) << x;
    EXPECT_TRUE(SameRgb(bar.pixel(9, 0), kBlack)) << "rounded left end";
    for (int x = 25; x <= 130; ++x)
        EXPECT_TRUE(SameRgb(bar.pixel(x, y), kFrameOrange)) << x;
    for (int x = 131; x <= 135; ++x)
        EXPECT_TRUE(SameRgb(bar.pixel(x, y), kBlack)) << x;
    for (int x = 136; x <= 207; ++x)
        EXPECT_TRUE(SameRgb(bar.pixel(x, y), kTan)) << x;
    for (int x = 208; x <= 212; ++x)
        EXPECT_TRUE(SameRgb(bar.pixel(x, y), kBlack)) << x;
    for (int x = 213; x <= 264; ++x)
        EXPECT_TRUE(SameRgb(bar.pixel(x, y), kFramePink)) << x;
}

// ---- Icon and string ----

TEST(ResourceIcon, IconComesInItsThreeSizes) {
    const QIcon icon = ResourceIcon(128);
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int s : {16, 32, 48}) {
        EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;
        const QImage image = icon.pixmap(QSize(s, s)).toImage();
        EXPECT_EQ(image.size(), QSize(s, s));
        // Not blank: the orange elbow shows at every size.
        int orange = 0;
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x)
                orange += qAlpha(image.pixel(x, y)) == 255 &&
                          HueDistance(Hue(image.pixel(x, y)), Hue(kOrange)) < 10 &&
                          Luma(image.pixel(x, y)) > 120;
        EXPECT_GE(orange, s * s / 12) << s;
    }
}

TEST(ResourceIcon, UnknownIconIsNull) {
    EXPECT_TRUE(ResourceIcon(0).isNull());
    EXPECT_TRUE(ResourceIcon(131).isNull());
    EXPECT_TRUE(ResourceIcon(-128).isNull());
}

TEST(ResourceString, AboutItemText) {
    EXPECT_EQ(ResourceString(101), QStringLiteral("&About Pelto5..."));
    EXPECT_TRUE(ResourceString(0).isEmpty());
    EXPECT_TRUE(ResourceString(100).isEmpty());
    EXPECT_TRUE(ResourceString(102).isEmpty());
    EXPECT_TRUE(ResourceString(-101).isEmpty());
}

} // namespace
} // namespace pelto5
