#include "LinuxDesktop.h"

#include "TestApp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace pelto5 {
namespace {

// Puts back an environment variable when the test ends.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : m_name(name), m_had(qEnvironmentVariableIsSet(name)) {
        m_old = qgetenv(name);
    }
    ~EnvGuard() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

// A desktop made in a temporary folder: stand-ins for xdg-open and xdg-mime on
// PATH, data dirs with desktop files, and a browser that records its arguments.
class FakeDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(m_dir.isValid());
        root = m_dir.path();
        ASSERT_TRUE(QDir().mkpath(root + "/bin"));
        ASSERT_TRUE(QDir().mkpath(root + "/home/applications"));
        ASSERT_TRUE(QDir().mkpath(root + "/share/applications"));
        qputenv("PATH", (root + "/bin:/usr/bin:/bin").toLocal8Bit());
        qputenv("XDG_DATA_HOME", (root + "/home").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (root + "/share").toLocal8Bit());
        // Each stand-in writes its arguments, one a line, and exits with the
        // number in its status file (0 when there is none).
        for (const char* tool : {"xdg-open", "xdg-mime", "webby"})
            WriteScript(QString("bin/") + tool,
                        QString("printf '%s\\n' \"$@\" > \"%1/%2.args.tmp\"\n"
                                "mv \"%1/%2.args.tmp\" \"%1/%2.args\"\n"
                                "[ -f \"%1/%2.out\" ] && cat \"%1/%2.out\"\n"
                                "[ -f \"%1/%2.sleep\" ] && sleep \"$(cat \"%1/%2.sleep\")\"\n"
                                "exit \"$(cat \"%1/%2.status\" 2>/dev/null || echo 0)\"\n")
                            .arg(root, tool));
    }

    void WriteScript(const QString& relative, const QString& body) {
        WriteFile(relative, "#!/bin/sh\n" + body);
        QFile::setPermissions(root + "/" + relative,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void WriteFile(const QString& relative, const QString& text) {
        QFile file(root + "/" + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }
    // The recorded arguments of a stand-in, waiting a little for a detached one.
    QStringList Args(const QString& tool, int waitMs = 0) {
        QElapsedTimer timer;
        timer.start();
        QFile file(root + "/" + tool + ".args");
        while (!file.exists() && timer.elapsed() < waitMs)
            QThread::msleep(20);
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("<not run>")};
        QString text = QString::fromUtf8(file.readAll());
        text.chop(1);
        return text.split('\n');
    }

    EnvGuard m_path{"PATH"};
    EnvGuard m_home{"XDG_DATA_HOME"};
    EnvGuard m_dirs{"XDG_DATA_DIRS"};
    QTemporaryDir m_dir;
    QString root;
};

TEST_F(FakeDesktop, ShellOpenPassesTargetAsOneArgument) {
    LinuxDesktop desktop;
    EXPECT_EQ(desktop.ShellOpen("https://x.example/a b", kSwShow), kShellSuccess);
    EXPECT_EQ(Args("xdg-open"), QStringList{"https://x.example/a b"});
}

TEST_F(FakeDesktop, ShellOpenMapsExitStatus) {
    LinuxDesktop desktop;
    const std::pair<int, int> table[] = {{0, kShellSuccess},
                                         {1, 1},
                                         {2, kSeErrFnf},
                                         {3, kSeErrNoAssoc},
                                         {4, kSeErrAssocIncomplete},
                                         {5, kSeErrAccessDenied},
                                         {6, 1}};
    for (const auto& [status, code] : table) {
        WriteFile("xdg-open.status", QString::number(status));
        EXPECT_EQ(desktop.ShellOpen("t", kSwShow), code) << "exit status " << status;
    }
}

TEST_F(FakeDesktop, MissingXdgOpenMeansNoAssociation) {
    QFile::remove(root + "/bin/xdg-open");
    qputenv("PATH", (root + "/bin").toLocal8Bit());
    LinuxDesktop desktop;
    EXPECT_EQ(desktop.ShellOpen("t", kSwShow), kSeErrNoAssoc);
}

TEST_F(FakeDesktop, SlowXdgOpenDoesNotHoldTheWindow) {
    WriteFile("xdg-open.sleep", "3");
    LinuxDesktop desktop(300);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(desktop.ShellOpen("t", kSwShow), kShellSuccess);
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST_F(FakeDesktop, HtmKeyIsTheDefaultHtmlHandler) {
    WriteFile("xdg-mime.out", "webby.desktop\n");
    LinuxDesktop desktop;
    const KeyRead read = desktop.ReadKey(".htm");
    EXPECT_EQ(read.status, kErrorSuccess);
    EXPECT_EQ(read.value, std::optional<std::string>("webby.desktop"));
    EXPECT_EQ(Args("xdg-mime"), (QStringList{"query", "default", "text/html"}));
}

TEST_F(FakeDesktop, NoHtmlHandlerMeansNoKey) {
    LinuxDesktop desktop;
    EXPECT_EQ(desktop.ReadKey(".htm").status, kErrorFileNotFound);
    WriteFile("xdg-mime.out", "webby.desktop\n");
    WriteFile("xdg-mime.status", "4");
    EXPECT_EQ(desktop.ReadKey(".htm").status, kErrorFileNotFound);
}

TEST_F(FakeDesktop, CommandKeyIsTheExecLine) {
    WriteFile("share/applications/webby.desktop",
              "[Desktop Action New]\nExec=wrong %u\n"
              "[Desktop Entry]\nName=Webby\nExec[de]=falsch\nExec = webby --icon %i %U\n");
    LinuxDesktop desktop;
    const KeyRead read = desktop.ReadKey("webby.desktop\\shell\\open\\command");
    EXPECT_EQ(read.status, kErrorSuccess);
    EXPECT_EQ(read.value, std::optional<std::string>("webby --icon  %1"));
}

TEST_F(FakeDesktop, DataHomeComesBeforeDataDirsAndDashesMayBeFolders) {
    WriteFile("share/applications/webby.desktop", "[Desktop Entry]\nExec=system %u\n");
    WriteFile("home/applications/webby.desktop", "[Desktop Entry]\nExec=mine %u\n");
    ASSERT_TRUE(QDir().mkpath(root + "/share/applications/vendor"));
    WriteFile("share/applications/vendor/app.desktop", "[Desktop Entry]\nExec=vendor %f\n");
    LinuxDesktop desktop;
    EXPECT_EQ(desktop.ReadKey("webby.desktop\\shell\\open\\command").value,
              std::optional<std::string>("mine %1"));
    EXPECT_EQ(desktop.ReadKey("vendor-app.desktop\\shell\\open\\command").value,
              std::optional<std::string>("vendor %1"));
}

TEST_F(FakeDesktop, MissingEntryOrExec) {
    WriteFile("share/applications/noexec.desktop", "[Desktop Entry]\nName=No\n");
    LinuxDesktop desktop;
    EXPECT_EQ(desktop.ReadKey("none.desktop\\shell\\open\\command").status, kErrorFileNotFound);
    EXPECT_EQ(desktop.ReadKey("../x\\shell\\open\\command").status, kErrorFileNotFound);
    const KeyRead read = desktop.ReadKey("noexec.desktop\\shell\\open\\command");
    EXPECT_EQ(read.status, kErrorSuccess);
    EXPECT_FALSE(read.value);
    EXPECT_EQ(desktop.ReadKey("other").status, kErrorFileNotFound);
}

TEST_F(FakeDesktop, StartCommandRunsDetachedWithShellSplit) {
    LinuxDesktop desktop;
    EXPECT_EQ(desktop.StartCommand("webby 'one two' \"th\\\"ree\" four\\ five", kSwShow),
              kShellSuccess);
    EXPECT_EQ(Args("webby", 5000), (QStringList{"one two", "th\"ree", "four five"}));
}

TEST_F(FakeDesktop, StartCommandFailureCodes) {
    LinuxDesktop desktop;
    WriteFile("plain", "not a program");
    EXPECT_EQ(desktop.StartCommand("", kSwShow), kSeErrFnf);
    EXPECT_EQ(desktop.StartCommand("nosuchprogram-pelto5 x", kSwShow), kSeErrFnf);
    EXPECT_EQ(desktop.StartCommand((root + "/missing x").toStdString(), kSwShow), kSeErrFnf);
    EXPECT_EQ(desktop.StartCommand((root + "/nodir/prog x").toStdString(), kSwShow), kSeErrPnf);
    EXPECT_EQ(desktop.StartCommand((root + "/plain").toStdString(), kSwShow), kSeErrAccessDenied);
    EXPECT_EQ(desktop.StartCommand("webby \"open", kSwShow), kErrBadFormat);
    EXPECT_EQ(Args("webby"), QStringList{"<not run>"});
}

TEST_F(FakeDesktop, OpenUrlFallsBackToTheHandlersExecLine) {
    WriteFile("xdg-open.status", "3");
    WriteFile("xdg-mime.out", "webby.desktop\n");
    WriteFile("share/applications/webby.desktop",
              QString("[Desktop Entry]\nExec=%1/bin/webby --new %u --x\n").arg(root));
    LinuxDesktop desktop;
    EXPECT_EQ(OpenUrl(desktop, "https://pay.example/cgi-bin/webscr", kSwShow), kShellSuccess);
    EXPECT_EQ(Args("webby", 5000), (QStringList{"--new", "https://pay.example/cgi-bin/webscr"}));
}

// Without a usable Exec line the fallback's command is the address alone,
// which reads as a path relative to the working folder; such a program, or any
// other named relative to it, is never run.
TEST_F(FakeDesktop, NoProgramRunsByARelativePath) {
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root));
    ASSERT_TRUE(QDir().mkpath(root + "/https:/pay.example"));
    // Each program adds its first argument to runs.log.
    for (const char* program : {"https:/pay.example/go", "bin/near"})
        WriteScript(program, QString("echo \"$1\" >> \"%1/runs.log\"\n").arg(root));
    WriteFile("xdg-open.status", "3");
    WriteFile("xdg-mime.out", "webby.desktop\n");
    LinuxDesktop desktop;
    for (const QString& entry : {QString("[Desktop Entry]\nName=No Exec\n"),
                                 "[Desktop Entry]\nExec=/usr/bin/" + QString(260, 'w') + " %u\n"}) {
        WriteFile("share/applications/webby.desktop", entry);
        EXPECT_EQ(OpenUrl(desktop, "https://pay.example/go", kSwShow), kSeErrFnf)
            << entry.toStdString();
    }
    EXPECT_EQ(desktop.StartCommand("bin/near relative", kSwShow), kSeErrFnf);
    EXPECT_EQ(desktop.StartCommand("./bin/near relative", kSwShow), kSeErrFnf);
    // The same program by its absolute path does run, and alone.
    EXPECT_EQ(desktop.StartCommand((root + "/bin/near absolute").toStdString(), kSwShow),
              kShellSuccess);
    QDir::setCurrent(cwd);
    QFile log(root + "/runs.log");
    QElapsedTimer timer;
    timer.start();
    while (log.size() == 0 && timer.elapsed() < 5000)
        QThread::msleep(20);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll().toStdString(), "absolute\n");
}

TEST_F(FakeDesktop, OpenUrlReportsShellCodeWithoutHandler) {
    WriteFile("xdg-open.status", "2");
    LinuxDesktop desktop;
    EXPECT_EQ(OpenUrl(desktop, "t", kSwShow), kSeErrFnf);
}

TEST(ExecToCommandTemplate, FieldCodes) {
    EXPECT_EQ(ExecToCommandTemplate("a %u"), "a %1");
    EXPECT_EQ(ExecToCommandTemplate("a %U"), "a %1");
    EXPECT_EQ(ExecToCommandTemplate("a %f"), "a %1");
    EXPECT_EQ(ExecToCommandTemplate("a %F"), "a %1");
    EXPECT_EQ(ExecToCommandTemplate("a %i %c %k %d %D %n %N %v %m b"), "a          b");
    EXPECT_EQ(ExecToCommandTemplate("a 100%% %u"), "a 100% %1");
    EXPECT_EQ(ExecToCommandTemplate("a\\sb \"x\\\\y\" %"), "a b \"x\\\\y\" ");
}

TEST(SplitCommandLine, AsAShellWould) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(SplitCommandLine("  a   b\tc "), (Words{"a", "b", "c"}));
    EXPECT_EQ(SplitCommandLine("a 'b c' \"d e\""), (Words{"a", "b c", "d e"}));
    EXPECT_EQ(SplitCommandLine("a 'x\\y' \"p\\q\\$\""), (Words{"a", "x\\y", "p\\q$"}));
    EXPECT_EQ(SplitCommandLine("a\\ b ''"), (Words{"a b", ""}));
    EXPECT_EQ(SplitCommandLine("x'a'\"b\"c"), (Words{"xabc"}));
    EXPECT_EQ(SplitCommandLine("a; rm -rf $HOME | b"),
              (Words{"a;", "rm", "-rf", "$HOME", "|", "b"}));
    EXPECT_EQ(SplitCommandLine(""), Words{});
    EXPECT_FALSE(SplitCommandLine("a 'b"));
    EXPECT_FALSE(SplitCommandLine("a \"b"));
}

} // namespace
} // namespace pelto5
