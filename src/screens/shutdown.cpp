// Ending the game: final standings, the terminal restored, the banner.
#include "screens/screens.h"

#include <cstdio>

// The one-line version banner, without its newline.
const char *version_banner() {
    static char banner[160];
    std::snprintf(banner, sizeof banner, "Vegatrade for %s v%s %s", curses_version(), VERSION, VERSION_DATE);
    return banner;
}

void shutdown() {
    show_standings(" GAME OVER - Final Standings ", true);
    close_game();
}

// Deletes the windows, restores the terminal and prints the banner.
void close_game() {
    delwin(map_window);
    delwin(coinfo_window);
    delwin(general_window);
    map_window = coinfo_window = general_window = nullptr;
    restore_terminal(true);
    std::printf("%s\n", version_banner());
    std::fflush(stdout);
}
