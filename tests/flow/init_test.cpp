// The game state as init_game builds it: the galaxy, defaults and sizing.
#include <cstdlib>

#include "flow/flow.h"
#include "rules/rules.h"
#include "support/param_name.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;

TEST_F(CursesTest, StartsWithNoActiveCompanyAndEveryPlayerAtStartingCash) {
    const char *names[] = {"Altair Starways", "Beetlejuice, Ltd.", "Capella Freight Co.", "Denebola Shippers",
                           "Eridani Expediters"};
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        EXPECT_STREQ(game.companies[i].name, names[i]);
        EXPECT_EQ(game.companies[i].size, 0);
        EXPECT_EQ(game.companies[i].price, 0);
    }
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        EXPECT_EQ(game.players[i].cash, STARTING_CASH);
        for (const int holding : game.players[i].holdings) EXPECT_EQ(holding, 0);
    }
    EXPECT_EQ(game.players[3].name[0], '\0') << "records beyond the players keep their defaults";
}

TEST_F(CursesTest, WindowsTileTheDefaultLayout) {
    struct Expected {
        WINDOW *window;
        int rows, columns, top, left;
    } const windows[] = {
        {map_window, 12, 38, 1, 1},
        {coinfo_window, 12, 40, 1, 39},
        {general_window, 11, 78, 13, 1},
    };
    for (const Expected &e : windows) {
        EXPECT_EQ(getmaxy(e.window), e.rows);
        EXPECT_EQ(getmaxx(e.window), e.columns);
        EXPECT_EQ(getbegy(e.window), e.top);
        EXPECT_EQ(getbegx(e.window), e.left);
    }
    EXPECT_TRUE(is_keypad(stdscr));
    EXPECT_TRUE(is_keypad(general_window));
    EXPECT_FALSE(is_keypad(map_window));
}

struct SizeCase {
    const char *lines;    // nullptr: unset
    const char *columns;  // nullptr: unset
    int expected_lines;
    int expected_columns;
};

class ScreenSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ScreenSize, ComesFromBothVariablesOrTheDefaults) {
    const SizeCase &c = GetParam();
    if (c.lines)
        setenv("LINES", c.lines, 1);
    else
        unsetenv("LINES");
    if (c.columns)
        setenv("COLUMNS", c.columns, 1);
    else
        unsetenv("COLUMNS");
    read_screen_size();
    EXPECT_EQ(screen_lines, c.expected_lines);
    EXPECT_EQ(screen_cols, c.expected_columns);
    unsetenv("LINES");
    unsetenv("COLUMNS");
}

INSTANTIATE_TEST_SUITE_P(
    Environment, ScreenSize,
    ::testing::Values(SizeCase{nullptr, nullptr, 25, 80}, SizeCase{"30", nullptr, 25, 80},
                      SizeCase{nullptr, "100", 25, 80}, SizeCase{"30", "100", 30, 100},
                      SizeCase{"abc", "100", 0, 100}, SizeCase{"  24x", "+81", 24, 81},
                      SizeCase{"99999999999", "-99999999999", 2147483647, -2147483647 - 1}),
    [](const ::testing::TestParamInfo<SizeCase> &param_info) {
        const auto text = [](const char *value) {
            return value ? std::optional<std::string>(value) : std::nullopt;
        };
        return test_names::size_name(text(param_info.param.lines), text(param_info.param.columns));
    });

TEST(ParseInt, ReadsLikeAtoiButClamps) {
    struct {
        const char *text;
        int value;
    } const cases[] = {
        {"", 0},
        {"-", 0},
        {"42", 42},
        {" \t-17abc", -17},
        {"+5", 5},
        {"x5", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1},
        {"0000000000000000000000012", 12},
        {"123456789012345678901234567890", 2147483647},
    };
    for (const auto &c : cases) EXPECT_EQ(parse_int(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
