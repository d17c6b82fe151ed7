#pragma once

#include <string>

namespace pelto5 {

// What a load or a save did: ok, or a message the window can show.
struct FileResult {
    bool ok = true;
    std::string message;
};

} // namespace pelto5
