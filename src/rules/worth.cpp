// What shares and players are worth, and the players' ranking by it.
// (Rules; src/screens/standings.cpp and company_report.cpp show them.)
#include "rules/rules.h"

// The market value of a player's shares in the active companies. Each
// product fits in 64 bits, their sum may not: it is clamped as it grows.
int stock_value(const Game &game, int player) {
    const Player &p = game.players[player];
    std::int64_t value = 0;
    for (int k = 0; k < NUM_COMPANIES; ++k) {
        const Company &company = game.companies[k];
        if (company.size != 0) value = clamp_int(value + static_cast<std::int64_t>(p.holdings[k]) * company.price);
    }
    return clamp_int(value);
}

// Cash plus the shares' value.
std::int64_t net_worth(const Game &game, int player) {
    return static_cast<std::int64_t>(game.players[player].cash) + stock_value(game, player);
}

// The market value of all players' shares in a company, clamped to the int
// range as it grows (four products near 2^62 would pass 2^63).
int company_worth(const Game &game, int company) {
    const int price = game.companies[company].price;
    std::int64_t value = 0;
    for (int k = 0; k < game.num_players; ++k) {
        value = clamp_int(value + static_cast<std::int64_t>(game.players[k].holdings[company]) * price);
    }
    return clamp_int(value);
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
