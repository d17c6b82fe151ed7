#pragma once

#include <functional>
#include <string>

namespace pelto5 {

// Walks path as a terminal command takes it, names as the system's bytes:
// a file (or a link to one) is itself, a folder (or a link to one) is
// searched to any depth, in byte order of the names within each folder,
// without following links inside it. onFile gets every entry that is not a
// folder, with given true for path itself; onError gets every folder or
// entry that cannot be read (permission, a path too long, an I/O error),
// path itself included, with its errno value.
void WalkPath(const std::string& path,
              const std::function<void(const std::string& file, bool given)>& onFile,
              const std::function<void(const std::string& entry, int err)>& onError);

} // namespace pelto5
