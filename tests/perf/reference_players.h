// The reference players that the tournament measures the computer player
// against. They play only in the benchmark, never in the game.
#pragma once

#include "rules/rules.h"

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

}  // namespace reference
