// The end of the game and the passing of turns. (Rules; the turn loop
// that shows them is src/flow/turn_loop.cpp.)
#include "rules/rules.h"

// The number of sectors that are not open space.
int count_occupied(const Game &game) {
    int occupied = 0;
    for (const char sector : game.galaxy) {
        if (sector != SECTOR_EMPTY) ++occupied;
    }
    return occupied;
}

// The sectors the companies hold together.
std::int64_t company_sectors(const Game &game) {
    std::int64_t total = 0;
    for (const Company &company : game.companies) total += company.size;
    return total;
}

// The game is over once the companies hold more than 53% of the map while
// at least four sectors are still open.
bool game_over(const Game &game) {
    const bool share_reached = company_sectors(game) * 100 / MAP_CELLS >= END_SHARE_PERCENT;
    const bool room_left = count_occupied(game) <= MAP_CELLS - 4;
    return share_reached && room_left;
}

// Sectors still to be added before the companies hold enough of the map to
// end the game.
int sectors_remaining(const Game &game) {
    return clamp_int(MAP_CELLS * END_SHARE_PERCENT / 100 - company_sectors(game) + 1);
}

// The turn passes to the next player in index order.
void end_turn(Game &game) { game.current_player = (game.current_player + 1) % game.num_players; }
