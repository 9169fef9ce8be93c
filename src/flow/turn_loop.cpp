// The turn loop: the course of a turn (src/rules/course.cpp) played on the
// game being played, each player through their own seat (src/flow/seating.cpp).
#include "flow/flow.h"

// Plays turns until the end-of-game test holds, or until no sector can be
// offered any more.
void play_game(Match &match) {
    while (play_turn(match.game, c_library_random(), match.seats[match.game.current_player])) {
    }
}
