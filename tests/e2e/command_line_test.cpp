// The game's command line, run as a user runs it: on a terminal.
#include <sstream>
#include <string>
#include <vector>

#include "support/screen_reader.h"
#include "support/terminal.h"

namespace {

using e2e::ExitStatus;
using e2e::Terminal;

struct CommandLine {
    const char *name;
    std::vector<std::string> args;
};

std::string test_name(const ::testing::TestParamInfo<CommandLine> &info) { return info.param.name; }

e2e::Options with_args(const std::vector<std::string> &args) {
    e2e::Options options;
    options.args = args;
    return options;
}

class StartsTheGame : public ::testing::TestWithParam<CommandLine> {};

TEST_P(StartsTheGame, ShowsTheTitleScreen) {
    Terminal t(with_args(GetParam().args));
    EXPECT_TRUE(e2e::wait_for_screen(t, e2e::Screen::Number));
    EXPECT_EQ(t.stderr_text(), "");
    t.hangup();
    t.wait_exit();
}

INSTANTIATE_TEST_SUITE_P(Options, StartsTheGame,
                         ::testing::Values(CommandLine{"PlusC", {"+c"}}, CommandLine{"DashCx", {"-cx"}},
                                           CommandLine{"Xm", {"xm"}}, CommandLine{"DashMono", {"-mono"}}),
                         test_name);

class RefusesTheCommandLine : public ::testing::TestWithParam<CommandLine> {};

TEST_P(RefusesTheCommandLine, WithUsageAndWithoutTouchingTheTerminal) {
    Terminal t(with_args(GetParam().args));
    EXPECT_EQ(t.wait_exit(), ExitStatus::exited(1));
    EXPECT_EQ(t.stderr_text(), "usage: vegatrade [-v|c|m]\n");
    EXPECT_EQ(t.output_bytes(), "");
    EXPECT_TRUE(t.modes_restored());
}

INSTANTIATE_TEST_SUITE_P(Usage, RefusesTheCommandLine,
                         ::testing::Values(CommandLine{"BareC", {"c"}}, CommandLine{"DashX", {"-x"}},
                                           CommandLine{"DashUpperC", {"-C"}},
                                           CommandLine{"DashUpperM", {"-M"}},
                                           CommandLine{"DashUpperV", {"-V"}},
                                           CommandLine{"TwoArguments", {"-c", "-m"}},
                                           CommandLine{"EmptyArgument", {""}}),
                         test_name);

TEST(VersionOption, PrintsTheBannerToStderrOnly) {
    Terminal t(with_args({"-v"}));
    ASSERT_EQ(t.wait_exit(), ExitStatus::exited(1)) << t.dump();
    EXPECT_EQ(t.output_bytes(), "");
    EXPECT_TRUE(t.modes_restored());

    const std::string &text = t.stderr_text();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 5u) << text;

    EXPECT_EQ(lines[0].rfind("Vegatrade", 0), 0u) << lines[0];
    for (const char *part : {"ncurses", "v1.2.2", "29-Mar-1997"})
        EXPECT_NE(lines[0].find(part), std::string::npos) << part << " in " << lines[0];
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2].size(), 58u) << lines[2];
    EXPECT_EQ(lines[3].size(), 54u) << lines[3];
    EXPECT_EQ(lines[4].size(), 54u) << lines[4];
}

}  // namespace
