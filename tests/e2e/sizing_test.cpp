// The layout size from LINES and COLUMNS: every size either plays or ends
// with its window's message, and the terminal is left as it was found.
#include <optional>
#include <string>

#include "support/game_driver.h"
#include "support/param_name.h"

namespace e2e {
namespace {

struct SizeCase {
    std::optional<std::string> lines;
    std::optional<std::string> columns;
    const char *message;  // nullptr: the game runs
};

std::ostream &operator<<(std::ostream &os, const SizeCase &c) {
    return os << "LINES=" << c.lines.value_or("(unset)") << " COLUMNS=" << c.columns.value_or("(unset)");
}

constexpr const char *GENERAL = "vegatrade: can't create general window\n";
constexpr const char *COINFO = "vegatrade: can't create coinfo window\n";

class Sizing : public ::testing::TestWithParam<SizeCase> {};

TEST_P(Sizing, PlaysOrEndsWithTheWindowMessage) {
    const SizeCase &c = GetParam();
    Options options;
    options.env = {{"LINES", c.lines}, {"COLUMNS", c.columns}};
    Terminal t(options);
    if (c.message != nullptr) {
        EXPECT_TRUE(ended_with(t, 1, c.message));
    } else {
        // Small layouts may not show the move prompt; quitting works on all.
        ASSERT_TRUE(t.wait_for_screen_contains("Please enter the number of players"));
        t.type("1");
        ASSERT_TRUE(t.wait_for_screen_contains("Player 1, enter your name:"));
        t.type("Ann\r");
        ASSERT_TRUE(t.wait_until_quiet());
        t.type("q");
        ASSERT_TRUE(t.wait_for_screen_contains("Really Quit?"));
        t.type("y");
        ASSERT_TRUE(t.wait_for_screen_contains("GAME OVER - Final Standings"));
        t.type(" ");
        EXPECT_TRUE(ended_with(t, 2, ""));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Environment, Sizing,
    ::testing::Values(SizeCase{std::nullopt, std::nullopt, nullptr}, SizeCase{"25", "80", nullptr},
                      SizeCase{"13", std::nullopt, nullptr},   // one variable alone is ignored
                      SizeCase{std::nullopt, "30", nullptr},
                      SizeCase{"abc", "80", GENERAL},         // not a number reads as 0
                      SizeCase{"25", "eighty", GENERAL},
                      SizeCase{"99999999999", "80", GENERAL},  // too large for an int
                      SizeCase{"25", "99999999999", GENERAL},
                      SizeCase{"13", "80", GENERAL},           // general window of -1 rows
                      SizeCase{"14", "80", GENERAL},           // general window of 0 rows
                      SizeCase{"25", "1", GENERAL},
                      SizeCase{"25", "2", GENERAL},            // general window of 0 columns
                      SizeCase{"25", "39", COINFO},
                      SizeCase{"25", "40", COINFO},            // company panel of 0 columns
                      SizeCase{"15", "80", nullptr}),
    [](const ::testing::TestParamInfo<SizeCase> &param_info) {
        return test_names::size_name(param_info.param.lines, param_info.param.columns);
    });

}  // namespace
}  // namespace e2e
