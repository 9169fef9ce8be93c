// Neighbours of a sector and founding sites. (Rules.)
#include <initializer_list>

#include "rules/rules.h"

// The pos of a neighbour, or -1 where the map ends. Rows do not wrap: the
// first sector of a row has no west neighbour, the last no east neighbour.
int neighbor_pos(int pos, Direction direction) {
    switch (direction) {
        case NORTH: return pos - map_width >= 0 ? pos - map_width : -1;
        case SOUTH: return pos + map_width < MAP_CELLS ? pos + map_width : -1;
        case WEST: return pos % map_width != 0 ? pos - 1 : -1;
        case EAST: return pos % map_width != map_width - 1 ? pos + 1 : -1;
    }
    return -1;
}

// The symbol of a neighbour; a missing neighbour counts as open space.
int neighbor_symbol(const Game &game, int pos, Direction direction) {
    const int neighbor = neighbor_pos(pos, direction);
    return neighbor < 0 ? SECTOR_EMPTY : game.galaxy[neighbor];
}

// An open sector next to a star or an outpost and to no company: claiming
// it founds a company.
bool is_founding_site(const Game &game, int pos) {
    if (game.galaxy[pos] != SECTOR_EMPTY) return false;
    bool star_or_outpost = false;
    for (const Direction direction : {NORTH, SOUTH, WEST, EAST}) {
        const int symbol = neighbor_symbol(game, pos, direction);
        if (is_company_letter(symbol)) return false;
        if (symbol == SECTOR_STAR || symbol == SECTOR_OUTPOST) star_or_outpost = true;
    }
    return star_or_outpost;
}
