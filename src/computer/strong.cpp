// The strong strength: it looks a round further ahead than the normal one.
// It first judges each offer as the normal strength does and keeps the best
// few. For each of those it plays the claim, its dividend and its trades on
// a copy, then plays each other player's next claim over several draws of
// their offers, each claimed as the normal strength would claim it, and
// judges where that leaves it as the normal strength would. Every offer
// meets the same draws, so the offers are compared on the same futures. Its
// trades are the normal strength's: they already put its worth where it
// grows most until its next trade.
#include <algorithm>
#include <cstdint>

#include "computer/thinking.h"
#include "rules/course.h"
#include "rules/rules.h"

namespace {

constexpr std::uint64_t STRONG_SALT = 0x5780;
// The offers, best first by the normal judgement, that are played further.
constexpr int KEPT_OFFERS = 3;
// The other players' claims played for each offer kept, over all futures:
// six futures of one claim in two seats, two futures of three in four.
constexpr int FUTURE_CLAIMS = 6;

// Makes the normal strength's trades for the current player.
void trade_as_normal(Game &game) {
    Trade trades[MAX_TRADES];
    const int count = plan_trades(game, trades, MAX_TRADES);
    for (int t = 0; t < count; ++t) apply_trade(game, trades[t].company, trades[t].amount);
}

// The normal judgement of `game` for `me` once every other player has
// claimed once, averaged over the futures that start from `seed`.
double judge_futures(const Game &game, int me, std::uint64_t seed) {
    const int futures = std::max(1, FUTURE_CLAIMS / std::max(1, game.num_players - 1));
    double total = 0.0;
    MoveReport report;
    for (int f = 0; f < futures; ++f) {
        SeededRandom generator{seed + static_cast<std::uint64_t>(f)};
        const Random random = seeded_random(generator);
        Game line = game;
        while (line.current_player != me && !game_over(line)) {
            int offers[NUM_MOVES];
            const int count = draw_offers(line, random, offers);
            if (count == 0) break;
            claim_sector(line, offers[choose_move(line, offers, count)], random, report);
            if (game_over(line)) break;
            trade_as_normal(line);
            end_turn(line);
        }
        total += judge_position(line, me);
    }
    return total / futures;
}

}  // namespace

int strong_move(const Game &game, const int offers[], int offer_count) {
    if (offer_count <= 1) return 0;
    const int me = game.current_player;
    const std::uint64_t seed = generator_from(game, STRONG_SALT).state;
    MoveReport report;

    // Each offer played, with the normal judgement of it.
    Game after[NUM_MOVES];
    double normal[NUM_MOVES];
    int order[NUM_MOVES];
    for (int k = 0; k < offer_count; ++k) {
        SeededRandom generator{seed};
        after[k] = game;
        claim_sector(after[k], offers[k], seeded_random(generator), report);
        normal[k] = judge_position(after[k], me);
        order[k] = k;
    }
    // Best first, the earlier of equal offers first.
    for (int k = 1; k < offer_count; ++k) {
        const int index = order[k];
        int slot = k;
        for (; slot > 0 && normal[order[slot - 1]] < normal[index]; --slot) order[slot] = order[slot - 1];
        order[slot] = index;
    }

    int best = order[0];
    double best_score = 0.0;
    for (int r = 0; r < std::min(offer_count, KEPT_OFFERS); ++r) {
        const int k = order[r];
        double score = normal[k];
        if (!game_over(after[k])) {
            trade_as_normal(after[k]);
            end_turn(after[k]);
            score = judge_futures(after[k], me, seed + 1);
        }
        if (r == 0 || score > best_score) {
            best = k;
            best_score = score;
        }
    }
    return best;
}

int strong_trades(const Game &game, Trade trades[], int max) { return plan_trades(game, trades, max); }
