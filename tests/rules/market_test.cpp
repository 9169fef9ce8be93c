// Dividends, trades, splits and worth at the edges of the int range.
#include <climits>
#include <cstdint>
#include <string>

#include "rules_fixture.h"

namespace {

using rules_test::game_from_map;

TEST(Dividends, FivePercentOfThePriceTruncatedPerCompanyAndClampedAtTheTop) {
    const struct {
        int holding, price, cash;
        int expected_cash;
    } cases[] = {
        {100, 100, 6000, 6500},
        {7, 150, 6000, 6052},
        {3, 100, 6000, 6015},
        {0, 2500, 6000, 6000},
        {100, 100, INT_MAX - 10, INT_MAX},  // the sum clamps instead of wrapping
        {2000000, 30000, 0, INT_MAX},       // so does a dividend beyond the int range
        {INT_MAX, INT_MAX, 0, INT_MAX},
    };
    for (const auto &c : cases) {
        Game game = game_from_map({"A"});
        game.companies[0].price = c.price;
        game.players[0].holdings[0] = c.holding;
        game.players[0].cash = c.cash;
        pay_dividends(game);
        EXPECT_EQ(game.players[0].cash, c.expected_cash) << c.holding << " shares at $" << c.price;
    }
}

TEST(Dividends, OnEveryCompanyAtTheTopClamp) {
    Game game = game_from_map({"ABCDE"});
    for (Company &company : game.companies) company.price = INT_MAX;
    for (int &holding : game.players[0].holdings) holding = INT_MAX;
    game.players[0].cash = 0;
    pay_dividends(game);
    EXPECT_EQ(game.players[0].cash, INT_MAX);
}

TEST(Dividends, OnlyTheMoverIsPaidAndOnlyForActiveCompanies) {
    Game game = game_from_map({"A.C"}, 3);
    game.companies[0].price = 150;
    game.companies[1].price = 1000;  // not active: pays nothing
    game.companies[2].price = 150;
    for (int p = 0; p < MAX_PLAYERS; ++p) {
        for (int &holding : game.players[p].holdings) holding = 7;
    }
    game.current_player = 1;
    // 52.5 is truncated for each company on its own: 52 + 52, not 105.
    EXPECT_EQ(pay_dividends(game), 104);
    EXPECT_EQ(game.players[1].cash, STARTING_CASH + 104);
    for (const int other : {0, 2, 3})
        EXPECT_EQ(game.players[other].cash, STARTING_CASH) << "player " << other;
}

TEST(Trading, BoundsKeepCashAndHoldingsInsideTheIntRange) {
    const struct {
        const char *what;
        int cash, holding, price;
        int min, max;
    } cases[] = {
        {"plain", 6000, 12, 250, -12, 24},
        {"nothing to sell", 6000, 0, 100, 0, 60},
        {"cash for part of a share", 99, 0, 100, 0, 0},
        {"shares to sell, cash for none", 99, 3, 100, -3, 0},
        {"cash near the top at $100", INT_MAX - 250, 5, 100, -2, 21474833},
        {"holding near the top at $100", 6000, INT_MAX - 3, 100, -21474776, 3},
        {"half the int range each at $1", INT_MAX / 2, INT_MAX / 2, 1, -(INT_MAX / 2), INT_MAX / 2},
        {"all cash at $1", INT_MAX, 0, 1, 0, INT_MAX},
        {"all shares at $1", 0, INT_MAX, 1, -INT_MAX, 0},
        {"holding near the top: buying stops at INT_MAX shares, selling where cash would pass INT_MAX", 10,
         INT_MAX - 5, 1, -(INT_MAX - 10), 5},
        {"cash near the top: selling stops where cash would pass INT_MAX", INT_MAX - 1000, 50, 100, -10,
         21474826},
        {"the top price", INT_MAX, 3, INT_MAX, 0, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Game game = game_from_map({"A"});
        game.companies[0].price = c.price;
        game.players[0].cash = c.cash;
        game.players[0].holdings[0] = c.holding;
        int min = 0;
        int max = 0;
        trade_range(game, 0, min, max);
        EXPECT_EQ(min, c.min);
        EXPECT_EQ(max, c.max);
        for (const int amount : {min, max}) {
            Game traded = game;
            apply_trade(traded, 0, amount);
            EXPECT_EQ(traded.players[0].holdings[0], static_cast<long long>(c.holding) + amount);
            EXPECT_EQ(traded.players[0].cash, c.cash - static_cast<long long>(amount) * c.price);
        }
    }
}

TEST(Trading, AnAmountTheDialogTakesIsInRangeAndShortOrAnEndOfTheRange) {
    const struct {
        int amount, min, max;
        bool typeable;
    } cases[] = {
        {0, -12, 24, true},
        {24, -12, 24, true},
        {25, -12, 24, false},
        {-13, -12, 24, false},
        {99999999, -5, INT_MAX, true},      // eight digits
        {100000000, -5, INT_MAX, false},    // nine
        {-9999999, -INT_MAX, 5, true},      // eight characters with the sign
        {-10000000, -INT_MAX, 5, false},    // nine
        {INT_MAX, -5, INT_MAX, true},       // m
        {-INT_MAX, -INT_MAX, 5, true},      // n
        {123456789, 0, 123456789, true},    // m
        {-123456789, -123456789, 0, true},  // n
    };
    for (const auto &c : cases) {
        EXPECT_EQ(typeable_amount(c.amount, c.min, c.max), c.typeable)
            << c.amount << " in " << c.min << " to " << c.max;
    }
}

TEST(Split, HalvesThePriceRoundingUpAndDoublesTheHoldingsOfPlayersOnly) {
    const struct {
        int price, expected;
    } cases[] = {{3001, 1501}, {3002, 1501}, {3003, 1502}, {5100, 2550}, {INT_MAX, 1073741824}};
    for (const auto &c : cases) {
        Game game = game_from_map({"...D"}, 3);
        game.companies[3].price = c.price;
        const int holdings[MAX_PLAYERS] = {10, 0, INT_MAX / 2 + 1, 7};
        for (int p = 0; p < MAX_PLAYERS; ++p) {
            game.players[p].holdings[3] = holdings[p];
            game.players[p].holdings[1] = 4;  // another company's shares stay
        }
        MoveReport report{};
        split_stock(game, 3, report);
        EXPECT_EQ(game.companies[3].price, c.expected) << "price " << c.price;
        EXPECT_EQ(game.players[0].holdings[3], 20);
        EXPECT_EQ(game.players[1].holdings[3], 0);
        EXPECT_EQ(game.players[2].holdings[3], INT_MAX) << "doubled and clamped";
        EXPECT_EQ(game.players[3].holdings[3], 7) << "a record beyond the players is no player";
        for (int p = 0; p < MAX_PLAYERS; ++p) EXPECT_EQ(game.players[p].holdings[1], 4);
        ASSERT_EQ(report.event_count, 1);
        EXPECT_EQ(report.events[0].companies[3].price, c.expected);
        EXPECT_EQ(report.events[0].companies[3].holding, 20);
    }
}

// Worth is computed whole in 64 bits: the sums of holdings x prices pass the
// int range as they are, and only sums beyond 64 bits (prices near the int
// limit, which splits keep out of play) stop at its top.
TEST(Worth, StockValueNetWorthAndCompanyWorthAreExact) {
    constexpr std::int64_t MAX = INT_MAX;
    const struct {
        const char *what;
        int price;                   // of A to E, all active but B
        int holding;                 // of every company, each player
        int cash;                    // each player's
        std::int64_t stock_value;    // each player's
        std::int64_t net_worth;      // each player's
        std::int64_t company_worth;  // of A, two players
    } cases[] = {
        {"small", 300, 5, 6000, 4 * 1500, 6000 + 4 * 1500, 2 * 1500},
        {"past the int range", 3000, 1000000, 0, 4 * 3000000000LL, 4 * 3000000000LL, 2 * 3000000000LL},
        {"the most in play", 3000, INT_MAX, INT_MAX, 4 * 3000 * MAX, 4 * 3000 * MAX + MAX, 2 * 3000 * MAX},
        {"beyond 64 bits", INT_MAX, INT_MAX, INT_MAX, INT64_MAX, INT64_MAX, 2 * MAX * MAX},
    };
    for (const auto &c : cases) {
        Game game = game_from_map({"A.C.D.E"}, 2);
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].price = c.price;
        for (int p = 0; p < 2; ++p) {
            for (int &holding : game.players[p].holdings) holding = c.holding;
            game.players[p].cash = c.cash;
        }
        game.players[2].holdings[0] = c.holding;  // a record beyond the players counts nothing
        EXPECT_EQ(stock_value(game, 0), c.stock_value) << c.what;
        EXPECT_EQ(net_worth(game, 1), c.net_worth) << c.what;
        EXPECT_EQ(company_worth(game, 0), c.company_worth) << c.what;
    }
}

TEST(Worth, RankingPutsTheRichestFirstAndKeepsPlayerOrderOnTies) {
    const struct {
        int cash[MAX_PLAYERS];
        int shares[MAX_PLAYERS];  // of A at $1000
        int order[MAX_PLAYERS];
    } cases[] = {
        {{3000, 8000, 5000, 0}, {2, 0, 0, 8}, {1, 3, 0, 2}},
        {{5000, 5000, 5000, 5000}, {0, 0, 0, 0}, {0, 1, 2, 3}},
        {{0, 0, 0, INT_MAX}, {1, 0, 0, 0}, {3, 0, 1, 2}},
        {{INT_MAX, INT_MAX, 1, 1}, {0, 1, 0, 0}, {1, 0, 2, 3}},
        // Stock values past the int range are ranked as they are, not by the
        // cash of players whose stock would have stood at the same clamp.
        {{9000, 5000, 1000, 2000000000}, {2200000, 2150000, 2180000, 0}, {0, 2, 1, 3}},
    };
    for (const auto &c : cases) {
        Game game = game_from_map({"A"}, MAX_PLAYERS);
        game.companies[0].price = 1000;
        for (int p = 0; p < MAX_PLAYERS; ++p) {
            game.players[p].cash = c.cash[p];
            game.players[p].holdings[0] = c.shares[p];
        }
        int order[MAX_PLAYERS];
        rank_players(game, order);
        for (int place = 0; place < MAX_PLAYERS; ++place) EXPECT_EQ(order[place], c.order[place]) << place;
    }
}

}  // namespace
