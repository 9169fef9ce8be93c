// Money at the 32-bit edges on the screens: cash, prices and holdings near
// INT_MAX shown by the standings, the company report, a merger's stock table
// and a split; worth is shown whole; nothing wraps (the sanitizer build
// reports any signed overflow). The rules' own clamping is tested in
// tests/rules.
#include <climits>

#include "screens/modal_screen.h"
#include "screens/screens.h"
#include "support/map_fixture.h"
#include "terminal/terminal.h"

namespace {

using MoneyTest = market_test::ModalTest<headless::CursesTest>;

// Every company active at the top price, every player holding the most
// shares there are: each product is near 2^62 and their sums pass 2^63.
void fill_to_the_top(Game &game, int player_count) {
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        game.companies[i].price = INT_MAX;
        game.companies[i].size = 1;
    }
    for (int p = 0; p < player_count; ++p) {
        for (int &holding : game.players[p].holdings) holding = INT_MAX;
        game.players[p].cash = INT_MAX;
    }
}

TEST_F(MoneyTest, StandingsShowWorthBeyondTheIntRangeWhole) {
    reopen(25, 80, 1, 4);
    fill_to_the_top(game, 4);
    type(" ");
    show_standings(game, " Current Standings ");
    // Five products near 2^62 pass 2^63: the stock value stops at its top.
    for (int p = 0; p < 4; ++p) EXPECT_EQ(stock_value(game, p), INT64_MAX) << p;
    // The window takes the layout's whole width.
    EXPECT_TRUE(headless::expect_window(curscr, headless::Area{5, 0, 14, 80}, R"(
┌============================  Current Standings  =============================┐
|                                                                              |
| =Player================Stock Value============Cash======Net Worth=========== |
|                                                                              |
|  Player1               $9223372036854775807 $2147483647 $9223372036854775807 |
|  Player2               $9223372036854775807 $2147483647 $9223372036854775807 |
|  Player3               $9223372036854775807 $2147483647 $9223372036854775807 |
|  Player4               $9223372036854775807 $2147483647 $9223372036854775807 |
|                                                                              |
|                   Available company sectors remaining: 60                    |
|                                                                              |
|                         Press any key to continue...                         |
└==============================================================================┘
)"));
}

TEST_F(MoneyTest, ReportShowsTheTotalWorthOfEveryPlayersSharesWhole) {
    reopen(25, 80, 1, 4);
    fill_to_the_top(game, 4);
    left_ = 7;
    type(" ");
    more_coinfo(game);
    // Every player's holding at the top price passes 2^63 together: the
    // total worth stops at its top. The price and the worth widen their
    // columns and the window.
    for (int i = 0; i < NUM_COMPANIES; ++i) EXPECT_EQ(company_worth(game, i), INT64_MAX) << i;
    EXPECT_TRUE(expect_shown(12, 65, R"(
 ┌================ Detailed Company Information =================┐
 |                                                               |
 | Company name          Price      Size   Total Worth           |
 |                                                               |
 | Altair Starways       $2147483647 1      $9223372036854775807 |
 | Beetlejuice, Ltd.     $2147483647 1      $9223372036854775807 |
 | Capella Freight Co.   $2147483647 1      $9223372036854775807 |
 | Denebola Shippers     $2147483647 1      $9223372036854775807 |
 | Eridani Expediters    $2147483647 1      $9223372036854775807 |
 |                                                               |
 |                 Press any key to continue...                  |
 └===============================================================┘
)"));
}

// The split announcement the two tests below end on.
constexpr const char *SPLIT_OF_A = R"(
┌////////////////////////// Special Announcement! ///////////////////////////┐
|                                                                            |
|                        The stock of Altair Starways                        |
|                           has split two-for-one!                           |
|                                                                            |
|                                                                            |
|                        Press any key to continue...                        |
|                                                                            |
|                                                                            |
|                                                                            |
└////////////////////////////////////////////////////////////////////////////┘
)";

// A merger at the top of the int range is shown through to its split: the
// announcement, the stock table and the split each wait for one key. What
// the merger does is the rules' (tests/rules/merge_test.cpp).
TEST_F(MoneyTest, MergerAtTheTopIsShownThroughToItsSplit) {
    reopen(25, 80, 1, 4);
    map_fixture::load_map(game, {"AB"});
    for (int i = 0; i < 2; ++i) game.companies[i].price = INT_MAX;
    for (int p = 0; p < 4; ++p) {
        game.players[p].holdings[0] = INT_MAX;
        game.players[p].holdings[1] = INT_MAX;
        game.players[p].cash = 1000;
    }
    type("   !");
    MoveReport report{};
    merge(game, 0, 1, report);
    show_move(game, report);
    EXPECT_EQ(read_key(), '!') << "three waits";
    EXPECT_TRUE(headless::expect_window(general_window, SPLIT_OF_A));
}

// A split of the top price is announced and waits for one key.
TEST_F(MoneyTest, SplitOfTheTopPriceIsAnnounced) {
    reopen(25, 80, 1, 3);
    map_fixture::load_map(game, {"AAAAA"});
    game.companies[0].price = INT_MAX;
    game.players[0].holdings[0] = INT_MAX;
    game.players[1].holdings[0] = INT_MAX / 2 + 1;
    game.players[2].holdings[0] = 1000;
    type(" !");
    MoveReport report{};
    split_stock(game, 0, report);
    announce_split(game, report.events[0]);
    EXPECT_EQ(read_key(), '!') << "one wait";
    EXPECT_TRUE(headless::expect_window(general_window, SPLIT_OF_A));
}

}  // namespace
