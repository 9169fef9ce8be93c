// The easy strength: a newcomer's opponent. It claims the offer that raises
// its own net worth most at once, but now and then one of the others at
// random, as a newcomer who has not yet seen what each sector does; it never
// claims a sector that sends a company it holds into a black hole while
// another offer is open. It keeps what it holds and puts its cash in the
// largest company. Its draws come from a generator of its own, seeded from
// the game.
#include <limits>

#include "computer/thinking.h"
#include "rules/course.h"
#include "rules/rules.h"

namespace {

// One claim in this many is taken at random among the sensible offers.
constexpr int CARELESS_ONE_IN = 3;

// The net worth an offer leaves, or nothing at all when it swallows a
// company of its own (`self` points at the game before the claim).
double worth_unless_swallowed(void *self, const Game &after, const MoveReport &report, int, int me,
                              SeededRandom &) {
    const Game &before = **static_cast<const Game **>(self);
    if (swallows_own(before, report)) return -std::numeric_limits<double>::infinity();
    return static_cast<double>(net_worth(after, me));
}

}  // namespace

int easy_move(const Game &game, const int offers[], int offer_count) {
    if (offer_count <= 1) return 0;
    SeededRandom generator = strength_generator(game, Strength::EASY);
    const Game *before = &game;
    double worth[NUM_MOVES];
    const int best = weigh_offers(game, offers, offer_count, generator,
                                  OfferJudge{worth_unless_swallowed, &before}, worth);
    int sensible[NUM_MOVES];
    int sensible_count = 0;
    for (int k = 0; k < offer_count; ++k) {
        if (worth[k] > -std::numeric_limits<double>::infinity()) sensible[sensible_count++] = k;
    }
    if (sensible_count == 0) return 0;  // every offer swallows a company of its own
    const Random random = seeded_random(generator);
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
