#include "ShipSaver.h"
#include "FileSystem.h"
#include "PosixFileSystem.h"
#include "RectMarkerSurface.h"
#include "ShipModel.h"
#include "ShipText.h"
#include "TempDir.h"
#include "WriteSignals.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace pelto5;
namespace fs = std::filesystem;

namespace {

// The real file system, with one chosen step failing.
class FailingFileSystem final : public FileSystem {
public:
    enum Step {
        None,
        ReadStep,
        CreateTempStep,
        SetModeStep,
        WriteStep,
        ShortWrite,
        SyncStep,
        CloseStep,
        LinkStep,
        LinkCrossDevice,
        RenameStep,
        SyncDirStep,
        RaceBackup
    };

    explicit FailingFileSystem(Step step) : m_step(step) {}

    int ReadAll(const std::string& p, std::string& b) override {
        return m_step == ReadStep ? EIO : real().ReadAll(p, b);
    }
    int Lstat(const std::string& p, bool& e, bool& l, mode_t& m) override {
        return real().Lstat(p, e, l, m);
    }
    int RealPath(const std::string& p, std::string& r) override { return real().RealPath(p, r); }
    int CreateTemp(const std::string& h, int& fd, std::string& p) override {
        return m_step == CreateTempStep ? ENOSPC : real().CreateTemp(h, fd, p);
    }
    int CreateExclusive(const std::string& p, mode_t m, int& fd) override {
        return real().CreateExclusive(p, m, fd);
    }
    int SetMode(int fd, mode_t m) override {
        return m_step == SetModeStep ? EIO : real().SetMode(fd, m);
    }
    int Write(int fd, const char* d, size_t n, size_t& w) override {
        if (m_step == WriteStep)
            return ENOSPC;
        if (m_step == ShortWrite) // the disk fills after a few bytes
            return real().Write(fd, d, n > 3 ? (m_full ? 0 : (m_full = true, 3)) : 0, w);
        return real().Write(fd, d, n, w);
    }
    int Sync(int fd) override { return m_step == SyncStep ? EIO : real().Sync(fd); }
    int Close(int fd) override {
        const int err = real().Close(fd);
        return m_step == CloseStep ? EIO : err;
    }
    int LinkNoReplace(const std::string& f, const std::string& t) override {
        if (m_step == LinkStep)
            return EIO;
        if (m_step == LinkCrossDevice)
            return EXDEV;
        if (m_step == RaceBackup && !m_raced) {
            // Another program takes the free name between the check and the link.
            m_raced = true;
            WriteFile(t, "someone else's");
        }
        return real().LinkNoReplace(f, t);
    }
    int Rename(const std::string& f, const std::string& t) override {
        return m_step == RenameStep ? EIO : real().Rename(f, t);
    }
    int Unlink(const std::string& p) override { return real().Unlink(p); }
    int SyncDirectory(const std::string& d) override {
        return m_step == SyncDirStep ? EIO : real().SyncDirectory(d);
    }
    mode_t NewFileMode() override { return real().NewFileMode(); }

private:
    static FileSystem& real() { return RealFileSystem(); }
    Step m_step;
    bool m_full = false;
    bool m_raced = false;
};

std::set<std::string> Names(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.insert(e.path().filename().string());
    return names;
}

} // namespace

TEST(Backups, NextFreeNameSkipsFilesAndFolders) {
    TempDir dir;
    WriteFile(dir / "S.gf", "old");
    for (int n = 1; n <= 9; ++n)
        WriteFile(BackupName(dir / "S", n), "b");
    fs::create_directory(dir / "S.010");
    ASSERT_TRUE(ShipSaver(RealFileSystem()).Save(dir / "S.gf", "new").ok);
    EXPECT_EQ(ReadFile(dir / "S.011"), "old");
    EXPECT_TRUE(fs::is_directory(dir / "S.010"));
    EXPECT_EQ(ReadFile(dir / "S.gf"), "new");
}

TEST(Backups, PastNinetyNineTheNameGrows) {
    TempDir dir;
    WriteFile(dir / "S.gf", "old");
    for (int n = 1; n <= 99; ++n)
        WriteFile(BackupName(dir / "S", n), "b");
    ASSERT_TRUE(ShipSaver(RealFileSystem()).Save(dir / "S.gf", "new").ok);
    EXPECT_EQ(ReadFile(dir / "S.0100"), "old");
}

TEST(Backups, AStemWithOtherCaseKeepsItsExtension) {
    TempDir dir;
    WriteFile(dir / "S.GF", "old");
    ASSERT_TRUE(ShipSaver(RealFileSystem()).Save(dir / "S.GF", "new").ok);
    EXPECT_EQ(ReadFile(dir / "S.GF.001"), "old");
}

TEST(Backups, ADanglingLinkHoldsItsName) {
    TempDir dir;
    WriteFile(dir / "S.gf", "old");
    fs::create_symlink(dir / "nowhere", dir / "S.001");
    ASSERT_TRUE(ShipSaver(RealFileSystem()).Save(dir / "S.gf", "new").ok);
    EXPECT_EQ(ReadFile(dir / "S.002"), "old");
    EXPECT_TRUE(fs::is_symlink(dir / "S.001"));
}

TEST(Saving, NewPathIsCreatedWithoutBackup) {
    TempDir dir;
    ASSERT_TRUE(ShipSaver(RealFileSystem()).Save(dir / "N.gf", "new").ok);
    EXPECT_EQ(Names(dir), (std::set<std::string>{"N.gf"}));
    EXPECT_EQ(ReadFile(dir / "N.gf"), "new");
}

TEST(Saving, KeepsPermissionBits) {
    TempDir dir;
    WriteFile(dir / "S.gf", "old");
    ::chmod((dir / "S.gf").c_str(), 0640);
    ASSERT_TRUE(ShipSaver(RealFileSystem()).Save(dir / "S.gf", "new").ok);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "S.gf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(Saving, ALinkStaysALinkAndItsTargetGetsTheContent) {
    TempDir dir;
    fs::create_directory(dir / "real");
    WriteFile(dir / "real/T.gf", "old");
    fs::create_symlink(dir / "real/T.gf", dir / "L.gf");
    ASSERT_TRUE(ShipSaver(RealFileSystem()).Save(dir / "L.gf", "new").ok);
    EXPECT_TRUE(fs::is_symlink(dir / "L.gf"));
    EXPECT_EQ(ReadFile(dir / "real/T.gf"), "new");
    EXPECT_EQ(ReadFile(dir / "L.001"), "old");
    EXPECT_FALSE(fs::is_symlink(dir / "L.001"));
}

TEST(Saving, AFolderAtTheShipPathIsRefused) {
    TempDir dir;
    fs::create_directory(dir / "D.gf");
    EXPECT_FALSE(ShipSaver(RealFileSystem()).Save(dir / "D.gf", "new").ok);
    EXPECT_EQ(Names(dir), (std::set<std::string>{"D.gf"}));
}

TEST(Saving, ANameTakenAfterTheCheckIsNeverReplaced) {
    TempDir dir;
    WriteFile(dir / "S.gf", "old");
    FailingFileSystem fails(FailingFileSystem::RaceBackup);
    ASSERT_TRUE(ShipSaver(fails).Save(dir / "S.gf", "new").ok);
    EXPECT_EQ(ReadFile(dir / "S.001"), "someone else's");
    EXPECT_EQ(ReadFile(dir / "S.002"), "old");
    EXPECT_EQ(ReadFile(dir / "S.gf"), "new");
}

TEST(Saving, CrossDeviceLinkFallsBackToACopy) {
    TempDir dir;
    WriteFile(dir / "S.gf", "old");
    FailingFileSystem fails(FailingFileSystem::LinkCrossDevice);
    ASSERT_TRUE(ShipSaver(fails).Save(dir / "S.gf", "new").ok);
    EXPECT_EQ(ReadFile(dir / "S.001"), "old");
    EXPECT_EQ(ReadFile(dir / "S.gf"), "new");
}

class SaveFailure : public ::testing::TestWithParam<FailingFileSystem::Step> {};

TEST_P(SaveFailure, NothingIsLostAndTheCallerIsTold) {
    TempDir dir;
    WriteFile(dir / "S.gf", "old");
    FailingFileSystem fails(GetParam());
    const FileResult r = ShipSaver(fails).Save(dir / "S.gf", "new content");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.path, dir / "S.gf");
    if (GetParam() == FailingFileSystem::SyncDirStep) {
        // Everything is in place; only the folder's sync could not be confirmed.
        EXPECT_EQ(ReadFile(dir / "S.gf"), "new content");
        EXPECT_EQ(ReadFile(dir / "S.001"), "old");
    } else {
        EXPECT_EQ(ReadFile(dir / "S.gf"), "old");
        EXPECT_EQ(Names(dir), (std::set<std::string>{"S.gf"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, SaveFailure,
    ::testing::Values(FailingFileSystem::CreateTempStep, FailingFileSystem::SetModeStep,
                      FailingFileSystem::WriteStep, FailingFileSystem::ShortWrite,
                      FailingFileSystem::SyncStep, FailingFileSystem::CloseStep,
                      FailingFileSystem::LinkStep, FailingFileSystem::RenameStep,
                      FailingFileSystem::SyncDirStep));

TEST(Saving, AShipThatCouldNotBeReadIsNeverSavedOver) {
    TempDir dir;
    WriteFile(dir / "S.gf", "A=1\r\nWarp=1,2\r\n");
    RectMarkerSurface surface;
    FailingFileSystem fails(FailingFileSystem::ReadStep);
    ShipModel model(surface, fails);
    model.SetShipPath(dir / "S.gf");
    const FileResult read = model.ReadShipFile();
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.path, dir / "S.gf");
    EXPECT_EQ(model.LineCount(), 0);
    const FileResult save = model.SaveShipFile();
    EXPECT_FALSE(save.ok);
    EXPECT_EQ(save.path, dir / "S.gf");
    EXPECT_EQ(ReadFile(dir / "S.gf"), "A=1\r\nWarp=1,2\r\n");
    EXPECT_EQ(Names(dir), std::set<std::string>{"S.gf"});
    // A ship that was read saves again; so does a new one, which no read found.
    ShipModel fresh(surface, RealFileSystem());
    fresh.SetShipPath(dir / "S.gf");
    ASSERT_TRUE(fresh.ReadShipFile().ok);
    EXPECT_TRUE(fresh.SaveShipFile().ok);
    fresh.ResetHardpoints();
    fresh.SetShipPath(dir / "New.gf");
    EXPECT_TRUE(fresh.ReadShipFile().ok);
    EXPECT_TRUE(fresh.SaveShipFile().ok);
    EXPECT_EQ(ReadFile(dir / "New.gf"), "[HardPoints]\r\n");
}

TEST(Saving, APipeAtTheShipPathIsRefused) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "S.gf").c_str(), 0600), 0);
    RectMarkerSurface surface;
    ShipModel model(surface, RealFileSystem());
    model.SetShipPath(dir / "S.gf");
    EXPECT_FALSE(model.SaveShipFile().ok);
    EXPECT_EQ(Names(dir), std::set<std::string>{"S.gf"});
}

TEST(Saving, TheModelReportsAFailedSave) {
    TempDir dir;
    WriteFile(dir / "S.gf", "A=1\r\n");
    struct NoMarkers final : MarkerSurface {
        Rect MarkerRect(int i) const override { return TrayRects()[i]; }
        Rect ControlRect(int) const override { return {}; }
        void MoveMarker(int, const Rect&) override {}
    } surface;
    FailingFileSystem fails(FailingFileSystem::RenameStep);
    ShipModel model(surface, fails);
    model.SetShipPath(dir / "S.gf");
    ASSERT_TRUE(model.ReadShipFile().ok);
    EXPECT_FALSE(model.SaveShipFile().ok);
    EXPECT_EQ(ReadFile(dir / "S.gf"), "A=1\r\n");
}

TEST(Saving, PastTheFileSizeLimitTheSaveSaysFileTooLarge) {
    TempDir dir;
    const std::string old = "[HardPoints]\r\n" + std::string(100, 'x') + "\r\n";
    WriteFile(dir / "S.gf", old);
    RectMarkerSurface surface;
    ShipModel model(surface, RealFileSystem());
    model.SetShipPath(dir / "S.gf");
    ASSERT_TRUE(model.ReadShipFile().ok);
    surface.MoveMarker(0, {23, 24, 55, 56});
    // ulimit -f 64 bytes, for this test only; without the handler the
    // process would end with SIGXFSZ.
    TurnWriteSignalsIntoErrors();
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit limit = before;
    limit.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const FileResult saved = model.SaveShipFile();
    ::setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.step, FileResult::SaveStep::WritingContent);
    EXPECT_EQ(saved.error, EFBIG); // "File too large" in the failure message
    EXPECT_EQ(ReadFile(dir / "S.gf"), old);
    EXPECT_EQ(Names(dir), std::set<std::string>{"S.gf"});
    EXPECT_TRUE(model.HasUnsavedMoves());
}

// A ship named up to the file system's limit saves: the temporary file's name
// does not grow with the ship's. Where the backup's longer name cannot exist,
// the save is refused before anything is written (the failing temporary file
// shows it is never reached), and the message says why.
TEST(Saving, LongNames) {
    TempDir dir;
    const std::string saves = std::string(248, 's');
    WriteFile(dir / (saves + ".gf"), "old");
    ASSERT_TRUE(ShipSaver(RealFileSystem()).Save(dir / (saves + ".gf"), "new").ok);
    EXPECT_EQ(ReadFile(dir / (saves + ".gf")), "new");
    EXPECT_EQ(ReadFile(dir / (saves + ".001")), "old");

    // 255 bytes, whose first backup needs 256; 254 bytes past the 99th backup,
    // whose next one needs 256.
    const std::string full = std::string(252, 'f'), grown = std::string(251, 'g');
    WriteFile(dir / (full + ".gf"), "old");
    WriteFile(dir / (grown + ".gf"), "old");
    for (int n = 1; n <= 99; ++n)
        WriteFile(BackupName(dir / grown, n), "b");
    const std::set<std::string> before = Names(dir);
    FailingFileSystem neverWrites(FailingFileSystem::CreateTempStep);
    for (const auto& [stem, ending] : {std::pair{full, ".001"}, std::pair{grown, ".0100"}}) {
        const FileResult r = ShipSaver(neverWrites).Save(dir / (stem + ".gf"), "new");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.problem, FileResult::Problem::BackupNameTooLong);
        EXPECT_EQ(r.detail, ending);
        EXPECT_EQ(ReadFile(dir / (stem + ".gf")), "old");
    }
    EXPECT_EQ(Names(dir), before);
}

// Every ship the editor writes opens again: a ship of exactly the open limit
// saves byte for byte and opens; one that would grow past it on saving (here
// by the line end its last line gets) opens, but its save is refused before
// anything is written.
TEST(Saving, WhatTheEditorWritesOpensAgain) {
    TempDir dir;
    std::string fits = "[HardPoints]\r\n\r\n";
    while (fits.size() < kMaxFileBytes)
        fits.append(std::min<size_t>(kMaxFileBytes - fits.size(), 100) - 2, 'x').append("\r\n");
    ASSERT_EQ(fits.size(), kMaxFileBytes);
    std::string grows = fits;
    grows.replace(grows.size() - 2, 2, "zz");
    WriteFile(dir / "Fits.gf", fits);
    WriteFile(dir / "Grows.gf", grows);

    RectMarkerSurface surface;
    ShipModel model(surface, RealFileSystem());
    model.SetShipPath(dir / "Fits.gf");
    ASSERT_TRUE(model.ReadShipFile().ok);
    ASSERT_TRUE(model.SaveShipFile().ok);
    EXPECT_TRUE(ReadFile(dir / "Fits.gf") == fits);
    EXPECT_TRUE(model.CheckShipFile(dir / "Fits.gf").ok);

    FailingFileSystem neverWrites(FailingFileSystem::CreateTempStep);
    ShipModel growing(surface, neverWrites);
    ASSERT_TRUE(growing.CheckShipFile(dir / "Grows.gf").ok);
    growing.SetShipPath(dir / "Grows.gf");
    ASSERT_TRUE(growing.ReadShipFile().ok);
    EXPECT_EQ(growing.ShipFileSize(), kMaxFileBytes + 2);
    const FileResult r = growing.SaveShipFile();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.problem, FileResult::Problem::SaveTooLarge);
    EXPECT_EQ(Names(dir), (std::set<std::string>{"Fits.gf", "Fits.001", "Grows.gf"}));
    EXPECT_TRUE(ReadFile(dir / "Grows.gf") == grows);
}
