#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

// A private X display with the real editor on it, driven by xdotool as a
// person would drive it.
class Desktop {
public:
    Desktop() {
        for (int n = 90 + static_cast<int>(QCoreApplication::applicationPid() % 50); n < 200; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
                QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_display = QStringLiteral(":%1").arg(n);
            m_xvfb.start(QStringLiteral("Xvfb"), {m_display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
            if (!m_xvfb.waitForStarted(5000))
                return;
            for (int k = 0; k < 100 && !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)); ++k)
                QThread::msleep(50);
            break;
        }
    }
    ~Desktop() {
        if (m_app.state() != QProcess::NotRunning) {
            m_app.kill();
            m_app.waitForFinished(5000);
        }
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    bool Ready() const { return !m_display.isEmpty() && m_xvfb.state() == QProcess::Running; }

    // Starts the editor with its arguments, and extra environment variables
    // over the session's own, and waits for its window.
    bool StartEditor(const QStringList& args = {}, const QProcessEnvironment& extra = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("WAYLAND_DISPLAY");
        // A session of its own, as a desktop gives every program.
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.insert(extra);
        m_app.setProcessEnvironment(env);
        m_app.setProcessChannelMode(QProcess::MergedChannels);
        m_app.start(QStringLiteral(PELTO5_EDITOR_PATH), args);
        if (!m_app.waitForStarted(10000))
            return false;
        m_window = Xdo({"search", "--sync", "--onlyvisible", "--name", "Vorsanth's Tolmar Util"})
                       .split('\n', Qt::SkipEmptyParts)
                       .value(0);
        return !m_window.isEmpty();
    }

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
    void MoveTo(int x, int y) const {
        Xdo({"mousemove", "--window", m_window, QString::number(x), QString::number(y)});
        Settle();
    }
    void Key(const QString& key) const {
        Xdo({"key", key});
        Settle();
    }
    void Type(const QString& text) const {
        Xdo({"type", "--delay", "20", text});
        Settle();
    }
    static void Settle() { QThread::msleep(300); }

    QString Geometry() const { return Xdo({"getwindowgeometry", m_window}); }

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
    const QString& Window() const { return m_window; }

private:
    QString m_display;
    QTemporaryDir m_runtime;
    QProcess m_xvfb;
    QProcess m_app;
    QString m_window;
};
