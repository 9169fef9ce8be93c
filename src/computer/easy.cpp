// The easy strength: a newcomer's opponent. It claims the offer that raises
// its own net worth most at once, but now and then one of the others at
// random, as a newcomer who has not yet seen what each sector does; it never
// claims a sector that sends a company it holds into a black hole while
// another offer is open. It keeps what it holds and puts its cash in the
// largest company. Its draws come from a generator of its own, seeded from
// the game.
#include <cstdint>

#include "computer/thinking.h"
#include "rules/course.h"
#include "rules/rules.h"

namespace {

// Told apart from the other strengths' generators.
constexpr std::uint64_t EASY_SALT = 0xEA5E;
// One claim in this many is taken at random among the sensible offers.
constexpr int CARELESS_ONE_IN = 3;

// Whether the move reported swallowed a company in which the mover held
// shares just before.
bool swallows_own(const Game &before, const MoveReport &report) {
    const int me = before.current_player;
    for (int e = 0; e < report.event_count; ++e) {
        const Event &event = report.events[e];
        if (event.kind != EventKind::SWALLOWED) continue;
        const int held = e > 0 ? report.events[e - 1].companies[event.company].holding
                               : before.players[me].holdings[event.company];
        if (held > 0) return true;
    }
    return false;
}

}  // namespace

int easy_move(const Game &game, const int offers[], int offer_count) {
    if (offer_count <= 1) return 0;
    const int me = game.current_player;
    SeededRandom generator = generator_from(game, EASY_SALT);
    Random random = seeded_random(generator);
    MoveReport report;
    int sensible[NUM_MOVES];
    int sensible_count = 0;
    int best = -1;
    std::int64_t best_worth = 0;
    for (int k = 0; k < offer_count; ++k) {
        Game copy = game;
        claim_sector(copy, offers[k], random, report);
        if (swallows_own(game, report)) continue;
        const std::int64_t worth = net_worth(copy, me);
        sensible[sensible_count++] = k;
        if (best < 0 || worth > best_worth) {
            best = k;
            best_worth = worth;
        }
    }
    if (best < 0) return 0;  // every offer swallows a company of its own
    if (random.next() % CARELESS_ONE_IN == 0) return sensible[random.next() % sensible_count];
    return best;
}

int easy_trades(const Game &game, Trade trades[], int max) {
    if (max <= 0) return 0;
    int target = -1;
    for (int c = 0; c < NUM_COMPANIES; ++c) {
        const Company &company = game.companies[c];
        if (company.size == 0) continue;
        if (target < 0 || company.size > game.companies[target].size ||
            (company.size == game.companies[target].size && company.price > game.companies[target].price)) {
            target = c;
        }
    }
    if (target < 0) return 0;
    int low = 0;
    int high = 0;
    trade_range(game, target, low, high);
    if (high <= 0) return 0;
    trades[0] = Trade{target, high};
    return 1;
}
