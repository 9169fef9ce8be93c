// Dividends: 5% of the share price on every share the mover holds.
#include "market/market.h"

void pay_dividends() {
    Player &player = players[current_player];
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (companies[i].size == 0) continue;
        const double per_holding = as_float_double(player.holdings[i]) * 0.05;
        const int dividend = truncate_to_int(as_float_double(companies[i].price) * per_holding);
        player.cash = clamp_int(static_cast<std::int64_t>(player.cash) + dividend);
    }
}
