// The pauses of a computer's turn: each step stays on the screen long
// enough for the people at the terminal to follow it, and a person's key
// ends the pause early. Q and Ctrl-C ask to quit as at the move prompt, and
// Ctrl-L repaints; any other key is not used otherwise.
#include "screens/screens.h"

// A step of a computer's turn: shown for `milliseconds`, or until a key.
void computer_pause(int milliseconds) {
    const int key = pause_for_key(milliseconds);
    if (key == CTRL_C || ascii_upper(key) == 'Q') confirm_quit();
}

// Whether every seat is the computer's: then nobody need press a key to go
// on, and announcements go on by themselves.
bool every_seat_computer() {
    for (int p = 0; p < game.num_players; ++p) {
        if (!computer_seat[p]) return false;
    }
    return game.num_players > 0;
}
