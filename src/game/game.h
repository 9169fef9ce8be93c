// Game flow: start-up, the game state's creation, the title screen, the turn
// loop and the end of the game.
#pragma once

#include "game/state.h"
#include "ui/messages.h"

// What the command line asks for.
enum class Launch { AUTO_COLOR, FORCE_COLOR, MONOCHROME, SHOW_VERSION, USAGE_ERROR };

// The three lines of the warranty notice (58, 54 and 54 characters),
// translated where they are shown.
inline constexpr const char *NOTICE_LINES[3] = {
    // TRANSLATORS: the warranty notice, three lines under the title screen
    // and after the version banner: at most 76 columns each.
    N_("This program is free software, and comes with NO WARRANTY."),
    // TRANSLATORS: the notice's second line: at most 76 columns.
    N_("You may share and change it under the MIT License; see"),
    // TRANSLATORS: the notice's last line: at most 76 columns. It names the
    // licence file as the package installs it; keep the path.
    N_("/usr/share/doc/vegatrade/copyright (or /usr/local/...)"),
};

// command_line.cpp
Launch parse_command_line(int argc, const char *const argv[]);
const char *version_banner();
void handle_command_line(Launch launch);

// startup.cpp
void start_curses(Launch launch);
void draw_title_bar();
void draw_main_screen();

// init.cpp
void init_game();
void read_screen_size();

// title.cpp
void setup_players();

// turn.cpp
void play_game();

// shutdown.cpp
void shutdown();
void close_game();
