// The course of a game, written once: how a game starts and the steps of a
// turn in their order. The screens play the game being played through it,
// the computer player looks ahead with it, and the tournament and the rules'
// benchmark play their games with it. No curses.
#pragma once

#include "rules/rules.h"

// A new game on a galaxy drawn from `random`; no one is seated yet.
void open_game(Game &game, Random random);

// Seats `players` players, the first to move drawn from `random` (one draw,
// taken modulo the number of players).
void seat_players(Game &game, int players, Random random);

// Seats `players` players with `first` to move: for measurements that give
// every seat the first move in turn.
void seat_players(Game &game, int players, int first);

// Claims sector `pos` for the current player: the move and everything it
// sets off (`random` decides a merger's tie), then the mover's dividend.
void claim_sector(Game &game, int pos, Random random, MoveReport &report);

// What a seat does in its turn, as callbacks with the seat's own `self`:
// chooses an offer (its index, 0 to offer_count - 1), shows what the claim
// did (null when nothing is shown), and makes its trades on the game.
struct TurnSeat {
    int (*choose)(void *self, const Game &game, const int offers[], int offer_count);
    void (*show)(void *self, const Game &game, const MoveReport &report);
    void (*trade)(void *self, Game &game);
    void *self;
};

// The rest of the current player's turn once its claim is made: unless the
// claim ended the game, the seat trades and the turn passes to the next
// player. Returns whether the game goes on.
bool finish_turn(Game &game, const TurnSeat &seat);

// Plays the current player's turn with `seat`: the offers are drawn from
// `random`; the seat chooses one, which is claimed (`random` decides merger
// ties) and shown; then, unless the claim ended the game, the seat trades
// and the turn passes to the next player. Returns whether the game goes on:
// false when no sector could be offered or the claim ended the game.
bool play_turn(Game &game, Random random, const TurnSeat &seat);
