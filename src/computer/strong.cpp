// The strong strength: it looks a round further ahead than the normal one.
// For each offer it plays the claim, its dividend and its trades on a copy,
// then plays the other players' next claims over several draws of their
// offers, each claiming what raises its own worth most, and judges where
// that leaves it as the normal strength would. Every offer meets the same
// draws, so the offers are compared on the same futures.
#include <cstdint>

#include "computer/thinking.h"
#include "rules/rules.h"

namespace {

constexpr std::uint64_t STRONG_SALT = 0x5780;
// The draws of the other players' offers that each offer is played against.
constexpr int FUTURES = 8;

// Makes the normal strength's trades for the current player.
void trade_as_normal(Game &game) {
    Trade trades[MAX_TRADES];
    const int count = plan_trades(game, trades, MAX_TRADES);
    for (int t = 0; t < count; ++t) apply_trade(game, trades[t].company, trades[t].amount);
}

// The offer that raises the current player's net worth most at once.
int likely_claim(const Game &game, const int offers[], int offer_count, Random random) {
    const int mover = game.current_player;
    MoveReport report;
    int best = 0;
    std::int64_t best_worth = 0;
    for (int k = 0; k < offer_count; ++k) {
        Game copy = game;
        do_move(copy, offers[k], random, report);
        pay_dividends(copy);
        const std::int64_t worth = net_worth(copy, mover);
        if (k == 0 || worth > best_worth) {
            best = k;
            best_worth = worth;
        }
    }
    return best;
}

// The normal judgement of `game` for `me` once the other players have
// claimed, averaged over the futures.
double judge_futures(const Game &game, int me, std::uint64_t seed) {
    double total = 0.0;
    MoveReport report;
    for (int f = 0; f < FUTURES; ++f) {
        SeededRandom generator{seed + static_cast<std::uint64_t>(f)};
        const Random random = seeded_random(generator);
        Game line = game;
        while (line.current_player != me && !game_over(line)) {
            int offers[NUM_MOVES];
            const int count = draw_offers(line, random, offers);
            if (count == 0) break;
            do_move(line, offers[likely_claim(line, offers, count, random)], random, report);
            pay_dividends(line);
            end_turn(line);
        }
        total += judge_position(line, me);
    }
    return total / FUTURES;
}

}  // namespace

int strong_move(const Game &game, const int offers[], int offer_count) {
    if (offer_count <= 1) return 0;
    const int me = game.current_player;
    const std::uint64_t seed = generator_from(game, STRONG_SALT).state;
    MoveReport report;
    int best = 0;
    double best_score = 0.0;
    for (int k = 0; k < offer_count; ++k) {
        SeededRandom generator{seed};
        Game after = game;
        do_move(after, offers[k], seeded_random(generator), report);
        pay_dividends(after);
        double score = 0.0;
        if (game_over(after)) {
            score = judge_position(after, me);
        } else {
            trade_as_normal(after);
            end_turn(after);
            score = judge_futures(after, me, seed + 1);
        }
        if (k == 0 || score > best_score) {
            best = k;
            best_score = score;
        }
    }
    return best;
}

int strong_trades(const Game &game, Trade trades[], int max) { return plan_trades(game, trades, max); }
