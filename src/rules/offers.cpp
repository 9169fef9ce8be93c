// The sectors a player may claim, and the draw of the offers among them.
#include "rules/rules.h"

namespace {

// Whether a sector may be offered: open, and while every company is active,
// not a founding site.
bool qualifies(const Game &game, int pos, bool all_active) {
    return game.galaxy[pos] == SECTOR_EMPTY && !(all_active && is_founding_site(game, pos));
}

}  // namespace

// The number of sectors that may be offered this turn.
int count_move_candidates(const Game &game) {
    const bool all_active = next_free_company(game) == -1;
    int count = 0;
    for (int pos = 0; pos < MAP_CELLS; ++pos) {
        if (qualifies(game, pos, all_active)) ++count;
    }
    return count;
}

// Chooses the offers and returns how many there are. With five or more
// candidates they are drawn at random, one draw per sector tried; with
// fewer, all of them are offered in map order.
int draw_offers(const Game &game, Random random, int offers[NUM_MOVES]) {
    const bool all_active = next_free_company(game) == -1;
    int count = 0;
    if (count_move_candidates(game) >= NUM_MOVES) {
        while (count < NUM_MOVES) {
            const int pos = random.next() % MAP_CELLS;
            bool taken = false;
            for (int k = 0; k < count; ++k) taken = taken || offers[k] == pos;
            if (taken || !qualifies(game, pos, all_active)) continue;
            offers[count++] = pos;
        }
    } else {
        for (int pos = 0; pos < MAP_CELLS; ++pos) {
            if (qualifies(game, pos, all_active)) offers[count++] = pos;
        }
    }
    return count;
}
