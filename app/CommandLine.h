#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace pelto5 {

// What the command line asks for: `pelto5 [FILE]`, `-h`/`--help`,
// `-v`/`--version`, `--check PATH...`, `--diff OLD NEW` or `--layout FILE`.
struct CommandLine {
    enum class Action { Run, Help, Version, Usage, Check, Diff, Layout };
    Action action = Action::Run;
    QString shipPath;               // Run: the ship to open at start, empty for none
    QString fault;                  // Usage: what was wrong, for the one-line usage
    std::vector<std::string> paths; // Check, Diff, Layout: the paths, as the system's bytes
};

// Reads the arguments that follow the program's name, each taken with one
// letter per byte (Latin-1), so that every name keeps its bytes.
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
