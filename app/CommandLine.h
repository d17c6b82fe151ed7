#pragma once

#include <QString>
#include <QStringList>

namespace pelto5 {

// What the command line asks for: `pelto5 [FILE]`, `-h`/`--help`,
// `-v`/`--version` or `--check PATH...`.
struct CommandLine {
    enum class Action { Run, Help, Version, Usage, Check };
    Action action = Action::Run;
    QString shipPath;         // Run: the ship to open at start, empty for none
    QString fault;            // Usage: what was wrong, for the one-line usage
    QStringList checkPaths{}; // Check: the ship files and folders to review
};

// Reads the arguments that follow the program's name.
CommandLine ParseCommandLine(const QStringList& args);

QString HelpText();
QString VersionText();
// One line: what was wrong and how the program is called.
QString UsageLine(const QString& fault);

// True when there is a display to open: DISPLAY or WAYLAND_DISPLAY names one,
// or QT_QPA_PLATFORM chooses a platform of its own (offscreen, for instance).
bool DisplayNamed();
// The one line for a start without a display (named: whether one was named
// but could not be opened).
QString NoDisplayLine(bool named);

} // namespace pelto5
