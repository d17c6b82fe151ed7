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

// The magnifier: beside the window, right of it first, clear of another window
// beside it; wholly on the screen; with no room beside, somewhere clear of the
// pictures.
TEST(WindowPlacement, BesideTheWindowOnScreenAndClearOfThePictures) {
    const QSize size(232, 246);
    const QSize editor(809, 505);
    auto pictures = [](const QRect& window) {
        return QList<QRect>{QRect(23, 24, 600, 360).translated(window.topLeft()),
                            QRect(645, 8, 151, 165).translated(window.topLeft())};
    };
    struct Case {
        const char* what;
        QRect available;
        QPoint window;
        QPoint topLeft;         // (-1, -1): any place clear of the pictures
        QRect beside = QRect(); // another window of the editor's, kept clear
    };
    const Case cases[] = {
        {"right of it, top to top", QRect(0, 0, 1280, 1024), QPoint(235, 259), QPoint(1044, 259)},
        {"slid up onto the screen", QRect(0, 0, 1280, 1024), QPoint(235, 900), QPoint(1044, 778)},
        {"left of it at the right edge", QRect(0, 0, 1280, 1024), QPoint(471, 259),
         QPoint(239, 259)},
        {"below it on a narrow screen", QRect(0, 0, 1000, 1024), QPoint(100, 50), QPoint(100, 555)},
        {"above it", QRect(0, 0, 1000, 800), QPoint(100, 290), QPoint(100, 44)},
        {"no room beside", QRect(0, 0, 1000, 700), QPoint(100, 50), QPoint(-1, -1)},
        {"left of it, another window on its right", QRect(0, 0, 1280, 1024), QPoint(235, 259),
         QPoint(3, 259), QRect(1048, 259, 200, 300)},
    };
    for (const Case& c : cases) {
        const QRect window(c.window, editor);
        QList<QRect> keepClear = pictures(window);
        if (!c.beside.isNull())
            keepClear.push_back(c.beside);
        const QPoint topLeft = BesideTopLeft(size, window, keepClear, c.available);
        if (c.topLeft != QPoint(-1, -1)) {
            EXPECT_EQ(topLeft, c.topLeft) << c.what;
        }
        const QRect placed(topLeft, size);
        EXPECT_TRUE(c.available.contains(placed)) << c.what;
        for (const QRect& clear : keepClear)
            EXPECT_FALSE(placed.intersects(clear)) << c.what;
    }
}
