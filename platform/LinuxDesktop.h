#pragma once

#include "UrlOpening.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace pelto5 {

// The desktop's own mechanisms standing in for the shell's open, the HTML
// handler's registry keys and starting a command line. No shell runs anything.
class LinuxDesktop : public UrlSystem {
public:
    // waitMs bounds how long a helper program may hold the window up.
    explicit LinuxDesktop(int waitMs = 2000) : m_nWaitMs(waitMs) {}

    // xdg-open on the target; its exit status becomes a result code.
    int ShellOpen(const std::string& target, int showCommand) override;
    // ".htm" is the default text/html handler's desktop entry name;
    // "<entry>\shell\open\command" is that entry's Exec line as a command template.
    KeyRead ReadKey(const std::string& subKey) override;
    // Splits the line as a shell would and starts it detached. Its program is
    // named by an absolute path or found on PATH by a name without a slash.
    int StartCommand(const std::string& commandLine, int showCommand) override;

private:
    int m_nWaitMs;
};

// The result code for an exit status of xdg-open.
int MapXdgOpenStatus(int exitStatus);

// Splits a command line into words the way a POSIX shell does with quotes and
// backslashes (no expansions); nullopt when a quote is left open.
std::optional<std::vector<std::string>> SplitCommandLine(const std::string& line);

// An Exec value turned into a command template: escapes undone, %u %U %f %F
// become "%1", %% a percent sign, and other field codes are dropped.
std::string ExecToCommandTemplate(const std::string& exec);

// The Exec value of a desktop file's [Desktop Entry] group, if it has one.
std::optional<std::string> DesktopFileExec(const QString& path);

// The path of desktop entry id (such as "firefox.desktop") on the data dirs, or empty.
QString FindDesktopFile(const QString& id);

} // namespace pelto5
