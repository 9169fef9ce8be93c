// Ending the game: final standings, the terminal restored, the banner.
#include "game/game.h"
#include "market/market.h"
#include "ui/messages.h"
#include "ui/ui.h"

#include <cstdio>

void shutdown() {
    // TRANSLATORS: the title of the final standings: at most 54 columns with
    // its blanks at both ends.
    show_standings(translation_within(N_(" GAME OVER - Final Standings "), 54));
    close_game();
}

// Deletes the windows, restores the terminal and prints the banner.
void close_game() {
    delwin(map_window);
    delwin(coinfo_window);
    delwin(general_window);
    map_window = coinfo_window = general_window = nullptr;
    restore_terminal(true);
    write_visible(stdout, version_banner());
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
