// Showing a move: the sectors it changed, the panel, and an announcement
// with its pause for each event, in the order the rules report them.
// (Screen; the move itself is src/rules/move.cpp.)
#include "screens/screens.h"
#include "terminal/messages.h"

#include <cstdio>

// Shows what a move did, event by event. Each event's sectors are painted
// first; the panel is shown where the event changed what it shows.
void show_move(const Game &game, const MoveReport &report) {
    for (int e = 0; e < report.event_count; ++e) {
        const Event &event = report.events[e];
        for (int c = event.first_change; c < event.end_change; ++c) {
            draw_sector(report.changes[c].pos, report.changes[c].symbol);
        }
        wnoutrefresh(map_window);
        switch (event.kind) {
            case EventKind::OUTPOST: break;
            case EventKind::SITE_LOST: announce_lost_site(); break;
            case EventKind::FOUNDED:
                show_panel(game, event.companies);
                announce_new_company(game, event.company);
                break;
            case EventKind::FOUNDING_SWALLOWED:
            case EventKind::SWALLOWED: announce_swallowed_company(game, event); break;
            case EventKind::GREW: show_panel(game, event.companies); break;
            case EventKind::MERGED:
                announce_merger(game, event.company, event.absorbed);
                show_stock_exchange(game, event);
                break;
            case EventKind::SPLIT: announce_split(game, event); break;
        }
    }
}

// The announcement of a newly founded company.
void announce_new_company(const Game &game, int company) {
    // TRANSLATORS: the title of an announcement, on the general window's top
    // border: at most 76 columns with its blanks at both ends.
    general_header(translation_within(N_(" Special Announcement! "), screen_cols - 4), 1);
    const int room = screen_cols - 4;
    wattr_on(general_window, A_BOLD, nullptr);
    // TRANSLATORS: the announcement of a new company: at most 76 columns.
    const char *formed = N_("A new shipping company has been formed!");
    center_text(general_window, screen_cols - 2, 2, translation_within(formed, room));
    char line[256];
    // TRANSLATORS: the new company's name (at most 20 columns) in its
    // announcement: at most 56 columns without the name.
    format_within(line, sizeof line, room, N_("Its name is %s"), game.companies[company].name);
    center_text(general_window, screen_cols - 2, 4, line);
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(7);
}
