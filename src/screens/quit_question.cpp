// The quit confirmation, and leaving before the game.
#include "screens/screens.h"

#include <cstdlib>

namespace {

constexpr int QUIT_STATUS = 2;

}  // namespace

// Asks whether to quit. A yes ends the game with the final standings and
// exit status 2; any other key closes the window and returns.
void confirm_quit() {
    constexpr int rows = 5;
    constexpr int columns = 42;
    WINDOW *window = open_dialog(rows, columns, scheme_attr(pair_attr(PAIR_RED), A_BOLD),
                                 "vegatrade: couldn't open window for y/n prompt\n");
    put_text_attr_at(window, 0, 14, scheme_attr(pair_attr(PAIR_BLACK_ON_RED), A_REVERSE), " Really Quit? ");
    put_text_attr_at(window, 2, 2, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW), A_NORMAL),
                     "Are you sure you want to quit (y/n)? ");
    int key = wait_dialog_key(window);
    key = ascii_upper(key);
    delete_dialog(window);
    if (key == 'Y') {
        shutdown();
        std::exit(QUIT_STATUS);
    }
    // The question stands over the map and the panel only.
    restage({map_window, coinfo_window});
}

// Ctrl-C at the number prompt or a name: leaves at once as a confirmed quit
// does, without standings, since no game was played.
void quit_before_game() {
    close_game();
    std::exit(QUIT_STATUS);
}
