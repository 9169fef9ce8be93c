// The computer's choices: its move is the offer that leaves it furthest
// ahead of its richest rival once the expected growth of the holdings it
// would then aim for is counted; its trades move its worth into those
// holdings, each amount one the trading dialog takes.
#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "computer/computer.h"
#include "computer/outlook.h"
#include "computer/thinking.h"
#include "rules/course.h"
#include "rules/rules.h"

namespace {

// How far `me` is expected to stand ahead of its richest rival at its next
// trade, once it has put its worth where it grows most.
double judge(const Game &game, int me, Outlook &outlook, SeededRandom &generator) {
    if (game_over(game)) {
        double rival = 0.0;
        for (int j = 0; j < game.num_players; ++j) {
            if (j != me) rival = std::max(rival, static_cast<double>(net_worth(game, j)));
        }
        return static_cast<double>(net_worth(game, me)) - rival;
    }
    build_outlook(game, me, outlook, generator);
    const std::int64_t wealth = net_worth(game, me);
    int shares[NUM_COMPANIES];
    const double mine = static_cast<double>(wealth) + best_holdings(outlook, wealth, shares);
    double rival = 0.0;
    for (int j = 0; j < game.num_players; ++j) {
        if (j == me) continue;
        double worth = static_cast<double>(net_worth(game, j));
        for (int c = 0; c < NUM_COMPANIES; ++c) {
            const double held = outlook.price[c] > 0.0 ? game.players[j].holdings[c] : 0.0;
            if (held <= 0.0) continue;
            worth += held * outlook.opponent_change[c];
            worth +=
                outlook.opponent_pool[c] * held / (outlook.others_held[c] + game.players[me].holdings[c]);
        }
        rival = std::max(rival, worth);
    }
    return mine - rival;
}

// The normal strength's judgement of an offer claimed, with the outlook in
// `self` to fill.
double judge_offer(void *self, const Game &after, const MoveReport &, int, int me, SeededRandom &generator) {
    return judge(after, me, *static_cast<Outlook *>(self), generator);
}

// The largest amount typed in TYPED_AMOUNT_LENGTH characters, and the
// smallest (a sale, its minus sign counted).
constexpr int longest_typed(int digits) { return digits == 0 ? 0 : 10 * longest_typed(digits - 1) + 9; }
constexpr int MOST_TYPED = longest_typed(TYPED_AMOUNT_LENGTH);
constexpr int LEAST_TYPED = -longest_typed(TYPED_AMOUNT_LENGTH - 1);

// The amount nearest `wanted` that the trading dialog takes in the range
// [low, high]: within it, and typed in full or an end of it (typed as m or
// n). Beyond what can be typed, the nearer of that limit and the range's
// end.
int dialog_amount(int wanted, int low, int high) {
    const int amount = std::clamp(wanted, low, high);
    if (amount > MOST_TYPED) return high - amount < amount - MOST_TYPED ? high : MOST_TYPED;
    if (amount < LEAST_TYPED) return amount - low < LEAST_TYPED - amount ? low : LEAST_TYPED;
    return amount;
}

}  // namespace

int choose_move(const Game &game, const int offers[], int offer_count) {
    SeededRandom generator = strength_generator(game, Strength::NORMAL);
    Outlook outlook;
    return weigh_offers(game, offers, offer_count, generator, OfferJudge{judge_offer, &outlook});
}

int plan_trades(const Game &game, Trade trades[], int max) {
    const int me = game.current_player;
    SeededRandom generator = strength_generator(game, Strength::NORMAL);
    Outlook outlook;
    build_outlook(game, me, outlook, generator);
    int target[NUM_COMPANIES];
    best_holdings(outlook, net_worth(game, me), target);

    Game copy = game;
    int count = 0;
    for (const bool selling : {true, false}) {
        for (int c = 0; c < NUM_COMPANIES && count < max; ++c) {
            if (copy.companies[c].size == 0) continue;
            const int wanted = target[c] - copy.players[me].holdings[c];
            if (selling ? wanted >= 0 : wanted <= 0) continue;
            int low = 0;
            int high = 0;
            trade_range(copy, c, low, high);
            const int amount = dialog_amount(wanted, low, high);
            if (amount == 0) continue;
            apply_trade(copy, c, amount);
            trades[count++] = Trade{c, amount};
        }
    }
    return count;
}

double judge_position(const Game &game, int me) {
    SeededRandom generator = strength_generator(game, Strength::NORMAL);
    Outlook outlook;
    return judge(game, me, outlook, generator);
}
