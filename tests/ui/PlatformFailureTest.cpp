#include "PlatformFailure.h"
#include "CommandLine.h"

#include <gtest/gtest.h>

using namespace pelto5;

namespace {

// Qt 6's last word when no platform plugin opened the window.
const QString kFatal = QStringLiteral(
    "This application failed to start because no Qt platform plugin could be initialized. "
    "Reinstalling the application may fix this problem.\n\n"
    "Available platform plugins are: minimal, offscreen, xcb.\n");

} // namespace

// The messages are those Qt gives in each case, in their order.
TEST(PlatformFailure, NamesThePluginOrTheDisplayThatFailed) {
    // QT_QPA_PLATFORM names a plugin that is not installed.
    const QString missing =
        PlatformFailureLine({"Could not find the Qt platform plugin \"nosuch\" in \"\"", kFatal});
    EXPECT_EQ(missing, "pelto5: the Qt platform plugin \"nosuch\" is not installed (installed: "
                       "minimal, offscreen, xcb); install it, or choose an installed one with "
                       "QT_QPA_PLATFORM\n");

    // A Wayland display without Qt's Wayland plugin: X11 was tried with no display named.
    const QString wayland = PlatformFailureLine(
        {"Could not find the Qt platform plugin \"wayland\" in \"\"",
         "could not connect to display ",
         "Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.",
         kFatal});
    EXPECT_TRUE(wayland.startsWith("pelto5: the Qt platform plugin \"wayland\" is not installed"))
        << wayland.toStdString();

    // The X11 plugin is there but a library it needs is not.
    const QString unloadable = PlatformFailureLine(
        {"Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.",
         kFatal});
    EXPECT_TRUE(unloadable.startsWith(
        "pelto5: the Qt platform plugin \"xcb\" is installed but cannot be loaded"))
        << unloadable.toStdString();

    // A named display that is not running, even where Wayland was tried first.
    const QString gone = PlatformFailureLine(
        {"Could not find the Qt platform plugin \"wayland\" in \"\"",
         "could not connect to display :277",
         "Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.",
         kFatal});
    EXPECT_EQ(gone, NoDisplayLine(true));

    for (const QString& line : {missing, wayland, unloadable, PlatformFailureLine({kFatal})}) {
        EXPECT_EQ(line.count('\n'), 1) << line.toStdString();
        EXPECT_TRUE(line.contains("platform plugin")) << line.toStdString();
        EXPECT_FALSE(line.contains("display")) << line.toStdString();
    }
}
