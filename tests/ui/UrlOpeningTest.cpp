#include "UrlOpening.h"

#include "OpenErrorMessage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace pelto5 {
namespace {

// A system that answers from tables and records every call.
class FakeSystem : public UrlSystem {
public:
    int shellResult = 2;
    int startResult = 42;
    std::map<std::string, KeyRead> keys;
    std::vector<std::string> shellCalls;
    std::vector<std::string> keyCalls;
    std::vector<std::string> commands;
    std::vector<int> showCommands;

    int ShellOpen(const std::string& target, int showCommand) override {
        shellCalls.push_back(target);
        showCommands.push_back(showCommand);
        return shellResult;
    }
    KeyRead ReadKey(const std::string& subKey) override {
        keyCalls.push_back(subKey);
        auto it = keys.find(subKey);
        return it == keys.end() ? KeyRead{} : it->second;
    }
    int StartCommand(const std::string& commandLine, int showCommand) override {
        commands.push_back(commandLine);
        showCommands.push_back(showCommand);
        return startResult;
    }

    void SetHandler(const std::string& commandTemplate) {
        keys[".htm"] = KeyRead{kErrorSuccess, std::string("htmlfile")};
        keys["htmlfile\\shell\\open\\command"] = KeyRead{kErrorSuccess, commandTemplate};
    }
};

TEST(OpenUrl, ShellSuccessReadsNoKeyAndStartsNothing) {
    FakeSystem sys;
    sys.shellResult = 42;
    sys.SetHandler("prog \"%1\"");
    EXPECT_EQ(OpenUrl(sys, "https://a.example/", kSwShow), 42);
    EXPECT_EQ(sys.shellCalls, std::vector<std::string>{"https://a.example/"});
    EXPECT_TRUE(sys.keyCalls.empty());
    EXPECT_TRUE(sys.commands.empty());
    EXPECT_EQ(sys.showCommands, std::vector<int>{kSwShow});
}

TEST(OpenUrl, NegativeShellResultCountsAsSuccessUnsigned) {
    FakeSystem sys;
    sys.shellResult = -5;
    EXPECT_EQ(OpenUrl(sys, "x", kSwShow), -5);
    EXPECT_TRUE(sys.keyCalls.empty());
}

struct TemplateCase {
    const char* name;
    const char* commandTemplate;
    const char* target;
    const char* expected;
};

class TemplateTest : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(TemplateTest, BuildsTheFallbackCommand) {
    const TemplateCase& c = GetParam();
    FakeSystem sys;
    sys.SetHandler(c.commandTemplate);
    EXPECT_EQ(OpenUrl(sys, c.target, 7), 42);
    ASSERT_EQ(sys.commands.size(), 1u);
    EXPECT_EQ(sys.commands[0], c.expected);
    EXPECT_EQ(sys.keyCalls, (std::vector<std::string>{".htm", "htmlfile\\shell\\open\\command"}));
    // The show command is passed unchanged to both the shell and the start.
    EXPECT_EQ(sys.showCommands, (std::vector<int>{7, 7}));
}

INSTANTIATE_TEST_SUITE_P(
    Templates, TemplateTest,
    ::testing::Values(TemplateCase{"Quoted", "C:\\Prog\\web.exe \"%1\"", "http://a.example/",
                                   "C:\\Prog\\web.exe  http://a.example/"},
                      TemplateCase{"Bare", "/usr/bin/web %1", "http://a.example/",
                                   "/usr/bin/web  http://a.example/"},
                      TemplateCase{"ArgumentsAfter", "web -a \"%1\" -b", "t", "web -a  t"},
                      TemplateCase{"BareArgumentsAfter", "web %1 --new-tab", "t", "web  t"},
                      TemplateCase{"None", "web -nohome", "t", "web -nohome t"},
                      TemplateCase{"BothQuotedWins", "web %1 -x \"%1\" -y", "t", "web %1 -x  t"},
                      TemplateCase{"BothQuotedFirst", "web \"%1\" %1", "t", "web  t"},
                      TemplateCase{"TargetWithBlanks", "web \"%1\"", "my page.html",
                                   "web  my page.html"},
                      TemplateCase{"EmptyTemplate", "", "t", " t"}),
    [](const ::testing::TestParamInfo<TemplateCase>& info) { return info.param.name; });

TEST(OpenUrl, NoHtmTypeReturnsShellCode) {
    FakeSystem sys;
    sys.shellResult = 31;
    EXPECT_EQ(OpenUrl(sys, "t", kSwShow), 31);
    EXPECT_EQ(sys.keyCalls, std::vector<std::string>{".htm"});
    EXPECT_TRUE(sys.commands.empty());
}

TEST(OpenUrl, NoCommandKeyReturnsShellCode) {
    FakeSystem sys;
    sys.shellResult = 27;
    sys.keys[".htm"] = KeyRead{kErrorSuccess, std::string("htmlfile")};
    EXPECT_EQ(OpenUrl(sys, "t", kSwShow), 27);
    EXPECT_EQ(sys.keyCalls.size(), 2u);
    EXPECT_TRUE(sys.commands.empty());
}

TEST(OpenUrl, StartFailureCodeIsReturned) {
    FakeSystem sys;
    sys.SetHandler("web %1");
    sys.startResult = 11;
    EXPECT_EQ(OpenUrl(sys, "t", kSwShow), 11);
}

TEST(OpenUrl, UnreadableValueGoesOnWithEmptyTextAndFailsAtNextLookup) {
    FakeSystem sys;
    sys.shellResult = 3;
    sys.keys[".htm"] = KeyRead{kErrorSuccess, std::nullopt};
    // An empty value leads to the key "\shell\open\command", which is absent.
    EXPECT_EQ(OpenUrl(sys, "t", kSwShow), 3);
    EXPECT_EQ(sys.keyCalls, (std::vector<std::string>{".htm", "\\shell\\open\\command"}));
}

TEST(ReadKeyDefault, CopiesValueAndReturnsOpenStatus) {
    FakeSystem sys;
    sys.keys["k"] = KeyRead{kErrorSuccess, std::string("value")};
    std::string out = "old";
    EXPECT_EQ(ReadKeyDefault(sys, "k", out), kErrorSuccess);
    EXPECT_EQ(out, "value");
}

TEST(ReadKeyDefault, MissingKeyLeavesOutputAlone) {
    FakeSystem sys;
    std::string out = "old";
    EXPECT_EQ(ReadKeyDefault(sys, "nokey", out), kErrorFileNotFound);
    EXPECT_EQ(out, "old");
}

TEST(ReadKeyDefault, OutputMayBeTheSubKey) {
    FakeSystem sys;
    sys.keys["k"] = KeyRead{kErrorSuccess, std::string("longer value")};
    std::string buffer = "k";
    EXPECT_EQ(ReadKeyDefault(sys, buffer, buffer), kErrorSuccess);
    EXPECT_EQ(buffer, "longer value");
    EXPECT_EQ(sys.keyCalls, std::vector<std::string>{"k"});
}

TEST(ReadKeyDefault, ValueOfBufferSizeOrMoreReadsAsEmpty) {
    FakeSystem sys;
    sys.keys["fits"] = KeyRead{kErrorSuccess, std::string(259, 'a')};
    sys.keys["long"] = KeyRead{kErrorSuccess, std::string(260, 'a')};
    std::string out;
    EXPECT_EQ(ReadKeyDefault(sys, "fits", out), kErrorSuccess);
    EXPECT_EQ(out.size(), 259u);
    EXPECT_EQ(ReadKeyDefault(sys, "long", out), kErrorSuccess);
    EXPECT_EQ(out, "");
}

TEST(OpenUrl, CommandLineBoundedByBuffer) {
    // Template "w " gives "w " + " " + target; with the terminator that is 4 + target bytes.
    FakeSystem sys;
    sys.SetHandler("w %1");
    const std::string fits(kCommandBufferSize - 4, 'x');
    EXPECT_EQ(OpenUrl(sys, fits, kSwShow), 42);
    ASSERT_EQ(sys.commands.size(), 1u);
    EXPECT_EQ(sys.commands[0].size(), kCommandBufferSize - 1);

    const std::string tooLong(kCommandBufferSize - 3, 'x');
    EXPECT_EQ(OpenUrl(sys, tooLong, kSwShow), kSeErrOom);
    EXPECT_EQ(sys.commands.size(), 1u) << "nothing is started when the line does not fit";
}

TEST(BuildFallbackCommand, RefusesOverlongLine) {
    EXPECT_FALSE(BuildFallbackCommand(std::string(259, 'p'), std::string(260, 't')));
    EXPECT_TRUE(BuildFallbackCommand(std::string(259, 'p'), std::string(259, 't')));
}

struct ErrorCase {
    int code;
    const char* text;
};

class ErrorTextTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTextTest, PrefixAndText) {
    const ErrorCase& c = GetParam();
    EXPECT_EQ(OpenErrorText(c.code).toStdString(),
              std::string("Unable to open hyperlink:\n\n") + c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ErrorTextTest,
    ::testing::Values(
        ErrorCase{0, "The operating system is out\nof memory or resources."},
        ErrorCase{2, "The specified file was not found."},
        ErrorCase{3, "The specified path was not found."},
        ErrorCase{5, "The operating system denied\naccess to the specified file."},
        ErrorCase{8, "There was not enough memory to complete the operation."},
        ErrorCase{11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        ErrorCase{26, "A sharing violation occurred. "},
        ErrorCase{27, "The filename association is\nincomplete or invalid."},
        ErrorCase{28, "The DDE transaction could not\nbe completed because the request timed out."},
        ErrorCase{29, "The DDE transaction failed."},
        ErrorCase{30, "The DDE transaction could not\nbe completed because other DDE "
                      "transactions\nwere being processed."},
        ErrorCase{31, "There is no application associated\nwith the given filename extension."},
        ErrorCase{32, "The specified dynamic-link library was not found."},
        ErrorCase{1, "Unknown Error (1) occurred."}, ErrorCase{4, "Unknown Error (4) occurred."},
        ErrorCase{25, "Unknown Error (25) occurred."},
        ErrorCase{33, "Unknown Error (33) occurred."},
        ErrorCase{40, "Unknown Error (40) occurred."},
        ErrorCase{-1, "Unknown Error (-1) occurred."}));

TEST(ShowOpenError, PresentsTheText) {
    std::vector<QString> shown;
    OpenErrorPresenter old = SetOpenErrorPresenter([&](const QString& t) { shown.push_back(t); });
    ShowOpenError(31);
    SetOpenErrorPresenter(old);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], OpenErrorText(31));
}

} // namespace
} // namespace pelto5
