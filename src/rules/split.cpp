// Two-for-one stock splits. (Rules; src/screens/split_news.cpp announces them.)
#include "rules/report.h"

// Halves a company's price (rounding up) and doubles every player's
// holding in it.
void split_stock(Game &game, int company, MoveReport &report) {
    Event &event = open_event(report, EventKind::SPLIT, company);
    Company &split = game.companies[company];
    split.price = truncate_to_int(as_float_double(split.price) * 0.5 + 0.5);
    for (int j = 0; j < game.num_players; ++j) {
        int &holding = game.players[j].holdings[company];
        holding = clamp_int(std::int64_t{2} * holding);
    }
    close_event(game, event);
}
