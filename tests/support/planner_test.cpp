// The planner, the tournament's careful reference player: it takes what is
// plainly best, every trade it makes lies in the trading range, and its
// choices depend on the game alone.
#include "support/planner.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "support/map_fixture.h"
#include "support/reference_players.h"

namespace {

using map_fixture::at;
using map_fixture::game_from_map;

// The far corner of the map, open space all round: claims that only place
// an outpost.
constexpr int kQuietOffers[] = {at(8, 1), at(8, 5), at(8, 9), at(6, 11)};

struct ClearCase {
    const char *name;
    std::vector<std::string> map;
    int company;  // the planner holds shares of it
    int price;
    int shares;
    int key_offer;  // the offer that decides the case
    bool take;      // whether the planner must take it or leave it
};

TEST(Planner, TakesWhatIsPlainlyBestWhereverItIsOffered) {
    const ClearCase cases[] = {
        // B (2 sectors) joins A (3): the planner, B's only holder, is paid
        // the whole bonus of ten times B's price and holds the survivor.
        {"a merger that pays its bonus",
         {"............", ".AAA.BB.....", "............"},
         1,
         500,
         40,
         at(1, 4),
         true},
        // A at $300 grows beside the black hole: 300 + 100 - 500, and A is
        // swallowed with the planner's shares.
        {"a growth into a black hole",
         {"............", ".AA.@.......", "............"},
         0,
         300,
         20,
         at(1, 3),
         false},
    };
    for (const ClearCase &clear : cases) {
        SCOPED_TRACE(clear.name);
        Game game = game_from_map(clear.map);
        for (Company &company : game.companies) company.price = 400;
        game.companies[clear.company].price = clear.price;
        game.players[0].holdings[clear.company] = clear.shares;
        for (int place = 0; place < NUM_MOVES; ++place) {
            std::vector<int> offers(std::begin(kQuietOffers), std::end(kQuietOffers));
            offers.insert(offers.begin() + place, clear.key_offer);
            const planner::Decision decision = planner::decide(game, offers.data(), NUM_MOVES);
            if (clear.take) {
                EXPECT_EQ(decision.offer, place);
            } else {
                EXPECT_NE(decision.offer, place);
            }
        }
    }
}

// Positions after the claim, where trades are made: every third of two
// games between the investor and the greedy player, in two and four seats.
std::vector<Game> trading_positions() {
    struct Collector {
        reference::Seat inner;
        std::vector<Game> *found;
        int turn = 0;
    };
    const auto choose = [](void *self, const Game &game, const int offers[], int count) {
        Collector &collector = *static_cast<Collector *>(self);
        return reference::turn_seat(collector.inner).choose(&collector.inner, game, offers, count);
    };
    const auto trade = [](void *self, Game &game) {
        Collector &collector = *static_cast<Collector *>(self);
        if (collector.turn++ % 3 == 0) collector.found->push_back(game);
        reference::trade(collector.inner.style, game);
    };
    std::vector<Game> found;
    for (const int seats : {2, 4}) {
        SeededRandom course{static_cast<std::uint64_t>(seats)};
        Game game;
        open_game(game, seeded_random(course));
        seat_players(game, seats, 0);
        Collector collectors[MAX_PLAYERS];
        TurnSeat players[MAX_PLAYERS];
        for (int j = 0; j < seats; ++j) {
            const reference::Style style = j % 2 == 0 ? reference::Style::INVESTOR : reference::Style::GREEDY;
            collectors[j] = Collector{{style, SeededRandom{static_cast<std::uint64_t>(j)}}, &found};
            players[j] = TurnSeat{choose, nullptr, trade, &collectors[j]};
        }
        while (play_turn(game, seeded_random(course), players[game.current_player])) {
        }
    }
    return found;
}

TEST(Planner, EveryPlanTradesInsideTheRange) {
    std::vector<Game> positions = trading_positions();
    ASSERT_GE(positions.size(), 20u);
    // Near the int limit: selling every share would take the cash past it.
    Game rich = game_from_map({"AAAA", "BB"});
    rich.companies[0].price = 3000;
    rich.companies[1].price = 2000;
    rich.players[0].cash = INT_MAX - 5000;
    rich.players[0].holdings[0] = 1000;
    rich.players[0].holdings[1] = 7;
    positions.push_back(rich);

    std::vector<planner::Plan> plans = {
        {planner::PlanKind::HOLD, -1}, {planner::PlanKind::CASH, -1}, {planner::PlanKind::SPREAD, -1}};
    for (int c = 0; c < NUM_COMPANIES; ++c) {
        plans.push_back({planner::PlanKind::ALL_IN, c});
        plans.push_back({planner::PlanKind::ADD, c});
    }
    for (std::size_t p = 0; p < positions.size(); ++p) {
        SCOPED_TRACE(p);
        for (const planner::Plan &plan : plans) {
            SCOPED_TRACE(static_cast<int>(plan.kind) * 10 + plan.company);
            Game game = positions[p];
            planner::Order orders[planner::MAX_ORDERS];
            const int count = planner::plan_orders(game, plan, orders);
            for (int k = 0; k < count; ++k) {
                const planner::Order &order = orders[k];
                ASSERT_GE(order.company, 0);
                ASSERT_LT(order.company, NUM_COMPANIES);
                ASSERT_NE(game.companies[order.company].size, 0) << "a trade in a company that is not active";
                int low = 0;
                int high = 0;
                trade_range(game, order.company, low, high);
                ASSERT_NE(order.amount, 0);
                ASSERT_GE(order.amount, low);
                ASSERT_LE(order.amount, high);
                apply_trade(game, order.company, order.amount);
            }
            Game made = positions[p];
            planner::make_trades(made, plan);
            EXPECT_EQ(made, game) << "make_trades made other trades than plan_orders gave";
            EXPECT_GE(game.players[game.current_player].cash, 0);
        }
    }
}

TEST(Planner, ChoosesByTheGameAloneAndNeverDrawsFromTheGamesGenerator) {
    const std::vector<Game> positions = trading_positions();
    for (std::size_t p = 0; p < positions.size(); p += 7) {
        SCOPED_TRACE(p);
        Game game = positions[p];
        end_turn(game);  // the next player's turn, before its claim
        SeededRandom draws{p};
        int offers[NUM_MOVES];
        const int count = draw_offers(game, seeded_random(draws), offers);
        if (count == 0) continue;

        std::srand(static_cast<unsigned>(p));
        const int expected = std::rand();
        std::srand(static_cast<unsigned>(p));
        const planner::Decision first = planner::decide(game, offers, count);
        EXPECT_EQ(std::rand(), expected) << "drew from the game's generator";

        const Game copy = game;
        const planner::Decision again = planner::decide(copy, offers, count);
        EXPECT_GE(first.offer, 0);
        EXPECT_LT(first.offer, count);
        EXPECT_EQ(again.offer, first.offer);
        EXPECT_EQ(again.plan, first.plan);
        EXPECT_EQ(planner::choose_plan(positions[p]), planner::choose_plan(positions[p]));
    }
}

}  // namespace
