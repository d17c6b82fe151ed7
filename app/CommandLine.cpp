#include "CommandLine.h"

#include "Terminal.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace pelto5 {

namespace {

CommandLine Usage(const QString& fault) {
    return {CommandLine::Action::Usage, {}, fault, {}};
}

// The terminal commands and the paths each takes: at least, at most.
struct Command {
    const char* option;
    CommandLine::Action action;
    const char* needs;
    std::size_t least, most;
};
constexpr Command kCommands[] = {
    {"--check", CommandLine::Action::Check, "--check needs a PATH", 1, SIZE_MAX},
    {"--diff", CommandLine::Action::Diff, "--diff needs two files, OLD and NEW", 2, 2},
    {"--layout", CommandLine::Action::Layout, "--layout needs one FILE", 1, 1},
};

} // namespace

CommandLine ParseCommandLine(const QStringList& args) {
    const Command* command = nullptr;
    QStringList names;
    bool optionsEnded = false;
    for (const QString& arg : args) {
        const auto option = [&](const char* name) { return !optionsEnded && arg == name; };
        const auto match = std::find_if(std::begin(kCommands), std::end(kCommands),
                                        [&](const Command& c) { return option(c.option); });
        if (option("--")) {
            optionsEnded = true;
        } else if (option("-h") || option("--help")) {
            return {CommandLine::Action::Help, {}, {}, {}};
        } else if (option("-v") || option("--version")) {
            return {CommandLine::Action::Version, {}, {}, {}};
        } else if (match != std::end(kCommands)) {
            if (command && command != match)
                return Usage(
                    QStringLiteral("%1 and %2 cannot go together")
                        .arg(QLatin1String(command->option), QLatin1String(match->option)));
            command = match;
        } else if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return Usage(QStringLiteral("unknown option '%1'")
                             .arg(QString::fromStdString(Escaped(arg.toLatin1().toStdString()))));
        } else if (arg.isEmpty()) {
            return Usage(QStringLiteral("empty file name"));
        } else {
            names << arg;
        }
    }
    CommandLine line;
    if (!command) {
        if (names.size() > 1)
            return Usage(QStringLiteral("one ship file at a time"));
        line.shipPath = names.value(0);
        return line;
    }
    // Names before the option count as well: `pelto5 Ship.gf --check`.
    if (static_cast<std::size_t>(names.size()) < command->least ||
        static_cast<std::size_t>(names.size()) > command->most)
        return Usage(QLatin1String(command->needs));
    line.action = command->action;
    for (const QString& name : names)
        line.paths.push_back(name.toLatin1().toStdString());
    return line;
}

QString HelpText() {
    // GNU's layout: usage, what the program does, the options with their
    // short forms first, where to read on.
    return QStringLiteral(
        "Usage: pelto5 [FILE]\n"
        "  or:  pelto5 --check PATH...\n"
        "  or:  pelto5 --diff OLD NEW\n"
        "  or:  pelto5 --layout FILE\n"
        "  or:  pelto5 OPTION\n"
        "Place the hardpoints of a ship on its two pictures and save them into the\n"
        "ship's .gf file; the old file is kept as a numbered backup (Ship.001, ...).\n"
        "\n"
        "With FILE, open that ship at start, as OPEN would: its pictures are the\n"
        "file's name less .gf, plus VL.bmp and TI.bmp, beside it.\n"
        "\n"
        "      --check PATH...  review ships without a display and write nothing:\n"
        "                       each PATH is a ship file or a folder searched for\n"
        "                       *.gf; one line per finding, then a summary\n"
        "      --diff OLD NEW   print each hardpoint placed differently in two\n"
        "                       versions of a ship, how many other lines differ,\n"
        "                       then a summary\n"
        "      --layout FILE    print the 56 hardpoints of a ship, one a line\n"
        "                       (for git: see pelto5(1))\n"
        "  -h, --help           display this help and exit\n"
        "  -v, --version        output version information and exit\n"
        "  --                   take every argument after it as a file name\n"
        "\n"
        "Names and lines of files are printed with control characters and bytes\n"
        "that are not UTF-8 escaped, as ls --quoting-style=escape does: \\n, \\t,\n"
        "\\\\ for a backslash, \\ooo (octal) for any other byte.\n"
        "\n"
        "Exit status: 0 when the window closes, 1 when it cannot open, 2 for a\n"
        "wrong command line or output that cannot be written. With --check: 0\n"
        "when nothing was found, 1 when something was, 2 when a path or ship\n"
        "cannot be read. With --diff: 0 when nothing differs, 1 when something\n"
        "does, 2 when a file cannot be read.\n"
        "The keys and mouse gestures are in pelto5(1).\n");
}

QString VersionText() {
    return QStringLiteral("pelto5 " PELTO5_VERSION "\n");
}

QString UsageLine(const QString& fault) {
    return QStringLiteral(
               "pelto5: %1; usage: pelto5 [--help | --version | --check PATH... | --diff OLD NEW |"
               " --layout FILE | FILE]\n")
        .arg(fault);
}

bool DisplayNamed() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

QString NoDisplayLine(bool named) {
    if (!named)
        return QStringLiteral(
            "pelto5: no X11 or Wayland display found; set DISPLAY or WAYLAND_DISPLAY\n");
    QStringList settings;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(name))
            settings << QStringLiteral("%1=%2").arg(QLatin1String(name),
                                                    qEnvironmentVariable(name));
    return QStringLiteral("pelto5: cannot open the display (%1); "
                          "set DISPLAY or WAYLAND_DISPLAY to a running display\n")
        .arg(settings.join(QLatin1String(", ")));
}

} // namespace pelto5
