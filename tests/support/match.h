// Whole games on the rules alone, with the computer player and the
// reference players in the seats: what the tournament
// (scripts/bench --tournament) and the test that guards the computer's
// strength play. Every game goes through the course of a game
// (rules/course.h), as the screens' turn loop does.
#pragma once

#include <cstdint>

#include "computer/strength.h"
#include "rules/course.h"

namespace match {

// The computer's seat at its strength: choose_move, and the trades of plan_trades made as
// the trading dialog makes them, unchanged. It counts the planned trades
// that the dialog could not take as planned (in a company that is not
// active, out of trade_range, or not typeable_amount); plan_trades promises
// none.
struct ComputerSeat {
    Strength strength = Strength::NORMAL;
    int untaken_trades = 0;
};
TurnSeat turn_seat(ComputerSeat &seat);

// The generator of seat j's own in the game of `seed` (a reference
// player's choices and the merger ties of its look-ahead).
SeededRandom seat_generator(std::uint64_t seed, int seat);

// Plays a whole game of `seats` seats, seat j played by `players[j]`, on
// the galaxy of `seed`: the galaxy, the offers and every merger draw come
// from one generator seeded with `seed`, and seat 0 moves first.
Game play(std::uint64_t seed, const TurnSeat players[], int seats);

// Seat j's share of the win in a finished game: 1 for the one richest
// player, shared equally when several are the richest, else 0.
double win_share(const Game &game, int seat);

}  // namespace match
