// The session bus warmed on a thread of its own must leave the application
// in the thread that makes it: Qt takes the first thread that asks for its
// thread data as the main one, and a bus connection asks.
#include "StartUpWarmUp.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include <gtest/gtest.h>

namespace pelto5 {
namespace {

QStringList s_messages;

void Keep(QtMsgType, const QMessageLogContext&, const QString& text) {
    s_messages << text;
}

// A bus that takes the connection and never answers, until it goes: the
// warm-up stays in the middle of connecting for as long as the test needs.
class SilentBus {
public:
    explicit SilentBus(const QString& path) : m_listener(socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.toLocal8Bit().constData(), sizeof address.sun_path - 1);
        m_listening =
            bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            listen(m_listener, 1) == 0;
    }
    ~SilentBus() {
        if (m_caller >= 0)
            close(m_caller);
        close(m_listener);
    }
    SilentBus(const SilentBus&) = delete;
    SilentBus& operator=(const SilentBus&) = delete;

    bool Listening() const { return m_listening; }
    // Returns once a caller is connected: it is inside its bus connection.
    bool AwaitCaller() {
        m_caller = accept(m_listener, nullptr, nullptr);
        return m_caller >= 0;
    }
    void HangUp() {
        close(m_caller);
        m_caller = -1;
    }

private:
    int m_listener;
    int m_caller = -1;
    bool m_listening = false;
};

TEST(StartUpWarmUp, TheApplicationStaysInTheThreadThatMakesIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SilentBus bus(dir.filePath("bus"));
    ASSERT_TRUE(bus.Listening());
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.filePath("bus").toLocal8Bit());
    qInstallMessageHandler(&Keep);
    {
        const StartUpWarmUp warmUp;
        ASSERT_TRUE(bus.AwaitCaller());
        int argc = 1;
        char name[] = "start_up_warmup_test";
        char* argv[] = {name, nullptr};
        const QGuiApplication app(argc, argv);
        EXPECT_EQ(app.thread(), QThread::currentThread());
        // The warm-up ends with the failed connection.
        bus.HangUp();
    }
    qInstallMessageHandler(nullptr);
    EXPECT_TRUE(s_messages.filter(QStringLiteral("thread")).isEmpty())
        << s_messages.join('\n').toStdString();
    // The failure is known, not tried again.
    EXPECT_FALSE(QDBusConnection::sessionBus().isConnected());
}

} // namespace
} // namespace pelto5
