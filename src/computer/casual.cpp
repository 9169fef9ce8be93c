// The casual strength: a player who has just learnt the rules. It claims
// the offer that puts it furthest ahead of its richest rival at once, never
// one that sends a company it holds into a black hole or loses the sector
// to one while another offer is open; it keeps what it holds and puts its
// cash in the largest company, as the easy strength does.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "computer/thinking.h"
#include "rules/rules.h"

namespace {

// The lead an offer gives at once over the richest other player; nothing
// at all when it swallows a company of its own or is lost to a black hole
// (`self` points at the game before the claim).
double lead_unless_lost(void *self, const Game &after, const MoveReport &report, int, int me,
                        SeededRandom &) {
    const Game &before = **static_cast<const Game **>(self);
    const bool lost = report.event_count > 0 && report.events[0].kind == EventKind::SITE_LOST;
    if (lost || swallows_own(before, report)) return -std::numeric_limits<double>::infinity();
    std::int64_t rival = 0;
    for (int j = 0; j < after.num_players; ++j) {
        if (j != me) rival = std::max(rival, net_worth(after, j));
    }
    return static_cast<double>(net_worth(after, me) - rival);
}

}  // namespace

int casual_move(const Game &game, const int offers[], int offer_count) {
    SeededRandom generator = strength_generator(game, Strength::CASUAL);
    const Game *before = &game;
    return weigh_offers(game, offers, offer_count, generator, OfferJudge{lead_unless_lost, &before});
}

int casual_trades(const Game &game, Trade trades[], int max) { return easy_trades(game, trades, max); }
