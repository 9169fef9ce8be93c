// Black holes: a lost site, or a company swallowed with all its shares.
// (Rules; their announcements are in src/screens/black_hole_news.cpp.)
#include "rules/report.h"

void wipe_company(Game &game, int company, MoveReport &report) {
    relabel_sectors(game, report, company_letter(company), SECTOR_EMPTY);
    for (int j = 0; j < game.num_players; ++j) game.players[j].holdings[company] = 0;
    Company &gone = game.companies[company];
    gone.price = 0;
    gone.size = 0;
}

// A lone sector next to a black hole stays open space.
void lose_site(Game &game, int pos, MoveReport &report) {
    Event &event = open_event(report, EventKind::SITE_LOST, -1);
    change_sector(game, report, pos, SECTOR_EMPTY);
    close_event(game, event);
}

// A company whose price fell to 0 or below is swallowed whole.
void swallow_company(Game &game, int company, MoveReport &report) {
    Event &event = open_event(report, EventKind::SWALLOWED, company);
    wipe_company(game, company, report);
    close_event(game, event);
}
