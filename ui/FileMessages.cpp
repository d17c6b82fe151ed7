#include "FileMessages.h"

#include "FileSystem.h"
#include "ShipPaths.h"

#include <cerrno>
#include <cstring>

namespace pelto5 {

namespace {

QString SystemWords(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString Megabytes() {
    return QString::number(kMaxFileBytes >> 20);
}

} // namespace

QString FileMessages::WhyUnreadable(int error) {
    switch (error) {
    case EISDIR:
        return tr("it is a folder, not a ship file");
    case ENODEV:
        return tr("it is not a regular file (a pipe, a device or a socket), so it is no ship file");
    case EFBIG:
        return tr("it is larger than %1 MiB, far too large for a ship file").arg(Megabytes());
    default:
        return SystemWords(error);
    }
}

QString FileMessages::StepWords(FileResult::SaveStep step) {
    using Step = FileResult::SaveStep;
    switch (step) {
    case Step::CheckingFile:
        return tr("checking the file");
    case Step::FollowingLink:
        return tr("following the link");
    case Step::FindingBackupName:
        return tr("looking for a backup name");
    case Step::WritingContent:
        return tr("writing the new content");
    case Step::MakingBackup:
        return tr("making the backup");
    case Step::ReplacingFile:
        return tr("replacing the file");
    case Step::SyncingFolder:
        return tr("syncing the folder");
    }
    return {};
}

QString FileMessages::Words(const FileResult& result) {
    using Problem = FileResult::Problem;
    const QString path = QString::fromLocal8Bit(result.path.c_str());
    switch (result.problem) {
    case Problem::None:
        return {};
    case Problem::OpenRefused:
        return tr("Could not open %1: %2.").arg(path, WhyUnreadable(result.error));
    case Problem::OpenPicture:
        return tr("Could not open %1: it is a picture (%2), not a ship file. Choose the ship's "
                  ".gf file.")
            .arg(path, QString::fromStdString(result.detail));
    case Problem::ReadFailed:
        return tr("Could not read %1: %2.").arg(path, WhyUnreadable(result.error));
    case Problem::SaveUnread:
        return tr("Could not save %1: it could not be read when it was opened, and saving now "
                  "would replace it with an empty ship. Open it again once it can be read.")
            .arg(path);
    case Problem::SaveTooLarge:
        return tr("Could not save %1: it would be larger than %2 MiB, the largest ship file the "
                  "editor opens, so nothing was written.")
            .arg(path, Megabytes());
    case Problem::SaveStepFailed:
        return tr("Could not save %1: %2 (%3).")
            .arg(path, StepWords(result.step), SystemWords(result.error));
    case Problem::SaveIsFolder:
        return tr("Could not save %1: it is a folder.").arg(path);
    case Problem::SaveNotRegular:
        return tr("Could not save %1: it is not a regular file.").arg(path);
    case Problem::BackupNameTooLong:
        return tr("Could not save %1: the name of its backup (ending in %2) would be longer than "
                  "the file system allows, so nothing was written. Give the ship a shorter name.")
            .arg(path, QString::fromStdString(result.detail));
    }
    return {};
}

QString FileMessages::Short(const FileResult& result) {
    using Problem = FileResult::Problem;
    const QString name = ShownFileName(result.path);
    switch (result.problem) {
    case Problem::None:
        return {};
    case Problem::OpenRefused:
    case Problem::OpenPicture:
        return tr("Could not open %1").arg(name);
    case Problem::ReadFailed:
        return tr("Could not read %1").arg(name);
    case Problem::SaveUnread:
    case Problem::SaveTooLarge:
    case Problem::SaveStepFailed:
    case Problem::SaveIsFolder:
    case Problem::SaveNotRegular:
    case Problem::BackupNameTooLong:
        return tr("Could not save %1").arg(name);
    }
    return {};
}

} // namespace pelto5
