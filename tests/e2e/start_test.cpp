// Before the game: terminals that cannot show it are refused, and Ctrl-C at
// the number prompt or a name leaves at once, as a quit does.
#include <csignal>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "support/game_driver.h"
#include "support/param_name.h"

namespace e2e {
namespace {

struct TypeCase {
    std::optional<std::string> term;
    std::string_view message;
};

std::ostream &operator<<(std::ostream &os, const TypeCase &c) {
    return os << "TERM=" << test_names::value_part(c.term);
}

class TerminalType : public ::testing::TestWithParam<TypeCase> {};

// A type that terminfo does not know, or that cannot move the cursor, is
// refused before anything is written to the terminal, with its name in
// visible form: a type holding an escape sequence does not reach it raw.
TEST_P(TerminalType, IsRefusedWithItsNameBeforeAnythingIsDrawn) {
    const TypeCase &c = GetParam();
    Options options;
    options.env = {{"TERM", c.term}};
    Terminal t(options);
    EXPECT_TRUE(ended_with(t, 1, c.message, Millis{1000}));
    EXPECT_EQ(t.output_bytes(), "") << "the terminal is left untouched";
}

INSTANTIATE_TEST_SUITE_P(
    Start, TerminalType,
    ::testing::Values(
        TypeCase{"dumb",
                 "vegatrade: the terminal type \"dumb\" cannot move the cursor; set TERM to your "
                 "terminal's type\n"},
        TypeCase{"no-such-terminal",
                 "vegatrade: the terminal type \"no-such-terminal\" is not known here (no "
                 "terminfo entry); set TERM to your terminal's type\n"},
        TypeCase{"x\033]0;title\a",
                 "vegatrade: the terminal type \"x^[]0;title^G\" is not known here (no "
                 "terminfo entry); set TERM to your terminal's type\n"},
        TypeCase{"", "vegatrade: TERM is not set; set it to your terminal's type\n"},
        TypeCase{std::nullopt, "vegatrade: TERM is not set; set it to your terminal's type\n"}),
    [](const ::testing::TestParamInfo<TypeCase> &param_info) {
        return test_names::value_part(param_info.param.term);
    });

struct CtrlCCase {
    const char *where;
    const char *keys;   // typed before Ctrl-C
    const char *shown;  // a text the screen shows when Ctrl-C is typed
};

std::ostream &operator<<(std::ostream &os, const CtrlCCase &c) { return os << c.where; }

class CtrlCBeforeTheGame : public ::testing::TestWithParam<CtrlCCase> {};

// The program ends at once with status 2 and the banner, as after a quit,
// but shows no standings: no game was played.
TEST_P(CtrlCBeforeTheGame, LeavesAtOnceWithTheBannerAndNoStandings) {
    const CtrlCCase &c = GetParam();
    Terminal t;
    ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    t.type(c.keys);
    ASSERT_TRUE(t.wait_for_screen_contains(c.shown));
    t.type(key::CtrlC);
    EXPECT_TRUE(ended_with(t, 2, "", Millis{1000}));
    const std::string &output = t.output_bytes();
    EXPECT_EQ(output.find("Final Standings"), std::string::npos);
    EXPECT_TRUE(output.ends_with("v1.2.2 29-Mar-1997\r\n")) << "the banner comes last, on standard output";
}

INSTANTIATE_TEST_SUITE_P(
    Start, CtrlCBeforeTheGame,
    ::testing::Values(CtrlCCase{"NumberPrompt", "x", "Please enter the number of players [1-4]:"},
                      CtrlCCase{"EmptyName", "2", "Player 1, enter your name:"},
                      CtrlCCase{"HalfTypedSecondName", "2Ann\rBo", "Player 2, enter your name: Bo"}),
    [](const auto &param_info) { return std::string(param_info.param.where); });

// Whether the process is stopped, as /proc shows it.
bool stopped(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t state = line.rfind(')');
    return state != std::string::npos && line.size() > state + 2 && line[state + 2] == 'T';
}

struct LateCase {
    const char *where;
    const char *keys;  // the keys that end the game
};

std::ostream &operator<<(std::ostream &os, const LateCase &c) { return os << c.where; }

class LateCtrlC : public ::testing::TestWithParam<LateCase> {};

// Keys typed once the game has restored the terminal reach a terminal that
// echoes them and turns Ctrl-C into SIGINT. The signal then has its default
// effect: nothing more of the game's is written (curses' handler would
// leave the alternate screen a second time and exit with status 1). The
// preload stops the game right after the terminal is restored, so the keys
// arrive there every time.
TEST_P(LateCtrlC, WritesNothingOfTheGames) {
    const LateCase &c = GetParam();
    Options options;
    options.pin_clock = PinnedClock{2026, 1210};
    options.env["VEGATRADE_STOP_AFTER_ENDWIN"] = "1";
    options.env["LANG"] = "C.UTF-8";
    Terminal t(options);
    ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    t.type(c.keys);
    ASSERT_TRUE(
        t.wait_for([&] { return stopped(t.pid()); }, kDefaultTimeout, "the game stopped after endwin"));
    t.type(
        "\xd7"
        "29\x03");
    ASSERT_TRUE(t.wait_until_quiet());
    const std::size_t restored = t.output_bytes().size();
    t.send_signal(SIGCONT);
    const auto status = t.wait_exit();
    ASSERT_TRUE(status.has_value()) << t.dump();
    EXPECT_EQ(*status, ExitStatus::killed(SIGINT));
    const std::string &output = t.output_bytes();
    EXPECT_EQ(output.find("\033[?1049l"), output.rfind("\033[?1049l")) << "the alternate screen is left once";
    EXPECT_EQ(output.substr(restored), "") << "nothing after the terminal's echo";
    EXPECT_TRUE(t.modes_restored());
}

INSTANTIATE_TEST_SUITE_P(Start, LateCtrlC,
                         ::testing::Values(LateCase{"CtrlCAtTheNumberPrompt", "\x03"},
                                           LateCase{"QuitGame", "1Ann\rqy "}),
                         [](const auto &param_info) { return std::string(param_info.param.where); });

}  // namespace
}  // namespace e2e
