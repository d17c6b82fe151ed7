// Undo, redo, nudging and the SAVE and OPEN keys, typed as a person types
// them; every save is checked byte for byte against what the reader and
// writer give for the layout on screen.
#include "Desktop.h"

#include "SavedShip.h"

#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

using namespace pelto5;

namespace {

// Marker index to client rectangle, for the markers that left their loaded place.
using Moved = std::map<int, Rect>;

class UndoByKeys : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (SetUpStopped())
            return;
        original = FileBytes(dir.filePath("Corvette.gf"));
        StartEditor();
    }
    // What a save must write with these markers moved (or all in the tray).
    std::string Expected(const Moved& moved, bool cleared = false) const {
        return SavedShip(original, moved, cleared);
    }

    std::string original;
};

} // namespace

TEST_F(UndoByKeys, DropsNudgesAndLayoutCommandsAreUndoneAndRedone) {
    const QStringList main = desktop.Windows();
    desktop.MoveTo(300, 200);
    desktop.Key("ctrl+o");
    const QString dialog = desktop.WaitForNewWindow(main);
    ASSERT_FALSE(dialog.isEmpty()) << "Ctrl+O showed no file dialog";
    desktop.Type(dir.filePath("Corvette.gf"));
    desktop.Key("Return");
    ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));

    desktop.ClickAt(100, 480); // VLWeapon22 from the tray to the VL picture
    desktop.MoveTo(305, 203);
    desktop.ClickAt(305, 203);
    const Moved dropped{{30, {305, 203, 347, 235}}};
    EXPECT_EQ(Save(), Expected(dropped));

    for (const char* key : {"Right", "Right", "Right", "shift+Down"})
        desktop.Key(key);
    const Moved nudged{{30, {308, 211, 350, 243}}};
    EXPECT_EQ(Save(), Expected(nudged));

    desktop.ClickAt(612, 480); // Weapon22 from the tray to the TI picture
    desktop.MoveTo(701, 101);
    desktop.ClickAt(701, 101);
    Moved both = nudged;
    both[55] = {701, 101, 721, 117};
    EXPECT_EQ(Save(), Expected(both));

    desktop.ClickAt(699, 304); // CLEAR
    EXPECT_EQ(Save(), Expected({}, true));
    desktop.Key("ctrl+z"); // the clear
    desktop.Key("ctrl+z"); // Weapon22's drop
    EXPECT_EQ(Save(), Expected(nudged));
    desktop.Key("ctrl+z"); // the nudges, as one step
    EXPECT_EQ(Save(), Expected(dropped));
    desktop.Key("ctrl+y");
    desktop.Key("ctrl+y");
    EXPECT_EQ(Save(), Expected(both));
    desktop.Key("ctrl+shift+z");
    EXPECT_EQ(Save(), Expected({}, true));
    desktop.ClickAt(699, 334); // RESET: the ship as loaded
    EXPECT_EQ(Save(), Expected({}));
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), Expected({}, true));

    // A run of nudges ends at an undo, a redo or a save: the next nudge is a step of its own.
    desktop.ClickAt(100, 480); // VLWeapon22 from the tray again
    desktop.MoveTo(305, 203);
    desktop.ClickAt(305, 203);
    for (const char* key :
         {"Right", "Right", "Right", "ctrl+z", "ctrl+y", "Down", "Down", "ctrl+z"})
        desktop.Key(key);
    EXPECT_EQ(Save(), Expected({{30, {308, 203, 350, 235}}}, true));
    desktop.Key("Left");
    EXPECT_EQ(Save(), Expected({{30, {307, 203, 349, 235}}}, true));
    desktop.Key("Left");
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), Expected({{30, {307, 203, 349, 235}}}, true));
}
