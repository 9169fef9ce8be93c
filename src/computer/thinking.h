// What the strengths share inside the computer player: each strength's
// choices, its own generator, the one way every strength weighs its offers,
// and the normal strength's judgement of a position.
#pragma once

#include "computer/computer.h"
#include "computer/strength.h"
#include "rules/rules.h"

// The strength's own generator, seeded from everything the rules read and
// from a start of the strength's own, so the same game always gives the
// same draws, each strength has draws of its own, and the game's generator
// is never touched.
SeededRandom strength_generator(const Game &game, Strength strength);

// How a strength judges the game `after` the current player `me` claimed
// offer `k` (the claim's report in `report`): the higher, the better for
// `me`. `generator` is the one the claim drew from.
struct OfferJudge {
    double (*judge)(void *self, const Game &after, const MoveReport &report, int k, int me,
                    SeededRandom &generator);
    void *self;
};

// Claims each offer on a copy of `game` (a merger's tie drawn from
// `generator`, which goes on through every claim and judgement in offer
// order), judges it with `judge`, and returns the index of the best: the
// first of equal ones. With `scores` it keeps each offer's score there.
// A single offer is taken without a look.
int weigh_offers(const Game &game, const int offers[], int offer_count, SeededRandom &generator,
                 const OfferJudge &judge, double scores[] = nullptr);

// How far `me` is expected to stand ahead of its richest rival at its next
// trade, as the normal strength judges a game in which `me` has just moved:
// its worth put where it grows most, over the other players' claims and
// its own next one. At the end of the game, its lead in net worth.
double judge_position(const Game &game, int me);

// Whether the claim in `report` swallowed a company in which the mover held
// shares just before (`before` is the game before the claim).
bool swallows_own(const Game &before, const MoveReport &report);

int easy_move(const Game &game, const int offers[], int offer_count);
int easy_trades(const Game &game, Trade trades[], int max);

int casual_move(const Game &game, const int offers[], int offer_count);
int casual_trades(const Game &game, Trade trades[], int max);

int hard_move(const Game &game, const int offers[], int offer_count);
int hard_trades(const Game &game, Trade trades[], int max);
