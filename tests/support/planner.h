// The planner: the careful reference player that the computer's strengths
// are measured against in the tournament (scripts/bench --tournament). It is
// written from the rules alone and shares nothing with the computer player:
// it judges each offer, together with a few ways to trade after it, by
// playing copies of the game a round or two ahead with simple players of its
// own in every seat (flat Monte-Carlo), and keeps the one that leaves it
// furthest ahead of its richest rival on average. Its draws come from a
// generator of its own seeded from the game, never from the game's, and a
// turn costs a fixed number of play-outs, so the same game always gives the
// same choices in a bounded time. It never plays in the game.
#pragma once

#include <cstdint>

#include "rules/course.h"

namespace planner {

// A way to trade after the claim. Every plan sells before it buys, and every
// trade lies within trade_range when it is made.
enum class PlanKind : std::uint8_t {
    HOLD,    // trades nothing
    CASH,    // sells every share
    ALL_IN,  // sells every other company's shares, buys all `company` the cash pays for
    ADD,     // keeps its shares, buys all `company` the cash pays for
    SPREAD,  // sells every share, then puts an equal part of the cash in each active company
};

struct Plan {
    PlanKind kind = PlanKind::HOLD;
    int company = -1;  // ALL_IN and ADD only
    bool operator==(const Plan &) const = default;
};

// One trade: `amount` shares of `company`, bought when positive, sold when
// negative.
struct Order {
    int company;
    int amount;
};

// Writes the current player's trades for `plan` into `orders`, in the order
// they are made, and returns how many (at most 2 * NUM_COMPANIES). A plan in
// a company that is not active trades nothing.
constexpr int MAX_ORDERS = 2 * NUM_COMPANIES;
int plan_orders(const Game &game, Plan plan, Order orders[MAX_ORDERS]);

// Makes the orders of `plan` on `game` for the current player.
void make_trades(Game &game, Plan plan);

// The play-outs a turn may cost: every candidate (an offer with a plan)
// first gets `first` of them; the best `second_kept` get `second` more, and
// the best `third_kept` of those `third` more. Each plays `rounds` rounds
// (every player's turn, the planner's own next claim last) or to the end of
// the game.
struct Budget {
    int rounds = 1;
    int first = 8;
    int second_kept = 8;
    int second = 24;
    int third_kept = 3;
    int third = 64;
};

// The planner's choice for the current player: the offer (0 to
// offer_count - 1) and the plan to trade by after claiming it.
struct Decision {
    int offer = 0;
    Plan plan;
};
Decision decide(const Game &game, const int offers[], int offer_count, const Budget &budget = {});

// The plan for a game whose current player has claimed and been paid: what
// the planner trades when the claim did not end as it foresaw (a merger's
// tie drawn the other way).
Plan choose_plan(const Game &game, const Budget &budget = {});

// The planner's seat in the course of a game: it remembers the plan of its
// choice and the game it expected after the claim, and trades by that plan
// when the game is as expected, else by choose_plan.
struct Seat {
    Budget budget;
    bool planned = false;
    Game expected{};
    Plan plan;
};
TurnSeat turn_seat(Seat &seat);

}  // namespace planner
