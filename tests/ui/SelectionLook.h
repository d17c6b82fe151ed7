#pragma once

// What a person must see of a selected marker, checked on pictures of the
// marker without and with the selection: shared by the offscreen widget
// tests and the end-to-end suite, which looks at the real X server's screen.
#include "FocusCue.h"

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace pelto5::look {

// The selection cue on a marker, plain and cued being the same marker
// without and with it: a white L round a black one in each corner, one pixel
// inside the edge (the outermost pixels stay the focus outline's), each arm
// at least four pixels; the rest of the face, the middle of each side too,
// as it was. On the face, one of the two colours stands out at least 3:1
// from the face's own (most common) colour.
inline void ExpectSelectionCue(const QImage& plain, const QImage& cued, const std::string& name) {
    ASSERT_EQ(plain.size(), cued.size()) << name;
    const QRect white = plain.rect().adjusted(1, 1, -1, -1);
    const QRect black = white.adjusted(1, 1, -1, -1);
    auto onRing = [](const QRect& ring, int x, int y) {
        return ring.contains(x, y) && !ring.adjusted(1, 1, -1, -1).contains(x, y);
    };
    std::map<QRgb, int> face;
    int strays = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            ++face[plain.pixel(x, y)];
            const QRgb now = cued.pixel(x, y);
            if (now == plain.pixel(x, y))
                continue;
            strays += !(onRing(white, x, y) && now == qRgb(255, 255, 255)) &&
                      !(onRing(black, x, y) && now == qRgb(0, 0, 0));
        }
    EXPECT_EQ(strays, 0) << name << ": the cue changes pixels beyond its corners";
    int brokenArms = 0;
    for (const auto& [ring, colour] :
         {std::pair{white, qRgb(255, 255, 255)}, std::pair{black, qRgb(0, 0, 0)}})
        for (int k = 0; k < 4; ++k) {
            const int x0 = ring.left(), x1 = ring.right(), y0 = ring.top(), y1 = ring.bottom();
            brokenArms += cued.pixel(x0 + k, y0) != colour || cued.pixel(x0, y0 + k) != colour ||
                          cued.pixel(x1 - k, y0) != colour || cued.pixel(x1, y0 + k) != colour ||
                          cued.pixel(x0 + k, y1) != colour || cued.pixel(x0, y1 - k) != colour ||
                          cued.pixel(x1 - k, y1) != colour || cued.pixel(x1, y1 - k) != colour;
        }
    EXPECT_EQ(brokenArms, 0) << name << ": the corners' Ls are not whole";
    const QPoint middles[] = {{white.center().x(), white.top()},
                              {white.center().x(), white.bottom()},
                              {white.left(), white.center().y()},
                              {white.right(), white.center().y()}};
    for (const QPoint& p : middles)
        EXPECT_EQ(cued.pixel(p), plain.pixel(p)) << name << ": the cue covers a side's middle";
    const QRgb faceColour = std::max_element(face.begin(), face.end(), [](auto& a, auto& b) {
                                return a.second < b.second;
                            })->first;
    EXPECT_GE(std::max(ContrastRatio(qRgb(255, 255, 255), faceColour),
                       ContrastRatio(qRgb(0, 0, 0), faceColour)),
              3.0)
        << name;
}

} // namespace pelto5::look
