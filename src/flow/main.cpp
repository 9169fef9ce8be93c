// vegatrade: a turn-based space-trading game for one to four players.
#include "flow/flow.h"

int main(int argc, char *argv[]) {
    start_messages();
    const Launch launch = parse_command_line(argc, argv);
    handle_command_line(launch);
    start_curses(launch);
    // The one game of this run, passed to each screen that shows it. Every
    // way out ends the process, so it outlives every screen.
    Match match{};
    init_game(match.game);
    seat_lineup(match, setup_players());
    draw_main_screen(match.game);
    play_game(match);
    shutdown(match.game, match.table.record);
    return 0;
}
