// Money at the 32-bit edges on the screens: cash, prices and holdings near
// INT_MAX shown by the standings, the company report, a merger's stock
// table and a split's panel. Nothing wraps (the sanitizer build reports any
// signed overflow); the rules' own clamping is tested in tests/rules.
#include <climits>

#include "screens/modal_screen.h"
#include "screens/screens.h"
#include "support/map_fixture.h"
#include "terminal/terminal.h"

namespace {

using MoneyTest = market_test::ModalTest<headless::CursesTest>;

// Every company active at the top price, every player holding the most
// shares there are: each product is near 2^62 and their sums pass 2^63.
void fill_to_the_top(int player_count) {
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        game.companies[i].price = INT_MAX;
        game.companies[i].size = 1;
    }
    for (int p = 0; p < player_count; ++p) {
        for (int &holding : game.players[p].holdings) holding = INT_MAX;
        game.players[p].cash = INT_MAX;
    }
}

TEST_F(MoneyTest, StandingsClampStockValueAndNetWorth) {
    reopen(25, 80, 1, 4);
    fill_to_the_top(4);
    left_ = 10;
    type(" ");
    show_standings(" Current Standings ");
    for (int p = 0; p < 4; ++p) EXPECT_EQ(stock_value(game, p), INT_MAX) << p;
    // Stock value and cash, each shown clamped; the net worth that follows
    // runs past the window's edge at these widths.
    EXPECT_TRUE(expect_shown(13, 60, R"(
 ┌==================  Current Standings  ===================┐
 |                                                          |
 | =Player================Stock Value===Cash=====Net Worth= |
 |                                                          |
 |  Player1               $2147483647   $2147483647  $2147483
 647Player2               $2147483647   $2147483647  $2147483
 647Player3               $2147483647   $2147483647  $2147483
 647Player4               $2147483647   $2147483647  $2147483
 647                                                        |
 |         Available company sectors remaining: 60          |
 |                                                          |
 |               Press any key to continue...               |
 └==========================================================┘
)"));
}

TEST_F(MoneyTest, ReportClampsTheTotalWorthOfEveryPlayersShares) {
    reopen(25, 80, 1, 4);
    fill_to_the_top(4);
    left_ = 14;
    type(" ");
    more_coinfo();
    // The total worth, clamped, runs up to the window's edge.
    EXPECT_TRUE(expect_shown(12, 52, R"(
 ┌========== Detailed Company Information ==========┐
 |                                                  |
 | Company name          Price   Size   Total Worth |
 |                                                  |
 | Altair Starways       $2147483647    1      $21474
 83Beetlejuice, Ltd.     $2147483647    1      $21474
 83Capella Freight Co.   $2147483647    1      $21474
 83Denebola Shippers     $2147483647    1      $21474
 83Eridani Expediters    $2147483647    1      $21474
 83647                                              |
 |           Press any key to continue...           |
 └==================================================┘
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
    show_move(report);
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
    announce_split(report.events[0]);
    EXPECT_EQ(read_key(), '!') << "one wait";
    EXPECT_TRUE(headless::expect_window(general_window, SPLIT_OF_A));
}

}  // namespace
