// The sectors a player may claim, and the draw of the offers among them.
// (Rules; src/screens/move_prompt.cpp marks them and reads the choice.)
#include "rules/rules.h"

// Whether a sector may be offered: open, and while every company is active,
// not a founding site.
bool is_move_candidate(const Game &game, int pos) {
    return game.galaxy[pos] == SECTOR_EMPTY &&
           !(next_free_company(game) == -1 && is_founding_site(game, pos));
}

// The number of sectors that may be offered this turn.
int count_move_candidates(const Game &game) {
    int count = 0;
    for (int pos = 0; pos < MAP_CELLS; ++pos) {
        if (is_move_candidate(game, pos)) ++count;
    }
    return count;
}

// Chooses the offers and returns how many there are. With five or more
// candidates they are drawn at random, one draw per sector tried; with
// fewer, all of them are offered in map order.
int draw_offers(const Game &game, Random random, int offers[NUM_MOVES]) {
    int count = 0;
    if (count_move_candidates(game) >= NUM_MOVES) {
        while (count < NUM_MOVES) {
            const int pos = random.next() % MAP_CELLS;
            bool taken = false;
            for (int k = 0; k < count; ++k) taken = taken || offers[k] == pos;
            if (taken || !is_move_candidate(game, pos)) continue;
            offers[count++] = pos;
        }
    } else {
        for (int pos = 0; pos < MAP_CELLS; ++pos) {
            if (is_move_candidate(game, pos)) offers[count++] = pos;
        }
    }
    return count;
}
