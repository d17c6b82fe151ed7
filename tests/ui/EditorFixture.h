#pragma once

#include "CoordinatesDlg.h"
#include "FindDlg.h"
#include "Pelto5App.h"
#include "Pelto5Dlg.h"
#include "PosixFileSystem.h"
#include "ShipModel.h"
#include "SpokenStatus.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

// Writes a file whole, for a test's ship.
inline void WriteText(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The real application, made before the first test and ended after the last,
// before Qt's own static objects go.
class EditorAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<pelto5::Pelto5App>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[20] = "pelto5_editor_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<pelto5::Pelto5App> m_app;
};

// gtest owns the environment it is given.
inline ::testing::Environment* const kEditorAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new EditorAppEnvironment);

// The real editor window, shown offscreen, in the real application's colours;
// its open dialog, messages and process exit are answered by the test.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg = std::make_unique<pelto5::Pelto5Dlg>(pelto5::RealFileSystem());
        dlg->SetOpenPrompt([this](QWidget*, const QString& initial) {
            promptInitial = initial;
            return nextOpen;
        });
        dlg->SetMessageShower([this](QWidget*, const QString& text) { messages << text; });
        dlg->SetProcessExit([this] { ++exits; });
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }

    void TearDown() override {
        if (QWidget::mouseGrabber())
            QWidget::mouseGrabber()->releaseMouse();
        dlg.reset();
    }

    pelto5::BitmapButton* Button(int id) const {
        return qobject_cast<pelto5::BitmapButton*>(dlg->Control(id));
    }
    QRect Geometry(int id) const { return dlg->Control(id)->geometry(); }
    // Mouse input goes through the window, as the platform delivers it, so
    // that a mouse grab decides which widget gets it.
    QPoint InWindow(QWidget* w, const QPoint& p) const { return w->mapTo(dlg.get(), p); }
    void PressOn(QWidget* w, const QPoint& p = QPoint(2, 2)) {
        QTest::mousePress(dlg->windowHandle(), Qt::LeftButton, {}, InWindow(w, p));
        QTest::mouseRelease(dlg->windowHandle(), Qt::LeftButton, {}, InWindow(w, p));
    }
    void Click(int id) { PressOn(dlg->Control(id)); }
    // Ctrl+click on marker i: it joins the selection, or leaves it.
    void CtrlClick(int i) {
        const QPoint at = InWindow(dlg->Control(pelto5::kFirstMarkerId + i), QPoint(5, 5));
        QTest::mousePress(dlg->windowHandle(), Qt::LeftButton, Qt::ControlModifier, at);
        QTest::mouseRelease(dlg->windowHandle(), Qt::LeftButton, Qt::ControlModifier, at);
    }
    void Press(const QPoint& p) { QTest::mousePress(dlg->windowHandle(), Qt::LeftButton, {}, p); }
    void Release(const QPoint& p) {
        QTest::mouseRelease(dlg->windowHandle(), Qt::LeftButton, {}, p);
    }
    void MoveTo(const QPoint& p) { QTest::mouseMove(dlg->windowHandle(), p); }
    // Hardpoint i's file point, as a save writes it.
    pelto5::Point FilePoint(int i) const {
        const pelto5::Rect r = dlg->Model().RelativeMarkerRect(i, pelto5::kRelativeToPicture);
        return {r.left, r.top};
    }
    // A key of the window's that opens a popup, with the popup handed to act
    // while it runs; whether one ran. A closed popup leaves no window active
    // on this platform, so the key is pressed with the window made active.
    template <typename Popup>
    bool WithPopup(Qt::Key key, Qt::KeyboardModifiers modifiers,
                   const std::function<void(Popup&)>& act) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* popup = qobject_cast<Popup*>(QApplication::activePopupWidget());
            if (!popup)
                return;
            ran = true;
            act(*popup);
            if (popup->isVisible())
                popup->reject();
        });
        QApplication::setActiveWindow(dlg.get());
        QTest::keyClick(dlg.get(), key, modifiers);
        QCoreApplication::processEvents();
        return ran;
    }
    // G, with the popup handed to act while it runs; whether one ran.
    bool TypeCoordinates(const std::function<void(pelto5::CoordinatesDlg&)>& act) {
        return WithPopup(Qt::Key_G, Qt::NoModifier, act);
    }
    // Ctrl+F, with the popup handed to act while it runs.
    void Find(const std::function<void(pelto5::FindDlg&)>& act) {
        EXPECT_TRUE(WithPopup(Qt::Key_F, Qt::ControlModifier, act));
    }
    void Open(const QString& path) {
        nextOpen = path;
        Click(2310);
    }
    // What the window's spoken status said last, as a screen reader hears it.
    QString Said() const { return dlg->findChild<pelto5::SpokenStatus*>()->Text(); }

    std::unique_ptr<pelto5::Pelto5Dlg> dlg;
    QString nextOpen;
    QString promptInitial;
    QStringList messages;
    int exits = 0;
};

// The editor, active, with a small ship open: Warp and VLPower1 placed, no
// pictures.
class SmallShipTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        QApplication::setActiveWindow(dlg.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        WriteText(dir.filePath("S.gf"), "[HardPoints]\r\nWarp=10,20\r\nVLPower1=30,40\r\n");
        Open(dir.filePath("S.gf"));
    }
    QTemporaryDir dir;
};

// The editor with the sample ship and its pictures copied into dir, not yet
// opened.
class SampleShipTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        const QString examples = QStringLiteral(PELTO5_SOURCE_DIR "/examples/");
        for (const char* name : {"Corvette.gf", "CorvetteVL.bmp", "CorvetteTI.bmp"})
            ASSERT_TRUE(QFile::copy(examples + name, dir.filePath(name)));
        ship = dir.filePath("Corvette.gf");
    }
    // Drops data onto the window as a file manager does, an enter, then the
    // drop; whether the window took the drag and the drop.
    std::pair<bool, bool> Drop(const QMimeData& data) {
        const QPoint at(300, 200);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(dlg.get(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(dlg.get(), &drop);
        QCoreApplication::processEvents();
        return {enter.isAccepted(), drop.isAccepted()};
    }

    QTemporaryDir dir;
    QString ship;
};
