// The announcement of a two-for-one stock split. (Screen; the split itself
// is src/rules/split.cpp.)
#include "screens/screens.h"
#include "terminal/messages.h"

#include <cstdio>

// Announces a split, with the panel showing the halved price and the
// doubled holding.
void announce_split(const Game &game, const Event &split) {
    // TRANSLATORS: the title of an announcement, on the general window's top
    // border: at most 76 columns with its blanks at both ends.
    general_header(translation_within(N_(" Special Announcement! "), screen_cols - 4), 1);
    const int room = screen_cols - 4;
    wattr_on(general_window, A_BOLD, nullptr);
    char line[256];
    // TRANSLATORS: the announcement of a split, two lines: this, with the
    // company's name (at most 20 columns), then "has split two-for-one!"
    // (at most 76 columns). This one: at most 56 columns without the name.
    format_within(line, sizeof line, room, N_("The stock of %s"), game.companies[split.company].name);
    center_text(general_window, screen_cols - 2, 2, line);
    // TRANSLATORS: the second line of the announcement of a split: at most 76 columns.
    const char *split_line = N_("has split two-for-one!");
    center_text(general_window, screen_cols - 2, 3, translation_within(split_line, room));
    wattr_off(general_window, A_BOLD, nullptr);
    show_panel(game, split.companies);
    wait_key(6);
}
