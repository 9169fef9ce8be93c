// Dividends: DIVIDEND_RATE of the share price on every share the mover
// holds. (Rules; no screen shows a dividend but the cash it adds.)
#include "rules/rules.h"

// Pays the current player and returns what was paid.
int pay_dividends(Game &game) {
    Player &player = game.players[game.current_player];
    std::int64_t paid = 0;
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        const Company &company = game.companies[i];
        if (company.size == 0) continue;
        const double per_holding = as_float_double(player.holdings[i]) * DIVIDEND_RATE;
        const int dividend = truncate_to_int(as_float_double(company.price) * per_holding);
        const int before = player.cash;
        player.cash = clamp_int(static_cast<std::int64_t>(player.cash) + dividend);
        paid += player.cash - static_cast<std::int64_t>(before);
    }
    return clamp_int(paid);
}
