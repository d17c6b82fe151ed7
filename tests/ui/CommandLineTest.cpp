#include "CommandLine.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

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
        {{"a.gf", "--diff", "b.gf"}, A::Diff, ""},
        {{"--diff", "a.gf"}, A::Usage, ""},
        {{"--layout", "a.gf", "b.gf"}, A::Usage, ""},
        {{"--check", "a.gf", "--layout"}, A::Usage, ""},
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

TEST(CommandLine, ShortFormsAndHelpInGnuLayout) {
    using A = CommandLine::Action;
    EXPECT_EQ(ParseCommandLine({"-h"}).action, A::Help);
    EXPECT_EQ(ParseCommandLine({"Ship.gf", "-v"}).action, A::Version);
    EXPECT_EQ(ParseCommandLine({"--", "-v"}).shipPath, "-v");
    EXPECT_EQ(ParseCommandLine({"-hv"}).action, A::Usage);

    // Usage first, then every option on a line of its own: two spaces, the
    // short form before the long one, the descriptions in one column.
    const QStringList lines = HelpText().split('\n');
    EXPECT_TRUE(lines.value(0).startsWith("Usage: pelto5 ")) << lines.value(0).toStdString();
    QList<qsizetype> columns;
    for (const char* option : {"  -h, --help ", "  -v, --version ", "  -- "}) {
        const auto line = std::find_if(lines.begin(), lines.end(), [option](const QString& l) {
            return l.startsWith(QLatin1String(option));
        });
        ASSERT_NE(line, lines.end()) << option;
        const qsizetype column = line->indexOf(QRegularExpression("\\S"), qstrlen(option));
        EXPECT_GT(column, 0) << option; // a description follows
        columns << column;
    }
    EXPECT_EQ(columns.count(columns.first()), columns.size());
}
