// The keys that the move prompt and the trading dialog both serve: S shows
// the standings, C the company report, ? the help of the prompt it came
// from, R the game's record (in a game with computer seats; in any other it
// is not a key), Q or Ctrl-C asks to quit, and Ctrl-L repaints the screen.
// Letters count in either case.
#include "screens/screens.h"
#include "terminal/messages.h"

Hotkey serve_hotkey(int key, HelpFrom from, const Game &game, const Table &table) {
    const int upper = ascii_upper(key);
    if (key == CTRL_C || upper == 'Q') {
        confirm_quit(game, table.record);
        return Hotkey::SHOWN;
    }
    if (key == CTRL_L) {
        redraw_all();
        return Hotkey::REPAINTED;
    }
    // While the terminal is too small for the layout, the note that says so
    // stands instead of the window.
    if (upper == 'S') {
        // TRANSLATORS: the title of the standings in the game: at most 54
        // columns with its blanks at both ends.
        if (!note_too_small()) show_standings(game, translation_within(N_(" Current Standings "), 54));
        return Hotkey::SHOWN;
    }
    if (upper == 'C') {
        if (!note_too_small()) more_coinfo(game);
        return Hotkey::SHOWN;
    }
    if (upper == 'R' && any_computer_seat(table)) {
        if (!note_too_small()) show_record(game, table.record);
        return Hotkey::SHOWN;
    }
    if (key == '?') {
        if (!note_too_small()) show_help(from);
        return Hotkey::SHOWN;
    }
    return Hotkey::NONE;
}
