// The announcement of a two-for-one stock split. (Screen; the split itself
// is src/rules/split.cpp.)
#include "screens/screens.h"

#include <cstdio>

// Announces a split, with the panel showing the halved price and the
// doubled holding.
void announce_split(const Event &split) {
    general_header(" Special Announcement! ", 1);
    wattr_on(general_window, A_BOLD, nullptr);
    char line[80 + NAME_SIZE];
    std::snprintf(line, sizeof line, "The stock of %s", game.companies[split.company].name);
    center_text(general_window, screen_cols - 2, 2, line);
    center_text(general_window, screen_cols - 2, 3, "has split two-for-one!");
    wattr_off(general_window, A_BOLD, nullptr);
    show_panel(split.companies);
    wait_key(6);
}
