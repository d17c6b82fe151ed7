#include "CommandLine.h"

#include <gtest/gtest.h>

using namespace pelto5;

TEST(CommandLine, FileHelpVersionOrUsage) {
    using A = CommandLine::Action;
    struct Case {
        QStringList args;
        A action;
        QString ship;
    };
    const Case cases[] = {
        {{}, A::Run, ""},
        {{"Ship.gf"}, A::Run, "Ship.gf"},
        {{"-"}, A::Run, "-"},
        {{"--", "--help"}, A::Run, "--help"},
        {{"--help"}, A::Help, ""},
        {{"Ship.gf", "--version"}, A::Version, ""},
        {{"-x"}, A::Usage, ""},
        {{"--platform", "offscreen"}, A::Usage, ""},
        {{"a.gf", "b.gf"}, A::Usage, ""},
        {{""}, A::Usage, ""},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(line.action, c.action) << what;
        EXPECT_EQ(line.shipPath, c.ship) << what;
        EXPECT_EQ(line.fault.isEmpty(), c.action != A::Usage) << what;
    }
    EXPECT_EQ(UsageLine("unknown option '-x'").count('\n'), 1);
    EXPECT_TRUE(UsageLine("unknown option '-x'").contains("-x"));
}
