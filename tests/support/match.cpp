#include "support/match.h"

#include <algorithm>

#include "computer/strength.h"

namespace match {

namespace {

int computer_choice(void *self, const Game &game, const int offers[], int offer_count) {
    return choose_move(game, offers, offer_count, static_cast<ComputerSeat *>(self)->strength);
}

void computer_trades(void *self, Game &game) {
    ComputerSeat &seat = *static_cast<ComputerSeat *>(self);
    Trade plan[MAX_TRADES];
    const int count = plan_trades(game, plan, MAX_TRADES, seat.strength);
    for (int t = 0; t < count; ++t) {
        const Trade &trade = plan[t];
        if (trade.company < 0 || trade.company >= NUM_COMPANIES || game.companies[trade.company].size == 0) {
            ++seat.untaken_trades;
            continue;
        }
        int low = 0;
        int high = 0;
        trade_range(game, trade.company, low, high);
        if (!typeable_amount(trade.amount, low, high)) ++seat.untaken_trades;
        apply_trade(game, trade.company, trade.amount);
    }
}

}  // namespace

TurnSeat turn_seat(ComputerSeat &seat) { return TurnSeat{computer_choice, nullptr, computer_trades, &seat}; }

SeededRandom seat_generator(std::uint64_t seed, int seat) {
    return SeededRandom{seed * 31 + static_cast<std::uint64_t>(seat) + 1};
}

Game play(std::uint64_t seed, const TurnSeat players[], int seats) {
    SeededRandom generator{seed};
    Game game;
    open_game(game, seeded_random(generator));
    seat_players(game, seats, 0);
    while (play_turn(game, seeded_random(generator), players[game.current_player])) {
    }
    return game;
}

double win_share(const Game &game, int seat) {
    std::int64_t best = net_worth(game, 0);
    for (int j = 1; j < game.num_players; ++j) best = std::max(best, net_worth(game, j));
    int sharing = 0;
    for (int j = 0; j < game.num_players; ++j) sharing += net_worth(game, j) == best ? 1 : 0;
    return net_worth(game, seat) == best ? 1.0 / sharing : 0.0;
}

}  // namespace match
