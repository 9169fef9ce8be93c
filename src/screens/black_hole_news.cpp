// The announcements of black holes: a lost site, or a company swallowed.
// (Screen; the rule is src/rules/black_hole.cpp.)
#include "screens/screens.h"
#include "terminal/messages.h"

namespace {

// The last line of both announcements.
const char *sucked_in() {
    // TRANSLATORS: the last line of the announcements of a black hole: at
    // most 76 columns.
    return N_("has been sucked into a black hole!");
}

}  // namespace

// A lone sector claimed next to a black hole.
void announce_lost_site() {
    // TRANSLATORS: the title of an announcement, on the general window's top
    // border: at most 76 columns with its blanks at both ends.
    general_header(translation_within(N_(" Special Announcement! "), screen_cols - 4), 1);
    const int width = screen_cols - 2;
    wattr_on(general_window, A_BOLD, nullptr);
    // TRANSLATORS: the announcement of a sector lost to a black hole, two
    // lines: this, then "has been sucked into a black hole!"; at most 76
    // columns each.
    const char *placed = N_("The new company site just placed");
    center_text(general_window, width, 2, translation_within(placed, width - 2));
    center_text(general_window, width, 3, translation_within(sucked_in(), width - 2));
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(8);
}

// A company swallowed by a black hole: one just founded by this move, or
// one that existed, whose loss the panel shows.
void announce_swallowed_company(const Game &game, const Event &event) {
    const bool existed = event.kind == EventKind::SWALLOWED;
    // TRANSLATORS: the title of an announcement, on the general window's top
    // border: at most 76 columns with its blanks at both ends.
    general_header(translation_within(N_(" Special Announcement! "), screen_cols - 4), 1);
    const int width = screen_cols - 2;
    wattr_on(general_window, A_BOLD, nullptr);
    // TRANSLATORS: the announcement of a company swallowed by a black hole,
    // three lines: this, the company's name, then "has been sucked into a
    // black hole!"; at most 76 columns each.
    const char *named = existed ? N_("The company named")
                                // TRANSLATORS: as "The company named", for a company that
                                // was being founded by the move: at most 76 columns.
                                : N_("The company that would have been named");
    center_text(general_window, width, 2, translation_within(named, width - 2));
    center_text(general_window, width, 3, game.companies[event.company].name);
    center_text(general_window, width, 4, translation_within(sucked_in(), width - 2));
    if (existed) {
        // TRANSLATORS: under the announcement of a swallowed company: at most 76 columns.
        const char *lost = N_("All players' holdings lost.");
        center_text(general_window, width, 6, translation_within(lost, width - 2));
        show_panel(game, event.companies);
    }
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(8);
}
