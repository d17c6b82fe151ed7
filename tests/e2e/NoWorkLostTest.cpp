// Nothing a person did is lost without his say: moved markers are not thrown
// away by a close or an open, a save does not undo another program's edit,
// a ship saves under its own name whatever its bytes, and nothing is left in
// the user's home.
#include "Desktop.h"

#include "SavedShip.h"

#include <QDirIterator>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>

using namespace pelto5;

namespace {

// VLWeapon22 waits in the tray at (100, 480); dropped at (305, 203) it stands there.
const std::map<int, Rect> kMoved{{30, {305, 203, 347, 235}}};

bool ExistsAt(const std::string& bytes) {
    struct stat st {};
    return ::lstat(bytes.c_str(), &st) == 0;
}

// The names in a folder, as the system's bytes.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(d))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, ".."))
                names.emplace_back(e->d_name);
        ::closedir(d);
    }
    return names;
}

std::string BytesAt(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class NoWorkLost : public DisplayTest {
protected:
    // Starts the editor with the sample ship, once its VL picture shows.
    void StartWithShip() {
        StartEditor({ship});
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(PictureShown());
        main = desktop.Windows();
    }
    bool PictureShown() const {
        const QImage picture(QStringLiteral(PELTO5_SOURCE_DIR "/examples/CorvetteVL.bmp"));
        return Desktop::WaitUntil([&] {
            const QImage shot = desktop.Screenshot();
            int same = 0, all = 0;
            for (int y = 0; y < picture.height(); y += 8)
                for (int x = 0; x < picture.width(); x += 8, ++all)
                    same += shot.pixel(23 + x, 24 + y) == picture.pixel(x, y);
            return same > all * 8 / 10;
        });
    }
    void MoveMarker() {
        desktop.ClickAt(100, 480);
        desktop.MoveTo(305, 203);
        desktop.ClickAt(305, 203);
    }
    // Waits for the editor's question (or message); empty when none came.
    QString Question() const { return desktop.WaitForNewWindow(main); }
    // Answers the open question with key, and gives the editor the focus again.
    void Answer(const QString& key) {
        desktop.Key(key);
        ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
        desktop.FocusEditor();
    }
    bool Ended() {
        return desktop.Editor().waitForFinished(10000) &&
               desktop.Editor().exitStatus() == QProcess::NormalExit &&
               desktop.Editor().exitCode() == 0;
    }

    QString ship = dir.filePath("Corvette.gf");
    std::string original = FileBytes(QStringLiteral(PELTO5_SOURCE_DIR "/examples/Corvette.gf"));
    QStringList main;
};

} // namespace

TEST_F(NoWorkLost, EveryCloseAndOpenAsksAboutAMovedMarker) {
    StartWithShip();
    if (HasFatalFailure())
        return;
    MoveMarker();
    bool looked = false;
    const std::function<void()> ways[] = {
        [&] { desktop.Key("Escape"); },
        [&] { desktop.Key("Return"); },
        [&] { desktop.Key("KP_Enter"); },
        [&] { // the window menu's Close
            desktop.Key("alt+space");
            ASSERT_FALSE(desktop.WaitForNewWindow(main).isEmpty());
            desktop.Key("c");
        },
        [&] { // OPEN, with a ship chosen
            desktop.Key("ctrl+o");
            ASSERT_FALSE(desktop.WaitForNewWindow(main).isEmpty());
            desktop.Key("ctrl+a");
            desktop.Type(ship);
            desktop.Key("Return");
        },
    };
    for (size_t way = 0; way < std::size(ways); ++way) {
        ways[way]();
        const QString box = Question();
        ASSERT_FALSE(box.isEmpty()) << "no question, way " << way;
        if (!looked) { // in the application's colours: black, with lilac text
            const QImage shot = desktop.SteadyScreenshot(box);
            int black = 0, lilac = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x) {
                    black += shot.pixel(x, y) == qRgb(0, 0, 0);
                    lilac += shot.pixel(x, y) == qRgb(198, 181, 239);
                }
            EXPECT_GT(black, shot.width() * shot.height() / 2);
            EXPECT_GT(lilac, 20);
            looked = true;
        }
        Answer("Escape"); // Cancel
        if (HasFatalFailure())
            return;
        ASSERT_EQ(desktop.Editor().state(), QProcess::Running) << "way " << way;
        EXPECT_EQ(FileBytes(ship), original) << "way " << way;
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Corvette.001")));

    // Cancel kept the moved marker: SAVE writes it.
    desktop.Key("ctrl+s");
    ASSERT_TRUE(desktop.WaitUntil([&] { return QFileInfo::exists(dir.filePath("Corvette.001")); }));
    EXPECT_EQ(FileBytes(ship), SavedShip(original, kMoved));
    // Saved, nothing is unsaved: Esc ends at once.
    desktop.Key("Escape");
    EXPECT_TRUE(Ended());
}

TEST_F(NoWorkLost, DiscardEndsAndSaveSavesThenEnds) {
    StartWithShip();
    if (HasFatalFailure())
        return;
    MoveMarker();
    desktop.Key("Escape");
    ASSERT_FALSE(Question().isEmpty());
    desktop.Key("alt+d");
    EXPECT_TRUE(Ended());
    EXPECT_EQ(FileBytes(ship), original);

    StartWithShip();
    if (HasFatalFailure())
        return;
    MoveMarker();
    desktop.Key("Return");
    ASSERT_FALSE(Question().isEmpty());
    desktop.Key("Return"); // Save, the default
    EXPECT_TRUE(Ended());
    EXPECT_EQ(FileBytes(ship), SavedShip(original, kMoved));
    EXPECT_EQ(FileBytes(dir.filePath("Corvette.001")), original);
}

TEST_F(NoWorkLost, ASaveAsksBeforeUndoingAnotherProgramsEdit) {
    StartWithShip();
    if (HasFatalFailure())
        return;
    MoveMarker();
    const std::string changed = original + "ModTool=1\r\n";
    {
        QFile file(ship);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("ModTool=1\r\n");
    }
    for (int time = 0; time < 2; ++time) { // asked again while the file still differs
        desktop.Key("ctrl+s");
        ASSERT_FALSE(Question().isEmpty()) << time;
        if (time == 0) {
            Answer("Escape"); // Cancel: nothing written, no backup
            EXPECT_EQ(FileBytes(ship), changed);
            EXPECT_FALSE(QFileInfo::exists(dir.filePath("Corvette.001")));
        } else {
            Answer("alt+s"); // Save into the changed file
        }
    }
    ASSERT_TRUE(desktop.WaitUntil([&] { return QFileInfo::exists(dir.filePath("Corvette.001")); }));
    EXPECT_EQ(FileBytes(dir.filePath("Corvette.001")), changed);
    EXPECT_EQ(FileBytes(ship), SavedShip(changed, kMoved));
}

TEST_F(NoWorkLost, ASavePastTheFileSizeLimitFailsAndKeepsTheMoves) {
    // One block of 512 bytes: the ship (1,567 bytes) cannot be written again.
    desktop.Editor().setWorkingDirectory(dir.path());
    ASSERT_TRUE(desktop.StartEditorInShell(QStringLiteral("ulimit -f 1; exec \"$0\" Corvette.gf")));
    ASSERT_TRUE(PictureShown());
    main = desktop.Windows();
    MoveMarker();
    desktop.Key("ctrl+s");
    ASSERT_FALSE(Question().isEmpty()) << "no failure message";
    Answer("Return");
    if (HasFatalFailure())
        return;
    ASSERT_EQ(desktop.Editor().state(), QProcess::Running);
    EXPECT_EQ(FileBytes(ship), original);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Corvette.001")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3); // no leftovers
    // The moved marker is still unsaved work: closing asks.
    desktop.Key("Escape");
    EXPECT_FALSE(Question().isEmpty()) << "the move was lost";
}

TEST_F(NoWorkLost, ALatin1NamedShipOpensAndSavesAsItself) {
    const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/";
    for (const char* suffix : {".gf", "VL.bmp", "TI.bmp"})
        ASSERT_EQ(std::rename((folder + "Corvette" + suffix).c_str(), (folder +
                                                                       "Sch\xe4"
                                                                       "d" +
                                                                       suffix)
                                                                          .c_str()),
                  0);
    desktop.Editor().setWorkingDirectory(dir.path());
    ASSERT_TRUE(
        desktop.StartEditorInShell(QStringLiteral("exec \"$0\" \"$(printf 'Sch\\344d.gf')\"")));
    ASSERT_TRUE(PictureShown());
    desktop.FocusEditor();
    desktop.Key("ctrl+s");
    ASSERT_TRUE(desktop.WaitUntil([&] {
        return ExistsAt(folder + "Sch\xe4"
                                 "d.001");
    }));
    EXPECT_EQ(BytesAt(folder + "Sch\xe4"
                               "d.gf"),
              SavedShip(original));
    EXPECT_EQ(BytesAt(folder + "Sch\xe4"
                               "d.001"),
              original);
    const std::vector<std::string> names = Entries(folder);
    EXPECT_EQ(names.size(), 4u); // the ship, its pictures and its backup, nothing else
    // Qt cannot name these files to remove them; the folder is left empty.
    for (const std::string& name : names)
        ::unlink((folder + name).c_str());
}

TEST_F(NoWorkLost, ATypedNameWithAQuoteOpensThatShip) {
    for (const char* suffix : {".gf", "VL.bmp", "TI.bmp"})
        ASSERT_TRUE(QFile::rename(dir.filePath(QStringLiteral("Corvette%1").arg(suffix)),
                                  dir.filePath(QStringLiteral("Q\"uo'te%1").arg(suffix))));
    StartEditor();
    if (HasFatalFailure())
        return;
    main = desktop.Windows();
    desktop.ClickAt(762, 334); // OPEN
    ASSERT_FALSE(desktop.WaitForNewWindow(main).isEmpty());
    desktop.Type(dir.filePath("Q\"uo'te.gf"));
    desktop.Key("Return");
    ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
    ASSERT_TRUE(PictureShown()); // only that ship has pictures
    desktop.FocusEditor();
    desktop.Key("ctrl+s");
    ASSERT_TRUE(desktop.WaitUntil([&] { return QFileInfo::exists(dir.filePath("Q\"uo'te.001")); }));
    EXPECT_EQ(FileBytes(dir.filePath("Q\"uo'te.gf")), SavedShip(original));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("uo'te.gf")));
}

TEST_F(NoWorkLost, OpeningAShipLeavesNothingInTheHome) {
    QTemporaryDir home;
    QProcessEnvironment env;
    env.insert("HOME", home.path());
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        env.insert(name, home.filePath(QString::fromLatin1(name)));
    StartEditor({}, env);
    if (HasFatalFailure())
        return;
    main = desktop.Windows();
    desktop.ClickAt(762, 334); // OPEN
    ASSERT_FALSE(desktop.WaitForNewWindow(main).isEmpty());
    desktop.Type(ship);
    desktop.Key("Return");
    ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
    ASSERT_TRUE(PictureShown());
    desktop.FocusEditor();
    desktop.Key("Escape"); // nothing moved: it ends at once
    EXPECT_TRUE(Ended());
    QStringList left;
    for (QDirIterator it(home.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        left << it.next();
    EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
    const QString output = QString::fromUtf8(desktop.Editor().readAll());
    EXPECT_TRUE(output.trimmed().isEmpty()) << output.toStdString();
}
