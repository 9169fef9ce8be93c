// vegatrade: a turn-based space-trading game for one to four players.
#include "flow/flow.h"

int main(int argc, char *argv[]) {
    start_messages();
    const Launch launch = parse_command_line(argc, argv);
    handle_command_line(launch);
    start_curses(launch);
    init_game();
    setup_players();
    draw_main_screen();
    play_game();
    shutdown();
    return 0;
}
