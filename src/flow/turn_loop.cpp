// The turn loop: each step applies a rule to the game, then shows what it did.
#include "flow/flow.h"
#include "rules/rules.h"

// Plays turns until the end-of-game test holds, or until no sector can be
// offered any more.
void play_game() {
    MoveReport report;
    for (;;) {
        const int pos = get_move();
        if (pos < 0) return;
        do_move(game, pos, c_library_random(), report);
        show_move(report);
        pay_dividends(game);
        if (game_over(game)) return;
        trade_stock();
        end_turn(game);
    }
}
