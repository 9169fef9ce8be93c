// What shares and players are worth, and the players' ranking by it.
// (Rules; src/screens/standings.cpp and company_report.cpp show them.)
#include "rules/rules.h"

namespace {

// A sum that stops at the ends of the 64-bit range instead of wrapping.
// Every product of a holding and a price fits in 64 bits; only sums of
// several near 2^62 (prices near the int limit, which splits keep out of
// play) could pass it.
std::int64_t add_saturated(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? INT64_MAX : INT64_MIN;
    return sum;
}

std::int64_t shares_worth(int shares, int price) { return static_cast<std::int64_t>(shares) * price; }

}  // namespace

// The market value of a player's shares in the active companies, exact.
std::int64_t stock_value(const Game &game, int player) {
    const Player &p = game.players[player];
    std::int64_t value = 0;
    for (int k = 0; k < NUM_COMPANIES; ++k) {
        const Company &company = game.companies[k];
        if (company.size != 0) value = add_saturated(value, shares_worth(p.holdings[k], company.price));
    }
    return value;
}

// Cash plus the shares' value.
std::int64_t net_worth(const Game &game, int player) {
    return add_saturated(game.players[player].cash, stock_value(game, player));
}

// The market value of all players' shares in a company, exact.
std::int64_t company_worth(const Game &game, int company) {
    const int price = game.companies[company].price;
    std::int64_t value = 0;
    for (int k = 0; k < game.num_players; ++k) {
        value = add_saturated(value, shares_worth(game.players[k].holdings[company], price));
    }
    return value;
}

// The players in the game, richest first; equal net worths keep player order.
void rank_players(const Game &game, int order[MAX_PLAYERS]) {
    std::int64_t worth[MAX_PLAYERS];
    for (int p = 0; p < game.num_players; ++p) {
        worth[p] = net_worth(game, p);
        // Insert after every richer or equally rich player.
        int place = p;
        for (; place > 0 && worth[order[place - 1]] < worth[p]; --place) order[place] = order[place - 1];
        order[place] = p;
    }
}
