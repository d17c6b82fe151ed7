// Keys, clicks and files as a person meets them on a real X server: a key goes
// to the focused control, a click to the topmost control under the pointer.
#include "Desktop.h"

#include "SavedShip.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fstream>
#include <sys/stat.h>

using namespace pelto5;

namespace {

// Client points of the editor's command buttons.
constexpr int kSaveX = 762, kSaveY = 274;
constexpr int kExitX = 762, kExitY = 304;
constexpr int kOpenX = 762, kOpenY = 334;
constexpr int kDataX = 762, kDataY = 484;

class HarmlessInput : public DisplayTest {
protected:
    void Start(const QProcessEnvironment& env = {}) {
        StartEditor({}, env);
        main = desktop.Windows();
    }
    // OPEN, then the name typed into the file dialog (or, with an empty name,
    // the name it offers) and Enter.
    void Open(const QString& name) {
        desktop.ClickAt(kOpenX, kOpenY);
        const QString dialog = desktop.WaitForNewWindow(main);
        ASSERT_FALSE(dialog.isEmpty()) << "no file dialog";
        if (!name.isEmpty()) {
            desktop.Key("ctrl+a");
            desktop.Type(name);
        }
        desktop.Key("Return");
        ASSERT_TRUE(desktop.WaitUntil([&] { return !desktop.Windows().contains(dialog); }));
    }
    // Waits for a message box, and closes it with Enter; its text is not read.
    void ExpectMessageAndClose() {
        const QString box = desktop.WaitForNewWindow(main);
        ASSERT_FALSE(box.isEmpty()) << "no message";
        desktop.Key("Return");
        ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
    }
    // Waits for the window menu, checks it opened at the pointer, and closes it.
    void ExpectMenuAndClose() {
        const QString menu = desktop.WaitForNewWindow(main);
        ASSERT_FALSE(menu.isEmpty()) << "no menu";
        // The menu opens at the pointer, where no dialog would.
        const QString pointer = desktop.Xdo({"getmouselocation"});
        const auto p = QRegularExpression("x:(\\d+) y:(\\d+)").match(pointer);
        const QString geometry = desktop.Xdo({"getwindowgeometry", menu});
        EXPECT_TRUE(
            geometry.contains(QStringLiteral("Position: %1,%2").arg(p.captured(1), p.captured(2))))
            << "not the menu: " << geometry.toStdString() << " with the pointer at "
            << pointer.toStdString();
        desktop.Key("Escape");
        ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
    }
    bool Exists(const QString& name) const { return QFileInfo::exists(dir.filePath(name)); }
    // What a save of the file as read must hold, markers where the file put them.
    std::string Resaved(const std::string& original) const { return SavedShip(original); }

    QStringList main;
};

} // namespace

// Alt+Space opens the window menu whatever control has the focus and never
// presses it; Space alone still does. A right-click opens the menu on the
// window's own surface only.
TEST_F(HarmlessInput, TheMenuKeyNeverPressesAButton) {
    Start();
    Open(dir.filePath("Corvette.gf"));
    desktop.ClickAt(kSaveX, kSaveY); // SAVE keeps the focus
    ASSERT_TRUE(desktop.WaitUntil([&] { return Exists("Corvette.001"); }));
    desktop.Key("alt+space");
    ExpectMenuAndClose();
    EXPECT_FALSE(Exists("Corvette.002"));
    desktop.Key("space");
    EXPECT_TRUE(desktop.WaitUntil([&] { return Exists("Corvette.002"); }));

    for (auto [x, y] : {std::pair{kOpenX, kOpenY}, std::pair{kExitX, kExitY}}) {
        desktop.FocusByPress(x, y);
        desktop.MoveTo(300, 200);
        desktop.Key("alt+space");
        ExpectMenuAndClose(); // neither the file dialog nor the end
    }
    ASSERT_EQ(desktop.Editor().state(), QProcess::Running);
    EXPECT_FALSE(Exists("Corvette.003"));

    // A right-click on SAVE does nothing; the next one, on the tray, opens the
    // menu where it was made (had the first opened one, this would close it).
    desktop.ClickIn(desktop.Window(), kSaveX, kSaveY, "3");
    desktop.ClickIn(desktop.Window(), 400, 470, "3");
    const QString menu = desktop.WaitForNewWindow(main);
    ASSERT_FALSE(menu.isEmpty());
    const QString at = desktop.Xdo({"getwindowgeometry", menu});
    const QString windowAt = desktop.Geometry();
    desktop.Key("Escape");
    const QRegularExpression position("Position: (\\d+),(\\d+)");
    const auto m = position.match(at), w = position.match(windowAt);
    EXPECT_EQ(m.captured(1).toInt() - w.captured(1).toInt(), 400) << at.toStdString();
    EXPECT_EQ(m.captured(2).toInt() - w.captured(2).toInt(), 470) << at.toStdString();
    EXPECT_FALSE(Exists("Corvette.003"));
}

// A marker lying on SAVE never takes SAVE's click.
TEST_F(HarmlessInput, AMarkerOnSaveNeverTakesItsClick) {
    std::string ship = FileBytes(dir.filePath("Corvette.gf"));
    const std::string warp = "Warp=114,248\r\n"; // the marker's top-left at SAVE's top
    ship.insert(ship.find("[HardPoints]\r\n") + 14, warp);
    std::ofstream(dir.filePath("Corvette.gf").toStdString(), std::ios::binary) << ship;
    const std::string expected = Resaved(ship);
    ASSERT_NE(expected.find(warp), std::string::npos);
    Start();
    Open(dir.filePath("Corvette.gf"));
    desktop.ClickAt(kSaveX, kSaveY);
    ASSERT_TRUE(desktop.WaitUntil([&] { return Exists("Corvette.001"); }));
    desktop.MoveTo(300, 200); // a carried marker would follow
    desktop.ClickAt(kSaveX, kSaveY);
    ASSERT_TRUE(desktop.WaitUntil([&] { return Exists("Corvette.002"); }));
    EXPECT_EQ(FileBytes(dir.filePath("Corvette.gf")), expected);
}

// Enter on the name the second OPEN offers (the VL picture) refuses the
// picture, and the open ship stays as it was.
TEST_F(HarmlessInput, AcceptingTheOfferedPictureNameNeverTurnsItIntoAShip) {
    const std::string picture = FileBytes(dir.filePath("CorvetteVL.bmp"));
    const std::string expected = Resaved(FileBytes(dir.filePath("Corvette.gf")));
    Start();
    Open(dir.filePath("Corvette.gf"));
    Open(QString()); // the offered name, as it stands
    ExpectMessageAndClose();
    desktop.ClickAt(kSaveX, kSaveY);
    ASSERT_TRUE(desktop.WaitUntil([&] { return Exists("Corvette.001"); }));
    EXPECT_EQ(FileBytes(dir.filePath("Corvette.gf")), expected);
    EXPECT_EQ(FileBytes(dir.filePath("CorvetteVL.bmp")), picture);
    EXPECT_FALSE(Exists("CorvetteVL.bmp.001"));
}

// A pipe or a device chosen as a ship is refused at once, and the editor
// answers the next OPEN.
TEST_F(HarmlessInput, APipeOrADeviceNeverBlocksTheEditor) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("x.gf")).constData(), 0600), 0);
    // The dialog adds ".gf" to a name without a suffix, so the device is named
    // through a link.
    ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.gf")));
    Start();
    for (const QString& name : {dir.filePath("x.gf"), dir.filePath("zero.gf")}) {
        Open(name);
        ExpectMessageAndClose();
    }
    desktop.ClickAt(kOpenX, kOpenY);
    ASSERT_FALSE(desktop.WaitForNewWindow(main).isEmpty()) << "OPEN unanswered";
    desktop.Key("Escape");
    EXPECT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
}

// A failed click on the support dialog's link shows its message without the
// link holding the mouse: a click on the message's OK closes it.
TEST_F(HarmlessInput, AFailedLinkLeavesTheMouseToTheMessage) {
    // A desktop where nothing can open a web page.
    QTemporaryDir bin;
    for (const char* tool : {"xdg-open", "xdg-mime"}) {
        QFile script(bin.filePath(tool));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexit 3\n");
        script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    QProcessEnvironment env;
    env.insert("PATH", bin.path() + ":" + qEnvironmentVariable("PATH"));
    Start(env);
    desktop.ClickAt(kDataX, kDataY);
    const QString support = desktop.WaitForNewWindow(main);
    ASSERT_FALSE(support.isEmpty());
    main << support;
    // The link's line, around its centre.
    desktop.Xdo({"mousemove", "--window", support, "149", "213"});
    desktop.Settle();
    desktop.Xdo({"click", "1"});
    const QString box = desktop.WaitForNewWindow(main);
    ASSERT_FALSE(box.isEmpty()) << "no message";
    const QRegularExpression size("Geometry: (\\d+)x(\\d+)");
    const auto m = size.match(desktop.Xdo({"getwindowgeometry", box}));
    // OK stands at the message's bottom right.
    desktop.ClickIn(box, m.captured(1).toInt() - 50, m.captured(2).toInt() - 24);
    EXPECT_TRUE(desktop.WaitUntil([&] { return !desktop.Windows().contains(box); }))
        << "the message ignored the click";
}
