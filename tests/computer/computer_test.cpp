// The computer player on small positions where one choice is clearly best,
// the trades it plans, and its independence from the game's generator.
#include "computer/computer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "rules/rules.h"
#include "support/map_fixture.h"

namespace {

struct CompanyAt {
    char letter;
    int price;
};

// A two-player game drawn as text: the first rows of the map (the rest is
// open space), the companies' prices (each company's size is the count of
// its letter), and player 0, who is to move, holding `holdings` with `cash`.
Game make_game(const std::vector<std::string> &rows, const std::vector<CompanyAt> &prices,
               const std::vector<int> &holdings = {}, int cash = STARTING_CASH) {
    Game game = map_fixture::game_from_map(rows);
    for (const CompanyAt &company : prices) game.companies[company.letter - 'A'].price = company.price;
    for (std::size_t c = 0; c < holdings.size(); ++c) game.players[0].holdings[c] = holdings[c];
    game.players[0].cash = cash;
    return game;
}

using map_fixture::at;

struct MoveCase {
    const char *name;
    std::vector<std::string> rows;
    std::vector<CompanyAt> prices;
    std::vector<int> holdings;
    std::vector<int> offers;
    int best;  // the offer to claim
};

TEST(ChooseMove, TakesTheClearlyBestOffer) {
    const std::vector<MoveCase> cases = {
        // Joining the larger A absorbs B, whose ten shares are all ours: a
        // $8000 bonus and five shares of A at $1900.
        {"merger paying a bonus",
         {"AAAA.B......"},
         {{'A', 1000}, {'B', 800}},
         {0, 10},
         {at(6, 2), at(4, 0), at(0, 4), at(8, 9), at(6, 6)},
         2},
        // Three stars make a founding worth five shares at $1600; one star,
        // five at $600.
        {"founding next to three stars",
         {"............", ".*.*........", "..*.........", "........*...", "............"},
         {},
         {},
         {at(4, 8), at(1, 2), at(8, 2), at(7, 10), at(3, 7)},
         1},
        // Growing A beside the black hole would bring its price to -100 and
        // swallow our twenty shares; beside the star it gains $600.
        {"keeps its company out of a black hole",
         {"............", ".AA.@.......", "..*........."},
         {{'A', 300}},
         {20},
         {at(1, 3), at(8, 8), at(2, 1), at(7, 3), at(5, 10)},
         2},
    };
    for (const MoveCase &test : cases) {
        SCOPED_TRACE(test.name);
        const Game game = make_game(test.rows, test.prices, test.holdings);
        EXPECT_EQ(choose_move(game, test.offers.data(), static_cast<int>(test.offers.size())), test.best);
    }
}

TEST(ChooseMove, NeverClaimsTheSectorThatSwallowsItsCompany) {
    // Growing A at (1,3) meets the black hole at (1,4): price 300 + 100 - 500.
    // The other offers only place outposts, anywhere.
    const Game game = make_game({"............", ".AA.@.......", "............"}, {{'A', 300}}, {20});
    for (const int first : {0, 2, 4}) {
        SCOPED_TRACE(first);
        std::vector<int> offers = {at(6, 1), at(6, 5), at(6, 9), at(9, 3)};
        offers.insert(offers.begin() + first, at(1, 3));
        EXPECT_NE(choose_move(game, offers.data(), static_cast<int>(offers.size())), first);
    }
}

// Applies a plan as the trading dialog would, checking that each trade is
// one the dialog takes in the range it is made in, and that nothing is
// bought before a sale.
Game apply_plan(const Game &game, const Trade trades[], int count) {
    Game after = game;
    bool bought = false;
    for (int t = 0; t < count; ++t) {
        SCOPED_TRACE(t);
        const Trade &trade = trades[t];
        EXPECT_NE(trade.amount, 0);
        EXPECT_NE(after.companies[trade.company].size, 0);
        int low = 0;
        int high = 0;
        trade_range(after, trade.company, low, high);
        EXPECT_TRUE(typeable_amount(trade.amount, low, high))
            << trade.amount << " in " << low << " to " << high;
        EXPECT_FALSE(bought && trade.amount < 0) << "a sale after a purchase";
        bought = bought || trade.amount > 0;
        apply_trade(after, trade.company, trade.amount);
    }
    return after;
}

TEST(PlanTrades, MovesItsWorthIntoTheCompanyThatCanGrow) {
    // B is walled in by black holes and stars and can never grow again;
    // A is cheap with open sectors beside stars all round it.
    const std::vector<std::string> rows = {
        "@*@.........", "*B*.........", "@*@.........", "............",
        "......*.....", ".....*A*....", "............", "......*.....",
    };
    struct Case {
        const char *name;
        std::vector<int> holdings;
        int cash;
    };
    for (const Case &test : {Case{"cash only", {}, 6000}, Case{"all in the walled-in company", {0, 3}, 0},
                             Case{"some of each", {4, 2}, 900}}) {
        SCOPED_TRACE(test.name);
        const Game game = make_game(rows, {{'A', 300}, {'B', 2000}}, test.holdings, test.cash);
        Trade trades[MAX_TRADES];
        const int count = plan_trades(game, trades, MAX_TRADES);
        ASSERT_GE(count, 1);
        ASSERT_LE(count, MAX_TRADES);
        const Game after = apply_plan(game, trades, count);
        EXPECT_EQ(after.players[0].holdings[1], 0);
        EXPECT_LT(after.players[0].cash, after.companies[0].price) << "cash left idle";
    }
}

TEST(PlanTrades, EveryAmountIsOneTheDialogTakesEvenForAFortune) {
    // Shares at a few dollars and cash near the int limit: the holdings it
    // aims for run to hundreds of millions of shares, more digits than the
    // dialog's amount field may hold unless they are all the cash buys.
    const std::vector<std::string> rows = {
        "......*.....", ".....*A*....", "............", "............",
        "......*.....", ".....*B*....", "............", "..*.........",
    };
    struct Case {
        const char *name;
        std::vector<int> holdings;
        int cash;
    };
    for (const Case &test :
         {Case{"cash only", {}, 2000000000}, Case{"holdings to sell", {300000000, 250000000}, 5},
          Case{"some of each", {0, 400000000}, 1500000000}}) {
        SCOPED_TRACE(test.name);
        const Game game = make_game(rows, {{'A', 3}, {'B', 4}}, test.holdings, test.cash);
        Trade trades[MAX_TRADES];
        const int count = plan_trades(game, trades, MAX_TRADES);
        ASSERT_GE(count, 1);
        const Game after = apply_plan(game, trades, count);
        EXPECT_GT(net_worth(after, 0), 0);
    }
}

TEST(PlanTrades, StaysInsideTheRangeNearTheIntLimit) {
    // With cash $20000 short of the int limit only ten shares of the
    // walled-in B may be sold, and what that pays buys fewer shares of A
    // than the worth it aims to move: both amounts stop at their range.
    const std::vector<std::string> rows = {
        "@*@.........", "*B*.........", "@*@.........", "............",
        "......*.....", ".....*A*....", "............", "......*.....",
    };
    const Game game = make_game(rows, {{'A', 300}, {'B', 2000}}, {0, 50}, INT_MAX - 20000);
    Trade trades[MAX_TRADES];
    const int count = plan_trades(game, trades, MAX_TRADES);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(trades[0].company, 1);
    EXPECT_EQ(trades[0].amount, -10);
    EXPECT_EQ(trades[1].company, 0);
    EXPECT_EQ(trades[1].amount, INT_MAX / 300);
    apply_plan(game, trades, count);
}

TEST(PlanTrades, StopsAtTheRoomItIsGiven) {
    const Game game = make_game({"A.*...", "..*B.."}, {{'A', 300}, {'B', 900}}, {7, 9}, 0);
    Trade trades[MAX_TRADES];
    const int full = plan_trades(game, trades, MAX_TRADES);
    ASSERT_GE(full, 2);
    Trade first[1];
    ASSERT_EQ(plan_trades(game, first, 1), 1);
    EXPECT_EQ(first[0].company, trades[0].company);
    EXPECT_EQ(first[0].amount, trades[0].amount);
    EXPECT_EQ(plan_trades(game, first, 0), 0);
}

// A position where the computer's look-ahead meets a merger tie: A and B
// are the same size and nobody holds either, so a draw picks the survivor.
Game tie_position() {
    return make_game({"AA.BB.......", "..*.........", "*..........."}, {{'A', 400}, {'B', 400}}, {}, 6000);
}

TEST(Thinking, NeverDrawsFromTheGamesGenerator) {
    const Game game = tie_position();
    const int offers[NUM_MOVES] = {at(0, 2), at(1, 1), at(5, 5), at(7, 7), at(9, 11)};
    for (const unsigned seed : {1u, 777u, 20240601u}) {
        SCOPED_TRACE(seed);
        std::srand(seed);
        const int expected[3] = {std::rand(), std::rand(), std::rand()};
        std::srand(seed);
        choose_move(game, offers, NUM_MOVES);
        Trade trades[MAX_TRADES];
        plan_trades(game, trades, MAX_TRADES);
        for (const int value : expected) EXPECT_EQ(std::rand(), value);
    }
}

TEST(Thinking, TheSameGameGivesTheSameChoices) {
    const Game game = tie_position();
    const int offers[NUM_MOVES] = {at(0, 2), at(1, 1), at(5, 5), at(7, 7), at(9, 11)};
    Trade first[MAX_TRADES];
    Trade again[MAX_TRADES];
    const int move = choose_move(game, offers, NUM_MOVES);
    const int count = plan_trades(game, first, MAX_TRADES);
    for (int repeat = 0; repeat < 3; ++repeat) {
        std::srand(static_cast<unsigned>(repeat));
        EXPECT_EQ(choose_move(game, offers, NUM_MOVES), move);
        ASSERT_EQ(plan_trades(game, again, MAX_TRADES), count);
        for (int t = 0; t < count; ++t) {
            EXPECT_EQ(again[t].company, first[t].company);
            EXPECT_EQ(again[t].amount, first[t].amount);
        }
    }
}

}  // namespace
