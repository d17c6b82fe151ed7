// `pelto5 --check`, run as a modder runs it: the built program, with no
// display, on ships generated in a folder of their own.
#include "HardpointTable.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelto5;

namespace {

struct Checked {
    int status;
    QString out;
    QString err;
};

Checked Check(const QStringList& paths) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(PELTO5_EDITOR_PATH), QStringList{"--check"} + paths);
    program.waitForFinished(60000);
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}

void Picture(const QString& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(60, 60, 90));
    ASSERT_TRUE(image.save(path, "BMP"));
}

// A ship with every hardpoint at (1,1) but those left out, and extra lines
// at the end of its [HardPoints] section; its VL picture 100 x 60, its TI
// picture 60 x 40 unless left out.
void Ship(const QString& path, const QStringList& leftOut = {}, const QStringList& extra = {},
          bool tiPicture = true) {
    QStringList lines{"[General]", "Name=Test", "[HardPoints]"};
    for (int i = 0; i < kHardpointCount; ++i) {
        const QString name = QString::fromStdString(HardpointNames()[i]);
        if (!leftOut.contains(name))
            lines << name + "=1,1";
    }
    lines << extra;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((lines.join("\r\n") + "\r\n").toLatin1());
    const QString stem = path.endsWith(".gf") ? path.chopped(3) : path;
    Picture(stem + "VL.bmp", 100, 60);
    if (tiPicture)
        Picture(stem + "TI.bmp", 60, 40);
}

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
    EXPECT_TRUE(missing.out.endsWith("pelto5: 1 ship checked, 0 findings\n"));
    EXPECT_EQ(Check({}).status, 2);

    QProcess help;
    help.start(QStringLiteral(PELTO5_EDITOR_PATH), {"--help"});
    help.waitForFinished(60000);
    EXPECT_TRUE(help.readAllStandardOutput().contains("--check PATH..."));
}
