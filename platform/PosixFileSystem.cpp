#include "PosixFileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace pelto5 {

namespace {

// A large picture's bytes fill thousands of fresh pages; in huge pages they
// cost a fraction of the faults. Only advice: the kernel may ignore it.
void AskForHugePages(char* data, size_t size) {
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHuge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

int ReadRegular(int fd, std::string& bytes) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return ENODEV;
    if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes)
        return EFBIG;
    // Read straight into the string, which grows only when the file grew
    // while being read.
    bytes.reserve(static_cast<size_t>(st.st_size) + 1);
    AskForHugePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<size_t>(st.st_size) + 1);
    size_t held = 0;
    for (;;) {
        if (held == bytes.size())
            bytes.resize(held + (1 << 16));
        const ssize_t n = ::read(fd, bytes.data() + held, bytes.size() - held);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0) {
            bytes.resize(held);
            return 0;
        }
        held += static_cast<size_t>(n);
        if (held > kMaxFileBytes) // it grew while being read
            return EFBIG;
    }
}

class PosixFileSystem final : public FileSystem {
public:
    int ReadAll(const std::string& path, std::string& bytes) override {
        // Non-blocking, so that a pipe's open does not wait for a writer.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return errno == ENXIO ? ENODEV : errno; // a socket
        const int err = ReadRegular(fd, bytes);
        ::close(fd);
        return err;
    }

    int Lstat(const std::string& path, bool& exists, bool& isLink, mode_t& mode) override {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            exists = false;
            isLink = false;
            return errno == ENOENT || errno == ENOTDIR ? 0 : errno;
        }
        exists = true;
        isLink = S_ISLNK(st.st_mode);
        mode = st.st_mode;
        if (isLink) {
            struct stat target {};
            if (::stat(path.c_str(), &target) == 0)
                mode = target.st_mode;
        }
        return 0;
    }

    int RealPath(const std::string& path, std::string& resolved) override {
        // An array, not a vector: its size is known where realpath is called,
        // so the hardened build checks the call against it.
        char buf[PATH_MAX];
        if (!::realpath(path.c_str(), buf))
            return errno;
        resolved = buf;
        return 0;
    }

    int CreateTemp(const std::string& pathHint, int& fd, std::string& path) override {
        // A name of its own length, whatever the ship's: a ship named up to the
        // file system's limit still gets its temporary file.
        const size_t slash = pathHint.rfind('/');
        const std::string dir = slash == std::string::npos ? "" : pathHint.substr(0, slash + 1);
        std::string tmpl = dir + ".pelto5-XXXXXX";
        std::vector<char> name(tmpl.begin(), tmpl.end());
        name.push_back('\0');
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            return errno;
        path = name.data();
        return 0;
    }

    int CreateExclusive(const std::string& path, mode_t mode, int& fd) override {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        return fd < 0 ? errno : 0;
    }

    int SetMode(int fd, mode_t mode) override { return ::fchmod(fd, mode) == 0 ? 0 : errno; }

    int Write(int fd, const char* data, size_t size, size_t& written) override {
        ssize_t n;
        do {
            n = ::write(fd, data, size);
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            written = 0;
            return errno;
        }
        written = static_cast<size_t>(n);
        return 0;
    }

    int Sync(int fd) override { return ::fsync(fd) == 0 ? 0 : errno; }
    int Close(int fd) override { return ::close(fd) == 0 ? 0 : errno; }

    int LinkNoReplace(const std::string& from, const std::string& to) override {
        return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    int Rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    int Unlink(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

    int SyncDirectory(const std::string& dir) override {
        const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        const int err = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        return err;
    }

    mode_t NewFileMode() override {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }
};

} // namespace

FileSystem& RealFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

} // namespace pelto5
