// The find popup's rows and narrowing, and the cases where M only beeps.
#include "EditorFixture.h"

#include "FindDlg.h"
#include "HardpointTable.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using namespace pelto5;

namespace {

class FindMirror : public SmallShipTest {};

QStringList Shown(const QTreeWidget& list) {
    QStringList names;
    for (int k = 0; k < list.topLevelItemCount(); ++k)
        if (!list.topLevelItem(k)->isHidden())
            names << list.topLevelItem(k)->text(0);
    return names;
}

} // namespace

TEST_F(FindMirror, PopupListsWhereEachStandsNarrowsAndPicksUp) {
    Click(kFirstMarkerId + 32); // Impulse, carried: Ctrl+F drops it first
    MoveTo(QPoint(700, 100));
    Find([&](FindDlg& popup) {
        EXPECT_EQ(dlg->DragState(), 0);
        EXPECT_NE(QWidget::mouseGrabber(), dlg.get());
        EXPECT_TRUE(popup.screen()->availableGeometry().contains(popup.frameGeometry()));
        QTreeWidget& list = *popup.List();
        ASSERT_EQ(list.topLevelItemCount(), kHardpointCount);
        EXPECT_EQ(list.topLevelItem(0)->text(1), "VL 30,40");
        EXPECT_EQ(list.topLevelItem(31)->text(1), "TI 10,20");
        EXPECT_EQ(list.topLevelItem(32)->text(1), "TI 55,88"); // where Impulse was dropped
        EXPECT_EQ(list.topLevelItem(55)->text(1), "tray");
        // Every row's texts measure within their columns, and the columns within the list.
        const QFontMetrics metrics(list.font());
        for (int k = 0; k < kHardpointCount; ++k)
            for (int column : {0, 1})
                EXPECT_LT(metrics.horizontalAdvance(list.topLevelItem(k)->text(column)),
                          list.columnWidth(column))
                    << k;
        EXPECT_LE(list.columnWidth(0) + list.columnWidth(1), list.viewport()->width());
        QTest::keyClicks(popup.Filter(), "pOWer");
        EXPECT_EQ(Shown(list), QStringList({"VLPower1", "VLPower2", "VLPower3"}));
        QTest::keyClick(popup.Filter(), Qt::Key_Down);
        QTest::keyClick(popup.Filter(), Qt::Key_Return);
    });
    EXPECT_EQ(dlg->DragState(), 1);
    EXPECT_EQ(QWidget::mouseGrabber(), dlg.get());
    EXPECT_EQ(dlg->ReadoutText(1012), "VLPOWER2");
    MoveTo(QPoint(200, 150));
    EXPECT_EQ(Geometry(kFirstMarkerId + 1).topLeft(), QPoint(200, 150));

    PressOn(dlg.get(), QPoint(200, 150));
    const Rect before = dlg->MarkerRect(31);
    Find([](FindDlg& popup) {
        QTest::keyClicks(popup.Filter(), "warp");
        QTest::keyClick(popup.Filter(), Qt::Key_Escape);
    });
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(dlg->MarkerRect(31), before);

    Find([](FindDlg& popup) { // a click on a row chooses it
        QTreeWidget& list = *popup.List();
        list.scrollToItem(list.topLevelItem(33));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.topLevelItem(33)).center());
    });
    EXPECT_EQ(dlg->DragState(), 1);
    EXPECT_EQ(dlg->ReadoutText(1012), "THRUSTER");
}

// M mirrors only with a hardpoint placed and its picture shown; else a beep,
// and the marker stays carried.
TEST_F(FindMirror, MWithoutAPlacedHardpointOrItsPictureOnlyBeeps) {
    Click(kFirstMarkerId + 40);
    QTest::keyClick(dlg.get(), Qt::Key_M);
    EXPECT_EQ(dlg->DragState(), 1);
    MoveTo(QPoint(700, 100));
    PressOn(dlg.get(), QPoint(700, 100)); // placed, but no TI picture is shown
    Click(kFirstMarkerId + 41);
    QTest::keyClick(dlg.get(), Qt::Key_M, Qt::ShiftModifier);
    EXPECT_EQ(dlg->DragState(), 1);
    EXPECT_EQ(dlg->History().count(), 1);
}

// Typed text ranks the rows: the name equal to it (any letter case) first,
// then names that begin with it, then names that hold it, each group in
// table order; the first row shown is the one Enter picks.
TEST_F(FindMirror, PopupRanksTheNameTypedWholeFirst) {
    Find([](FindDlg& popup) {
        const struct {
            const char* typed;
            QStringList first;
            int shown;
        } cases[] = {
            {"weapon5", {"Weapon5", "VLWeapon5"}, 2},
            {"VLW", {"VLWeapon1", "VLWeapon2"}, 22},
            {"power3", {"VLPower3"}, 1},
            {"1", {"VLPower1", "VLBridge1", "VLHull1", "VLWeapon1", "VLWeapon10"}, 27},
            {"q", {}, 0},
        };
        for (const auto& c : cases) {
            popup.Filter()->setText(QString::fromLatin1(c.typed));
            const QStringList shown = Shown(*popup.List());
            EXPECT_EQ(shown.size(), c.shown) << c.typed;
            EXPECT_EQ(shown.mid(0, c.first.size()), c.first) << c.typed;
            QTreeWidgetItem* current = popup.List()->currentItem();
            EXPECT_EQ(current ? current->text(0) : QString(), shown.value(0)) << c.typed;
        }
        popup.Filter()->setText(QStringLiteral("weapon5"));
        QTest::keyClick(popup.Filter(), Qt::Key_Return);
    });
    EXPECT_EQ(dlg->ReadoutText(1012), "WEAPON5");
}
