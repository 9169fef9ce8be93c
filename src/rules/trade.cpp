// Trading: the bounds of one trade and its effect. (Rules; the dialog is
// src/screens/trading.cpp.)
#include <cstdio>

#include "rules/rules.h"

// The range of shares the current player may trade in an active company:
// selling at most every share, buying at most what the cash pays for;
// neither cash nor holdings may leave the int range.
void trade_range(const Game &game, int company, int &min, int &max) {
    const Player &player = game.players[game.current_player];
    const int price = game.companies[company].price;
    const int holding = player.holdings[company];
    max = player.cash / price;
    if (max > INT_MAX - holding) max = INT_MAX - holding;
    const int sellable = (INT_MAX - player.cash) / price;
    min = -(holding < sellable ? holding : sellable);
}

// Buys `amount` shares (sells for a negative amount) at the company's price;
// the amount lies within trade_range.
void apply_trade(Game &game, int company, int amount) {
    Player &player = game.players[game.current_player];
    const int price = game.companies[company].price;
    player.cash = clamp_int(player.cash - static_cast<std::int64_t>(amount) * price);
    player.holdings[company] += amount;
}

// Whether a trade of `amount` in the range [min, max] can be made in the
// trading dialog: it lies in the range, and it is typed in at most
// TYPED_AMOUNT_LENGTH characters or is an end of the range (n or m).
bool typeable_amount(int amount, int min, int max) {
    if (amount < min || amount > max) return false;
    if (amount == min || amount == max) return true;
    char digits[16];
    return std::snprintf(digits, sizeof digits, "%d", amount) <= TYPED_AMOUNT_LENGTH;
}
