#pragma once

#include "EditorPing.h"

#include "../ui/TestApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

// A private X display with the real editor on it, driven by xdotool as a
// person would drive it.
class Desktop {
public:
    // A screen of the given size in device pixels: large enough for the
    // window on a scaled screen, when a suite scales it.
    explicit Desktop(const QSize& screen = QSize(1280, 1024)) {
        for (int n = 90 + static_cast<int>(QCoreApplication::applicationPid() % 50); n < 200; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
                QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_display = QStringLiteral(":%1").arg(n);
            m_xvfb.start(QStringLiteral("Xvfb"),
                         {m_display, "-screen", "0",
                          QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                          "-nolisten", "tcp"});
            if (!m_xvfb.waitForStarted(5000))
                return;
            for (int k = 0; k < 100 && !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n));
                 ++k)
                QThread::msleep(50);
            m_ping = std::make_unique<EditorPing>(m_display);
            break;
        }
        s_current = this;
    }
    ~Desktop() {
        if (s_current == this)
            s_current = nullptr;
        if (m_app.state() != QProcess::NotRunning) {
            m_app.kill();
            m_app.waitForFinished(5000);
        }
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
        m_bus.terminate();
        m_bus.waitForFinished(5000);
    }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    bool Ready() const { return !m_display.isEmpty() && m_xvfb.state() == QProcess::Running; }

    // Starts the editor with its arguments, and extra environment variables
    // over the session's own, and waits for its window.
    bool StartEditor(const QStringList& args = {}, const QProcessEnvironment& extra = {}) {
        return Launch(QStringLiteral(PELTO5_EDITOR_PATH), args, extra);
    }

    // Starts the editor through sh, which runs script with the editor's path
    // as $0 (for a command line that is no valid text, say: sh's printf makes
    // any byte), and waits for the editor's window.
    bool StartEditorInShell(const QString& script, const QProcessEnvironment& extra = {}) {
        return Launch(QStringLiteral("sh"), {"-c", script, QStringLiteral(PELTO5_EDITOR_PATH)},
                      extra);
    }

    // Starts another program in the editor's place (a test's own window, say)
    // and waits for its window, named title.
    bool StartProgram(const QString& program, const QStringList& args, const QString& title,
                      const QProcessEnvironment& extra = {}) {
        return Launch(program, args, extra, title);
    }

    // Gives the editor's window the X focus again: with no window manager, a
    // closed dialog leaves it on the root window.
    void FocusEditor() const { Xdo({"windowfocus", "--sync", m_window}); }

    QString Xdo(const QStringList& args) const {
        QProcess xdo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        xdo.setProcessEnvironment(env);
        xdo.start(QStringLiteral("xdotool"), args);
        xdo.waitForFinished(30000);
        return QString::fromUtf8(xdo.readAllStandardOutput()).trimmed();
    }

    // Moves the pointer to a client point of the editor window, and clicks.
    void ClickAt(int x, int y) const {
        MoveTo(x, y);
        Xdo({"click", "1"});
        Settle();
    }
    // The same with Ctrl held down.
    void CtrlClickAt(int x, int y) const {
        MoveTo(x, y);
        Xdo({"keydown", "ctrl"});
        Xdo({"click", "1"});
        Xdo({"keyup", "ctrl"});
        Settle();
    }
    void MoveTo(int x, int y) const {
        Xdo({"mousemove", "--window", m_window, QString::number(x), QString::number(y)});
        Settle();
    }
    void Key(const QString& key) const {
        Xdo({"key", key});
        Settle();
    }
    void Type(const QString& text) const {
        // "--": text that begins with "-" is typed, not read as an option.
        Xdo({"type", "--delay", "20", "--", text});
        Settle();
    }
    // Waits until the editor has handled the input given so far, and what
    // that input started (a dialog shown, a repaint): three round trips, each
    // answered in a later turn of its event loop than the one before. An
    // editor on its way out answers none, and is not waited for.
    static void Settle() {
        if (s_current)
            s_current->Sync();
    }

    QString Geometry() const { return Xdo({"getwindowgeometry", m_window}); }
    // Where a window stands on the screen and how large it is, as xdotool says.
    QRect ScreenRect(const QString& window) const {
        const QString text = Xdo({"getwindowgeometry", window});
        const QRegularExpressionMatch at =
            QRegularExpression(R"(Position: (-?\d+),(-?\d+))").match(text);
        const QRegularExpressionMatch size =
            QRegularExpression(R"(Geometry: (\d+)x(\d+))").match(text);
        return QRect(at.captured(1).toInt(), at.captured(2).toInt(), size.captured(1).toInt(),
                     size.captured(2).toInt());
    }

    // What the display shows of a window (the editor's by default; "0" is the
    // whole screen), as a person would see it.
    QImage Screenshot(const QString& window = QString()) const {
        QTemporaryDir dir;
        const QString file = dir.filePath("shot.png");
        QProcess grab;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        grab.setProcessEnvironment(env);
        grab.start(QStringLiteral(PELTO5_GRAB_PATH), {window.isEmpty() ? m_window : window, file});
        grab.waitForFinished(30000);
        return QImage(file);
    }
    QProcess& Editor() { return m_app; }

    // The editor's visible windows: its main window, menus, dialogs, message boxes.
    QStringList Windows() const {
        return Xdo({"search", "--onlyvisible", "--pid", QString::number(m_app.processId())})
            .split('\n', Qt::SkipEmptyParts);
    }
    // Waits for a window of the editor's that is not among before; empty if none comes.
    QString WaitForNewWindow(const QStringList& before) const {
        QString found;
        WaitUntil([&] {
            for (const QString& w : Windows())
                if (!before.contains(w))
                    found = w;
            return !found.isEmpty();
        });
        return found;
    }
    // Polls condition until it holds; false when it never did within ms.
    static bool WaitUntil(const std::function<bool()>& condition, int ms = 10000) {
        for (int waited = 0; waited < ms; waited += 50) {
            if (condition())
                return true;
            QThread::msleep(50);
        }
        return condition();
    }
    // Clicks a point of any window with a mouse button (1 left, 3 right).
    void ClickIn(const QString& window, int x, int y, const QString& button = "1") const {
        Xdo({"mousemove", "--window", window, QString::number(x), QString::number(y)});
        Xdo({"click", button});
    }
    // Gives a button the focus as a press does, without clicking it: the
    // pointer leaves the button before the release.
    void FocusByPress(int x, int y) const {
        MoveTo(x, y);
        Xdo({"mousedown", "1"});
        MoveTo(x, y + 200);
        Xdo({"mouseup", "1"});
        Settle();
    }
    const QString& Window() const { return m_window; }

    // A property of a window as the X server holds it (say _NET_WM_NAME,
    // where the window is listed): what xprop prints after " = ".
    QString Property(const QString& window, const QString& name) const {
        QProcess xprop;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        xprop.setProcessEnvironment(env);
        xprop.start(QStringLiteral("xprop"), {"-id", window, name});
        xprop.waitForFinished(30000);
        return QString::fromUtf8(xprop.readAllStandardOutput()).section(" = ", 1).trimmed();
    }

    // The first visible window of the editor's that is none of known, once
    // one is mapped (a dialog, a menu); empty if none comes within ten seconds.
    QString NewWindow(const QStringList& known) const {
        QElapsedTimer waited;
        waited.start();
        do {
            for (const QString& id : Xdo({"search", "--onlyvisible", "--class", "pelto5"})
                                         .split('\n', Qt::SkipEmptyParts))
                if (!known.contains(id))
                    return id;
            QThread::msleep(50);
        } while (waited.elapsed() < 10000);
        return {};
    }

    // What the display shows of a window once it has finished drawing: the
    // first of successive screenshots that shows something and equals the
    // one before it.
    QImage SteadyScreenshot(const QString& window) const {
        auto blank = [](const QImage& shot) {
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    if (shot.pixel(x, y) != shot.pixel(0, 0))
                        return false;
            return true;
        };
        QElapsedTimer waited;
        waited.start();
        QImage last = Screenshot(window);
        for (;;) {
            QImage shot = Screenshot(window);
            if ((shot == last && !blank(shot)) || waited.elapsed() > 10000)
                return shot;
            last = std::move(shot);
        }
    }

private:
    bool Launch(const QString& program, const QStringList& args, const QProcessEnvironment& extra,
                const QString& title = QStringLiteral("Vorsanth's Tolmar Util")) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("WAYLAND_DISPLAY");
        // A session of its own, as a desktop gives every program: its runtime
        // folder and its session bus. Without a bus, D-Bus would launch one
        // for the editor and note its address in the home.
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        if (!extra.contains("DBUS_SESSION_BUS_ADDRESS"))
            env.insert("DBUS_SESSION_BUS_ADDRESS", SessionBus());
        env.insert(extra);
        m_app.setProcessEnvironment(env);
        m_app.setProcessChannelMode(QProcess::MergedChannels);
        m_app.start(program, args);
        if (!m_app.waitForStarted(10000))
            return false;
        m_window = Xdo({"search", "--sync", "--onlyvisible", "--name", title})
                       .split('\n', Qt::SkipEmptyParts)
                       .value(0);
        Settle(); // and drawn
        return !m_window.isEmpty();
    }

    // The address of the session's bus, started at its first use.
    QString SessionBus() {
        if (m_bus.state() == QProcess::NotRunning) {
            m_bus.start(QStringLiteral("dbus-daemon"),
                        {"--session", "--nofork", "--print-address"});
            if (m_bus.waitForStarted(5000) && m_bus.waitForReadyRead(5000))
                m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
        }
        return m_busAddress;
    }

    void Sync() {
        if (!m_ping || m_window.isEmpty() || m_app.state() != QProcess::Running)
            return;
        QElapsedTimer waited;
        waited.start();
        for (int trip = 0; trip < 3 && waited.elapsed() < 10000;) {
            switch (m_ping->RoundTrip(m_window, 100)) {
            case EditorPing::Result::Answered:
                ++trip;
                break;
            case EditorPing::Result::Silent:
                break;
            case EditorPing::Result::WindowGone:
                return;
            }
        }
    }

    QString m_display;
    QTemporaryDir m_runtime;
    QProcess m_xvfb;
    QProcess m_bus;
    QString m_busAddress;
    QProcess m_app;
    QString m_window;
    std::unique_ptr<EditorPing> m_ping;
    // The display that Settle() waits on: the latest one made, for a
    // suite has one at a time.
    inline static Desktop* s_current = nullptr;
};

// A session bus of a suite's own (dbus-daemon), for the editors it starts:
// nothing of the desktop's session, and nothing started in the home.
class PrivateSessionBus {
public:
    PrivateSessionBus() {
        m_bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address"});
        if (m_bus.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    }
    ~PrivateSessionBus() {
        m_bus.terminate();
        m_bus.waitForFinished(5000);
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    bool Ready() const { return !m_address.isEmpty(); }
    // The environment that points a program at the bus, over extra.
    QProcessEnvironment Environment(QProcessEnvironment extra = {}) const {
        extra.insert("DBUS_SESSION_BUS_ADDRESS", m_address);
        return extra;
    }

private:
    QProcess m_bus;
    QString m_address;
};

// Whether this machine can run the suites (tools/setup.sh installs these).
inline bool DisplayToolsPresent(const QStringList& tools = {"Xvfb", "xdotool"}) {
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
    return true;
}

// A whole file, byte for byte.
inline std::string FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Copies the sample ship, examples/Corvette.gf with its two pictures, into dir.
inline bool CopySampleShip(const QTemporaryDir& dir) {
    const QString examples = QStringLiteral(PELTO5_SOURCE_DIR "/examples/");
    for (const char* name : {"Corvette.gf", "CorvetteVL.bmp", "CorvetteTI.bmp"})
        if (!QFile::copy(examples + name, dir.filePath(name)))
            return false;
    return true;
}

// A suite's test on a display of its own, with the sample ship copied into dir;
// skipped where the display tools are missing. A fixture that adds to SetUp
// calls it first and stops when it skipped or failed.
class DisplayTest : public ::testing::Test {
protected:
    explicit DisplayTest(QStringList tools = {"Xvfb", "xdotool"},
                         const QSize& screen = QSize(1280, 1024))
        : desktop(screen), m_tools(std::move(tools)) {}

    void SetUp() override {
        if (!DisplayToolsPresent(m_tools))
            GTEST_SKIP() << m_tools.join(", ").toStdString()
                         << " are needed (tools/setup.sh installs them)";
        ASSERT_TRUE(desktop.Ready());
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(CopySampleShip(dir));
    }
    bool SetUpStopped() const { return IsSkipped() || HasFatalFailure(); }
    void StartEditor(const QStringList& args = {}, const QProcessEnvironment& env = {}) {
        ASSERT_TRUE(desktop.StartEditor(args, env)) << desktop.Editor().readAll().toStdString();
    }

    // Ctrl+S, then the sample ship as saved (each save leaves one more backup).
    std::string Save() {
        desktop.Key("ctrl+s");
        const QString backup =
            dir.filePath(QStringLiteral("Corvette.%1").arg(++m_saves, 3, 10, QChar('0')));
        EXPECT_TRUE(desktop.WaitUntil([&] { return QFile::exists(backup); })) << m_saves;
        return FileBytes(dir.filePath("Corvette.gf"));
    }

    // Declared first, so that it outlives the editor that works in it.
    QTemporaryDir dir;
    Desktop desktop;

private:
    QStringList m_tools;
    int m_saves = 0;
};
