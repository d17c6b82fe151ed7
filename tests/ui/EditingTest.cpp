#include "EditorFixture.h"

#include "HardpointTable.h"
#include "ShipText.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace pelto5;

namespace {

QByteArray ReadText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WritePicture(const QString& path, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

} // namespace

class ReadoutTest : public EditorTest {
protected:
    QStringList Readouts() const {
        QStringList r;
        for (int id = 1008; id <= 1012; ++id)
            r << dlg->ReadoutText(id);
        return r;
    }
};

TEST_F(ReadoutTest, SnappedCursorInWindowAndPictureCoordinates) {
    Click(2410); // step 8
    MoveTo(QPoint(101, 47));
    EXPECT_EQ(Readouts().mid(0, 4), (QStringList{"96", "40", "73", "16"}));
    MoveTo(QPoint(700, 30));
    EXPECT_EQ(Readouts().mid(0, 4), (QStringList{"696", "24", "51", "24"}));
    Click(2410); // step 16
    MoveTo(QPoint(333, 250));
    EXPECT_EQ(Readouts().mid(0, 2), (QStringList{"320", "240"}));
    Click(2410); // step 1
    MoveTo(QPoint(333, 251));
    EXPECT_EQ(Readouts().mid(0, 4), (QStringList{"333", "251", "310", "227"}));
    // The split between the pictures is at x 645.
    MoveTo(QPoint(644, 10));
    EXPECT_EQ(Readouts()[2], "621");
    MoveTo(QPoint(645, 10));
    EXPECT_EQ(Readouts()[2], "0");
    EXPECT_EQ(Readouts()[3], "10");
}

TEST_F(ReadoutTest, StickyCyclesFacesAndSteps) {
    const std::pair<int, int> faces[] = {{284, 283}, {282, 287}, {286, 285}, {284, 283}};
    const int steps[] = {8, 16, 1, 8};
    for (int k = 0; k < 4; ++k) {
        Click(2410);
        EXPECT_EQ(dlg->Snap(), steps[k]);
        EXPECT_EQ(Button(2410)->NormalBitmap(), faces[k].first);
        EXPECT_EQ(Button(2410)->PressedBitmap(), faces[k].second);
    }
}

TEST_F(ReadoutTest, PickUpCarryAndDrop) {
    Click(3020); // VLWeapon12
    EXPECT_EQ(dlg->DragState(), 1);
    EXPECT_EQ(QWidget::mouseGrabber(), dlg.get());
    EXPECT_EQ(Readouts()[4], "VLWEAPON12");
    // A press while carrying only drops: the snap button under it does not act,
    // and the marker stays where the cursor brought it.
    Click(2410);
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(dlg->Snap(), 1);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(Geometry(3020).topLeft(), InWindow(dlg->Control(2410), QPoint(2, 2)));

    Click(2610); // clear: the marker back to the tray, off the snap button
    Click(2410);
    Click(3020);
    MoveTo(QPoint(101, 47));
    EXPECT_EQ(Geometry(3020), QRect(96, 40, 42, 32));
    PressOn(dlg.get(), QPoint(103, 45)); // the press point itself is not used
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(Geometry(3020), QRect(96, 40, 42, 32));
    EXPECT_EQ(Readouts()[4], "VLWEAPON12");
    const Rect file = dlg->Model().RelativeMarkerRect(20, 1);
    EXPECT_EQ(file.left, 73);
    EXPECT_EQ(file.top, 16);
}

TEST_F(ReadoutTest, APressWhileCarryingNeverReachesTheControlUnderIt) {
    for (int target : {2110, 1008, 3001, 2610}) {
        Click(3000);
        ASSERT_EQ(dlg->DragState(), 1);
        PressOn(dlg->Control(target));
        EXPECT_EQ(dlg->DragState(), 0) << target;
        EXPECT_EQ(Geometry(3000).topLeft(), InWindow(dlg->Control(target), QPoint(2, 2))) << target;
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << target;
        // Put it back so that the next target is uncovered.
        dlg->OnClear();
    }
    EXPECT_EQ(Geometry(3001), QRect(70, 400, 32, 32)); // never picked up
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(exits, 0);
}

TEST_F(ReadoutTest, MarkerClickWhileDraggingTheWindowEndsTheDrag) {
    Press(QPoint(300, 200));
    EXPECT_EQ(dlg->DragState(), 2);
    dlg->OnMarkerClicked(3005);
    EXPECT_EQ(dlg->DragState(), 0);
    Release(QPoint(300, 200));
    EXPECT_EQ(Geometry(3005), QRect(198, 400, 32, 32));
}

TEST_F(ReadoutTest, DraggingTheBackgroundMovesTheWindowAtItsForcedSize) {
    const QPoint start = dlg->pos();
    Press(QPoint(300, 200));
    EXPECT_EQ(dlg->DragState(), 2);
    MoveTo(QPoint(310, 195));
    EXPECT_EQ(dlg->size(), QSize(798, 505));
    EXPECT_EQ(dlg->pos(), start + QPoint(10, -5));
    Release(QPoint(310, 195));
    EXPECT_EQ(dlg->DragState(), 0);
}

TEST_F(ReadoutTest, APressOnAShipPictureStartsAWindowDrag) {
    Press(Geometry(1003).center());
    EXPECT_EQ(dlg->DragState(), 2);
    Release(Geometry(1003).center());
}

TEST_F(ReadoutTest, ReadoutFocusGoesToTheVlPicture) {
    for (int id = 1008; id <= 1011; ++id) {
        QTest::mouseClick(dlg->Control(id), Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), dlg->Control(1003)) << id;
    }
    QTest::mouseClick(dlg->Control(1012), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), dlg->Control(1012));
}

class CommandTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    QPoint MarkerAt(int i) const { return Geometry(kFirstMarkerId + i).topLeft(); }
    QTemporaryDir dir;
};

TEST_F(CommandTest, OpenLoadsPicturesAndPlacesMarkers) {
    WriteText(Path("Wolf.gf"), "[HardPoints]\r\nVLPower1=10,20\r\nWarp=3,4\r\nKey=1\r\n");
    WritePicture(Path("WolfVL.bmp"), QSize(300, 200), Qt::red);
    WritePicture(Path("WolfTI.bmp"), QSize(120, 150), Qt::green);
    Open(Path("Wolf.gf"));
    EXPECT_EQ(Geometry(1003), QRect(23, 24, 300, 200));
    EXPECT_EQ(Geometry(1004), QRect(645, 8, 120, 150));
    EXPECT_EQ(QColor(dlg->grab().toImage().pixel(200, 150)), QColor(Qt::red));
    EXPECT_EQ(MarkerAt(0), QPoint(33, 44));
    EXPECT_EQ(MarkerAt(31), QPoint(648, 16));
    EXPECT_TRUE(messages.isEmpty());
    // The next open starts at the previous ship's VL picture.
    nextOpen.clear();
    Click(2310);
    EXPECT_EQ(promptInitial, Path("WolfVL.bmp"));
}

TEST_F(CommandTest, OtherCaseExtensionIsPartOfThePictureNames) {
    WriteText(Path("Wolf.GF"), "Warp=1,1\r\n");
    WritePicture(Path("Wolf.GFVL.bmp"), QSize(50, 40), Qt::blue);
    Open(Path("Wolf.GF"));
    EXPECT_EQ(Geometry(1003).size(), QSize(50, 40));
}

TEST_F(CommandTest, CancelledOpenChangesNothing) {
    Click(3000);
    MoveTo(QPoint(100, 100));
    PressOn(dlg.get(), QPoint(100, 100));
    nextOpen.clear();
    Click(2310);
    EXPECT_EQ(MarkerAt(0), QPoint(100, 100));
}

TEST_F(CommandTest, MissingShipAndMissingPictures) {
    // A name that does not exist yet starts a new ship, without a word.
    Open(Path("Nothing.gf"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(dlg->Picture(1003)->pixmap().isNull());
    for (int i = 0; i < kHardpointCount; ++i)
        EXPECT_EQ(Geometry(kFirstMarkerId + i).topLeft(),
                  QPoint(TrayRects()[i].left, TrayRects()[i].top));

    WriteText(Path("Bare.gf"), "VLHull1=5,6\r\n");
    Open(Path("Bare.gf"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(MarkerAt(6), QPoint(28, 30));
    EXPECT_TRUE(dlg->Picture(1004)->pixmap().isNull());
}

TEST_F(CommandTest, ClearThenSaveWritesNoHardpointsAndResetBringsThemBack) {
    WriteText(Path("S.gf"), "[HardPoints]\r\nWeapon1=10,20\r\n");
    Open(Path("S.gf"));
    Click(2610);
    EXPECT_EQ(MarkerAt(34), QPoint(TrayRects()[34].left, TrayRects()[34].top));
    Click(2110);
    EXPECT_EQ(ReadText(Path("S.gf")), "[HardPoints]\r\n\r\n");
    EXPECT_EQ(ReadText(Path("S.001")), "[HardPoints]\r\nWeapon1=10,20\r\n");
    Click(2510);
    EXPECT_EQ(MarkerAt(34), QPoint(655, 32));
    Click(2110);
    EXPECT_EQ(ReadText(Path("S.gf")), "[HardPoints]\r\n\r\nWeapon1=10,20\r\n");
}

TEST_F(CommandTest, CopyOpenAnotherPasteThenReset) {
    WriteText(Path("A.gf"), "Warp=1,1\r\nVLPower1=2,2\r\n");
    WriteText(Path("B.gf"), "Warp=50,60\r\n");
    Open(Path("A.gf"));
    Click(2810);
    EXPECT_TRUE(dlg->CopyHeld());
    EXPECT_EQ(Button(2810)->NormalBitmap(), 224);
    Open(Path("B.gf"));
    EXPECT_EQ(MarkerAt(31), QPoint(695, 72));
    Click(2810);
    EXPECT_FALSE(dlg->CopyHeld());
    EXPECT_EQ(Button(2810)->NormalBitmap(), 226);
    EXPECT_EQ(MarkerAt(31), QPoint(646, 13));
    EXPECT_EQ(MarkerAt(0), QPoint(25, 26));
    Click(2510);
    EXPECT_EQ(MarkerAt(31), QPoint(695, 72));
    EXPECT_EQ(MarkerAt(0), QPoint(TrayRects()[0].left, TrayRects()[0].top));
}

TEST_F(CommandTest, FailedSaveIsShownAndLosesNothing) {
    WriteText(Path("S.gf"), "A=1\r\n");
    Open(Path("S.gf"));
    QDir(dir.path()).mkdir("S.001");
    // A folder where the ship was: the save cannot replace it and says so.
    QFile::remove(Path("S.gf"));
    QDir(dir.path()).mkdir("S.gf");
    Click(2110);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(Path("S.gf")));
}

// A picture (the next OPEN offers the VL picture's name), a pipe or a device
// is refused with its name, and the open ship stays exactly as it was.
TEST_F(CommandTest, AFileThatCannotBeAShipLeavesTheOpenShipAlone) {
    WriteText(Path("Wolf.gf"), "[HardPoints]\r\nWarp=3,4\r\nKey=1\r\n");
    WritePicture(Path("WolfVL.bmp"), QSize(30, 20), Qt::red);
    Open(Path("Wolf.gf"));
    Click(kFirstMarkerId + 32);
    MoveTo(QPoint(300, 200));
    PressOn(dlg.get(), QPoint(300, 200));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("x.gf")).constData(), 0600), 0);
    const QByteArray picture = ReadText(Path("WolfVL.bmp"));
    for (const QString& chosen : {Path("WolfVL.bmp"), Path("x.gf"), QStringLiteral("/dev/zero")}) {
        Open(chosen);
        ASSERT_EQ(messages.size(), 1) << chosen.toStdString();
        EXPECT_TRUE(messages.takeFirst().contains(chosen));
        EXPECT_EQ(MarkerAt(31), QPoint(648, 16));
        EXPECT_EQ(MarkerAt(32), QPoint(300, 200));
        EXPECT_EQ(dlg->Picture(1003)->size(), QSize(30, 20));
        nextOpen.clear();
        Click(2310);
        EXPECT_EQ(promptInitial, Path("WolfVL.bmp"));
    }
    Click(2110);
    EXPECT_EQ(ReadText(Path("Wolf.gf")),
              "[HardPoints]\r\n\r\nWarp=3,4\r\nImpulse=-345,188\r\nKey=1\r\n");
    EXPECT_EQ(ReadText(Path("WolfVL.bmp")), picture);
    EXPECT_FALSE(QFile::exists(Path("WolfVL.bmp.001")));
}

// While a marker is carried the window holds the mouse; a key on a focused
// command button only drops the marker, as a press would.
TEST_F(CommandTest, KeysOnCommandButtonsWhileCarryingOnlyDrop) {
    WriteText(Path("S.gf"), "Warp=1,1\r\n");
    Open(Path("S.gf"));
    for (int id : {2310, 2110, 2210, 2710, 2410}) {
        Button(id)->setFocus();
        Click(kFirstMarkerId + 31);
        ASSERT_EQ(dlg->DragState(), 1);
        MoveTo(QPoint(700, 60));
        QTest::keyClick(Button(id), Qt::Key_Space);
        EXPECT_EQ(dlg->DragState(), 0) << id;
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << id;
    }
    EXPECT_EQ(MarkerAt(31), QPoint(700, 60));
    EXPECT_EQ(promptInitial, QString()); // OPEN did not ask
    EXPECT_FALSE(QFile::exists(Path("S.001")));
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(dlg->Snap(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(CommandTest, ExitEndsAtOnceWithoutSaving) {
    WriteText(Path("S.gf"), "Warp=1,1\r\n");
    Open(Path("S.gf"));
    Click(3031);
    MoveTo(QPoint(700, 100));
    PressOn(dlg.get(), QPoint(700, 100));
    Click(2210);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(ReadText(Path("S.gf")), "Warp=1,1\r\n");
    EXPECT_FALSE(QFile::exists(Path("S.001")));
}
