// The computer player's strengths, easiest first: easy, for a player's
// first games; casual, for one who has just learnt the rules; normal, the
// computer of computer.h; hard, which looks a round further ahead. Every
// strength chooses from the game as every player sees it, never draws from
// the game's generator and gives the same choices for the same game.
#pragma once

#include "computer/computer.h"

enum class Strength { EASY, CASUAL, NORMAL, HARD };

constexpr int NUM_STRENGTHS = 4;

// The strengths in the order a player goes through them, easiest first.
constexpr Strength EASIEST = Strength::EASY;
constexpr Strength HARDEST = Strength::HARD;

// The next harder strength; after the hardest, the easiest again.
Strength next_strength(Strength strength);

// The strength's name in plain lower-case English ("easy", "casual",
// "normal", "hard"), for the tournament's and the tests' reports; the
// screens name each strength in a translated text of their own.
const char *strength_name(Strength strength);

// choose_move and plan_trades of computer.h at a chosen strength; NORMAL
// gives exactly what the two-argument forms give.
int choose_move(const Game &game, const int offers[], int offer_count, Strength strength);
int plan_trades(const Game &game, Trade trades[], int max, Strength strength);
