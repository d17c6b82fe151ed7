#pragma once

#include <thread>

namespace pelto5 {

// Connects to the session bus on a thread of its own while the application
// connects to the display: Qt's screen-reader bridge needs that connection
// before the window can show its controls, and where no session bus runs,
// D-Bus first tries to launch one (dbus-launch), which takes longer than the
// whole window's set-up. The bridge then finds the connection made, or its
// failure known. The thread is waited for when this goes.
class SessionBusWarmUp {
public:
    SessionBusWarmUp();
    ~SessionBusWarmUp();
    SessionBusWarmUp(const SessionBusWarmUp&) = delete;
    SessionBusWarmUp& operator=(const SessionBusWarmUp&) = delete;

private:
    std::thread m_thread;
};

} // namespace pelto5
