// Ending the game: final standings, the terminal restored, the banner.
#include "game/game.h"
#include "market/market.h"
#include "ui/ui.h"

#include <cstdio>

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
