// The pauses of a computer's turn: each step stays on the screen long
// enough for the people at the terminal to follow it, and a person's key
// ends the pause early. Q and Ctrl-C ask to quit as at the move prompt,
// Ctrl-L repaints, and S, C, ? and R (the record, in a game with computer
// seats) open their windows: the step waits until the window is closed,
// then stays on the screen again for its time. Any other key is not used
// otherwise.
#include "screens/screens.h"

// A step of a computer's turn: shown for `milliseconds`, or until a key.
// `from` is the prompt whose keys the help shows.
void computer_pause(int milliseconds, HelpFrom from) {
    for (;;) {
        const int key = pause_for_key(milliseconds);
        if (key == CTRL_C || ascii_upper(key) == 'Q') {
            confirm_quit();
            return;
        }
        const int upper = ascii_upper(key);
        const bool window =
            upper == 'S' || upper == 'C' || key == '?' || (upper == 'R' && any_computer_seat());
        if (!window) return;
        serve_hotkey(key, from);
        // The cursor stands where the step left it in the general window.
        wnoutrefresh(general_window);
    }
}

// Whether every seat is the computer's: then nobody need press a key to go
// on, and announcements go on by themselves.
bool every_seat_computer() {
    for (int p = 0; p < game.num_players; ++p) {
        if (!computer_seat[p]) return false;
    }
    return game.num_players > 0;
}
