#include "EditorFixture.h"

#include "HardpointTable.h"

#include <iterator>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTimer>

using namespace pelto5;

namespace {

struct ButtonCase {
    int id;
    QRect rect;
    int normal;
    int pressed;
};

} // namespace

TEST_F(EditorTest, WindowIsTheTemplateInPixels) {
    EXPECT_EQ(dlg->size(), QSize(809, 505));
    EXPECT_EQ(dlg->windowTitle(), "Vorsanth's Tolmar Util");
    EXPECT_TRUE(dlg->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(dlg->windowIcon().isNull());
    EXPECT_EQ(Geometry(1003).topLeft(), QPoint(23, 24));
    EXPECT_EQ(Geometry(1004).topLeft(), QPoint(645, 8));
    EXPECT_EQ(Geometry(1008), QRect(683, 403, 42, 24));
    EXPECT_EQ(Geometry(1009), QRect(738, 403, 44, 24));
    EXPECT_EQ(Geometry(1010), QRect(683, 439, 42, 23));
    EXPECT_EQ(Geometry(1011), QRect(738, 439, 44, 23));
    EXPECT_EQ(Geometry(1012), QRect(672, 471, 56, 23));
    EXPECT_EQ(Geometry(1015).topLeft(), QPoint(0, 0));
    EXPECT_FALSE(dlg->Control(1015)->isVisible());
    // The pictures and the label plate let presses through to the window.
    EXPECT_TRUE(dlg->Control(1003)->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(dlg->Control(1004)->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(EditorTest, LabelPlateShowsStickyBesideTheSnapButton) {
    const auto labels = dlg->findChildren<QLabel*>();
    const QLabel* plate = nullptr;
    for (const QLabel* l : labels)
        if (l->pixmap().size() == QSize(58, 30))
            plate = l;
    ASSERT_NE(plate, nullptr);
    EXPECT_EQ(plate->geometry(), QRect(672, 349, 58, 30));
}

TEST_F(EditorTest, CommandButtonsAtTheirRectanglesWithTheirFaces) {
    const ButtonCase cases[] = {
        {2110, QRect(QPoint(730, 260), QPoint(793, 288)), 277, 276},
        {2810, QRect(QPoint(667, 260), QPoint(730, 288)), 226, 225},
        {2210, QRect(QPoint(730, 290), QPoint(793, 318)), 281, 280},
        {2610, QRect(QPoint(667, 290), QPoint(730, 318)), 217, 216},
        {2310, QRect(QPoint(730, 320), QPoint(793, 348)), 279, 278},
        {2510, QRect(QPoint(667, 320), QPoint(730, 348)), 214, 215},
        {2410, QRect(QPoint(730, 350), QPoint(793, 378)), 286, 285},
        {2710, QRect(QPoint(730, 470), QPoint(793, 498)), 218, 219},
    };
    for (const ButtonCase& c : cases) {
        BitmapButton* b = Button(c.id);
        ASSERT_NE(b, nullptr) << c.id;
        EXPECT_EQ(b->geometry(), c.rect) << c.id;
        EXPECT_EQ(b->NormalBitmap(), c.normal) << c.id;
        EXPECT_EQ(b->PressedBitmap(), c.pressed) << c.id;
        EXPECT_FALSE(b->NormalImage().isNull()) << c.id;
    }
}

TEST_F(EditorTest, MarkersStartInTheTray) {
    for (int i = 0; i < kHardpointCount; ++i) {
        BitmapButton* m = Button(kFirstMarkerId + i);
        ASSERT_NE(m, nullptr) << i;
        const Rect& t = TrayRects()[i];
        EXPECT_EQ(m->geometry(), QRect(t.left, t.top, t.Width(), t.Height())) << i;
        EXPECT_EQ(m->NormalBitmap(), kFirstMarkerImage + i);
        EXPECT_EQ(m->PressedBitmap(), kFirstMarkerImage + i);
    }
    for (int id = kFirstMarkerId + kHardpointCount; id <= kLastMarkerCommandId; ++id)
        EXPECT_EQ(dlg->Control(id), nullptr) << id;
    EXPECT_EQ(Geometry(3015).right() + 1, 620);
    EXPECT_EQ(Geometry(3016).topLeft(), QPoint(38, 432));
    EXPECT_EQ(Geometry(3029).topLeft(), QPoint(38, 464));
    EXPECT_EQ(Geometry(3031), QRect(122, 472, 20, 16));
    EXPECT_EQ(Geometry(3055).right() + 1, 622);
}

TEST_F(EditorTest, ReadoutsAreColouredNarrowHeavyAndRightAligned) {
    const std::pair<int, QColor> expected[] = {{1008, QColor(165, 123, 132)},
                                               {1009, QColor(198, 181, 239)},
                                               {1010, QColor(247, 189, 90)},
                                               {1011, QColor(198, 181, 239)},
                                               {1012, QColor(214, 165, 181)}};
    for (const auto& [id, colour] : expected) {
        auto* edit = qobject_cast<QLineEdit*>(dlg->Control(id));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->palette().color(QPalette::Base), colour) << id;
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(2, 2, 2)) << id;
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_FALSE(edit->hasFrame());
        EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
        EXPECT_EQ(QFontInfo(edit->font()).family(), "Bebas Neue") << id;
        EXPECT_EQ(QFontMetrics(edit->font()).height(), 23) << id;
        EXPECT_GE(edit->font().weight(), QFont::Black);
        EXPECT_EQ(ToQColor(dlg->CtlColor(id)->brush), colour);
        EXPECT_EQ(dlg->CtlColor(id)->textBack, dlg->CtlColor(id)->brush);
    }
    // Everything else gets the application's colours.
    for (int id : {1003, 1004, 1015, 2110, 3000})
        EXPECT_FALSE(dlg->CtlColor(id).has_value()) << id;
}

TEST_F(EditorTest, ReadoutTextDrawsOnItsBox) {
    QTest::mouseMove(dlg.get(), QPoint(300, 200));
    const QImage shot = dlg->grab().toImage();
    // The box colour shows round the text, the text's dark pixels inside it.
    EXPECT_EQ(QColor(shot.pixel(674, 405)), QColor(165, 123, 132));
    int dark = 0;
    for (int y = 403; y < 427; ++y)
        for (int x = 683; x < 725; ++x)
            dark += qGray(shot.pixel(x, y)) < 40;
    EXPECT_GT(dark, 20);
}

TEST_F(EditorTest, ReadoutCellIsOneColourToItsEdge) {
    // Drawn alone, with nothing behind it, so an edge the cell left unpainted
    // would come out transparent.
    for (int id : {1008, 1009, 1010, 1011, 1012}) {
        QWidget* cell = dlg->Control(id);
        const QImage shot = cell->grab().toImage();
        const QColor box = ToQColor(dlg->CtlColor(id)->brush);
        const int r = shot.width() - 1, b = shot.height() - 1;
        for (const QPoint p :
             {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b), QPoint(1, b / 2)})
            EXPECT_EQ(QColor::fromRgba(shot.pixel(p)), box)
                << id << " at " << p.x() << "," << p.y();
    }
}

TEST_F(EditorTest, StripBesideTheSkinTakesTheWindowColour) {
    const QImage shot = dlg->grab().toImage();
    const QColor window = dlg->palette().window().color();
    EXPECT_EQ(QColor(shot.pixel(805, 250)), window);
    EXPECT_EQ(QColor(shot.pixel(400, 504)), window);
    EXPECT_EQ(QColor(shot.pixel(808, 504)), window);
}

TEST_F(EditorTest, PiecewiseRepaintsLeaveWhatAFullPaintWouldShow) {
    // A carried marker and the read-outs repaint only what changed; what is on
    // screen afterwards must equal a full paint of the window.
    QScreen* screen = dlg->screen();
    ASSERT_NE(screen, nullptr);
    dlg->OnMarkerClicked(3000);
    for (const QPoint p :
         {QPoint(300, 200), QPoint(330, 215), QPoint(700, 100), QPoint(705, 104)}) {
        QTest::mouseMove(dlg->windowHandle(), p);
        QCoreApplication::processEvents();
    }
    QTest::mousePress(dlg->windowHandle(), Qt::LeftButton, {}, QPoint(705, 104));
    QCoreApplication::processEvents();
    const QImage onScreen =
        screen->grabWindow(dlg->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage full = dlg->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(onScreen.size(), full.size());
    int differing = 0;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x)
            differing += onScreen.pixel(x, y) != full.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(Geometry(3000).topLeft(), QPoint(705, 104));
}

TEST_F(EditorTest, ScreenshotShowsSkinFacesAndBoxes) {
    const QImage shot = dlg->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(809, 505));
    EXPECT_EQ(QColor(shot.pixel(675, 425)), QColor(165, 123, 132));
    EXPECT_EQ(QColor(shot.pixel(733, 426)), QColor(198, 181, 239));
    EXPECT_EQ(QColor(shot.pixel(675, 460)), QColor(247, 189, 90));
    EXPECT_EQ(QColor(shot.pixel(675, 495)), QColor(214, 165, 181));
    EXPECT_EQ(QColor(shot.pixel(300, 300)), QColor(Qt::black)); // the empty VL field
    // The marker and command faces are their images, pixel for pixel.
    const QImage marker = Button(3000)->NormalImage();
    for (int y = 0; y < 32; y += 5)
        for (int x = 0; x < 32; x += 5)
            ASSERT_EQ(shot.pixel(38 + x, 400 + y), marker.pixel(x, y)) << x << "," << y;
    const QImage save = Button(2110)->NormalImage();
    for (int y = 0; y < 29; y += 4)
        for (int x = 0; x < 64; x += 4)
            ASSERT_EQ(shot.pixel(730 + x, 260 + y), save.pixel(x, y)) << x << "," << y;
    const QString out = qEnvironmentVariable("PELTO5_SCREENSHOT");
    if (!out.isEmpty()) {
        EXPECT_TRUE(shot.save(out));
    }
}

TEST_F(EditorTest, EnterAndEscapeEndTheRunWithoutSaving) {
    for (auto [key, result] : {std::pair{Qt::Key_Escape, QDialog::Rejected},
                               std::pair{Qt::Key_Return, QDialog::Accepted},
                               std::pair{Qt::Key_Enter, QDialog::Accepted}}) {
        QTimer::singleShot(0, dlg.get(), [this, key = key] { QTest::keyClick(dlg.get(), key); });
        EXPECT_EQ(dlg->exec(), result) << key;
    }
    EXPECT_EQ(exits, 0);
}

TEST_F(EditorTest, NoCommandButtonReactsToEnter) {
    Button(2410)->setFocus();
    QTimer::singleShot(0, dlg.get(), [this] { QTest::keyClick(Button(2410), Qt::Key_Return); });
    EXPECT_EQ(dlg->exec(), QDialog::Accepted);
    EXPECT_EQ(dlg->Snap(), 1);
}

TEST_F(EditorTest, SystemMenuOffersMinimiseCloseAndAbout) {
    QStringList items;
    QString aboutText;
    QTimer::singleShot(0, dlg.get(), [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        // Choosing the about item shows the about box; OK closes it.
        QTimer::singleShot(0, dlg.get(), [&] {
            QWidget* about = QApplication::activeModalWidget();
            ASSERT_NE(about, nullptr);
            aboutText = about->findChild<QLabel*>("version")->text();
            EXPECT_EQ(about->palette().color(QPalette::Window), QColor(Qt::black));
            EXPECT_EQ(about->palette().color(QPalette::WindowText), QColor(198, 181, 239));
            QTest::keyClick(about, Qt::Key_Return);
        });
        menu->actions().last()->trigger();
        menu->close();
    });
    QTest::keyClick(dlg.get(), Qt::Key_Space, Qt::AltModifier);
    EXPECT_EQ(items, (QStringList{"Mi&nimize", "&Close", "-", "&About Pelto5..."}));
    EXPECT_EQ(aboutText, "Pelto5 Version 1.0");
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(EditorTest, CloseFromTheSystemMenuEndsTheRun) {
    QTimer::singleShot(0, dlg.get(), [this] { dlg->OnSysCommand(0xF060); });
    EXPECT_EQ(dlg->exec(), QDialog::Rejected);
}

TEST_F(EditorTest, RightClickOnTheBackgroundOpensTheSystemMenu) {
    int seen = 0;
    QTimer::singleShot(0, dlg.get(), [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            seen = static_cast<int>(menu->actions().size());
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(650, 250),
                            dlg->mapToGlobal(QPoint(650, 250)));
    QApplication::sendEvent(dlg.get(), &event);
    EXPECT_EQ(seen, 4);
}

// The controls made first lie above those made later; the pictures lie
// beneath every marker.
TEST_F(EditorTest, ControlsStackAsMadeWithThePicturesBeneath) {
    const QObjectList order = dlg->children(); // bottom first
    auto level = [&](int id) { return order.indexOf(dlg->Control(id)); };
    const int commands[] = {2110, 2810, 2210, 2610, 2310, 2510, 2410, 2710};
    for (size_t k = 0; k + 1 < std::size(commands); ++k)
        EXPECT_GT(level(commands[k]), level(commands[k + 1])) << commands[k];
    for (int i = 0; i + 1 < kHardpointCount; ++i)
        EXPECT_GT(level(kFirstMarkerId + i), level(kFirstMarkerId + i + 1)) << i;
    EXPECT_LT(level(kFirstMarkerId), level(2710));
    for (int id = 1008; id <= 1012; ++id)
        EXPECT_GT(level(id), level(2110)) << id;
    EXPECT_LT(level(1003), level(kFirstMarkerId + kHardpointCount - 1));
    EXPECT_LT(level(1004), level(kFirstMarkerId + kHardpointCount - 1));
    // SAVE overlaps COPY by a pixel and lies above it.
    EXPECT_EQ(dlg->childAt(730, 270), dlg->Control(2110));

    // Carried, a marker shows above the other markers, still beneath the buttons;
    // dropped, it goes back to its place.
    Click(kFirstMarkerId + 40);
    const QObjectList carried = dlg->children();
    EXPECT_GT(carried.indexOf(dlg->Control(kFirstMarkerId + 40)),
              carried.indexOf(dlg->Control(kFirstMarkerId)));
    EXPECT_LT(carried.indexOf(dlg->Control(kFirstMarkerId + 40)),
              carried.indexOf(dlg->Control(2710)));
    PressOn(dlg.get(), QPoint(300, 200));
    EXPECT_EQ(dlg->children(), order);
}

// Alt+Space is the window's key whatever has the focus; a right-click opens
// the menu only on the window's own surface.
TEST_F(EditorTest, MenuKeyAndRightClickNeverReachAControl) {
    int menus = 0;
    auto closeMenus = [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            ++menus;
            menu->close();
        }
    };
    for (int id : {2410, 2210, kFirstMarkerId + 3, 1012}) {
        dlg->Control(id)->setFocus();
        QTimer::singleShot(0, dlg.get(), closeMenus);
        QTest::keyClick(dlg->Control(id), Qt::Key_Space, Qt::AltModifier);
        EXPECT_EQ(menus, 1) << id;
        menus = 0;
    }
    EXPECT_EQ(dlg->Snap(), 1);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(dlg->DragState(), 0);
    // Space alone still clicks the focused button.
    Button(2410)->setFocus();
    QTest::keyClick(Button(2410), Qt::Key_Space);
    EXPECT_EQ(dlg->Snap(), 8);

    for (int id : {2110, kFirstMarkerId + 3, 1008, 1012, 1003}) {
        QTimer::singleShot(50, dlg.get(), closeMenus);
        const QPoint at = dlg->Control(id)->mapToGlobal(QPoint(5, 5));
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), at);
        QWidget* target = dlg->childAt(dlg->mapFromGlobal(at));
        QApplication::sendEvent(target ? target : dlg.get(), &event);
        QTest::qWait(100);
        EXPECT_EQ(menus, id == 1003 ? 1 : 0) << id;
        menus = 0;
    }
}

TEST_F(EditorTest, DataOpensTheSupportDialog) {
    QString shown;
    // Waits for the dialog's own modal run, then ends it as a user would.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == dlg.get())
            return;
        poll.stop();
        shown = QString::fromLatin1(modal->metaObject()->className());
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    poll.start(10);
    Click(2710);
    EXPECT_EQ(shown, "pelto5::MeDlg");
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->DragState(), 0);
}
