#include "MeDlg.h"

#include "TestApp.h"

#include <QFontMetrics>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace pelto5 {
namespace {

bool HasColor(const QImage& image, ColorRef color) {
    const QRgb wanted = ToQColor(color).rgb() & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == wanted)
                return true;
    return false;
}

class MeDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        dlg = std::make_unique<MeDlg>();
    }
    void ShowActive() {
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    }
    std::unique_ptr<MeDlg> dlg;
};

TEST_F(MeDlgTest, TemplateSizeAndFramelessWindow) {
    EXPECT_EQ(dlg->size(), QSize(279, 232));
    EXPECT_TRUE(dlg->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(dlg->ExitButton().geometry(), QRect(210, 26, 64, 29));
    EXPECT_EQ(dlg->ExitButton().Id(), 9210);
    EXPECT_EQ(dlg->ExitButton().text(), "Cancel");
    EXPECT_EQ(dlg->Message().geometry(), QRect(26, 57, 243, 115));
}

TEST_F(MeDlgTest, ExitGivesOne) {
    ShowActive();
    QTest::mouseClick(&dlg->ExitButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(dlg->result(), 1);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(MeDlgTest, ExitEndsTheModalRunWithOne) {
    QTimer::singleShot(0, dlg.get(), [this] {
        QTest::mouseClick(&dlg->ExitButton(), Qt::LeftButton, {}, QPoint(5, 5));
    });
    EXPECT_EQ(dlg->exec(), 1);
}

TEST_F(MeDlgTest, EscapeGivesTwo) {
    ShowActive();
    QTest::keyClick(dlg->focusWidget() ? dlg->focusWidget() : dlg.get(), Qt::Key_Escape);
    EXPECT_EQ(dlg->result(), 2);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(MeDlgTest, EscapeEndsTheModalRunWithTwo) {
    QTimer::singleShot(0, dlg.get(), [this] { QTest::keyClick(dlg.get(), Qt::Key_Escape); });
    EXPECT_EQ(dlg->exec(), 2);
}

TEST_F(MeDlgTest, EnterGivesOneAndReadsTheMessageBack) {
    ShowActive();
    dlg->m_strSupport.clear();
    QTest::keyClick(dlg->focusWidget() ? dlg->focusWidget() : dlg.get(), Qt::Key_Return);
    EXPECT_EQ(dlg->result(), 1);
    EXPECT_EQ(dlg->m_strSupport, MeDlg::SupportMessage());
}

TEST_F(MeDlgTest, ClickIntoMessageLeavesFocusOnExit) {
    ShowActive();
    EXPECT_EQ(QApplication::focusWidget(), &dlg->ExitButton());
    QTest::mouseClick(dlg->Message().viewport(), Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_EQ(QApplication::focusWidget(), &dlg->ExitButton());
    EXPECT_FALSE(dlg->Message().hasFocus());
}

TEST_F(MeDlgTest, MessageIsOneRightAlignedParagraph) {
    const QString message = MeDlg::SupportMessage();
    EXPECT_EQ(message.size(), 380);
    EXPECT_FALSE(message.contains('\n'));
    EXPECT_TRUE(message.contains("@example.com"));
    EXPECT_EQ(dlg->Message().toPlainText(), message);
    EXPECT_EQ(dlg->Message().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(dlg->Message().isReadOnly());
    EXPECT_EQ(dlg->Message().focusPolicy() & Qt::TabFocus, 0);
}

TEST_F(MeDlgTest, LinkToolTipIsTheDonationAddress) {
    HyperLink& link = dlg->Link();
    EXPECT_EQ(link.Id(), 1014);
    EXPECT_EQ(link.toolTip(), "https://www.example.com/cgi-bin/webscr");
    EXPECT_EQ(link.GetTarget(), link.toolTip());
    EXPECT_TRUE(link.GetTarget().startsWith("https://"));
    EXPECT_TRUE(link.GetTarget().endsWith("/cgi-bin/webscr"));
    EXPECT_EQ(link.text(), "-=Please click here, help fund some classes! (or beer)=-");
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MeDlgTest, LinkFitsItsTextAroundTemplateCentre) {
    HyperLink& link = dlg->Link();
    ASSERT_TRUE(link.font().underline());
    const QFontMetrics m(link.font());
    const int cx = m.horizontalAdvance(link.text()), cy = m.height();
    // Template rectangle in pixels: (20, 206) 258 x 15.
    const int dx = (258 - cx) / 2, dy = (15 - cy) / 2;
    EXPECT_EQ(link.geometry(), QRect(20 + dx, 206 + dy, 258 - 2 * dx, 15 - 2 * dy));
}

TEST_F(MeDlgTest, ColoursOnlyItsTextLines) {
    ASSERT_TRUE(dlg->CtlColor(1014));
    EXPECT_EQ(dlg->CtlColor(1014)->text, 0x00EFB5C6u);
    EXPECT_EQ(dlg->CtlColor(1014)->brush, 0x00EFB5C6u);
    EXPECT_EQ(dlg->CtlColor(1014)->textBack, 0u);
    for (int id : {1016, 1017}) {
        ASSERT_TRUE(dlg->CtlColor(id));
        EXPECT_EQ(dlg->CtlColor(id)->text, 0x005ABDF7u);
        EXPECT_EQ(dlg->CtlColor(id)->brush, 0x005ABDF7u);
    }
    EXPECT_FALSE(dlg->CtlColor(1012));
    EXPECT_FALSE(dlg->CtlColor(9210));
    const QImage appeal = dlg->AppealLine(0).grab().toImage();
    EXPECT_TRUE(HasColor(appeal, 0x005ABDF7));
    EXPECT_TRUE(HasColor(appeal, 0));
}

TEST_F(MeDlgTest, LinkStaysLilacWhenHoveredOrVisited) {
    ShowActive();
    HyperLink& link = dlg->Link();
    QTest::mouseMove(dlg.get(), QPoint(1, 230));
    QTest::mouseMove(&link, link.rect().center());
    ASSERT_TRUE(link.IsHovering());
    link.MarkVisited(true);
    const QImage shot = link.grab().toImage();
    EXPECT_TRUE(HasColor(shot, 0x00EFB5C6));
    EXPECT_FALSE(HasColor(shot, link.GetHoverColor()));
    EXPECT_FALSE(HasColor(shot, link.GetVisitedColor()));
    QTest::mouseMove(&link, QPoint(-5, -5));
}

} // namespace
} // namespace pelto5
