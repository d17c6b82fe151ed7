#pragma once

#include <thread>

namespace pelto5 {

// Reads fontconfig's configuration on a thread of its own while the
// application connects to the display: the window's first text needs it,
// and reading it takes about as long again as the whole window's set-up.
// The thread touches nothing else, and is waited for when this goes.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    std::thread m_thread;
};

} // namespace pelto5
