#include "SessionBusWarmUp.h"

#include <QDBusConnection>
#include <QThread>

namespace pelto5 {

namespace {

std::thread ConnectOnThread() {
    // Qt takes the first thread that asks for its thread data as the main
    // one; this one asks first, so the application made here stays in it.
    QThread::currentThread();
    return std::thread([] { QDBusConnection::sessionBus(); });
}

} // namespace

SessionBusWarmUp::SessionBusWarmUp() : m_thread(ConnectOnThread()) {}

SessionBusWarmUp::~SessionBusWarmUp() {
    m_thread.join();
}

} // namespace pelto5
