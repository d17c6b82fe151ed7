#pragma once

#include "Desktop.h"

#include <QList>
#include <QProcess>
#include <QStringList>

#include <functional>

// A program on the display with a private session bus: it and the screen
// reader's side (tests/e2e/accessible_tree.py) meet on the accessibility bus
// that the session starts. A fixture starts its program with m_env.
class AccessibilityTest : public DisplayTest {
protected:
    AccessibilityTest() : DisplayTest({"Xvfb", "xdotool", "dbus-daemon", kPython}) {}
    void SetUp() override {
        DisplayTest::SetUp();
        if (SetUpStopped())
            return;
        if (QProcess::execute(kPython, {"-c", "import pyatspi"}) != 0)
            GTEST_SKIP() << "python3-pyatspi is needed (tools/setup.sh installs it)";
        m_bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address"});
        ASSERT_TRUE(m_bus.waitForReadyRead(10000));
        m_env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromUtf8(m_bus.readLine()).trimmed());
        m_env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        // The bridge warns of each question about an object already gone (a
        // closed dialog's); unread, so many would fill the program's output
        // pipe and stop it.
        m_env.insert("QT_LOGGING_RULES", "qt.accessibility.atspi.warning=false");
    }
    void TearDown() override {
        if (desktop.Editor().state() != QProcess::NotRunning) {
            desktop.Editor().kill();
            desktop.Editor().waitForFinished(5000);
        }
        m_bus.terminate();
        m_bus.waitForFinished(5000);
    }

    // Starts the script in mode on the program, with the session's bus.
    void Run(QProcess& script, const QString& mode, const QStringList& more = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(m_env);
        script.setProcessEnvironment(env);
        script.start(kPython,
                     QStringList{QStringLiteral(PELTO5_SOURCE_DIR "/tests/e2e/accessible_tree.py"),
                                 mode, QString::number(desktop.Editor().processId())} +
                         more);
    }
    // Every visible accessible object: role, name and description.
    QList<QStringList> Tree() {
        QProcess script;
        Run(script, "tree");
        EXPECT_TRUE(script.waitForFinished(60000));
        EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
        QList<QStringList> nodes;
        for (const QString& line : QString::fromUtf8(script.readAllStandardOutput()).split('\n'))
            if (!line.isEmpty())
                nodes << line.split('\t');
        return nodes;
    }

    // The names of the visible accessible objects that are selected.
    QStringList Selected() {
        QProcess script;
        Run(script, "selected");
        EXPECT_TRUE(script.waitForFinished(60000));
        EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
        return QString::fromUtf8(script.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    // The role, name and description of the visible accessible object that
    // has the keyboard focus; empty when none has.
    QStringList Focused() {
        QProcess script;
        Run(script, "focused");
        EXPECT_TRUE(script.waitForFinished(60000));
        EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
        return QString::fromUtf8(script.readAllStandardOutput())
            .trimmed()
            .split('\t', Qt::SkipEmptyParts);
    }

    // What the script hears, listening as listen says ({"listen", "30"}, say),
    // while act runs: act runs again, up to five times, until enough holds
    // for what was heard, for the script may start hearing a moment after it
    // says it is ready.
    QString Hear(const QStringList& listen, const std::function<void()>& act,
                 const std::function<bool(const QString& heard)>& enough) {
        QProcess listener;
        Run(listener, listen.value(0), listen.mid(1));
        if (!listener.waitForReadyRead(30000) || listener.readLine().trimmed() != "ready") {
            ADD_FAILURE() << "the listener did not start: "
                          << listener.readAllStandardError().toStdString();
            return {};
        }
        QString heard;
        for (int attempt = 0; attempt < 5 && !enough(heard); ++attempt) {
            act();
            Desktop::WaitUntil(
                [&] {
                    listener.waitForReadyRead(100); // the pipe is read only while waiting
                    heard += QString::fromUtf8(listener.readAll());
                    return enough(heard);
                },
                3000);
        }
        listener.kill();
        listener.waitForFinished(5000);
        return heard;
    }

    static constexpr const char* kPython = "/usr/bin/python3";
    QProcess m_bus;
    QProcessEnvironment m_env;
};

// The editor on the accessibility bus, as a screen reader meets it.
class EditorAccessibilityTest : public AccessibilityTest {
protected:
    void SetUp() override {
        AccessibilityTest::SetUp();
        if (!SetUpStopped())
            StartEditor({}, m_env);
    }
};
