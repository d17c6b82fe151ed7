#include "FolderWalk.h"

#include <cerrno>
#include <cstring>
#include <fts.h>
#include <memory>

namespace pelto5 {

namespace {

int ByName(const FTSENT** a, const FTSENT** b) {
    return std::strcmp((*a)->fts_name, (*b)->fts_name);
}

struct CloseFts {
    void operator()(FTS* fts) const { ::fts_close(fts); }
};

} // namespace

void WalkPath(const std::string& path,
              const std::function<void(const std::string& file, bool given)>& onFile,
              const std::function<void(const std::string& entry, int err)>& onError) {
    std::string root = path;
    char* const roots[] = {root.data(), nullptr};
    // Full paths rather than changes of folder: the walk leaves the process
    // as it was, and a path too long to open is said, not skipped.
    const std::unique_ptr<FTS, CloseFts> fts(
        ::fts_open(roots, FTS_PHYSICAL | FTS_COMFOLLOW | FTS_NOCHDIR, &ByName));
    if (!fts) {
        onError(path, errno);
        return;
    }
    for (;;) {
        errno = 0;
        const FTSENT* entry = ::fts_read(fts.get());
        if (!entry) {
            if (errno != 0)
                onError(path, errno);
            return;
        }
        switch (entry->fts_info) {
        case FTS_D:
        case FTS_DP:
            break;
        case FTS_DNR:
        case FTS_ERR:
        case FTS_NS:
            onError(entry->fts_path, entry->fts_errno);
            break;
        case FTS_DC:
            onError(entry->fts_path, ELOOP);
            break;
        default: // a file, a link, a dangling link, a pipe, a device, a socket
            onFile(entry->fts_path, entry->fts_level == FTS_ROOTLEVEL);
            break;
        }
    }
}

} // namespace pelto5
