// The game's flow on top of everything: the command line, start-up and the
// main screen, the game's creation, and the turn loop.
#pragma once

#include "screens/screens.h"

// What the command line asks for.
enum class Launch { AUTO_COLOR, FORCE_COLOR, MONOCHROME, SHOW_VERSION, USAGE_ERROR };

// command_line.cpp
Launch parse_command_line(int argc, const char *const argv[]);
void handle_command_line(Launch launch);

// startup.cpp
void start_curses(Launch launch);
void draw_title_bar();
void draw_main_screen();

// init.cpp
void init_game();
void read_screen_size();

// turn_loop.cpp
void play_game();
