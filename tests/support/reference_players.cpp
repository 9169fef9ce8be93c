// The reference players: each judges a claim by playing it, with its
// dividend, on a copy of the game.
#include "support/reference_players.h"

#include <algorithm>
#include <cstdint>

namespace reference {

namespace {

std::int64_t best_rival(const Game &game, int me) {
    std::int64_t rival = 0;
    bool any = false;
    for (int j = 0; j < game.num_players; ++j) {
        if (j == me) continue;
        const std::int64_t worth = net_worth(game, j);
        if (!any || worth > rival) rival = worth;
        any = true;
    }
    return rival;
}

// Buys as many shares of `company` as the cash pays for.
void buy_all(Game &game, int company) {
    int low = 0;
    int high = 0;
    trade_range(game, company, low, high);
    if (high > 0) apply_trade(game, company, high);
}

}  // namespace

const char *style_name(Style style) {
    switch (style) {
        case Style::RANDOM: return "random";
        case Style::GREEDY: return "greedy";
        case Style::INVESTOR: return "investor";
    }
    return "?";
}

int choose(Style style, const Game &game, const int offers[], int offer_count, Random random) {
    if (style == Style::RANDOM) return random.next() % offer_count;
    const int me = game.current_player;
    MoveReport report;
    int best = 0;
    std::int64_t best_score = 0;
    for (int k = 0; k < offer_count; ++k) {
        Game copy = game;
        claim_sector(copy, offers[k], random, report);
        std::int64_t score = net_worth(copy, me);
        if (style == Style::INVESTOR) score -= best_rival(copy, me);
        if (k == 0 || score > best_score) {
            best = k;
            best_score = score;
        }
    }
    return best;
}

void trade(Style style, Game &game) {
    if (style == Style::RANDOM) return;
    int target = -1;
    for (int c = 0; c < NUM_COMPANIES; ++c) {
        const Company &company = game.companies[c];
        if (company.size == 0) continue;
        if (target < 0) {
            target = c;
            continue;
        }
        const Company &chosen = game.companies[target];
        if (style == Style::GREEDY) {
            if (company.price > chosen.price) target = c;
        } else if (company.size > chosen.size ||
                   (company.size == chosen.size && company.price > chosen.price)) {
            target = c;
        }
    }
    if (target < 0) return;
    if (style == Style::INVESTOR) {
        for (int c = 0; c < NUM_COMPANIES; ++c) {
            if (game.companies[c].size == 0) continue;
            int low = 0;
            int high = 0;
            trade_range(game, c, low, high);
            if (low < 0) apply_trade(game, c, low);
        }
    }
    buy_all(game, target);
}

namespace {

int choose_offer(void *self, const Game &game, const int offers[], int offer_count) {
    Seat &seat = *static_cast<Seat *>(self);
    return choose(seat.style, game, offers, offer_count, seeded_random(seat.own));
}

void make_trades(void *self, Game &game) { trade(static_cast<Seat *>(self)->style, game); }

}  // namespace

TurnSeat turn_seat(Seat &seat) { return TurnSeat{choose_offer, nullptr, make_trades, &seat}; }

}  // namespace reference
