#pragma once

#include "FileSystem.h"

namespace pelto5 {

// The machine's own file system, through POSIX calls.
FileSystem& RealFileSystem();

} // namespace pelto5
