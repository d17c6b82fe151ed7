#pragma once

#include <thread>

namespace pelto5 {

// Work the window needs before it can show, done on threads of their own
// while the application connects to the display:
// - fontconfig's configuration, which the first text needs and which takes
//   about as long again as the whole window's set-up to read;
// - the session bus, which Qt's screen-reader bridge needs before the
//   window's controls can show; where no session bus runs, D-Bus first tries
//   to launch one (dbus-launch), which takes longer still. The bridge then
//   finds the connection made, or its failure known.
// The threads touch nothing else, and are waited for when this goes.
class StartUpWarmUp {
public:
    StartUpWarmUp();
    ~StartUpWarmUp();
    StartUpWarmUp(const StartUpWarmUp&) = delete;
    StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

private:
    std::thread m_fonts;
    std::thread m_bus;
};

} // namespace pelto5
