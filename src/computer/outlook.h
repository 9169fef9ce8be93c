// What the computer player's parts share: the outlook of a game from one
// player's point of view (outlook.cpp) and the holdings it aims for
// (holdings.cpp). Its choices (choices.cpp) are made from these. Private to
// src/computer.
#pragma once

#include <cstdint>

#include "rules/game.h"

// What the next claim could do to the shares of each company, from one
// player's point of view, with the expectations drawn from it.
struct Outlook {
    int count;                               // sectors that may be claimed next
    double price[NUM_COMPANIES];             // 0 for an inactive company
    double others_held[NUM_COMPANIES];       // shares that the other players hold
    double after[MAP_CELLS][NUM_COMPANIES];  // a share's value after the claim of candidate i
    double pool[MAP_CELLS][NUM_COMPANIES];   // the bonus its holders share if it is absorbed
    double founding[MAP_CELLS];              // the founder's shares, to the mover
    double my_weight[MAP_CELLS];             // the chance of each rank for my own next claim
    double opponent_change[NUM_COMPANIES];   // a share's expected change over the opponents' claims
    double opponent_pool[NUM_COMPANIES];     // the expected bonus pool over their claims
    int added[MAP_CELLS];                    // company sectors that candidate i adds
    double my_turn;                          // the chance that the game lasts until my next claim
    int opponents;
    double opponent_weight[MAX_PLAYERS - 1][MAP_CELLS];  // the chance of each opponent's claim
};

// outlook.cpp
// Builds the outlook of `game` for player `me`, who has just moved: the
// other players claim next, then `me` again. `generator` decides merger
// ties in the claims it plays.
void build_outlook(const Game &game, int me, Outlook &outlook, SeededRandom &generator);
// The mover's gain from candidate i, for the holdings `shares` (of which
// the others hold `others_held`).
double mover_gain(const Outlook &outlook, int i, const double shares[NUM_COMPANIES],
                  const double others_held[NUM_COMPANIES]);

// holdings.cpp
// The holdings with the best expected gain that `wealth` buys, and that gain.
double best_holdings(const Outlook &outlook, std::int64_t wealth, int best[NUM_COMPANIES]);
