#include "CommandLine.h"

namespace pelto5 {

CommandLine ParseCommandLine(const QStringList& args) {
    CommandLine line;
    bool optionsEnded = false;
    for (const QString& arg : args) {
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded &&
                   (arg == QLatin1String("-h") || arg == QLatin1String("--help"))) {
            return {CommandLine::Action::Help, {}, {}};
        } else if (!optionsEnded &&
                   (arg == QLatin1String("-v") || arg == QLatin1String("--version"))) {
            return {CommandLine::Action::Version, {}, {}};
        } else if (!optionsEnded && arg == QLatin1String("--check")) {
            line.action = CommandLine::Action::Check;
        } else if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return {CommandLine::Action::Usage, {}, QStringLiteral("unknown option '%1'").arg(arg)};
        } else if (arg.isEmpty()) {
            return {CommandLine::Action::Usage, {}, QStringLiteral("empty file name")};
        } else if (line.action == CommandLine::Action::Check) {
            line.checkPaths << arg;
        } else if (!line.shipPath.isEmpty()) {
            return {CommandLine::Action::Usage, {}, QStringLiteral("one ship file at a time")};
        } else {
            line.shipPath = arg;
        }
    }
    if (line.action == CommandLine::Action::Check) {
        // A ship named before --check is reviewed too.
        if (!line.shipPath.isEmpty())
            line.checkPaths.prepend(line.shipPath);
        line.shipPath.clear();
        if (line.checkPaths.isEmpty())
            return {CommandLine::Action::Usage, {}, QStringLiteral("--check needs a PATH"), {}};
    }
    return line;
}

QString HelpText() {
    // GNU's layout: usage, what the program does, the options with their
    // short forms first, where to read on.
    return QStringLiteral(
        "Usage: pelto5 [FILE]\n"
        "  or:  pelto5 --check PATH...\n"
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
        "  -h, --help           display this help and exit\n"
        "  -v, --version        output version information and exit\n"
        "  --                   take every argument after it as a file name\n"
        "\n"
        "Exit status: 0 when the window closes, 1 when it cannot open, 2 for a\n"
        "wrong command line. With --check: 0 when nothing was found, 1 when\n"
        "something was, 2 when a PATH cannot be read.\n"
        "The keys and mouse gestures are in pelto5(1).\n");
}

QString VersionText() {
    return QStringLiteral("pelto5 " PELTO5_VERSION "\n");
}

QString UsageLine(const QString& fault) {
    return QStringLiteral(
               "pelto5: %1; usage: pelto5 [--help | --version | --check PATH... | FILE]\n")
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
