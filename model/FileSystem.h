#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace pelto5 {

// Far larger than any real ship file or picture; a bigger file is refused
// rather than read, and a save that would write a bigger ship is refused too,
// so every ship the editor writes opens again.
constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

// The file operations a save and a load are made of. Each returns 0 or an errno
// value, so every step's failure can be injected by tests (which run as root,
// where permissions stop nothing).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads a whole file, never blocking: only a regular file (a link to one
    // included) is read. A folder gives EISDIR, anything else that is not a
    // regular file (a pipe, device or socket) ENODEV, and a file larger than
    // kMaxFileBytes EFBIG.
    virtual int ReadAll(const std::string& path, std::string& bytes) = 0;
    // lstat: exists is true for any entry, a directory or a dangling link included.
    virtual int Lstat(const std::string& path, bool& exists, bool& isLink, mode_t& mode) = 0;
    virtual int RealPath(const std::string& path, std::string& resolved) = 0;
    // Creates a new, empty file in pathHint's folder under a name whose length
    // does not depend on pathHint's; path receives it.
    virtual int CreateTemp(const std::string& pathHint, int& fd, std::string& path) = 0;
    virtual int CreateExclusive(const std::string& path, mode_t mode, int& fd) = 0;
    virtual int SetMode(int fd, mode_t mode) = 0;
    // Writes once; written receives the byte count (a short write is possible).
    virtual int Write(int fd, const char* data, size_t size, size_t& written) = 0;
    virtual int Sync(int fd) = 0;
    virtual int Close(int fd) = 0;
    // A new name for an existing file; fails with EEXIST rather than replace.
    virtual int LinkNoReplace(const std::string& from, const std::string& to) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Unlink(const std::string& path) = 0;
    virtual int SyncDirectory(const std::string& dir) = 0;
    virtual mode_t NewFileMode() = 0;
};

} // namespace pelto5
