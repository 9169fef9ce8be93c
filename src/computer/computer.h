// The computer player: chooses a move among the offers and plans the trades
// of its turn, from the game as every player sees it. It looks ahead by
// playing the rules on copies of the game, with a generator of its own, so
// its thinking never draws from the game's generator and the same game
// always gives the same choices. No curses, no heap, and no maths library.
//
// Its parts: outlook.cpp (what the next claims do to each company's shares,
// and the opponents' model), holdings.cpp (the holdings it aims for),
// choices.cpp (these two functions), logarithm.cpp (its one function of
// the maths library, its own).
#pragma once

#include "rules/game.h"

// One trade: `amount` shares of `company`, bought when positive and sold
// when negative.
struct Trade {
    int company;
    int amount;
};

// A plan sells what it sells, then buys: at most one of each per company.
constexpr int MAX_TRADES = 2 * NUM_COMPANIES;

// The index (0 to offer_count - 1) of the offer the current player claims.
int choose_move(const Game &game, const int offers[], int offer_count);

// Fills `trades` with the current player's trades, in the order to make
// them (sells before buys), and returns how many there are (at most `max`).
// Each is in an active company and is one the trading dialog takes once the
// trades before it are made: within trade_range, and typeable_amount.
int plan_trades(const Game &game, Trade trades[], int max);
