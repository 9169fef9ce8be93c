// What the strengths share inside the computer player: each strength's
// choices, the normal strength's judgement of a position, and the seed of
// a strength's own generator.
#pragma once

#include <cstdint>

#include "computer/computer.h"

// How far `me` is expected to stand ahead of its richest rival at its next
// trade, as the normal strength judges a game in which `me` has just moved:
// its worth put where it grows most, over the other players' claims and
// its own next one. At the end of the game, its lead in net worth.
double judge_position(const Game &game, int me);

// A generator seeded from everything the rules read and from `salt`, so the
// same game always gives the same draws and the game's generator is never
// touched.
SeededRandom generator_from(const Game &game, std::uint64_t salt);

int easy_move(const Game &game, const int offers[], int offer_count);
int easy_trades(const Game &game, Trade trades[], int max);

int strong_move(const Game &game, const int offers[], int offer_count);
int strong_trades(const Game &game, Trade trades[], int max);
