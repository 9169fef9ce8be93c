// The turn loop and the end-of-game test.
#include "galaxy/galaxy.h"
#include "game/game.h"
#include "market/market.h"

// Plays turns until the end-of-game test holds, or until no sector can be
// offered any more.
void play_game() {
    for (;;) {
        const int pos = get_move();
        if (pos < 0) return;
        do_move(pos);
        pay_dividends();
        if (game_over()) return;
        trade_stock();
        current_player = (current_player + 1) % num_players;
    }
}

// The number of sectors that are not open space.
int count_occupied() {
    const int cells = map_width * map_height;
    int occupied = 0;
    for (int pos = 0; pos < cells; ++pos) {
        if (galaxy[pos] != SECTOR_EMPTY) ++occupied;
    }
    return occupied;
}

// The game is over once the companies hold more than 53% of the map while
// at least four sectors are still open.
int game_over() {
    const int cells = map_width * map_height;
    std::int64_t total = 0;
    for (int i = 0; i < NUM_COMPANIES; ++i) total += companies[i].size;
    const bool share_reached = total * 100 / cells >= 54;
    const bool room_left = count_occupied() <= cells - 4;
    return share_reached && room_left ? 1 : 0;
}
