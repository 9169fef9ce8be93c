// The turn loop: the course of a turn (src/rules/course.cpp) played on the
// game being played, each seat's choice and trades made on the screens and
// each claim shown there.
#include "flow/flow.h"
#include "rules/course.h"

namespace {

int choose_on_screen(void *, const Game &, const int offers[], int offer_count) {
    return get_move(offers, offer_count);
}

void show_on_screen(void *, const Game &, const MoveReport &report) { show_move(report); }

void trade_on_screen(void *, Game &) { trade_stock(); }

}  // namespace

// Plays turns until the end-of-game test holds, or until no sector can be
// offered any more.
void play_game() {
    const TurnSeat screens{choose_on_screen, show_on_screen, trade_on_screen, nullptr};
    while (play_turn(game, c_library_random(), screens)) {
    }
}
