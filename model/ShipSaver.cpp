#include "ShipSaver.h"

#include "ShipText.h"

#include <cerrno>
#include <sys/stat.h>

namespace pelto5 {

namespace {

// Far more backups than anyone keeps; only stops a runaway search.
constexpr int kMaxBackups = 1000000;

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

using Step = FileResult::SaveStep;
using Problem = FileResult::Problem;

} // namespace

int ShipSaver::WriteAll(int fd, const std::string& content) {
    size_t done = 0;
    while (done < content.size()) {
        size_t written = 0;
        if (const int err = m_fs.Write(fd, content.data() + done, content.size() - done, written))
            return err;
        if (written == 0)
            return ENOSPC;
        done += written;
    }
    return 0;
}

int ShipSaver::WriteNewFile(const std::string& target, mode_t mode, const std::string& content,
                            std::string& tempPath) {
    int fd = -1;
    if (const int err = m_fs.CreateTemp(target, fd, tempPath))
        return err;
    int err = m_fs.SetMode(fd, mode);
    if (!err)
        err = WriteAll(fd, content);
    if (!err)
        err = m_fs.Sync(fd);
    const int closeErr = m_fs.Close(fd);
    if (!err)
        err = closeErr;
    if (err) {
        m_fs.Unlink(tempPath);
        tempPath.clear();
    }
    return err;
}

int ShipSaver::CopyTo(const std::string& target, const std::string& backup, mode_t mode) {
    std::string old;
    if (const int err = m_fs.ReadAll(target, old))
        return err;
    int fd = -1;
    if (const int err = m_fs.CreateExclusive(backup, mode, fd))
        return err;
    int err = WriteAll(fd, old);
    if (!err)
        err = m_fs.Sync(fd);
    const int closeErr = m_fs.Close(fd);
    if (!err)
        err = closeErr;
    if (err)
        m_fs.Unlink(backup);
    return err;
}

int ShipSaver::FindFreeBackup(const std::string& stem, int& n, std::string& backup) {
    for (; n <= kMaxBackups; ++n) {
        backup = BackupName(stem, n);
        bool exists = false, isLink = false;
        mode_t unused = 0;
        if (const int err = m_fs.Lstat(backup, exists, isLink, unused))
            return err;
        if (!exists)
            return 0;
    }
    return EEXIST;
}

int ShipSaver::MakeBackup(const std::string& stem, int n, const std::string& target, mode_t mode,
                          std::string& backup) {
    for (;; ++n) {
        if (const int err = FindFreeBackup(stem, n, backup))
            return err;
        int err = m_fs.LinkNoReplace(target, backup);
        // A file system without hard links, or a linked ship on another one, gets a copy.
        if (err == EXDEV || err == EPERM || err == ENOTSUP || err == EMLINK)
            err = CopyTo(target, backup, mode);
        if (err != EEXIST) // EEXIST: the name was taken after the check
            return err;
    }
}

FileResult ShipSaver::Save(const std::string& shipPath, const std::string& content) {
    bool exists = false, isLink = false;
    mode_t mode = 0;
    if (const int err = m_fs.Lstat(shipPath, exists, isLink, mode))
        return FileResult::StepFailed(shipPath, Step::CheckingFile, err);
    if (exists && S_ISDIR(mode))
        return FileResult::Failed(Problem::SaveIsFolder, shipPath);
    // A pipe or a device at the ship path (or at the end of its link) is no
    // ship file to replace; a dangling link is left to the link step below.
    if (exists && !S_ISREG(mode) && !S_ISLNK(mode))
        return FileResult::Failed(Problem::SaveNotRegular, shipPath);

    std::string target = shipPath;
    if (isLink) {
        if (const int err = m_fs.RealPath(shipPath, target))
            return FileResult::StepFailed(shipPath, Step::FollowingLink, err);
    }
    const mode_t newMode = exists ? (mode & 07777) : m_fs.NewFileMode();

    // The backup's name is sought before anything is written: a ship whose
    // name leaves no room for the backup's longer one is refused untouched.
    const std::string stem = ShipStem(shipPath);
    int firstFree = 1;
    std::string backup;
    if (exists) {
        const int err = FindFreeBackup(stem, firstFree, backup);
        if (err == ENAMETOOLONG)
            return FileResult::Failed(Problem::BackupNameTooLong, shipPath, err,
                                      backup.substr(stem.size()));
        if (err)
            return FileResult::StepFailed(shipPath, Step::FindingBackupName, err);
    }

    std::string tempPath;
    if (const int err = WriteNewFile(target, newMode, content, tempPath))
        return FileResult::StepFailed(shipPath, Step::WritingContent, err);

    if (exists) {
        if (const int err = MakeBackup(stem, firstFree, target, newMode, backup)) {
            m_fs.Unlink(tempPath);
            return FileResult::StepFailed(shipPath, Step::MakingBackup, err);
        }
    }
    if (const int err = m_fs.Rename(tempPath, target)) {
        m_fs.Unlink(tempPath);
        if (!backup.empty())
            m_fs.Unlink(backup);
        return FileResult::StepFailed(shipPath, Step::ReplacingFile, err);
    }
    int err = m_fs.SyncDirectory(DirectoryOf(target));
    if (!err && !backup.empty() && DirectoryOf(backup) != DirectoryOf(target))
        err = m_fs.SyncDirectory(DirectoryOf(backup));
    if (err)
        return FileResult::StepFailed(shipPath, Step::SyncingFolder, err);
    return {};
}

} // namespace pelto5
