// The keys follow the marker worked on, whose description says where it
// stands at every step, and each result that shows only as pixels or a beep
// is said through the window's spoken status.
#include "EditorFixture.h"

#include "CoordinatesDlg.h"
#include "FindDlg.h"
#include "PictureLayout.h"

#include <QLineEdit>
#include <QTimer>

#include <functional>

// Texts as the user reads them, in a test's failure.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace pelto5;

namespace {

constexpr int kVlPower1 = 0, kVlPower2 = 1, kWeapon22 = 55;

class ScreenReader : public SampleShipTest {
protected:
    void SetUp() override {
        SampleShipTest::SetUp();
        QApplication::setActiveWindow(dlg.get());
    }
    QWidget* Marker(int i) const { return dlg->Control(kFirstMarkerId + i); }
    QString Described(int i) const { return Marker(i)->accessibleDescription(); }
    // A key of the window's, pressed there; a closed popup leaves no window
    // active on this platform.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QApplication::setActiveWindow(dlg.get());
        QTest::keyClick(dlg.get(), key, modifiers);
    }
    // "on the TI picture at x, y" and the like, for a marker's top-left at client point at.
    static QString Place(const char* words, const PictureLayout& picture, const QPoint& at) {
        const Point file = picture.ClientToFile({at.x(), at.y()});
        return QStringLiteral("%1 the %2 picture at %3, %4")
            .arg(QLatin1String(words), QLatin1String(picture.name))
            .arg(file.x)
            .arg(file.y);
    }
};

} // namespace

// Ctrl+F's pick-up gives the marker the focus; it keeps it through the
// carry, a nudge, a refused mirror, G and the drop, and Ctrl+Z and Ctrl+Y
// bring it back to the marker they move. A selection carried says so too.
TEST_F(ScreenReader, TheFocusFollowsTheMarkerWhoseDescriptionSaysWhereItIs) {
    Open(ship);
    Find([](FindDlg& popup) {
        QTest::keyClicks(popup.Filter(), "Weapon22");
        QTest::keyClick(popup.Filter(), Qt::Key_Return);
    });
    EXPECT_EQ(dlg->focusWidget(), Marker(kWeapon22));
    EXPECT_EQ(Described(kWeapon22), "carried, over the tray");
    MoveTo(QPoint(700, 100));
    EXPECT_EQ(Described(kWeapon22), Place("carried, over", kTiPicture, {700, 100}));
    Key(Qt::Key_Right);
    EXPECT_EQ(Described(kWeapon22), Place("carried, over", kTiPicture, {701, 100}));
    Key(Qt::Key_M);
    EXPECT_EQ(Said(), "Mirror refused: nothing placed on this picture yet");
    EXPECT_EQ(dlg->DragState(), 1);
    EXPECT_TRUE(TypeCoordinates([&](CoordinatesDlg& popup) {
        popup.Line()->setText(QStringLiteral("55"));
        QTest::keyClick(popup.Line(), Qt::Key_Return);
        EXPECT_EQ(Said(), "Not placed: Type two whole numbers: x, y");
        popup.Line()->setText(QStringLiteral("60, 90"));
        QTest::keyClick(popup.Line(), Qt::Key_Return);
    }));
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(dlg->focusWidget(), Marker(kWeapon22));
    EXPECT_EQ(Described(kWeapon22), "on the TI picture at 60, 90");

    // The focus elsewhere, undo and redo bring it back to the marker they move.
    Button(kSaveButtonId)->setFocus();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(dlg->focusWidget(), Marker(kWeapon22));
    EXPECT_EQ(Described(kWeapon22), "in the tray");
    EXPECT_EQ(Said(), "Undone: Weapon22 moved");
    Button(kSaveButtonId)->setFocus();
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(dlg->focusWidget(), Marker(kWeapon22));
    EXPECT_EQ(Said(), "Redone: Weapon22 moved");

    // A selection carried: the clicked marker has the focus, each says it is
    // carried and selected; put back, and then dropped, where each stands.
    CtrlClick(kVlPower1);
    CtrlClick(kVlPower2);
    Click(kFirstMarkerId + kVlPower2);
    EXPECT_EQ(dlg->focusWidget(), Marker(kVlPower2));
    MoveTo(QPoint(300, 200));
    EXPECT_EQ(Described(kVlPower2),
              Place("carried, over", kVlPicture, {300, 200}) + ", one of 2 selected");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Said(), "Undone: VLPower2 put back");
    EXPECT_EQ(Described(kVlPower2), "on the VL picture at 260, 180, one of 2 selected");
    Click(kFirstMarkerId + kVlPower2);
    MoveTo(QPoint(300, 200));
    PressOn(dlg.get(), QPoint(300, 200));
    EXPECT_EQ(Described(kVlPower2),
              Place("on", kVlPicture, {300, 200}) + ", one of 2 selected, 2 moved together");
    Button(kSaveButtonId)->setFocus();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(dlg->focusWidget(), Marker(kVlPower2));
    EXPECT_EQ(Said(), "Undone: 2 markers moved");
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Said(), "Nothing to undo");
}

// Without a ship, G and Ctrl+D say why they only beep; a file that is no
// ship is refused in a few words, then an open and a save are said.
TEST_F(ScreenReader, EachResultIsSaid) {
    EXPECT_EQ(Said(), "No ship open");
    Key(Qt::Key_G);
    EXPECT_EQ(Said(), "Nothing to place: no marker picked up yet");
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(Said(), "Nothing to compare: no ship open");
    Open(dir.filePath("CorvetteVL.bmp"));
    EXPECT_EQ(Said(), "Could not open CorvetteVL.bmp");
    EXPECT_EQ(messages.size(), 1);
    Open(ship);
    EXPECT_EQ(Said(), "Opened Corvette.gf");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Said(), "Saved Corvette.gf");
}
