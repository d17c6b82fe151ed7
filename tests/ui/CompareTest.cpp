// Ctrl+D's comparison in the window: the rows and ghosts, how they follow the
// markers, R's revert and Enter's pick-up, the order of the rows, the end of
// a comparison, and the file dialog it asks with.
#include "EditorFixture.h"

#include "ChangesDlg.h"
#include "Colours.h"
#include "GhostLayer.h"
#include "HardpointTable.h"
#include "Resources.h"
#include "ShipComparison.h"
#include "StandardPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QTreeWidget>

#include <cmath>

// Texts as the user reads them, in a test's failure.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace pelto5;

namespace {

constexpr int kVlWeapon22 = 30, kWeapon1 = 34, kWeapon2 = 35, kWeapon4 = 37, kWeapon5 = 38;

// The sample ship open, and a backup of it beside it in which Weapon1 stands
// elsewhere, Weapon5 has no line and VLWeapon22 has one.
class Comparing : public SampleShipTest {
protected:
    void SetUp() override {
        SampleShipTest::SetUp();
        QApplication::setActiveWindow(dlg.get());
        QFile ship(this->ship);
        ASSERT_TRUE(ship.open(QIODevice::ReadOnly));
        original = ship.readAll();
        QByteArray backup = original;
        backup.replace("Weapon1=66,30", "Weapon1=64,96")
            .replace("Weapon5=56,108\r\n", "")
            .replace("Weapon5=56,108\n", "")
            .replace("[HardPoints]", "[HardPoints]\nVLWeapon22=10,20");
        WriteText(dir.filePath("Corvette.001"), backup);
        Open(this->ship);
        dlg->SetComparePrompt([this](QWidget*, const QString& shipPath) {
            ++asked;
            askedWith = shipPath;
            return nextCompared;
        });
    }

    // Ctrl+D, the dialog answered with path.
    void CtrlD(const QString& path = QString()) {
        nextCompared = path.isEmpty() ? dir.filePath("Corvette.001") : path;
        Key(Qt::Key_D);
    }
    // A key of the editor window's, pressed there.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QApplication::setActiveWindow(dlg.get());
        QTest::keyClick(dlg.get(), key, modifiers);
    }
    // The rows, one a line, and the ghosts, once the window has followed the moves so far.
    std::string Rows() {
        QCoreApplication::processEvents();
        QStringList rows;
        const QTreeWidget* list = Changes()->List();
        for (int k = 0; k < list->topLevelItemCount(); ++k)
            rows << list->topLevelItem(k)->text(0);
        return rows.join('\n').toStdString();
    }
    const QVector<GhostLayer::Ghost>& Ghosts() {
        QCoreApplication::processEvents();
        return dlg->Comparison().Ghosts()->Ghosts();
    }
    ChangesDlg* Changes() const { return dlg->Comparison().Changes(); }
    std::vector<int> Shown() {
        QCoreApplication::processEvents();
        return Changes()->Shown();
    }
    void KeyOnRow(int row, Qt::Key key) {
        Changes()->List()->setCurrentItem(Changes()->List()->topLevelItem(row));
        QTest::keyClick(Changes()->List(), key);
    }
    // The window's controls from the lowest up, the other windows left out.
    QList<QWidget*> Stacking() const {
        QList<QWidget*> stack;
        for (QObject* child : dlg->children())
            if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
                stack << w;
        return stack;
    }

    QByteArray original;
    QString nextCompared;
    QString askedWith;
    int asked = 0;
};

QRect TrayRect(int i) {
    const Rect& rc = TrayRects()[i];
    return QRect(rc.left, rc.top, rc.Width(), rc.Height());
}

const std::string kVlWeapon22Row = "VLWeapon22 10,20 → tray";
const std::string kWeapon1Row = "Weapon1 64,96 → 66,30 (+2,-66)";
const std::string kWeapon5Row = "Weapon5 tray → 56,108";
const std::string kThreeRows = kVlWeapon22Row + "\n" + kWeapon1Row + "\n" + kWeapon5Row;

// WCAG's relative luminance and contrast ratio.
double Luminance(const QColor& c) {
    auto channel = [](double v) {
        v /= 255;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

} // namespace

TEST_F(Comparing, RowsAndGhostsShowWhatStandsElsewhereAndFollowMovesUndoAndOpen) {
    const QList<QWidget*> stackedBefore = Stacking();
    CtrlD();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(askedWith, ship);
    ASSERT_NE(Changes(), nullptr);
    EXPECT_TRUE(Changes()->isVisible());
    EXPECT_EQ(Changes()->windowTitle(), "Changes");
    EXPECT_EQ(Changes()->accessibleName(), "Changes");
    EXPECT_EQ(Changes()->List()->headerItem()->text(0), "Corvette.001 → now");
    EXPECT_EQ(Rows(), kThreeRows);
    // Each ghost where the backup puts its marker, its line to the marker now.
    ASSERT_EQ(Ghosts().size(), 3);
    EXPECT_EQ(Ghosts()[0].at, QRect(33, 44, 42, 32));
    EXPECT_EQ(Ghosts()[0].marker, TrayRect(kVlWeapon22));
    EXPECT_EQ(Ghosts()[1].at, QRect(709, 108, 20, 16));
    EXPECT_EQ(Ghosts()[1].marker, Geometry(kFirstMarkerId + kWeapon1));
    EXPECT_EQ(Ghosts()[2].at, TrayRect(kWeapon5));
    // The ghosts lie on the pictures, beneath every other control, whose
    // order stays as it was.
    const GhostLayer* ghosts = dlg->Comparison().Ghosts();
    EXPECT_TRUE(ghosts->isVisible());
    EXPECT_EQ(ghosts->geometry(), dlg->rect());
    EXPECT_TRUE(ghosts->testAttribute(Qt::WA_TransparentForMouseEvents));
    QList<QWidget*> stacked = Stacking();
    ASSERT_GE(stacked.size(), 3);
    EXPECT_EQ(stacked[0], dlg->Picture(kVlPictureId));
    EXPECT_EQ(stacked[1], dlg->Picture(kTiPictureId));
    EXPECT_EQ(stacked[2], ghosts);
    EXPECT_EQ(stacked, stackedBefore);

    // A drop adds a row and a ghost, a carry moves the line with the marker,
    // and an undo takes them back.
    Click(kFirstMarkerId + kWeapon2);
    MoveTo(QPoint(700, 60));
    const std::string weapon2Row = "\nWeapon2 58,48 → 55,48 (-3,+0)\n";
    EXPECT_EQ(Rows(), kVlWeapon22Row + "\n" + kWeapon1Row + weapon2Row + kWeapon5Row);
    EXPECT_EQ(Ghosts()[2].marker, QRect(700, 60, 20, 16));
    MoveTo(QPoint(700, 70));
    Press(QPoint(700, 70));
    Release(QPoint(700, 70));
    EXPECT_EQ(Rows(), kVlWeapon22Row + "\n" + kWeapon1Row + "\nWeapon2 58,48 → 55,58 (-3,+10)\n" +
                          kWeapon5Row);
    EXPECT_EQ(Ghosts()[2].marker, QRect(700, 70, 20, 16));
    dlg->OnClear();
    EXPECT_EQ(Shown().size(), 54u); // every hardpoint on a picture in the backup
    Key(Qt::Key_Z);
    Key(Qt::Key_Z);
    EXPECT_EQ(Rows(), kThreeRows);
    EXPECT_EQ(Ghosts().size(), 3);

    // Opening the backup itself: nothing stands elsewhere.
    Open(dir.filePath("Corvette.001"));
    EXPECT_EQ(Rows(), "Every hardpoint stands where Corvette.001 has it.");
    EXPECT_TRUE(Ghosts().isEmpty());
    EXPECT_TRUE(Shown().empty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Comparing, RRevertsOneHardpointAsOneStepAndEnterPicksItsMarkerUp) {
    CtrlD();
    const int steps = dlg->History().count();
    KeyOnRow(1, Qt::Key_R); // Weapon1, back where the backup has it
    EXPECT_EQ(Geometry(kFirstMarkerId + kWeapon1), QRect(709, 108, 20, 16));
    EXPECT_EQ(Said(), "Put back: Weapon1, on the TI picture at 64, 96");
    EXPECT_EQ(dlg->History().count(), steps + 1);
    EXPECT_EQ(Rows(), kVlWeapon22Row + "\n" + kWeapon5Row);
    // The next row is the current one, so that R after R goes on down.
    EXPECT_EQ(Changes()->List()->currentItem()->text(0).toStdString(), kWeapon5Row);
    KeyOnRow(0, Qt::Key_R); // VLWeapon22, from the tray onto the picture
    EXPECT_EQ(Geometry(kFirstMarkerId + kVlWeapon22), QRect(33, 44, 42, 32));
    KeyOnRow(0, Qt::Key_R); // Weapon5, into the tray
    EXPECT_EQ(Geometry(kFirstMarkerId + kWeapon5), TrayRect(kWeapon5));
    EXPECT_TRUE(Shown().empty());
    EXPECT_TRUE(Ghosts().isEmpty());
    EXPECT_EQ(dlg->History().count(), steps + 3);
    // Each undo brings one back.
    Key(Qt::Key_Z);
    EXPECT_EQ(Rows(), kWeapon5Row);
    Key(Qt::Key_Z);
    Key(Qt::Key_Z);
    EXPECT_EQ(Rows(), kThreeRows);
    EXPECT_EQ(Geometry(kFirstMarkerId + kWeapon1).topLeft(), QPoint(711, 42));

    // Enter picks the row's marker up, alone, as Ctrl+F does.
    CtrlClick(kWeapon1);
    CtrlClick(kWeapon5);
    KeyOnRow(2, Qt::Key_Return);
    EXPECT_EQ(dlg->DragState(), 1);
    EXPECT_EQ(QWidget::mouseGrabber(), dlg.get());
    EXPECT_EQ(dlg->ReadoutText(1012), "WEAPON5");
    EXPECT_EQ(dlg->focusWidget(), dlg->Control(kFirstMarkerId + kWeapon5));
    EXPECT_FALSE(Button(kFirstMarkerId + kWeapon1)->IsSelected());
    // While it is carried, Enter picks nothing else up, and R drops it first.
    KeyOnRow(1, Qt::Key_Return);
    EXPECT_EQ(dlg->ReadoutText(1012), "WEAPON5");
    KeyOnRow(1, Qt::Key_R);
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(Geometry(kFirstMarkerId + kWeapon1), QRect(709, 108, 20, 16));
    // A double click picks up as Enter does.
    QTreeWidget* list = Changes()->List();
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(dlg->DragState(), 1);
    EXPECT_EQ(dlg->ReadoutText(1012), "VLWEAPON22");
}

TEST_F(Comparing, AClickOnTheHeaderPutsTheLargestMoveFirst) {
    // Weapon4 moved farther than Weapon1; the hardpoints to and from the tray farther still.
    Click(kFirstMarkerId + kWeapon4);
    MoveTo(QPoint(600, 300));
    Press(QPoint(600, 300));
    Release(QPoint(600, 300));
    CtrlD();
    QHeaderView* header = Changes()->List()->header();
    EXPECT_TRUE(header->sectionsClickable());
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(10, header->height() / 2));
    EXPECT_TRUE(Changes()->LargestFirst());
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(Shown(), std::vector<int>({kVlWeapon22, kWeapon5, kWeapon4, kWeapon1}));
    // Sorted, the rows go on following the moves.
    Click(kFirstMarkerId + kWeapon4);
    ASSERT_EQ(dlg->DragState(), 1);
    MoveTo(QPoint(699, 100)); // where the file has it
    Press(QPoint(699, 100));
    Release(QPoint(699, 100));
    QCoreApplication::processEvents();
    EXPECT_EQ(Shown(), std::vector<int>({kVlWeapon22, kWeapon5, kWeapon1}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(10, header->height() / 2));
    EXPECT_FALSE(Changes()->LargestFirst());
    EXPECT_EQ(Shown(), std::vector<int>({kVlWeapon22, kWeapon1, kWeapon5}));
}

TEST_F(Comparing, CtrlDAgainOrClosingChangesEndsItAndNothingIsWritten) {
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    CtrlD();
    ASSERT_TRUE(dlg->Comparison().Comparing());
    CtrlD(); // from the editor window: it ends, without asking
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(dlg->Comparison().Comparing());
    EXPECT_FALSE(Changes()->isVisible());
    EXPECT_FALSE(dlg->Comparison().Ghosts()->isVisible());
    // Ctrl+D in "Changes" itself ends it too, as do Esc and its close button.
    CtrlD();
    ASSERT_TRUE(Changes()->isVisible());
    QTest::keyClick(Changes()->List(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(dlg->Comparison().Comparing());
    CtrlD();
    QTest::keyClick(Changes()->List(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->Comparison().Comparing());
    CtrlD();
    Changes()->CloseButton()->click();
    EXPECT_FALSE(dlg->Comparison().Comparing());
    EXPECT_FALSE(dlg->Comparison().Ghosts()->isVisible());
    EXPECT_EQ(asked, 4);
    // Moves after the end change nothing of it.
    dlg->OnClear();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg->Comparison().Ghosts()->Ghosts().isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), files);
    QFile ship(this->ship);
    ASSERT_TRUE(ship.open(QIODevice::ReadOnly));
    EXPECT_EQ(ship.readAll(), original);
}

TEST_F(Comparing, AFileThatCannotBeReadIsSaidAndNothingIsCompared) {
    CtrlD(dir.filePath("Missing.001"));
    CtrlD(dir.path()); // a folder
    CtrlD(dir.filePath("CorvetteVL.bmp"));
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[0].startsWith("Could not read " + dir.filePath("Missing.001") + ": "));
    EXPECT_EQ(messages[1], "Could not open " + dir.path() + ": it is a folder, not a ship file.");
    EXPECT_TRUE(messages[2].contains("it is a picture (BMP)"));
    EXPECT_FALSE(dlg->Comparison().Comparing());
    EXPECT_EQ(Changes(), nullptr);
    // Cancelled, the dialog changes nothing; a new window, with no ship, beeps.
    nextCompared.clear();
    Key(Qt::Key_D);
    EXPECT_FALSE(dlg->Comparison().Comparing());
    EXPECT_EQ(asked, 4);
    Pelto5Dlg fresh(RealFileSystem());
    fresh.SetComparePrompt([this](QWidget*, const QString&) {
        ++asked;
        return nextCompared;
    });
    fresh.OnCompare();
    EXPECT_EQ(asked, 4);
}

TEST_F(Comparing, ChangesStandsBesideTheWindowWhollyOnScreenWithEveryRowWhole) {
    CtrlD();
    EXPECT_TRUE(Changes()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(dlg->screen()->availableGeometry().contains(Changes()->frameGeometry()));
    // Right of the window where there is room, else left of it, else below
    // it (a window as wide as the screen); always wholly on it.
    const QRect screen(0, 0, 1280, 1024);
    const QSize size = Changes()->size();
    const struct {
        QRect window;
        QPoint at;
    } cases[] = {
        {QRect(100, 50, 809, 515), QPoint(917, 50)},
        {QRect(400, 600, 809, 515), QPoint(392 - size.width(), 600)},
        {QRect(-200, -30, 1400, 515), QPoint(0, 485)},
    };
    for (const auto& c : cases) {
        Changes()->PlaceBeside(c.window, screen);
        EXPECT_EQ(Changes()->pos(), c.at) << c.window.x();
        EXPECT_TRUE(screen.contains(Changes()->frameGeometry())) << c.window.x();
    }
    // Dragged by its title, it stays where it was put.
    const QPoint title = Changes()->findChild<QLabel*>()->geometry().center();
    const QPoint before = Changes()->pos();
    QTest::mousePress(Changes(), Qt::LeftButton, {}, title);
    QTest::mouseMove(Changes(), title + QPoint(30, 20));
    QTest::mouseRelease(Changes(), Qt::LeftButton, {}, title + QPoint(30, 20));
    EXPECT_EQ(Changes()->pos(), before + QPoint(30, 20));
    Changes()->PlaceBeside(cases[0].window, screen);
    EXPECT_EQ(Changes()->pos(), before + QPoint(30, 20));

    // Every row, and the widest a row on the pictures can be, measures
    // within the column; rows wider still widen it.
    QTreeWidget* list = Changes()->List();
    const QFontMetrics metrics(list->font());
    const HardpointChange widest{kVlWeapon22, Point{607, 369}, Point{0, 0}};
    const HardpointChange wider{kVlWeapon22, Point{-99999, -99999}, Point{99999, 99999}};
    EXPECT_LT(metrics.horizontalAdvance(ChangesDlg::RowText(widest)), list->columnWidth(0));
    Changes()->ShowChanges("Corvette.001", {wider});
    EXPECT_LT(metrics.horizontalAdvance(ChangesDlg::RowText(wider)), list->columnWidth(0));
    EXPECT_LE(list->columnWidth(0), list->viewport()->width());
}

TEST(GhostColour, DiffersFromEveryMarkerFaceAndStandsOutOnBlack) {
    const QColor ghost = ToQColor(kGhost);
    EXPECT_GE((Luminance(ghost) + 0.05) / (Luminance(Qt::black) + 0.05), 3.0);
    for (int i = 0; i < kHardpointCount; ++i) {
        const QImage face =
            ResourceBitmap(kFirstMarkerImage + i).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(face.isNull()) << i;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x) {
                const QColor c = face.pixelColor(x, y);
                const int distance = std::abs(c.red() - ghost.red()) +
                                     std::abs(c.green() - ghost.green()) +
                                     std::abs(c.blue() - ghost.blue());
                ASSERT_GT(distance, 150) << "marker " << i << " at " << x << "," << y;
            }
    }
}

TEST_F(SampleShipTest, CompareDialogStartsInTheShipsFolderWithShipsAndBackupsNewestFirst) {
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        const char* name;
        int hoursAgo;
    } files[] = {{"Corvette.001", 5},  {"Corvette.002", 4}, {"Corvette.010", 3},
                 {"Corvette.0100", 2}, {"Other.gf", 1},     {"notes.txt", 0},
                 {"Corvette.01a", 0}};
    for (const auto& f : files) {
        WriteText(dir.filePath(f.name), "[HardPoints]\r\n");
        QFile file(dir.filePath(f.name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(now.addSecs(-3600 * f.hoursAgo), QFileDevice::FileModificationTime));
    }
    const std::unique_ptr<QFileDialog> dialog = MakeCompareDialog(nullptr, ship);
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    const auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    auto listed = [&] {
        QStringList names;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            names << view->model()->index(row, 0, root).data().toString();
        return names;
    };
    const QStringList newestFirst = {"Corvette.gf",  "Other.gf",     "Corvette.0100",
                                     "Corvette.010", "Corvette.002", "Corvette.001"};
    EXPECT_TRUE(QTest::qWaitFor([&] { return listed() == newestFirst; }))
        << listed().join(' ').toStdString();
}
