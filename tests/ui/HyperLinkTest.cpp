#include "HyperLink.h"

#include "OpenErrorMessage.h"
#include "TestApp.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QFontMetrics>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace pelto5 {
namespace {

// Opens nothing; answers every open with a set result and counts the calls.
class ScriptedSystem : public UrlSystem {
public:
    int shellResult = 42;
    std::vector<std::string> opened;
    int ShellOpen(const std::string& target, int) override {
        opened.push_back(target);
        return shellResult;
    }
    KeyRead ReadKey(const std::string&) override { return {}; }
    int StartCommand(const std::string&, int) override { return 2; }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A parent that may colour control 77 itself.
class Parent : public QWidget, public ControlColorAnswer {
public:
    std::optional<ControlColors> answer;
    std::optional<ControlColors> CtlColor(int id) const override {
        return id == 77 ? answer : std::nullopt;
    }
};

// Collects what ShowOpenError would show.
class PresenterGuard {
public:
    std::vector<QString> shown;
    PresenterGuard()
        : m_old(SetOpenErrorPresenter([this](const QString& t) { shown.push_back(t); })) {}
    ~PresenterGuard() { SetOpenErrorPresenter(m_old); }

private:
    OpenErrorPresenter m_old;
};

bool HasColor(const QImage& image, ColorRef color) {
    const QRgb wanted = ToQColor(color).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF))
                return true;
    return false;
}

class HyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        parent = std::make_unique<Parent>();
        parent->resize(400, 200);
    }
    HyperLink* Make(int style, const QString& text, QRect rect) {
        auto* link = new HyperLink(parent.get(), 77, style, text);
        link->setGeometry(rect);
        return link;
    }
    void Show() {
        parent->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.get()));
        // Start each test with the mouse off the links: a move to where the
        // last one ended would be dropped as no move at all.
        QTest::mouseMove(parent.get(), QPoint(399, 199));
    }
    std::unique_ptr<Parent> parent;
};

TEST_F(HyperLinkTest, FieldsStartAsGiven) {
    HyperLink* link = Make(0, "text", {10, 10, 100, 20});
    EXPECT_EQ(link->GetLinkColor(), 0x00EE0000u);
    EXPECT_EQ(link->GetVisitedColor(), 0x008B1A55u);
    EXPECT_EQ(link->GetHoverColor(),
              FromQColor(QApplication::palette().color(QPalette::Highlight)));
    EXPECT_FALSE(link->IsVisited());
    EXPECT_TRUE(link->IsUnderlined());
    EXPECT_TRUE(link->IsFitToText());
    EXPECT_FALSE(link->GetHoverCursor());
    EXPECT_TRUE(link->GetTarget().isEmpty());
    EXPECT_FALSE(link->font().underline());
    // Until bound it does not fit, and takes no mouse input.
    link->SetTarget("x");
    EXPECT_EQ(link->geometry(), QRect(10, 10, 100, 20));
    EXPECT_TRUE(link->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(HyperLinkTest, BindingTakesTextAsTargetAndUnderlines) {
    HyperLink* link = Make(0, "Click me", {10, 10, 100, 20});
    link->Bind();
    EXPECT_EQ(link->GetTarget(), "Click me");
    EXPECT_EQ(link->toolTip(), "Click me");
    EXPECT_TRUE(link->font().underline());
    EXPECT_TRUE(link->Style() & SS_NOTIFY);
    EXPECT_FALSE(link->testAttribute(Qt::WA_TransparentForMouseEvents));
    ASSERT_TRUE(link->GetHoverCursor());
    EXPECT_EQ(link->GetHoverCursor()->shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(HyperLinkTest, EmptyTextShowsTarget) {
    HyperLink* link = Make(0, "", {10, 10, 100, 20});
    link->SetTarget("https://a.example/");
    link->Bind();
    EXPECT_EQ(link->text(), "https://a.example/");
    EXPECT_EQ(link->toolTip(), "https://a.example/");
}

TEST_F(HyperLinkTest, SetTargetUpdatesToolTipNotText) {
    HyperLink* link = Make(SS_CENTER, "Donate", {10, 10, 200, 20});
    link->Bind();
    const QRect fitted = link->geometry();
    link->SetTarget("https://pay.example/cgi-bin/webscr");
    EXPECT_EQ(link->toolTip(), "https://pay.example/cgi-bin/webscr");
    EXPECT_EQ(link->text(), "Donate");
    EXPECT_EQ(link->geometry(), fitted);
}

struct FitCase {
    int style;
    QRect rect;
};

TEST_F(HyperLinkTest, FitsToTextInEachStyle) {
    const QString text = "Some link text";
    for (const FitCase& c : {FitCase{0, {20, 30, 300, 40}}, FitCase{SS_RIGHT, {20, 30, 301, 40}},
                             FitCase{SS_CENTER, {20, 30, 301, 41}},
                             FitCase{SS_CENTER | SS_CENTERIMAGE, {20, 30, 300, 40}},
                             FitCase{SS_CENTER | SS_CENTERIMAGE, {20, 30, 301, 41}},
                             FitCase{SS_RIGHT | SS_CENTERIMAGE, {20, 30, 300, 40}},
                             FitCase{SS_CENTER | SS_CENTERIMAGE, {100, 100, 4, 3}}}) {
        HyperLink* link = Make(c.style, text, c.rect);
        link->Bind();
        const QFontMetrics m(link->font());
        const int cx = m.horizontalAdvance(text), cy = m.height();
        int l = c.rect.x(), t = c.rect.y(), r = l + c.rect.width(), b = t + c.rect.height();
        if (c.style & SS_CENTERIMAGE) {
            const int d = (c.rect.height() - cy) / 2;
            t += d;
            b -= d;
        } else {
            b = t + cy;
        }
        if (c.style & SS_CENTER) {
            const int d = (c.rect.width() - cx) / 2;
            l += d;
            r -= d;
        } else if (c.style & SS_RIGHT) {
            l = r - cx;
        } else {
            r = l + cx;
        }
        EXPECT_EQ(link->geometry(), QRect(l, t, r - l, b - t)) << "style " << c.style;
        delete link;
    }
}

TEST_F(HyperLinkTest, FitEdgesByStyle) {
    HyperLink* left = Make(0, "abc", {20, 30, 300, 40});
    left->Bind();
    EXPECT_EQ(left->geometry().left(), 20);
    EXPECT_EQ(left->geometry().top(), 30);
    EXPECT_LT(left->geometry().width(), 300);
    HyperLink* right = Make(SS_RIGHT, "abc", {20, 30, 300, 40});
    right->Bind();
    EXPECT_EQ(right->geometry().x() + right->geometry().width(), 320);
    HyperLink* centre = Make(SS_CENTER | SS_CENTERIMAGE, "abc", {20, 30, 300, 40});
    centre->Bind();
    const QRect g = centre->geometry();
    EXPECT_NEAR(g.x() + g.width() / 2.0, 170, 1.0);
    EXPECT_NEAR(g.y() + g.height() / 2.0, 50, 1.0);
    // An odd difference leaves the fitted box one pixel larger than the text.
    const int cy = QFontMetrics(centre->font()).height();
    EXPECT_EQ(g.height(), cy + (40 - cy) % 2);
}

TEST_F(HyperLinkTest, FitOffLeavesSizeAndOnRefits) {
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    link->SetFitToText(false);
    link->Bind();
    EXPECT_EQ(link->geometry(), QRect(20, 30, 300, 40));
    link->SetFitToText(true);
    EXPECT_EQ(link->geometry().width(), QFontMetrics(link->font()).horizontalAdvance("abc"));
}

TEST_F(HyperLinkTest, UnderlineCanBeTurnedOff) {
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    link->SetUnderlined(false);
    link->Bind();
    EXPECT_FALSE(link->font().underline());
    link->SetUnderlined(true);
    EXPECT_TRUE(link->font().underline());
}

TEST_F(HyperLinkTest, ColourPrecedenceHoverVisitedLink) {
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    link->SetColors(Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9));
    link->Bind();
    Show();
    EXPECT_EQ(link->OwnTextColor(), Rgb(1, 2, 3));
    QImage image = link->grab().toImage();
    EXPECT_TRUE(HasColor(image, Rgb(1, 2, 3)));
    link->MarkVisited(true);
    EXPECT_EQ(link->OwnTextColor(), Rgb(4, 5, 6));
    image = link->grab().toImage();
    EXPECT_TRUE(HasColor(image, Rgb(4, 5, 6)));
    EXPECT_FALSE(HasColor(image, Rgb(1, 2, 3)));
    QTest::mouseMove(link, QPoint(2, 2));
    ASSERT_TRUE(link->IsHovering());
    EXPECT_EQ(link->OwnTextColor(), Rgb(7, 8, 9));
    image = link->grab().toImage();
    EXPECT_TRUE(HasColor(image, Rgb(7, 8, 9)));
    EXPECT_FALSE(HasColor(image, Rgb(4, 5, 6)));
    link->MarkVisited(false);
    EXPECT_EQ(link->OwnTextColor(), Rgb(7, 8, 9));
}

TEST_F(HyperLinkTest, HoverMinusOneTakesHighlightNow) {
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    QPalette palette = QApplication::palette();
    const QPalette old = palette;
    palette.setColor(QPalette::Highlight, QColor(10, 20, 30));
    QApplication::setPalette(palette);
    link->SetColors(Rgb(1, 1, 1), Rgb(2, 2, 2));
    QApplication::setPalette(old);
    EXPECT_EQ(link->GetHoverColor(), Rgb(10, 20, 30));
    link->SetColors(Rgb(1, 1, 1), Rgb(2, 2, 2), Rgb(3, 3, 3));
    EXPECT_EQ(link->GetHoverColor(), Rgb(3, 3, 3));
}

TEST_F(HyperLinkTest, ParentColourAnswerWins) {
    parent->answer = ControlColors{Rgb(198, 181, 239), Rgb(0, 0, 0), Rgb(198, 181, 239)};
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    link->SetColors(Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9));
    link->Bind();
    Show();
    QTest::mouseMove(link, QPoint(2, 2));
    ASSERT_TRUE(link->IsHovering());
    const QImage image = link->grab().toImage();
    EXPECT_TRUE(HasColor(image, Rgb(198, 181, 239)));
    EXPECT_TRUE(HasColor(image, Rgb(0, 0, 0)));
    EXPECT_FALSE(HasColor(image, Rgb(7, 8, 9)));
}

TEST_F(HyperLinkTest, HoverGrabsAndRedrawsOnlyOnEnterAndLeave) {
    HyperLink* link = Make(0, "a long enough link", {20, 30, 300, 40});
    link->Bind();
    Show();
    PaintCounter counter;
    link->installEventFilter(&counter);
    QTest::mouseMove(link, QPoint(2, 2));
    EXPECT_TRUE(link->IsHovering());
    EXPECT_EQ(QWidget::mouseGrabber(), link);
    EXPECT_EQ(counter.paints, 1);
    QTest::mouseMove(link, QPoint(5, 3));
    QTest::mouseMove(link, QPoint(link->width() - 1, link->height() - 1));
    EXPECT_EQ(counter.paints, 1) << "moves inside do not redraw";
    EXPECT_TRUE(link->IsHovering());
    QTest::mouseMove(link, QPoint(link->width(), 2));
    EXPECT_FALSE(link->IsHovering());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(counter.paints, 2);
    link->removeEventFilter(&counter);
}

TEST_F(HyperLinkTest, ClickSuccessMarksVisited) {
    ScriptedSystem sys;
    PresenterGuard presenter;
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    link->SetTarget("https://a.example/x");
    link->Bind();
    link->SetUrlSystem(sys);
    Show();
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(sys.opened, std::vector<std::string>{"https://a.example/x"});
    EXPECT_TRUE(link->IsVisited());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(HyperLinkTest, ClickFailureClearsVisitedAndShowsMessage) {
    ScriptedSystem sys;
    PresenterGuard presenter;
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    link->Bind();
    link->SetUrlSystem(sys);
    Show();
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_TRUE(link->IsVisited());
    sys.shellResult = 26;
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(link->IsVisited());
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0], OpenErrorText(26));
    EXPECT_EQ(sys.opened.size(), 2u);
}

TEST_F(HyperLinkTest, FailedOpenEndsTheHoverBeforeTheMessage) {
    ScriptedSystem sys;
    sys.shellResult = 26;
    bool grabbedDuringMessage = true;
    bool hoveringDuringMessage = true;
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    const OpenErrorPresenter old = SetOpenErrorPresenter([&](const QString&) {
        grabbedDuringMessage = QWidget::mouseGrabber() != nullptr;
        hoveringDuringMessage = link->IsHovering();
    });
    link->Bind();
    link->SetUrlSystem(sys);
    Show();
    QTest::mouseMove(link, QPoint(2, 2));
    ASSERT_EQ(QWidget::mouseGrabber(), link);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
    SetOpenErrorPresenter(old);
    EXPECT_FALSE(grabbedDuringMessage);
    EXPECT_FALSE(hoveringDuringMessage);
}

// Bound, the link is a Tab stop (a click does not take the focus), opens with
// Enter, keypad Enter or Space, and is a link whose press action opens it.
TEST_F(HyperLinkTest, BoundLinkOpensByKeysAndScreenReadersPress) {
    ScriptedSystem sys;
    PresenterGuard presenter;
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    link->SetTarget("https://a.example/x");
    EXPECT_EQ(link->focusPolicy(), Qt::NoFocus);
    link->Bind();
    link->SetUrlSystem(sys);
    EXPECT_EQ(link->focusPolicy(), Qt::TabFocus);
    Show();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(link, key);
    QTest::keyClick(link, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(sys.opened.size(), 3u);

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Link);
    EXPECT_EQ(accessible->text(QAccessible::Name), "abc");
    ASSERT_NE(accessible->actionInterface(), nullptr);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(sys.opened.size(), 4u);
    EXPECT_TRUE(link->IsVisited());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(HyperLinkTest, RightClickOpensNothing) {
    ScriptedSystem sys;
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    link->Bind();
    link->SetUrlSystem(sys);
    Show();
    QTest::mouseClick(link, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_TRUE(sys.opened.empty());
}

TEST_F(HyperLinkTest, HoverCursorNoneBringsBackHand) {
    HyperLink* link = Make(0, "abc", {20, 30, 300, 40});
    link->Bind();
    link->SetHoverCursor(QCursor(Qt::CrossCursor));
    EXPECT_EQ(link->cursor().shape(), Qt::CrossCursor);
    link->SetHoverCursor(std::nullopt);
    ASSERT_TRUE(link->GetHoverCursor());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

} // namespace
} // namespace pelto5
