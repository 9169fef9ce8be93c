// Ending the game: final standings, the terminal restored, the banner.
#include "screens/screens.h"
#include "terminal/messages.h"

#include <cstdio>

// The one-line version banner, without its newline.
const char *version_banner() {
    static char banner[512];
    // TRANSLATORS: the version banner: the curses library's version, the
    // game's version and its date.
    std::snprintf(banner, sizeof banner, _("Vegatrade for %s v%s %s"), curses_version(), VERSION,
                  VERSION_DATE);
    return banner;
}

// The final standings of `game`, then the end of the program's screen.
void shutdown(const Game &game, const GameRecord &record) {
    // TRANSLATORS: the title of the final standings: at most 54 columns with
    // its blanks at both ends.
    show_standings(game, translation_within(N_(" GAME OVER - Final Standings "), 54), &record);
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
