// Seating the players the title screen read: the turns' seed and the first
// player, the names, and each seat's turn on the screens, a person's or the
// computer's, chosen here once for the whole game.
#include "flow/flow.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

Table &table_of(void *self) { return *static_cast<ScreenSeat *>(self)->table; }

// A person's turn: the move prompt and the trading dialog.
int person_chooses(void *self, const Game &game, const int offers[], int offer_count) {
    return get_move(game, table_of(self), offers, offer_count);
}

void person_trades(void *self, Game &game) { trade_stock(game, table_of(self)); }

// The computer's turn at the seat's strength, on the same screens.
int computer_chooses(void *self, const Game &game, const int offers[], int offer_count) {
    const ScreenSeat &seat = *static_cast<ScreenSeat *>(self);
    return computer_move(game, *seat.table, seat.strength, offers, offer_count);
}

void computer_trading(void *self, Game &game) {
    const ScreenSeat &seat = *static_cast<ScreenSeat *>(self);
    computer_trades(game, *seat.table, seat.strength);
}

// Either seat's claim goes into the game's record before it is shown.
void show_claim(void *self, const Game &game, const MoveReport &report) {
    record_claim(table_of(self).record, game, report);
    show_move(game, report);
}

}  // namespace

// The turns are drawn from their own seed, the process id, taken after the
// galaxy's (the time's, start_curses): the first player is its first draw,
// every offer and merger tie after it follows. A test pins a game by
// preloading tests/support/pin_clock.c, which fixes the time and the id.
void seat_lineup(Match &match, const Lineup &lineup) {
    std::srand(static_cast<unsigned>(getpid()));
    seat_players(match.game, lineup.players, c_library_random());
    for (int p = 0; p < lineup.players; ++p)
        std::memcpy(match.game.players[p].name, lineup.names[p], NAME_SIZE);
    take_seats(match, lineup.seats);
}

// Gives each seat of the players seated in the game its turn, a person's or
// the computer's, and starts the record empty.
void take_seats(Match &match, const SeatPlayer seats[MAX_PLAYERS]) {
    const int players = match.game.num_players;
    clear_record(match.table.record);
    every_seat_computer = players > 0;
    for (int p = 0; p < MAX_PLAYERS; ++p) {
        const bool plays = p < players;
        const SeatPlayer &seat = seats[p];
        const bool computer = plays && seat.computer;
        match.table.computer[p] = computer;
        every_seat_computer = every_seat_computer && (computer || !plays);
        match.players[p] = ScreenSeat{&match.table, seat.strength};
        match.seats[p] = computer
                             ? TurnSeat{computer_chooses, show_claim, computer_trading, &match.players[p]}
                             : TurnSeat{person_chooses, show_claim, person_trades, &match.players[p]};
    }
}
