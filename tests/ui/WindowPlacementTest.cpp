#include "WindowPlacement.h"

#include <gtest/gtest.h>

using namespace pelto5;

TEST(WindowPlacement, CentredOrKeptOnTheCommandKeysSide) {
    const QSize window(809, 505);
    struct Case {
        const char* what;
        QRect available;
        QPoint topLeft;
    };
    const Case cases[] = {
        {"fits: centred", QRect(0, 0, 1280, 1024), QPoint(235, 259)},
        {"beside a panel", QRect(1920 + 48, 30, 1280 - 48, 1024 - 30), QPoint(2179, 274)},
        // Twice the scale on 1280 x 1024: the right edge (SAVE, EXIT, OPEN)
        // stays on the screen, the window is still centred in height.
        {"too wide", QRect(0, 0, 640, 512), QPoint(-169, 3)},
        {"too tall", QRect(100, 20, 1000, 400), QPoint(195, 20)},
        {"too small both ways", QRect(0, 0, 500, 300), QPoint(-309, 0)},
    };
    for (const Case& c : cases) {
        const QPoint topLeft = PlacedTopLeft(window, c.available);
        EXPECT_EQ(topLeft, c.topLeft) << c.what;
        const QRect placed(topLeft, window);
        EXPECT_LE(placed.right(), c.available.right()) << c.what;
        EXPECT_GE(placed.top(), c.available.top()) << c.what;
    }
}
