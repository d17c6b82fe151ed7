#pragma once

#include <string>

namespace pelto5 {

// What a load or a save did: ok, or what went wrong, with the file it
// concerns, for the window to put into words.
struct FileResult {
    enum class Problem {
        None,
        // The file cannot be a ship (error: EISDIR, ENODEV, EFBIG or another).
        OpenRefused,
        // The file is a picture; detail names its kind ("BMP", "PNG", ...).
        OpenPicture,
        // The ship file could not be read (error).
        ReadFailed,
        // The ship could not be read when it was opened: a save would empty it.
        SaveUnread,
        // The save would outgrow the largest ship file the editor opens.
        SaveTooLarge,
        // A step of the save failed (step, error).
        SaveStepFailed,
        // The ship path is a folder, or no regular file.
        SaveIsFolder,
        SaveNotRegular,
        // The backup's name (detail: its ending, ".001") would be too long.
        BackupNameTooLong,
    };
    enum class SaveStep {
        CheckingFile,
        FollowingLink,
        FindingBackupName,
        WritingContent,
        MakingBackup,
        ReplacingFile,
        SyncingFolder,
    };

    bool ok = true;
    Problem problem = Problem::None;
    std::string path;
    int error = 0;
    SaveStep step = SaveStep::CheckingFile;
    std::string detail;

    static FileResult Failed(Problem problem, const std::string& path, int error = 0,
                             std::string detail = {}) {
        return {false, problem, path, error, SaveStep::CheckingFile, std::move(detail)};
    }
    static FileResult StepFailed(const std::string& path, SaveStep step, int error) {
        return {false, Problem::SaveStepFailed, path, error, step, {}};
    }
};

} // namespace pelto5
