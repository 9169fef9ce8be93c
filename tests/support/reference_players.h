// The reference players that the computer player is measured against, in
// the tournament (scripts/bench --tournament) and in the test that guards
// its strength. They never play in the game.
#pragma once

#include "rules/course.h"

namespace reference {

enum class Style {
    RANDOM,    // claims a random offer and never trades
    GREEDY,    // claims what most raises its own worth, buys the dearest company
    INVESTOR,  // claims what most raises its lead, holds only the largest company
};

const char *style_name(Style style);

// The offer the current player claims. `random` is the player's own
// generator: it draws the random player's choice and decides merger ties in
// the others' look-ahead.
int choose(Style style, const Game &game, const int offers[], int offer_count, Random random);

// Makes the current player's trades in `game`.
void trade(Style style, Game &game);

// A reference player's seat in the course of a game, with the generator of
// its own that choose() draws from.
struct Seat {
    Style style;
    SeededRandom own;
};
TurnSeat turn_seat(Seat &seat);

}  // namespace reference
