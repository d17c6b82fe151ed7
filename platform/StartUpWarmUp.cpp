#include "StartUpWarmUp.h"

#include <QDBusConnection>
#include <QThread>

#include <fontconfig/fontconfig.h>

namespace pelto5 {

namespace {

std::thread ConnectToSessionBus() {
    // Qt takes the first thread that asks for its thread data as the main
    // one; this one asks first, so the application made here stays in it.
    QThread::currentThread();
    return std::thread([] { QDBusConnection::sessionBus(); });
}

} // namespace

// FcInit loads the default configuration once per process, safely from any
// thread; Qt's font database later finds it loaded.
StartUpWarmUp::StartUpWarmUp() : m_fonts([] { FcInit(); }), m_bus(ConnectToSessionBus()) {}

StartUpWarmUp::~StartUpWarmUp() {
    m_bus.join();
    m_fonts.join();
}

} // namespace pelto5
