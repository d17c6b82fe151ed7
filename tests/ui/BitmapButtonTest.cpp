#include "BitmapButton.h"

#include "FocusCue.h"
#include "KeyboardCues.h"
#include "TestApp.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace pelto5 {
namespace {

// An image larger than the button: a colour left of x 10, another right of it,
// and a third beyond the button's own size.
QImage MakeImage(QRgb left, QRgb right) {
    QImage image(80, 40, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            image.setPixel(x, y, x < 10 ? left : right);
    return image;
}

class BitmapButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        parent = std::make_unique<QWidget>();
        parent->resize(200, 100);
        button = new BitmapButton(parent.get(), 2710, "DATA", QRect(5, 6, 30, 20));
        button->SetImages(MakeImage(qRgb(200, 0, 0), qRgb(0, 200, 0)),
                          MakeImage(qRgb(0, 0, 200), qRgb(200, 200, 0)));
        parent->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.get()));
    }
    QImage Shot() { return button->grab().toImage(); }
    std::unique_ptr<QWidget> parent;
    BitmapButton* button = nullptr;
};

TEST_F(BitmapButtonTest, KeepsIdCaptionAndRect) {
    EXPECT_EQ(button->Id(), 2710);
    EXPECT_EQ(button->property("id").toInt(), 2710);
    EXPECT_EQ(button->text(), "DATA");
    EXPECT_EQ(button->geometry(), QRect(5, 6, 30, 20));
}

TEST_F(BitmapButtonTest, PaintsNormalImageFromItsTopLeftUnscaled) {
    const QImage shot = Shot();
    ASSERT_EQ(shot.size(), QSize(30, 20));
    EXPECT_EQ(shot.pixel(0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(shot.pixel(9, 19), qRgb(200, 0, 0));
    EXPECT_EQ(shot.pixel(10, 0), qRgb(0, 200, 0));
    EXPECT_EQ(shot.pixel(29, 19), qRgb(0, 200, 0));
}

TEST_F(BitmapButtonTest, PaintsPressedImageWhileDown) {
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_TRUE(button->isDown());
    EXPECT_EQ(Shot().pixel(0, 0), qRgb(0, 0, 200));
    EXPECT_EQ(Shot().pixel(29, 19), qRgb(200, 200, 0));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(Shot().pixel(0, 0), qRgb(200, 0, 0));
}

TEST_F(BitmapButtonTest, NoPressedImageKeepsNormal) {
    button->SetImages(MakeImage(qRgb(200, 0, 0), qRgb(0, 200, 0)), QImage());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(Shot().pixel(0, 0), qRgb(200, 0, 0));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));
}

TEST_F(BitmapButtonTest, DrawsNoFocusMarkOrCaption) {
    button->setFocus();
    // Every pixel comes from the image: nothing else is drawn over it.
    const QImage shot = Shot();
    const QImage expected = MakeImage(qRgb(200, 0, 0), qRgb(0, 200, 0)).copy(0, 0, 30, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(shot.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
}

TEST_F(BitmapButtonTest, FocusCueDotsStandOutFromTheFaceUnderThem) {
    const QRgb dark = qRgb(20, 20, 20), light = qRgb(230, 230, 230);
    button->SetImages(MakeImage(dark, light), QImage());
    TrackKeyboardCues(parent.get());
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Tab); // the only stop: the focus stays, the cues show
    ASSERT_TRUE(button->hasFocus());
    const QImage shot = Shot();
    // Along the top edge, one dot in two: white over the dark face, black over the light.
    for (int x = 0; x < 30; ++x) {
        const QRgb face = x < 10 ? dark : light;
        const QRgb dot = x < 10 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        EXPECT_EQ(shot.pixel(x, 0), x % 2 == 0 ? dot : face) << x;
    }
    // Round the corners, still one dot in two.
    EXPECT_EQ(shot.pixel(29, 1), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(29, 2), light);
    EXPECT_EQ(shot.pixel(0, 18), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(5, 5), dark) << "the cue stays on the edge";
    EXPECT_EQ(shot.pixel(20, 10), light);
}

// WCAG 2.2's contrast ratio, at the figures of the old lilac outline on the
// markers' faces; black or white, whichever the cue takes, stands out from
// every grey by 4.5:1 or more.
TEST(FocusCue, ContrastRatiosAreWcagFigures) {
    const QRgb lilac = qRgb(198, 181, 239), orange = qRgb(247, 189, 90), olive = qRgb(166, 166, 74);
    EXPECT_NEAR(ContrastRatio(lilac, lilac), 1.00, 0.005);
    EXPECT_NEAR(ContrastRatio(lilac, orange), 1.10, 0.005);
    EXPECT_NEAR(ContrastRatio(olive, lilac), 1.38, 0.005);
    EXPECT_NEAR(ContrastRatio(qRgb(0, 0, 0), qRgb(255, 255, 255)), 21.0, 1e-9);
    for (int v = 0; v < 256; ++v)
        EXPECT_GE(ContrastRatio(CueColourOver(qRgb(v, v, v)), qRgb(v, v, v)), 4.5) << v;
    EXPECT_EQ(CueColourOver(lilac), qRgb(0, 0, 0));
    EXPECT_EQ(CueColourOver(qRgb(0, 0, 0)), qRgb(255, 255, 255));
}

TEST_F(BitmapButtonTest, ClickReportsId) {
    QSignalSpy spy(button, &BitmapButton::clickedWithId);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2710);
    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(BitmapButtonTest, LoadsArtworkByNumber) {
    button->LoadBitmaps(281, 280);
    EXPECT_EQ(button->NormalImage().size(), QSize(64, 29));
    EXPECT_EQ(button->PressedImage().size(), QSize(64, 29));
    button->LoadBitmaps(99999, 99998);
    EXPECT_TRUE(button->NormalImage().isNull());
    EXPECT_TRUE(Shot().size() == QSize(30, 20));
}

} // namespace
} // namespace pelto5
