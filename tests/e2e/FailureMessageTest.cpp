// A failure message naming a long path, as the real X server shows it: the
// path is elided, so the box stays narrow and its words stay inside it.
#include "Desktop.h"

#include "../ui/DialogLook.h"

#include <sys/stat.h>

using namespace pelto5;

namespace {

class FailureMessage : public DisplayTest {};

} // namespace

TEST_F(FailureMessage, ALongPathKeepsTheBoxReadable) {
    const QString folder =
        dir.filePath(QString(120, 'a') + "/" + QString(120, 'b') + "/" + QString(120, 'c'));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString ship = folder + "/Corvette.gf";
    ASSERT_TRUE(QFile::copy(dir.filePath("Corvette.gf"), ship));
    StartEditor({ship});
    if (HasFatalFailure())
        return;
    // A pipe takes the ship's place before SAVE.
    ASSERT_TRUE(QFile::remove(ship));
    ASSERT_EQ(::mkfifo(QFile::encodeName(ship).constData(), 0600), 0);
    desktop.Key("ctrl+s");
    const QString box = desktop.NewWindow({desktop.Window()});
    ASSERT_FALSE(box.isEmpty()) << "no failure message";
    const QImage shot = desktop.SteadyScreenshot(box);
    // About 500 pixels of wrapped text beside the icon; the whole path
    // stretched the box to 800 and cut its text.
    EXPECT_LE(shot.width(), 600);
    const QRect words = look::InkBounds(shot, shot.rect(), look::IsLilacInk);
    EXPECT_FALSE(words.isEmpty()) << "no words show";
    EXPECT_LT(words.right(), shot.width() - 8) << "the words reach the box's edge";
    const QString keep = qEnvironmentVariable("PELTO5_SCREENSHOT_DIR");
    if (!keep.isEmpty()) {
        EXPECT_TRUE(shot.save(QDir(keep).filePath("failure-message.png")));
    }
}
