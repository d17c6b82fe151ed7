#include "PlatformFailure.h"

#include "CommandLine.h"

#include <QRegularExpression>

namespace pelto5 {

namespace {

// The first capture of pattern in any of the messages; empty when none matches.
QString Captured(const QStringList& messages, const QString& pattern) {
    const QRegularExpression expression(pattern);
    for (const QString& message : messages)
        if (const auto match = expression.match(message); match.hasMatch())
            return match.captured(1);
    return {};
}

} // namespace

QString PlatformFailureLine(const QStringList& qtMessages) {
    // A plugin that reached for a named display and found none: the display
    // is the fault, whatever other plugin was missing on the way (Qt tries
    // Wayland first in a Wayland session, then X11).
    if (!Captured(qtMessages, QStringLiteral("could not connect to display (\\S+)")).isEmpty())
        return NoDisplayLine(true);
    const QString installed =
        Captured(qtMessages, QStringLiteral("Available platform plugins are: ([^\\n]*)\\."));
    const QString missing =
        Captured(qtMessages, QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    if (!missing.isEmpty())
        return QStringLiteral("pelto5: the Qt platform plugin \"%1\" is not installed%2; install "
                              "it, or choose an installed one with QT_QPA_PLATFORM\n")
            .arg(missing, installed.isEmpty() ? QString()
                                              : QStringLiteral(" (installed: %1)").arg(installed));
    const QString unloadable =
        Captured(qtMessages, QStringLiteral("Could not load the Qt platform plugin \"([^\"]*)\""));
    if (!unloadable.isEmpty())
        return QStringLiteral("pelto5: the Qt platform plugin \"%1\" is installed but cannot be "
                              "loaded; QT_DEBUG_PLUGINS=1 shows which library it lacks\n")
            .arg(unloadable);
    return QStringLiteral(
        "pelto5: no Qt platform plugin could be started; QT_DEBUG_PLUGINS=1 shows why\n");
}

} // namespace pelto5
