#pragma once

#include "FileResult.h"
#include "FileSystem.h"

#include <string>

namespace pelto5 {

// Replaces a ship file's content so that no failure loses it: the new content
// goes to a synced temporary file first, the old file then takes its next free
// backup name (never replacing anything), and the temporary file takes the
// ship's place. A ship path that is a link keeps being a link.
class ShipSaver {
public:
    explicit ShipSaver(FileSystem& fs) : m_fs(fs) {}

    FileResult Save(const std::string& shipPath, const std::string& content);

private:
    int WriteAll(int fd, const std::string& content);
    int WriteNewFile(const std::string& target, mode_t mode, const std::string& content,
                     std::string& tempPath);
    // The first backup name from number n on that no entry holds; n and backup
    // receive it.
    int FindFreeBackup(const std::string& stem, int& n, std::string& backup);
    // Gives target a new name, the first free backup name from number n on.
    int MakeBackup(const std::string& stem, int n, const std::string& target, mode_t mode,
                   std::string& backup);
    int CopyTo(const std::string& target, const std::string& backup, mode_t mode);

    FileSystem& m_fs;
};

} // namespace pelto5
