// The planner: flat Monte-Carlo over the offers and the plans to trade by,
// with play-outs of simple players of its own, on the rules' course of a
// game (play_turn, claim_sector).
#include "support/planner.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace planner {

namespace {

// The finaliser of splitmix64: spreads a seed's bits over the whole word,
// so that seeds one apart start generators far apart.
std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// FNV-1a over everything that decides how the game goes on: the map, the
// companies, the players' cash and holdings, whose turn it is (the names
// decide nothing and are left out).
struct Key {
    std::uint64_t value = 0xCBF29CE484222325ULL;
    void add(std::int64_t item) {
        for (int byte = 0; byte < 8; ++byte) {
            value ^= static_cast<std::uint64_t>(item >> (8 * byte)) & 0xFF;
            value *= 0x100000001B3ULL;
        }
    }
};

std::uint64_t game_key(const Game &game) {
    Key key;
    for (const char sector : game.galaxy) key.add(sector);
    for (const Company &company : game.companies) {
        key.add(company.price);
        key.add(company.size);
    }
    for (int j = 0; j < game.num_players; ++j) {
        key.add(game.players[j].cash);
        for (const int holding : game.players[j].holdings) key.add(holding);
    }
    key.add(game.num_players);
    key.add(game.current_player);
    return key.value;
}

// What separates the planner from winning: its net worth less the richest
// other player's. A win is the highest worth, so the lead is what counts,
// and in two seats what a move costs the opponent counts as much as what it
// brings.
std::int64_t lead(const Game &game, int me) {
    std::int64_t rival = INT64_MIN;
    for (int j = 0; j < game.num_players; ++j) {
        if (j != me) rival = std::max(rival, net_worth(game, j));
    }
    return net_worth(game, me) - rival;
}

// The largest active company, the dearer of two of a size; -1 when none is.
int largest_company(const Game &game) {
    int best = -1;
    for (int c = 0; c < NUM_COMPANIES; ++c) {
        const Company &company = game.companies[c];
        if (company.size == 0) continue;
        if (best < 0 || company.size > game.companies[best].size ||
            (company.size == game.companies[best].size && company.price > game.companies[best].price)) {
            best = c;
        }
    }
    return best;
}

// The players of a play-out, every seat alike: each claims the offer that
// leaves it furthest ahead of its richest rival at once, then holds only the
// largest company. `random` decides the merger ties of the claims it weighs.
struct PlayOut {
    SeededRandom random;
};

int play_out_choose(void *self, const Game &game, const int offers[], int offer_count) {
    PlayOut &play_out = *static_cast<PlayOut *>(self);
    const int me = game.current_player;
    MoveReport report;
    int best = 0;
    std::int64_t best_lead = 0;
    for (int k = 0; k < offer_count; ++k) {
        Game copy = game;
        claim_sector(copy, offers[k], seeded_random(play_out.random), report);
        const std::int64_t ahead = lead(copy, me);
        if (k == 0 || ahead > best_lead) {
            best = k;
            best_lead = ahead;
        }
    }
    return best;
}

void play_out_trade(void *, Game &game) {
    const int target = largest_company(game);
    if (target >= 0) make_trades(game, Plan{PlanKind::ALL_IN, target});
}

// The seed of play-out `run` of a turn whose own seed is `turn`: every
// candidate of the turn meets the same futures, run for run.
std::uint64_t run_seed(std::uint64_t turn, int run) {
    constexpr std::uint64_t golden = 0x9E3779B97F4A7C15;
    return mix(turn ^ (golden * static_cast<std::uint64_t>(run + 1)));
}

// Plays `game` on `turns` turns or to its end and returns `me`'s lead.
std::int64_t play_out(Game game, int me, int turns, std::uint64_t seed) {
    PlayOut players{SeededRandom{seed}};
    SeededRandom course{mix(seed ^ 0xC0FFEE)};
    const TurnSeat seat{play_out_choose, nullptr, play_out_trade, &players};
    for (int turn = 0; turn < turns; ++turn) {
        if (!play_turn(game, seeded_random(course), seat)) break;
    }
    return lead(game, me);
}

// An offer with a plan, as the game stands once both are made and the turn
// has passed (or as the claim ended the game).
struct Candidate {
    int offer;
    Plan plan;
    Game start;
    bool over;  // the claim ended the game: its lead is known
    double total = 0.0;
    int runs = 0;
    double mean() const { return over ? total : total / runs; }
};

// The plans worth trying: trading nothing, selling everything, spreading,
// and each active company alone or added to what is held.
int plans_for(const Game &game, Plan plans[]) {
    int count = 0;
    plans[count++] = Plan{PlanKind::HOLD, -1};
    plans[count++] = Plan{PlanKind::CASH, -1};
    plans[count++] = Plan{PlanKind::SPREAD, -1};
    for (int c = 0; c < NUM_COMPANIES; ++c) {
        if (game.companies[c].size == 0) continue;
        plans[count++] = Plan{PlanKind::ALL_IN, c};
        plans[count++] = Plan{PlanKind::ADD, c};
    }
    return count;
}

// Adds the candidates of the claimed game `after` (offer `offer`): one for
// each plan that leaves a game no earlier plan left.
void add_candidates(std::vector<Candidate> &candidates, int offer, const Game &after) {
    if (game_over(after)) {
        candidates.push_back(
            Candidate{offer, Plan{}, after, true, static_cast<double>(lead(after, after.current_player)), 1});
        return;
    }
    Plan plans[3 + 2 * NUM_COMPANIES];
    const int plan_count = plans_for(after, plans);
    const std::size_t first = candidates.size();
    for (int p = 0; p < plan_count; ++p) {
        Game start = after;
        make_trades(start, plans[p]);
        end_turn(start);
        bool seen = false;
        for (std::size_t k = first; k < candidates.size(); ++k) seen = seen || candidates[k].start == start;
        if (!seen) candidates.push_back(Candidate{offer, plans[p], start, false});
    }
}

// Runs `runs` more play-outs of each of the first `kept` candidates.
void run_stage(std::vector<Candidate> &candidates, std::size_t kept, int runs, int me, int turns,
               std::uint64_t turn_seed) {
    for (std::size_t k = 0; k < kept && k < candidates.size(); ++k) {
        Candidate &candidate = candidates[k];
        if (candidate.over) continue;
        for (int r = 0; r < runs; ++r) {
            candidate.total += static_cast<double>(
                play_out(candidate.start, me, turns, run_seed(turn_seed, candidate.runs)));
            ++candidate.runs;
        }
    }
    // The best first; a tie keeps the earlier candidate (offer order, then plan order).
    std::stable_sort(candidates.begin(),
                     candidates.begin() + static_cast<std::ptrdiff_t>(std::min(kept, candidates.size())),
                     [](const Candidate &a, const Candidate &b) { return a.mean() > b.mean(); });
}

// The best candidate by its mean lead, after the budget's three stages.
const Candidate &best_candidate(std::vector<Candidate> &candidates, int me, int players, const Budget &budget,
                                std::uint64_t turn_seed) {
    const int turns = budget.rounds * players;
    run_stage(candidates, candidates.size(), budget.first, me, turns, turn_seed);
    run_stage(candidates, static_cast<std::size_t>(budget.second_kept), budget.second, me, turns, turn_seed);
    run_stage(candidates, static_cast<std::size_t>(budget.third_kept), budget.third, me, turns, turn_seed);
    return candidates.front();
}

Decision decide_expecting(const Game &game, const int offers[], int offer_count, const Budget &budget,
                          Game &expected) {
    Key key;
    key.add(static_cast<std::int64_t>(game_key(game)));
    for (int k = 0; k < offer_count; ++k) key.add(offers[k]);
    const std::uint64_t turn_seed = mix(key.value);
    const int me = game.current_player;

    std::vector<Candidate> candidates;
    std::vector<Game> claimed(static_cast<std::size_t>(offer_count));
    MoveReport report;
    for (int k = 0; k < offer_count; ++k) {
        Game &after = claimed[static_cast<std::size_t>(k)];
        after = game;
        SeededRandom ties{mix(turn_seed ^ 0x7155)};  // the same draws for every offer
        claim_sector(after, offers[k], seeded_random(ties), report);
        add_candidates(candidates, k, after);
    }
    const Candidate &best = best_candidate(candidates, me, game.num_players, budget, turn_seed);
    expected = claimed[static_cast<std::size_t>(best.offer)];
    return Decision{best.offer, best.plan};
}

int choose_offer(void *self, const Game &game, const int offers[], int offer_count) {
    Seat &seat = *static_cast<Seat *>(self);
    const Decision decision = decide_expecting(game, offers, offer_count, seat.budget, seat.expected);
    seat.plan = decision.plan;
    seat.planned = true;
    return decision.offer;
}

void trade_by_plan(void *self, Game &game) {
    Seat &seat = *static_cast<Seat *>(self);
    const Plan plan = seat.planned && seat.expected == game ? seat.plan : choose_plan(game, seat.budget);
    seat.planned = false;
    make_trades(game, plan);
}

}  // namespace

int plan_orders(const Game &game, Plan plan, Order orders[MAX_ORDERS]) {
    const bool targeted = plan.kind == PlanKind::ALL_IN || plan.kind == PlanKind::ADD;
    if (targeted &&
        (plan.company < 0 || plan.company >= NUM_COMPANIES || game.companies[plan.company].size == 0)) {
        return 0;
    }
    Game work = game;
    int count = 0;
    // Each trade is made on `work` as it is written, so the next one's range
    // is that of the game it will be made in.
    const auto trade = [&](int company, int amount) {
        if (amount == 0) return;
        orders[count++] = Order{company, amount};
        apply_trade(work, company, amount);
    };
    const auto sell_all = [&](int company) {
        int low = 0;
        int high = 0;
        trade_range(work, company, low, high);
        trade(company, low);
    };
    const auto buy_up_to = [&](int company, std::int64_t wanted) {
        int low = 0;
        int high = 0;
        trade_range(work, company, low, high);
        trade(company, static_cast<int>(std::min<std::int64_t>(wanted, high)));
    };
    int active = 0;
    for (const Company &company : work.companies) active += company.size != 0 ? 1 : 0;
    switch (plan.kind) {
        case PlanKind::HOLD: break;
        case PlanKind::CASH:
        case PlanKind::SPREAD:
            for (int c = 0; c < NUM_COMPANIES; ++c) {
                if (work.companies[c].size != 0) sell_all(c);
            }
            if (plan.kind == PlanKind::SPREAD && active > 0) {
                const std::int64_t part = work.players[work.current_player].cash / active;
                for (int c = 0; c < NUM_COMPANIES; ++c) {
                    if (work.companies[c].size != 0) buy_up_to(c, part / work.companies[c].price);
                }
            }
            break;
        case PlanKind::ALL_IN:
            for (int c = 0; c < NUM_COMPANIES; ++c) {
                if (c != plan.company && work.companies[c].size != 0) sell_all(c);
            }
            buy_up_to(plan.company, INT_MAX);
            break;
        case PlanKind::ADD: buy_up_to(plan.company, INT_MAX); break;
    }
    return count;
}

void make_trades(Game &game, Plan plan) {
    Order orders[MAX_ORDERS];
    const int count = plan_orders(game, plan, orders);
    for (int k = 0; k < count; ++k) apply_trade(game, orders[k].company, orders[k].amount);
}

Decision decide(const Game &game, const int offers[], int offer_count, const Budget &budget) {
    Game expected;
    return decide_expecting(game, offers, offer_count, budget, expected);
}

Plan choose_plan(const Game &game, const Budget &budget) {
    std::vector<Candidate> candidates;
    add_candidates(candidates, 0, game);
    return best_candidate(candidates, game.current_player, game.num_players, budget,
                          mix(game_key(game) ^ 0x9A7))
        .plan;
}

TurnSeat turn_seat(Seat &seat) { return TurnSeat{choose_offer, nullptr, trade_by_plan, &seat}; }

}  // namespace planner
