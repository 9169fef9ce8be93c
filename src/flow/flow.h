// Game flow: start-up, the game state's creation, the title screen, the turn
// loop and the end of the game.
#pragma once

#include "screens/screens.h"

// What the command line asks for.
enum class Launch { AUTO_COLOR, FORCE_COLOR, MONOCHROME, SHOW_VERSION, USAGE_ERROR };

// The three lines of the warranty notice (58, 54 and 54 characters).
inline constexpr const char *NOTICE_LINES[3] = {
    "This program is free software, and comes with NO WARRANTY.",
    "You may share and change it under the MIT License; see",
    "/usr/share/doc/vegatrade/copyright (or /usr/local/...)",
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
