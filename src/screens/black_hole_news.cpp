// The announcements of black holes: a lost site, or a company swallowed.
// (Screen; the rule is src/rules/black_hole.cpp.)
#include "screens/screens.h"

// A lone sector claimed next to a black hole.
void announce_lost_site() {
    general_header(" Special Announcement! ", 1);
    const int width = screen_cols - 2;
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 2, "The new company site just placed");
    center_text(general_window, width, 3, "has been sucked into a black hole!");
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(8);
}

// A company swallowed by a black hole: one just founded by this move, or
// one that existed, whose loss the panel shows.
void announce_swallowed_company(const Event &event) {
    const bool existed = event.kind == EventKind::SWALLOWED;
    general_header(" Special Announcement! ", 1);
    const int width = screen_cols - 2;
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 2, existed ? "The company named" : "The company that would have been named");
    center_text(general_window, width, 3, game.companies[event.company].name);
    center_text(general_window, width, 4, "has been sucked into a black hole!");
    if (existed) {
        center_text(general_window, width, 6, "All players' holdings lost.");
        show_panel(event.companies);
    }
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(8);
}
