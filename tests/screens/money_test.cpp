// Money at the 32-bit edges: cash, prices and holdings near INT_MAX through
// the sums and products of the standings, the company report, a merger
// with its bonus and split, and a split. Every stored value clamps to the
// int range, worth is shown whole; nothing wraps (the sanitizer build
// reports any signed overflow).
#include <climits>

#include "screens/modal_screen.h"
#include "screens/screens.h"
#include "terminal/terminal.h"

namespace {

using MoneyTest = market_test::ModalTest<headless::CursesTest>;

// Merges A and B as a sector between them does, and shows it; returns the
// survivor.
int merge_a_and_b() {
    const int survivor = choose_survivor(game, 0, 1, c_library_random());
    MoveReport report{};
    merge(game, survivor, 1 - survivor, report);
    show_move(report);
    return survivor;
}

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

TEST_F(MoneyTest, StandingsShowWorthBeyondTheIntRangeWhole) {
    reopen(25, 80, 1, 4);
    fill_to_the_top(4);
    type(" ");
    show_standings(" Current Standings ");
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
    fill_to_the_top(4);
    left_ = 7;
    type(" ");
    more_coinfo();
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

// Two companies of one size, every share worth the most: the survivor is
// chosen on market values beyond 2^63, the bonus of ten times the price is
// shared out exactly, and the merged price splits.
TEST_F(MoneyTest, MergerAtTheTopClampsHoldingsCashAndPrice) {
    reopen(25, 80, 1, 4);
    load_galaxy({"AB..........", "............", "............", "............", "............",
                 "............", "............", "............", "............", "............"});
    for (int i = 0; i < 2; ++i) game.companies[i].price = INT_MAX;
    for (int p = 0; p < 4; ++p) {
        game.players[p].holdings[0] = INT_MAX;
        game.players[p].holdings[1] = INT_MAX;
        game.players[p].cash = 1000;
    }
    std::srand(1);
    type("   ");  // the merger, the stock table and the split
    const int survivor = merge_a_and_b();

    const int absorbed = 1 - survivor;
    EXPECT_EQ(game.companies[absorbed].size, 0);
    EXPECT_EQ(game.companies[survivor].size, 2);
    // The summed price clamps to INT_MAX, then the split halves it.
    EXPECT_EQ(game.companies[survivor].price, 1073741824);
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(game.players[p].holdings[survivor], INT_MAX) << p;
        EXPECT_EQ(game.players[p].holdings[absorbed], 0) << p;
        // Each of the four equal holders gets a quarter of 10 x INT_MAX,
        // more than an int holds.
        EXPECT_EQ(game.players[p].cash, INT_MAX) << p;
    }
}

// A bonus below the int range stays exact even when its product does not
// fit in 64 bits: 10 x price x shares / all shares.
TEST_F(MoneyTest, MergerBonusIsExactBeyondSixtyFourBitProducts) {
    reopen(25, 80, 1, 2);
    load_galaxy({"AAB.........", "............", "............", "............", "............",
                 "............", "............", "............", "............", "............"});
    game.companies[0].price = 100;
    game.companies[1].price = INT_MAX - 1;
    game.players[0].holdings[1] = INT_MAX;
    game.players[1].holdings[1] = 3;
    game.players[0].cash = 0;
    game.players[1].cash = 0;
    type("   ");
    EXPECT_EQ(merge_a_and_b(), 0);
    const std::int64_t price = INT_MAX - 1;
    const std::int64_t held = std::int64_t{INT_MAX} + 3;
    // Player 1: 10 x (2^31 - 2) x 3 / (2^31 + 2), well inside 64 bits.
    EXPECT_EQ(game.players[1].cash, 10 * price * 3 / held);
    // Player 0's share passes the int range and clamps.
    EXPECT_EQ(game.players[0].cash, INT_MAX);
}

TEST_F(MoneyTest, SplitOfTheTopPriceHalvesItAndClampsDoubledHoldings) {
    reopen(25, 80, 1, 3);
    game.companies[2].price = INT_MAX;
    game.companies[2].size = 5;
    game.players[0].holdings[2] = INT_MAX;
    game.players[1].holdings[2] = INT_MAX / 2 + 1;
    game.players[2].holdings[2] = 1000;
    type(" ");
    MoveReport report{};
    split_stock(game, 2, report);
    announce_split(report.events[0]);
    EXPECT_EQ(game.companies[2].price, 1073741824);
    EXPECT_EQ(game.players[0].holdings[2], INT_MAX);
    EXPECT_EQ(game.players[1].holdings[2], INT_MAX);
    EXPECT_EQ(game.players[2].holdings[2], 2000);
}

TEST_F(MoneyTest, DividendsOnEveryCompanyAtTheTopClamp) {
    fill_to_the_top(2);
    game.players[0].cash = 0;
    pay_dividends(game);
    EXPECT_EQ(game.players[0].cash, INT_MAX);
}

}  // namespace
