#include "EditorFixture.h"

#include "HardpointTable.h"
#include "MarkerMoves.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace pelto5;

namespace {

class UndoTest : public SmallShipTest {
protected:
    RectArray Layout() const {
        RectArray r{};
        for (int i = 0; i < kHardpointCount; ++i)
            r[i] = dlg->MarkerRect(i);
        return r;
    }
    QPoint At(int i) const { return Geometry(kFirstMarkerId + i).topLeft(); }
    // Picks marker i up, carries it to p and drops it there.
    void Carry(int i, const QPoint& p) {
        Click(kFirstMarkerId + i);
        MoveTo(p);
        PressOn(dlg.get(), p);
    }
    void Key(int key, Qt::KeyboardModifiers mods = {}, QWidget* to = nullptr) {
        QTest::keyClick(to ? to : dlg.get(), static_cast<Qt::Key>(key), mods);
    }
};

} // namespace

// A drop, RESET, CLEAR and PASTE are one step each; undo and redo walk them,
// moving markers only.
TEST_F(UndoTest, EachStepKindIsUndoneAndRedone) {
    std::vector<RectArray> layouts{Layout()};
    Carry(30, QPoint(300, 200));
    layouts.push_back(Layout());
    Click(2810); // COPY: not a step
    Click(2410); // snapping: not a step
    Click(2610); // CLEAR
    layouts.push_back(Layout());
    Click(2510); // RESET
    layouts.push_back(Layout());
    Click(2610);
    layouts.push_back(Layout());
    Click(2810); // PASTE
    layouts.push_back(Layout());
    ASSERT_EQ(dlg->History().count(), 5);
    for (size_t k = layouts.size() - 1; k > 0; --k) {
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Layout(), layouts[k - 1]) << k;
    }
    for (size_t k = 1; k < layouts.size(); ++k) {
        Key(k % 2 ? Qt::Key_Y : Qt::Key_Z,
            k % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(Layout(), layouts[k]) << k;
    }
    // What undo does not touch: the loaded layout, the copy and its face.
    for (int k = 0; k < 3; ++k)
        Key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(Layout(), layouts[2]); // cleared
    EXPECT_FALSE(dlg->CopyHeld());
    EXPECT_EQ(Button(2810)->NormalBitmap(), 226);
    Click(2510);
    EXPECT_EQ(Layout(), layouts[0]);
    EXPECT_EQ(At(31), QPoint(655, 32));
    EXPECT_EQ(dlg->Snap(), 8);
    // A new ship starts a new history.
    Open(dir.filePath("S.gf"));
    EXPECT_EQ(dlg->History().count(), 0);
    Key(Qt::Key_Right);
    EXPECT_EQ(Layout(), layouts[0]);
}

// Arrow keys move the marker picked up last by 1 pixel (Shift: 8); a run of
// them is one step; the read-outs show the marker's corner.
TEST_F(UndoTest, NudgesMergeAndShowTheMarkersCorner) {
    Carry(31, QPoint(700, 100));
    const RectArray dropped = Layout();
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Left);
    EXPECT_EQ(At(31), QPoint(701, 108));
    EXPECT_EQ(dlg->History().count(), 2);
    EXPECT_EQ(dlg->ReadoutText(1008), "701");
    EXPECT_EQ(dlg->ReadoutText(1009), "108");
    EXPECT_EQ(dlg->ReadoutText(1010), "56");
    EXPECT_EQ(dlg->ReadoutText(1011), "108");
    Key(Qt::Key_Up, Qt::ShiftModifier, Button(2110));
    EXPECT_EQ(At(31), QPoint(701, 100));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Layout(), dropped);
    Carry(0, QPoint(100, 100));
    Key(Qt::Key_Left);
    EXPECT_EQ(dlg->ReadoutText(1010), "76");
    EXPECT_EQ(dlg->ReadoutText(1011), "76");
    EXPECT_EQ(dlg->History().count(), 3); // the other marker's nudge is its own step

    // While carried, a nudge moves the marker alone, and Ctrl+Z puts it back
    // where it was picked up, ending the carry without a step.
    const QPoint before = At(0);
    Click(kFirstMarkerId);
    MoveTo(QPoint(200, 150));
    Key(Qt::Key_Down);
    EXPECT_EQ(At(0), QPoint(200, 151));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(At(0), before);
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(dlg->History().count(), 3);
}

// The keys work whatever control has the focus; edit 1012 keeps its own
// arrows. Ctrl+S saves and Ctrl+O opens, or only drop a carried marker.
TEST_F(UndoTest, KeysWhateverHasTheFocus) {
    Carry(31, QPoint(700, 100));
    auto* name = qobject_cast<QLineEdit*>(dlg->Control(1012));
    name->setFocus();
    name->setCursorPosition(2);
    Key(Qt::Key_Right, {}, name);
    EXPECT_EQ(name->cursorPosition(), 3);
    EXPECT_EQ(At(31), QPoint(700, 100));
    Key(Qt::Key_Down, {}, name);
    EXPECT_EQ(At(31), QPoint(700, 101));
    Key(Qt::Key_Z, Qt::ControlModifier, name);
    EXPECT_EQ(At(31), QPoint(700, 100));
    Key(Qt::Key_Y, Qt::ControlModifier, name);
    EXPECT_EQ(At(31), QPoint(700, 101));
    // A command button or a marker with the focus: the arrows nudge, the focus stays.
    for (QWidget* focus : {dlg->Control(2310), dlg->Control(3005)}) {
        focus->setFocus();
        const QPoint nudged = At(31) - QPoint(1, 0);
        Key(Qt::Key_Left, {}, focus);
        EXPECT_EQ(At(31), nudged);
        EXPECT_EQ(focus, QApplication::focusWidget());
        Key(Qt::Key_Z, Qt::ControlModifier, focus);
        EXPECT_NE(At(31), nudged);
        Key(Qt::Key_Y, Qt::ControlModifier, focus);
        EXPECT_EQ(At(31), nudged);
    }
    Key(Qt::Key_S, Qt::ControlModifier, dlg->Control(2310));
    EXPECT_TRUE(QFile::exists(dir.filePath("S.001")));
    nextOpen.clear();
    Key(Qt::Key_O, Qt::ControlModifier, name);
    EXPECT_EQ(promptInitial, dir.filePath("SVL.bmp"));
    promptInitial.clear();
    for (int key : {Qt::Key_S, Qt::Key_O}) {
        Click(kFirstMarkerId + 31);
        Key(key, Qt::ControlModifier);
        EXPECT_EQ(dlg->DragState(), 0);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("S.002")));
    EXPECT_EQ(promptInitial, QString());
}

// A run of nudges is one step only until something else happens: an undo or
// redo, a save, COPY or a pick-up starts a new step. After an undo or redo the
// read-outs show the moved marker's corner, as after a nudge.
TEST_F(UndoTest, NudgeRunsEndWhereSomethingElseHappens) {
    Carry(0, QPoint(123, 124)); // VLPower1 at file (100, 100)
    for (int k = 0; k < 3; ++k)
        Key(Qt::Key_Right);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Y, Qt::ControlModifier);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(At(0), QPoint(126, 124));
    EXPECT_EQ(dlg->ReadoutText(1008), "126");
    EXPECT_EQ(dlg->ReadoutText(1009), "124");
    EXPECT_EQ(dlg->ReadoutText(1010), "103");
    EXPECT_EQ(dlg->ReadoutText(1011), "100");
    Key(Qt::Key_Left);
    Key(Qt::Key_S, Qt::ControlModifier);
    Key(Qt::Key_Left);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_S, Qt::ControlModifier);
    QFile saved(dir.filePath("S.gf"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("VLPower1=102,100\r\n"));

    const QPoint before = At(0);
    Key(Qt::Key_Left);
    Click(2810); // COPY
    Key(Qt::Key_Left);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(At(0), before - QPoint(1, 0));
    Key(Qt::Key_Left);
    Click(kFirstMarkerId); // picked up and dropped in place: no step, but a new run
    PressOn(dlg->Control(kFirstMarkerId));
    Key(Qt::Key_Left);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(At(0), before - QPoint(2, 0));
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(At(0), before - QPoint(3, 0));
    EXPECT_EQ(dlg->ReadoutText(1008), QString::number(before.x() - 3));
}

// The history keeps the last kHistoryLimit steps; older ones drop off.
TEST_F(UndoTest, HistoryKeepsTheLastThousandSteps) {
    const RectArray loaded = Layout();
    for (int k = 1; k <= kHistoryLimit + 201; ++k)
        k % 2 ? dlg->OnClear() : dlg->OnReset();
    const RectArray cleared = Layout();
    ASSERT_NE(cleared, loaded);
    EXPECT_EQ(dlg->History().count(), kHistoryLimit);
    for (int k = 0; k <= kHistoryLimit; ++k)
        Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Layout(), cleared); // the state after step 201, the oldest kept
    EXPECT_FALSE(dlg->History().canUndo());
}
