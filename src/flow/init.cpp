// Creating the game: the layout size, a new game on a random galaxy, and the
// three windows of the main screen.
#include "flow/flow.h"
#include "rules/course.h"

#include <cstdlib>

namespace {

// The three windows of the main screen: map and company panel side by side
// under the title bar, the general window below them. The sizes are formed
// in 64 bits: a layout size near INT_MIN must not wrap to a valid one.
void create_windows() {
    const std::int64_t lines = screen_lines;
    const std::int64_t columns = screen_cols;
    map_window = create_window(map_height + 2, map_width * 3 + 2, 1, 1,
                               // TRANSLATORS: a fatal message on standard error, after the
                               // game has left the screen: "vegatrade: " stays; no room
                               // limit. The map is the galaxy's window at the top left.
                               _("vegatrade: can't create map window\n"));
    general_window =
        create_window(clamp_int(lines - map_height - 4), clamp_int(columns - 2), map_height + 3, 1,
                      // TRANSLATORS: a fatal message on standard error, as the
                      // one above. The general window is the one at the bottom
                      // that holds the prompts and the announcements.
                      _("vegatrade: can't create general window\n"));
    coinfo_window =
        create_window(map_height + 2, clamp_int(columns - map_width * 3 - 4), 1, map_width * 3 + 3,
                      // TRANSLATORS: a fatal message on standard error, as the
                      // one above. The company window is the panel beside the
                      // map with each company's price and the mover's holdings.
                      _("vegatrade: can't create company window\n"));
}

}  // namespace

// The layout size: LINES and COLUMNS from the environment when both are
// set, else 25 rows by 80 columns. The terminal's own size is not used.
void read_screen_size() {
    const char *lines = std::getenv("LINES");
    const char *columns = lines != nullptr ? std::getenv("COLUMNS") : nullptr;
    if (lines != nullptr && columns != nullptr) {
        screen_lines = parse_int(lines);
        screen_cols = parse_int(columns);
    } else {
        screen_lines = 25;
        screen_cols = 80;
    }
}

// Builds the game and the screen's windows once; a window that cannot be
// made ends the program. The galaxy is the first thing drawn from rand().
void init_game() {
    read_screen_size();
    open_game(game, c_library_random());
    create_windows();
    // What the terminal layer cannot answer itself: Ctrl-L repaints the
    // game's windows, and Ctrl-C in a name leaves before the game.
    set_key_actions({redraw_all, quit_before_game});
    require_layout_fits();
    keypad(stdscr, TRUE);
    keypad(general_window, TRUE);
}
