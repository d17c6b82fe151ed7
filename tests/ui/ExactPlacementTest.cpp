// Placing to the pixel in the window: G's typed file points and what they
// refuse, the magnifier following every move, and the device-pixel drawing
// of pictures on a scaled screen.
#include "EditorFixture.h"

#include "CoordinatesDlg.h"
#include "Magnifier.h"
#include "PictureLayout.h"
#include "ShipModel.h"
#include "WholePixels.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionFrame>

#include <cmath>
#include <limits>

using namespace pelto5;

namespace {

using ExactPlacement = SmallShipTest;

} // namespace

// A line names a file point when it holds two whole numbers that the ship
// file holds and the marker can stand at; otherwise it says why not.
TEST(CoordinatesDlg, ReadsTwoWholeNumbersInTheFilesRange) {
    const QSize marker(32, 32);
    const int32_t highX = std::numeric_limits<int32_t>::max() - 32 - 23;
    const QString shape = CoordinatesDlg::ReadFilePoint("56", kVlPicture, marker).refusal;
    const QString range =
        CoordinatesDlg::ReadFilePoint("1, 9999999999", kVlPicture, marker).refusal;
    EXPECT_FALSE(shape.isEmpty());
    EXPECT_FALSE(range.isEmpty());
    EXPECT_NE(shape, range);
    const struct {
        const char* line;
        std::optional<Point> point;
        QString refusal;
    } cases[] = {
        {"56, 38", Point{56, 38}, {}},
        {"56,38", Point{56, 38}, {}},
        {" 56   38 ", Point{56, 38}, {}},
        {"-3 ,-7", Point{-3, -7}, {}},
        {"2147483592, -2147483648", Point{highX, std::numeric_limits<int32_t>::min()}, {}},
        {"2147483593, 0", std::nullopt, range},
        {"0, -2147483649", std::nullopt, range},
        {"99999999999999999999, 1", std::nullopt, range},
        {"", std::nullopt, shape},
        {"56;38", std::nullopt, shape},
        {"56, 38, 1", std::nullopt, shape},
        {"1.5, 2", std::nullopt, shape},
        {"x, y", std::nullopt, shape},
        {"+5, 2", std::nullopt, shape},
    };
    for (const auto& c : cases) {
        const CoordinatesDlg::Reading read =
            CoordinatesDlg::ReadFilePoint(QString::fromLatin1(c.line), kVlPicture, marker);
        EXPECT_EQ(read.point.has_value(), c.point.has_value()) << c.line;
        if (read.point && c.point) {
            EXPECT_EQ(*read.point, *c.point) << c.line;
        }
        EXPECT_EQ(read.refusal, c.refusal) << c.line;
    }
}

// G: with no marker picked up, no popup; otherwise one holding the marker's
// file point, selected; a refused line keeps it open and moves nothing;
// Enter places the marker as a drop there; Esc leaves a carry going on.
TEST_F(ExactPlacement, GPlacesTheMarkerAtTheTypedFilePoint) {
    EXPECT_FALSE(TypeCoordinates([](CoordinatesDlg&) {}));
    Click(kFirstMarkerId + 31); // Warp, carried
    MoveTo(QPoint(700, 100));
    const int steps = dlg->History().count();
    EXPECT_TRUE(TypeCoordinates([&](CoordinatesDlg& popup) {
        EXPECT_NE(QWidget::mouseGrabber(), dlg.get());
        EXPECT_EQ(popup.accessibleName(), "Place at coordinates");
        EXPECT_EQ(popup.Line()->text(), "55, 88");
        EXPECT_EQ(popup.Line()->selectedText(), "55, 88");
        EXPECT_TRUE(popup.screen()->availableGeometry().contains(popup.frameGeometry()));
        const QString hint = popup.Note()->text();
        EXPECT_EQ(hint, "x, y on the TI picture");
        // The widest point the line can hold shows whole in it.
        popup.Line()->setText(QStringLiteral("-2147483648, -2147483648"));
        QStyleOptionFrame frame;
        frame.initFrom(popup.Line());
        frame.lineWidth = popup.Line()->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const QRect text = popup.Line()->style()->subElementRect(QStyle::SE_LineEditContents,
                                                                 &frame, popup.Line());
        EXPECT_LE(QFontMetrics(popup.Line()->font()).horizontalAdvance(popup.Line()->text()),
                  text.width() - 4);
        for (const char* refused : {"55", "55, 9999999999"}) {
            popup.Line()->setText(QString::fromLatin1(refused));
            QTest::keyClick(popup.Line(), Qt::Key_Return);
            EXPECT_TRUE(popup.isVisible()) << refused;
            EXPECT_NE(popup.Note()->text(), hint) << refused;
            EXPECT_LE(QFontMetrics(popup.Note()->font()).horizontalAdvance(popup.Note()->text()),
                      popup.Note()->width())
                << refused;
        }
        EXPECT_EQ(dlg->DragState(), 1);
        popup.Line()->setText(QStringLiteral("12, 34"));
        QTest::keyClick(popup.Line(), Qt::Key_Return);
    }));
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(FilePoint(31), (Point{12, 34}));
    EXPECT_EQ(dlg->History().count(), steps + 1);
    EXPECT_EQ(dlg->ReadoutText(1008), "657");
    EXPECT_EQ(dlg->ReadoutText(1009), "46");
    EXPECT_EQ(dlg->ReadoutText(1010), "12");
    EXPECT_EQ(dlg->ReadoutText(1011), "46");
    EXPECT_EQ(dlg->ReadoutText(1012), "WARP");

    // Not carried: Warp, picked up last, moves as a step of its own.
    EXPECT_TRUE(TypeCoordinates([](CoordinatesDlg& popup) {
        EXPECT_EQ(popup.Line()->text(), "12, 34");
        popup.Line()->setText(QStringLiteral("-5, 400"));
        QTest::keyClick(popup.Line(), Qt::Key_Return);
    }));
    EXPECT_EQ(FilePoint(31), (Point{-5, 400}));
    EXPECT_EQ(dlg->History().count(), steps + 2);

    Click(kFirstMarkerId); // VLPower1, carried
    EXPECT_TRUE(TypeCoordinates([](CoordinatesDlg& popup) {
        popup.Line()->setText(QStringLiteral("1, 1"));
        QTest::keyClick(popup.Line(), Qt::Key_Escape);
    }));
    EXPECT_EQ(dlg->DragState(), 1);
    EXPECT_EQ(QWidget::mouseGrabber(), dlg.get());
    EXPECT_EQ(FilePoint(0), (Point{30, 40}));
}

// Shown, the magnifier centres on the pointer, then on the corner the
// read-outs show after a nudge or an undo; L or Esc, while it has the focus,
// hides it.
TEST_F(ExactPlacement, TheMagnifierFollowsThePointerNudgesAndUndo) {
    Magnifier& magnifier = *dlg->MagnifierWindow();
    EXPECT_FALSE(magnifier.isVisible());
    QTest::keyClick(dlg.get(), Qt::Key_L);
    ASSERT_TRUE(magnifier.isVisible());
    EXPECT_EQ(magnifier.windowTitle(), "Magnifier");
    EXPECT_EQ(magnifier.accessibleName(), "Magnifier");
    MoveTo(QPoint(100, 100));
    EXPECT_EQ(magnifier.CentreText(), "VL 77,76");
    EXPECT_EQ(magnifier.accessibleDescription(), "VL 77,76");
    Click(kFirstMarkerId + 1); // VLPower2, from the tray
    MoveTo(QPoint(200, 150));
    PressOn(dlg.get(), QPoint(200, 150));
    QTest::keyClick(dlg.get(), Qt::Key_Right);
    EXPECT_EQ(magnifier.CentreText(), "VL 178,126");
    QTest::keyClick(dlg.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(magnifier.CentreText(), "VL 177,126");
    MoveTo(QPoint(700, 100));
    EXPECT_EQ(magnifier.CentreText(), "TI 55,92");

    for (const auto& key : {QKeyCombination(Qt::Key_L), QKeyCombination(Qt::Key_Escape)}) {
        if (!magnifier.isVisible())
            QTest::keyClick(dlg.get(), Qt::Key_L);
        QTest::keyClick(&magnifier, key.key());
        EXPECT_FALSE(magnifier.isVisible()) << key.key();
    }
    // Its text line holds a place far off the window, where a carry may go.
    const QString widest = QStringLiteral("VL -99999,-99999");
    EXPECT_LE(QFontMetrics(magnifier.font()).horizontalAdvance(widest), magnifier.width() - 6);
}

// On a scaled screen every device pixel shows the picture pixel its client
// pixel is (device pixel d lies in client pixel floor(d / scale)), whole.
TEST(WholePixels, EachDevicePixelShowsThePixelItLiesIn) {
    QImage picture(7, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            picture.setPixel(x, y, qRgb(30 * x, 80 * y, 200));
    for (qreal scale : {1.25, 1.5, 1.75, 2.0}) {
        const QSize device(static_cast<int>(std::ceil(7 * scale)),
                           static_cast<int>(std::ceil(3 * scale)));
        QImage shown(device, QImage::Format_RGB32);
        shown.fill(Qt::black);
        shown.setDevicePixelRatio(scale);
        {
            QPainter painter(&shown);
            WholePixelPicture().Draw(painter, picture, picture.size());
        }
        for (int d = 0; d < device.width(); ++d) {
            const int x = static_cast<int>(std::floor(d / scale));
            EXPECT_EQ(PixelOfDevice(d, scale), x) << scale << " " << d;
            for (int e = 0; e < device.height(); ++e)
                EXPECT_EQ(shown.pixel(d, e),
                          picture.pixel(x, static_cast<int>(std::floor(e / scale))))
                    << scale << " " << d << "," << e;
        }
        const DeviceSpan span = DeviceSpanOf(3, 4, scale);
        EXPECT_EQ(span.first, static_cast<int>(std::ceil(3 * scale))) << scale;
        EXPECT_EQ(span.end, static_cast<int>(std::ceil(4 * scale))) << scale;
    }
}
