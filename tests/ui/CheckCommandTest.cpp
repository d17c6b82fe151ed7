// `pelto5 --check`, run as a modder runs it: the built program, with no
// display, on ships generated in a folder of their own.
#include "HardpointTable.h"
#include "Terminal.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace pelto5;

namespace {

struct Checked {
    int status;
    QString out;
    QString err;
    long peakKiB = 0; // the largest resident memory it took
};

// Where a run's standard output goes: a file apart from standard error, the
// same file as standard error (2>&1), a full disk, or a pipe nobody reads.
enum class Output { Apart, Together, FullDisk, ClosedPipe };

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs a command line (arguments as bytes, so any name can be given) without
// a display, as a terminal would; its status is -1 when a signal ended it.
Checked RunCommand(const std::vector<std::string>& argv, Output output = Output::Apart) {
    QTemporaryDir streams;
    const std::string outPath = QFile::encodeName(streams.filePath("out")).toStdString();
    const std::string errPath = QFile::encodeName(streams.filePath("err")).toStdString();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0644);
    int pipeEnds[2] = {-1, -1};
    switch (output) {
    case Output::Apart:
        posix_spawn_file_actions_addopen(&files, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0644);
        break;
    case Output::Together:
        posix_spawn_file_actions_adddup2(&files, 2, 1);
        break;
    case Output::FullDisk:
        posix_spawn_file_actions_addopen(&files, 1, "/dev/full", O_WRONLY, 0);
        break;
    case Output::ClosedPipe:
        EXPECT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
        ::close(pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&files, pipeEnds[1], 1);
        break;
    }
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (!QByteArray(*e).startsWith("DISPLAY=") &&
            !QByteArray(*e).startsWith("WAYLAND_DISPLAY=") &&
            !QByteArray(*e).startsWith("QT_QPA_PLATFORM="))
            env.push_back(*e);
    const auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> p;
        for (std::string& s : strings)
            p.push_back(s.data());
        p.push_back(nullptr);
        return p;
    };
    std::vector<std::string> args = argv;
    pid_t pid = -1;
    int status = -1;
    rusage used{};
    if (posix_spawnp(&pid, args[0].c_str(), &files, nullptr, pointers(args).data(),
                     pointers(env).data()) == 0)
        ::wait4(pid, &status, 0, &used);
    posix_spawn_file_actions_destroy(&files);
    if (pipeEnds[1] >= 0)
        ::close(pipeEnds[1]);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            QString::fromStdString(FileText(output == Output::Together ? errPath : outPath)),
            QString::fromStdString(FileText(errPath)), used.ru_maxrss};
}

// The editor with these arguments.
std::vector<std::string> Pelto5(std::vector<std::string> args) {
    args.insert(args.begin(), PELTO5_EDITOR_PATH);
    return args;
}

std::string Bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

Checked Check(const QStringList& paths) {
    std::vector<std::string> args{"--check"};
    for (const QString& path : paths)
        args.push_back(Bytes(path));
    return RunCommand(Pelto5(args));
}

void Picture(const std::string& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(60, 60, 90));
    // Saved under a plain name, then given its own, which may be no text.
    const std::string plain = path.substr(0, path.rfind('/') + 1) + "picture.bmp";
    ASSERT_TRUE(image.save(QString::fromStdString(plain), "BMP"));
    ASSERT_EQ(std::rename(plain.c_str(), path.c_str()), 0);
}

// A ship with every hardpoint at (1,1) but those left out, and extra lines
// at the end of its [HardPoints] section; its VL picture 100 x 60, its TI
// picture 60 x 40 unless left out. Its path as the system's bytes.
void Ship(const std::string& path, const QStringList& leftOut = {}, const QStringList& extra = {},
          bool tiPicture = true) {
    QStringList lines{"[General]", "Name=Test", "[HardPoints]"};
    for (int i = 0; i < kHardpointCount; ++i) {
        const QString name = QString::fromStdString(HardpointNames()[i]);
        if (!leftOut.contains(name))
            lines << name + "=1,1";
    }
    lines << extra;
    std::ofstream(path, std::ios::binary) << (lines.join("\r\n") + "\r\n").toLatin1().toStdString();
    const std::string stem = path.size() > 3 && path.substr(path.size() - 3) == ".gf"
                                 ? path.substr(0, path.size() - 3)
                                 : path;
    Picture(stem + "VL.bmp", 100, 60);
    if (tiPicture)
        Picture(stem + "TI.bmp", 60, 40);
}

void Ship(const QString& path, const QStringList& leftOut = {}, const QStringList& extra = {},
          bool tiPicture = true) {
    Ship(Bytes(path), leftOut, extra, tiPicture);
}

// A folder for one test, removed by chmod and rm, which take names that are
// no text and trees deeper than a path can name, where QDir does not.
class TempFolder {
public:
    TempFolder() { m_dir.setAutoRemove(false); }
    ~TempFolder() {
        QProcess::execute("chmod", {"-R", "u+rwx", m_dir.path()});
        QProcess::execute("rm", {"-rf", m_dir.path()});
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST(CheckCommand, FindsWhatEachShipLacksWithoutADisplay) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString dir = temp.path();
    ASSERT_TRUE(QDir(dir).mkdir("sub"));
    Ship(dir + "/Clean.gf");
    Ship(dir + "/Missing.gf", {"Weapon9"});
    // Line 3 is the header, so the hardpoints take lines 4 to 59.
    Ship(dir + "/Off.gf", {}, {"VLHull2=90,1", "Warp = 2,2", "Weapon23=5,5", "WeaponCount=21"});
    Ship(dir + "/NoTi.gf", {}, {}, false);
    Ship(dir + "/sub/Deep.GF"); // its pictures are Deep.GFVL.bmp and Deep.GFTI.bmp

    const Checked clean = Check({dir + "/Clean.gf"});
    EXPECT_EQ(clean.status, 0) << clean.err.toStdString();
    EXPECT_EQ(clean.out.toStdString(), "pelto5: 1 ship checked, 0 findings\n");

    QStringList expected{
        dir + "/Missing.gf: Weapon9 has no line; its marker stays in the tray",
        dir + "/NoTi.gf: the TI picture " + dir + "/NoTiTI.bmp is missing",
    };
    for (int i = kFirstTiIndex; i < kHardpointCount; ++i)
        expected << QStringLiteral("%1/NoTi.gf:%2: %3 is at 1,1 but no TI picture is shown for it")
                        .arg(dir)
                        .arg(i + 4)
                        .arg(QString::fromStdString(HardpointNames()[i]));
    expected << dir + "/Off.gf:11: VLHull2 is named again on line 60, which counts (the last "
                      "line naming it decides)"
             << dir + "/Off.gf:35: Warp is named again on line 61, which counts (the last line "
                      "naming it decides)"
             << dir + "/Off.gf:60: VLHull2 at 90,1 does not lie wholly on the VL picture (100 x 60)"
             << dir + "/Off.gf:62: Weapon23 looks like a hardpoint but names none of the 56; the "
                      "line is kept as it is"
             << "pelto5: 5 ships checked, 31 findings";
    const Checked folder = Check({dir});
    EXPECT_EQ(folder.status, 1) << folder.err.toStdString();
    EXPECT_EQ(folder.out.toStdString(), (expected.join("\n") + "\n").toStdString());

    const Checked missing = Check({dir + "/Clean.gf", dir + "/Nowhere"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(dir + "/Nowhere")) << missing.err.toStdString();
    EXPECT_TRUE(
        missing.out.endsWith("pelto5: 1 ship checked, 0 findings, 1 path could not be read\n"));
    EXPECT_EQ(Check({}).status, 2);

    QProcess help;
    help.start(QStringLiteral(PELTO5_EDITOR_PATH), {"--help"});
    help.waitForFinished(60000);
    EXPECT_TRUE(help.readAllStandardOutput().contains("--check PATH..."));
}

TEST(CheckCommand, TakesNamesAsTheSystemsBytes) {
    TempFolder temp;
    ASSERT_TRUE(temp.isValid());
    const std::string ship = Bytes(temp.path()) + "/Sch\xe4"
                                                  "d.gf"; // Latin-1, no UTF-8
    Ship(ship, {"Weapon9"});
    const std::string finding = Bytes(temp.path()) +
                                "/Sch\\344d.gf: Weapon9 has no line; its marker stays in the tray\n"
                                "pelto5: 1 ship checked, 1 finding\n";
    for (const std::string& path : {Bytes(temp.path()), ship}) {
        const Checked checked = RunCommand(Pelto5({"--check", path}));
        EXPECT_EQ(checked.status, 1) << checked.err.toStdString();
        EXPECT_EQ(checked.out.toStdString(), finding);
    }
}

TEST(CheckCommand, SaysWhatItCannotReadInTheOrderOfThePaths) {
    TempFolder temp;
    ASSERT_TRUE(temp.isValid());
    const std::string dir = Bytes(temp.path());
    ASSERT_EQ(::chmod(dir.c_str(), 0755), 0); // nobody walks it too
    Ship(dir + "/1.gf", {"Weapon1"});
    ASSERT_EQ(::mkdir((dir + "/2-locked").c_str(), 0), 0);
    Ship(dir + "/3.gf", {"Weapon2"});
    // A folder deeper than a path can name (PATH_MAX), a ship at its bottom.
    ASSERT_EQ(::mkdir((dir + "/4-deep").c_str(), 0755), 0);
    int fd = ::open((dir + "/4-deep").c_str(), O_DIRECTORY);
    const std::string name(200, 'd');
    for (int depth = 0; depth < 22; ++depth) {
        ASSERT_EQ(::mkdirat(fd, name.c_str(), 0755), 0);
        const int inner = ::openat(fd, name.c_str(), O_DIRECTORY);
        ::close(fd);
        fd = inner;
    }
    ::close(::openat(fd, "Deep.gf", O_WRONLY | O_CREAT, 0644));
    ::close(fd);
    ASSERT_EQ(::symlink("5-loop.gf", (dir + "/5-loop.gf").c_str()), 0);

    // Root reads every folder: the check runs as a user who cannot.
    std::vector<std::string> argv = Pelto5({"--check", dir});
    if (::geteuid() == 0) {
        if (QStandardPaths::findExecutable("setpriv").isEmpty())
            GTEST_SKIP() << "running as root without setpriv (util-linux) to run as nobody";
        argv.insert(argv.begin(),
                    {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
    }
    const Checked checked = RunCommand(argv, Output::Together);
    const QStringList lines = checked.out.split('\n', Qt::SkipEmptyParts);
    const QString d = QString::fromStdString(dir);
    ASSERT_EQ(lines.size(), 6) << checked.out.toStdString();
    EXPECT_EQ(lines[0], d + "/1.gf: Weapon1 has no line; its marker stays in the tray");
    EXPECT_EQ(lines[1], "pelto5: " + d + "/2-locked: Permission denied");
    EXPECT_EQ(lines[2], d + "/3.gf: Weapon2 has no line; its marker stays in the tray");
    EXPECT_TRUE(lines[3].startsWith("pelto5: " + d + "/4-deep/dddd")) << lines[3].toStdString();
    EXPECT_TRUE(lines[3].endsWith(": File name too long")) << lines[3].toStdString();
    EXPECT_EQ(lines[4], "pelto5: " + d + "/5-loop.gf: Too many levels of symbolic links");
    EXPECT_EQ(lines[5], "pelto5: 2 ships checked, 2 findings, 3 paths could not be read");
    EXPECT_EQ(checked.status, 2);
}

TEST(CheckCommand, NamesAndLinesCannotForgeLines) {
    TempFolder temp;
    ASSERT_TRUE(temp.isValid());
    const std::string ship =
        Bytes(temp.path()) + "/x.gf: 1 finding\npelto5: 9 ships checked, 0 findings\r\t\x1b[2J.gf";
    Ship(ship, {"Weapon9"}, {"We\x1b[31mapon=1,2"});
    const Checked checked = Check({temp.path()});
    const QStringList lines = checked.out.split('\n', Qt::SkipEmptyParts);
    const QString name = temp.path() + "/x.gf: 1 finding\\npelto5: 9 ships checked, 0 "
                                       "findings\\r\\t\\033[2J.gf";
    ASSERT_EQ(lines.size(), 3) << checked.out.toStdString();
    EXPECT_EQ(lines[0], name + ": Weapon9 has no line; its marker stays in the tray");
    EXPECT_EQ(lines[1], name + ":59: We\\033[31mapon looks like a hardpoint but names none of the "
                               "56; the line is kept as it is");
    EXPECT_EQ(lines[2], "pelto5: 1 ship checked, 2 findings");
}

TEST(CheckCommand, MemoryFollowsTheFile) {
    // 64 MiB of bare line ends, the largest ship there is: 67 million lines.
    TempFolder temp;
    const std::string ship = Bytes(temp.path() + "/Empty.gf");
    // Written a MiB at a time: a program started from here counts this
    // process's peak as its own (a spawn shares its memory until the exec).
    std::ofstream out(ship, std::ios::binary);
    const std::string mib(1 << 20, '\n');
    for (int k = 0; k < 64; ++k)
        out << mib;
    out.close();
    const Checked checked = RunCommand(Pelto5({"--check", ship}));
    EXPECT_EQ(checked.status, 1) << checked.err.toStdString(); // no hardpoint has a line
    EXPECT_TRUE(checked.out.endsWith("pelto5: 1 ship checked, 58 findings\n"))
        << checked.out.right(200).toStdString();
    EXPECT_LE(checked.peakKiB, 256 * 1000) << "KiB at the peak"; // 256 MB
}

TEST(Terminal, EscapesOneConventionLikeLs) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain name.gf", "plain name.gf"},
        {"a\nb\rc\td\ae\bf\vg\fh", "a\\nb\\rc\\td\\ae\\bf\\vg\\fh"},
        {"back\\slash", "back\\\\slash"},
        {std::string("nul\0esc\x1b del\x7f", 13), "nul\\000esc\\033 del\\177"},
        {"Sch\xc3\xa4"
         "d \xe2\x86\x92 \xf0\x9f\x9a\x80",
         "Sch\xc3\xa4"
         "d \xe2\x86\x92 \xf0\x9f\x9a\x80"},
        {"Sch\xe4"
         "d",
         "Sch\\344d"},                                         // Latin-1
        {"csi\xc2\x9b", "csi\\302\\233"},                      // a C1 control in UTF-8
        {"\xc0\xaf\xed\xa0\x80", "\\300\\257\\355\\240\\200"}, // overlong, surrogate
        {"cut\xe2\x86", "cut\\342\\206"},
        {"\xf4\x90\x80\x80", "\\364\\220\\200\\200"}, // past U+10FFFF
    };
    for (const auto& [text, escaped] : cases)
        EXPECT_EQ(Escaped(text), escaped) << escaped;
}

TEST(TerminalCommands, OutputThatCannotBeWrittenEndsInStatus2) {
    TempFolder temp;
    ASSERT_TRUE(temp.isValid());
    Ship(temp.path() + "/A.gf");
    const std::string ship = Bytes(temp.path() + "/A.gf");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"--version"}, {"--check", ship}, {"--layout", ship}}) {
        for (const Output output : {Output::FullDisk, Output::ClosedPipe}) {
            const Checked run = RunCommand(Pelto5(args), output);
            EXPECT_EQ(run.status, 2) << args[0];
            EXPECT_EQ(run.err.toStdString(),
                      output == Output::FullDisk
                          ? "pelto5: cannot write the output: No space left on device\n"
                          : "pelto5: cannot write the output: Broken pipe\n")
                << args[0];
        }
    }
}

TEST(DiffCommand, HardpointsThatDifferThenOtherLinesThenASummary) {
    TempFolder temp;
    ASSERT_TRUE(temp.isValid());
    const QString dir = temp.path();
    Ship(dir + "/Old.gf");
    Ship(dir + "/Same.gf");
    Ship(dir + "/Moved.gf", {"VLPower1", "Weapon5"}, {"Weapon5=60,40"});
    // Empty lines and hardpoint lines elsewhere are no difference; a changed
    // line and a new one are.
    const std::string old = FileText(Bytes(dir + "/Old.gf"));
    std::string others = old;
    others.replace(others.find("Name=Test"), 9, "Name=Other\r\n\r\nMass=9\r\nWeapon1=1,1");
    std::ofstream(Bytes(dir + "/Others.gf"), std::ios::binary) << others;
    const auto diff = [&](const char* name) {
        return RunCommand(Pelto5({"--diff", Bytes(dir + "/Old.gf"), Bytes(dir + "/" + name)}));
    };

    const Checked same = diff("Same.gf");
    EXPECT_EQ(same.status, 0) << same.err.toStdString();
    EXPECT_EQ(same.out.toStdString(), "pelto5: 0 hardpoints and 0 other lines differ\n");

    const Checked moved = diff("Moved.gf");
    EXPECT_EQ(moved.status, 1);
    EXPECT_EQ(moved.out.toStdString(), "VLPower1: 1,1 -> tray\n"
                                       "Weapon5: 1,1 -> 60,40\n"
                                       "pelto5: 2 hardpoints and 0 other lines differ\n");

    const Checked changed = diff("Others.gf");
    EXPECT_EQ(changed.status, 1);
    EXPECT_EQ(changed.out.toStdString(),
              "2 other lines differ (empty lines and hardpoint lines aside)\n"
              "pelto5: 0 hardpoints and 2 other lines differ\n");

    const Checked missing = diff("Nowhere.gf");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out.toStdString(), "");
    EXPECT_EQ(missing.err.toStdString(),
              "pelto5: " + Bytes(dir) + "/Nowhere.gf: no such file or folder\n");
    const Checked picture = diff("OldVL.bmp");
    EXPECT_EQ(picture.status, 2);
    EXPECT_TRUE(picture.err.endsWith("OldVL.bmp: a picture (BMP), not a ship file\n"));
    EXPECT_EQ(RunCommand(Pelto5({"--diff", Bytes(dir + "/Old.gf")})).status, 2); // NEW wanted
}

TEST(LayoutCommand, FiftySixLinesThatGitDiffShows) {
    TempFolder temp;
    ASSERT_TRUE(temp.isValid());
    Ship(temp.path() + "/A.gf", {"Weapon9"});
    const Checked layout = RunCommand(Pelto5({"--layout", Bytes(temp.path() + "/A.gf")}));
    EXPECT_EQ(layout.status, 0) << layout.err.toStdString();
    QStringList expected;
    for (int i = 0; i < kHardpointCount; ++i)
        expected << QString::fromStdString(HardpointNames()[i]) +
                        (HardpointNames()[i] == "Weapon9" ? " tray" : " 1,1");
    EXPECT_EQ(layout.out, expected.join('\n') + '\n');

    // The two lines the README gives, in a repository of the test's own.
    if (QStandardPaths::findExecutable("git").isEmpty())
        GTEST_SKIP() << "git is not installed";
    const auto git = [&](const QStringList& args) {
        QProcess run;
        run.setWorkingDirectory(temp.path());
        run.start("git", QStringList{"-c", "user.name=T", "-c", "user.email=t@t", "-c",
                                     "diff.gf.textconv=" PELTO5_EDITOR_PATH " --layout"} +
                             args);
        run.waitForFinished(60000);
        return QString::fromUtf8(run.readAllStandardOutput());
    };
    QFile attributes(temp.path() + "/.gitattributes");
    ASSERT_TRUE(attributes.open(QIODevice::WriteOnly));
    attributes.write("*.gf diff=gf\n");
    attributes.close();
    git({"init", "-q"});
    git({"add", "."});
    git({"commit", "-q", "-m", "ship"});
    Ship(temp.path() + "/A.gf", {"Weapon9", "Weapon5"}, {"Weapon5=60,40"});
    const QString diff = git({"diff", "A.gf"});
    EXPECT_TRUE(diff.contains("\n-Weapon5 1,1\n+Weapon5 60,40\n")) << diff.toStdString();
}
