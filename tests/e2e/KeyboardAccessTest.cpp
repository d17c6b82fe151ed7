// The whole job can be done from the keyboard in the real X server, with no
// window manager: the keys come back to the editor after every dialog and
// popup, F1 shows the keys, and the support dialog's link opens by Tab and
// Enter or Space.
#include "Desktop.h"

#include "SavedShip.h"

#include "../ui/DialogLook.h"

using namespace pelto5;

namespace {

class KeyboardOnly : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (SetUpStopped())
            return;
        original = FileBytes(dir.filePath("Corvette.gf"));
    }
    void Start(const QProcessEnvironment& env = {}) {
        StartEditor({dir.filePath("Corvette.gf")}, env);
        if (HasFatalFailure())
            return;
        main = desktop.Windows();
    }
    // Waits for the editor's dialog, message or popup; empty when none came.
    QString Dialog() const { return desktop.WaitForNewWindow(main); }
    // Waits until only the editor's window is left.
    bool DialogsGone() const {
        return desktop.WaitUntil([&] { return desktop.Windows() == main; });
    }

    std::string original;
    QStringList main;
};

} // namespace

// With no window manager, X would leave the keyboard focus on the root window
// once a dialog closed: each key below reaches the editor without a click,
// and each undo or redo shows in the next save.
TEST_F(KeyboardOnly, EveryDialogGivesTheKeysBackToTheEditor) {
    Start();
    if (HasFatalFailure())
        return;
    // VLWeapon22, from the tray to the VL picture: clicks, as a person starts.
    desktop.ClickAt(100, 480);
    desktop.MoveTo(305, 203);
    desktop.ClickAt(305, 203);
    const std::string dropped = SavedShip(original, {{30, {305, 203, 347, 235}}});
    const std::string loaded = SavedShip(original);

    // Shows a dialog with open and closes it with keys.
    auto through = [&](const char* what, const std::function<void()>& open,
                       const QStringList& close) {
        open();
        EXPECT_FALSE(Dialog().isEmpty()) << what << " did not show";
        for (const QString& key : close)
            desktop.Key(key);
        EXPECT_TRUE(DialogsGone()) << what << " did not close";
    };
    auto key = [&](const QString& key) { return [&, key] { desktop.Key(key); }; };
    // Ctrl+O, a name typed into the file dialog, and Enter.
    auto open = [&](const QString& name) {
        return [&, name] {
            desktop.Key("ctrl+o");
            Dialog();
            desktop.Type(dir.filePath(name));
            desktop.Key("Return");
        };
    };

    through("OPEN", key("ctrl+o"), {"Escape"});
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), loaded) << "Ctrl+Z after OPEN's Esc";

    desktop.Key("ctrl+y");
    through("the unsaved-work question", open("Corvette.gf"), {"Escape"});
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), loaded) << "Ctrl+Z after the question's Cancel";

    through("the about box", key("F1"), {"Escape"});
    desktop.Key("ctrl+y");
    EXPECT_EQ(Save(), dropped) << "Ctrl+Y after the about box";

    through("the find popup", key("ctrl+f"), {"Escape"});
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), loaded) << "Ctrl+Z after the find popup";

    through("the support dialog", [&] { desktop.ClickAt(762, 484); }, {"Escape"});
    desktop.Key("ctrl+y");
    EXPECT_EQ(Save(), dropped) << "Ctrl+Y after the support dialog";

    through("a failure message", open("CorvetteVL.bmp"), {"Return"});
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), loaded) << "Ctrl+Z after a failure message";

    // Another program changes the file; the question is cancelled, and the
    // next Ctrl+S asks again.
    {
        QFile file(dir.filePath("Corvette.gf"));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("; changed\r\n");
    }
    through("the changed-on-disk question", key("ctrl+s"), {"Escape"});
    through("the changed-on-disk question again", key("ctrl+s"), {"Escape"});
}
