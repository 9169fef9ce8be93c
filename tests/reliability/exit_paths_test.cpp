// Every way out of the game leaves the terminal modes as they were: a
// confirmed quit, each fatal message the layout can reach, and SIGTERM.
// (A finished game is checked by the soak, lost input by its own test.)
// A hang-up signal alone changes nothing.
#include <csignal>

#include "reliability/driver.h"

namespace reliability {
namespace {

struct ExitCase {
    const char *name;
    std::vector<std::string> args;
    std::optional<std::string> lines, columns;
    const char *keys;    // typed once
    const char *repeat;  // then typed again and again until the program ends
    int code;
    const char *message;  // exact standard error
};

const ExitCase EXIT_CASES[] = {
    {"ConfirmedQuit", {"-m"}, {}, {}, "2Ann\rBob\rqy", " ", 2, ""},
    {"GeneralWindow", {}, "14", "80", "", nullptr, 1, "vegatrade: can't create general window\n"},
    {"CoinfoWindow", {"-c"}, "25", "40", "", nullptr, 1, "vegatrade: can't create company window\n"},
    // Windows that can be made, on a layout too narrow to show the game.
    {"LayoutTooSmall",
     {"-m"},
     "25",
     "57",
     "",
     nullptr,
     1,
     "vegatrade: the 57 x 25 layout (columns x rows) that LINES and COLUMNS set cannot show the game, which "
     "needs "
     "at least 80 x 24; set both to a layout that large, or unset them\n"},
    {"UsageError", {"-x"}, {}, {}, "", nullptr, 1, "usage: vegatrade [-v|c|m]\n"},
};

class ExitPath : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitPath, LeavesTheTerminalAsItWas) {
    const ExitCase &c = GetParam();
    e2e::Options options = with_args(c.args);
    options.env = {{"LINES", c.lines}, {"COLUMNS", c.columns}};
    Terminal t(options);
    t.type(c.keys);
    const auto deadline = Clock::now() + Millis{60000};
    while (c.repeat != nullptr && t.running() && Clock::now() < deadline) {
        t.type(c.repeat);
        t.wait_until_quiet(Millis{10}, Millis{300});
    }
    const auto status = t.wait_exit();
    ASSERT_TRUE(status.has_value()) << t.dump();
    EXPECT_EQ(*status, e2e::ExitStatus::exited(c.code));
    EXPECT_EQ(t.stderr_text(), c.message);
    EXPECT_TRUE(t.modes_restored());
}

INSTANTIATE_TEST_SUITE_P(Reliability, ExitPath, ::testing::ValuesIn(EXIT_CASES),
                         [](const ::testing::TestParamInfo<ExitCase> &param) { return param.param.name; });

// SIGTERM at the move prompt: curses' own handler restores the terminal
// and exits with status 1.
TEST(ExitPaths, TerminationSignalRestoresTheTerminal) {
    Terminal t(with_args({"-c"}));
    t.type("1A\r");
    ASSERT_TRUE(t.wait_for_screen_contains("enter your move"));
    t.send_signal(SIGTERM);
    const auto status = t.wait_exit();
    ASSERT_TRUE(status.has_value()) << t.dump();
    EXPECT_EQ(*status, e2e::ExitStatus::exited(1));
    EXPECT_EQ(t.stderr_text(), "");
    EXPECT_TRUE(t.modes_restored()) << *status;
}

// A hang-up signal without a hang-up is ignored: the game goes on.
TEST(ExitPaths, HangUpSignalAloneIsIgnored) {
    Terminal t(with_args({"-m"}));
    t.type("1A\r");
    ASSERT_TRUE(t.wait_for_screen_contains("enter your move"));
    t.send_signal(SIGHUP);
    t.type("s");
    ASSERT_TRUE(t.wait_for_screen_contains("Current Standings")) << t.dump();
    t.type(" qy ");
    const auto status = t.wait_exit();
    ASSERT_TRUE(status.has_value()) << t.dump();
    EXPECT_EQ(*status, e2e::ExitStatus::exited(2));
    EXPECT_TRUE(t.modes_restored());
}

}  // namespace
}  // namespace reliability
