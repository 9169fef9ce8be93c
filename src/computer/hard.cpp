// The hard strength: it looks a round further ahead than the normal one,
// and does not take its opponents for copies of itself. It first weighs
// each offer as the normal strength does and keeps the best few that
// neither lose the sector to a black hole nor send a company it holds into
// one. For each of those it plays the rest of its turn with the normal
// strength's trades, then every other player's next turn through the
// course of a game, over several futures: in some an opponent plays as the
// normal strength, in the others as a player who takes what pays at once.
// Every offer kept meets the same futures. It takes the offer whose
// futures the normal judgement likes best on average. Its trades are the
// normal strength's: they already put its worth where it grows most until
// its next trade.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "computer/thinking.h"
#include "rules/course.h"
#include "rules/rules.h"

namespace {

// The offers, best first by the normal judgement, that are played further.
constexpr int KEPT_OFFERS = 3;
// The other players' turns played for each offer kept, over all futures:
// six futures of one turn in two seats, two futures of three in four.
constexpr int FUTURE_TURNS = 6;

constexpr double NOTHING = -std::numeric_limits<double>::infinity();

// A player of the futures: `strength` chooses and trades for it.
int model_choice(void *self, const Game &game, const int offers[], int offer_count) {
    return choose_move(game, offers, offer_count, *static_cast<const Strength *>(self));
}

void model_trades(void *self, Game &game) {
    Trade trades[MAX_TRADES];
    const int count = plan_trades(game, trades, MAX_TRADES, *static_cast<const Strength *>(self));
    for (int t = 0; t < count; ++t) apply_trade(game, trades[t].company, trades[t].amount);
}

TurnSeat model_seat(Strength &strength) { return TurnSeat{model_choice, nullptr, model_trades, &strength}; }

// What the look-ahead knows: the game before the claim, the normal
// judgement of each offer, which offers it plays further, and the seed of
// the futures every kept offer meets.
struct LookAhead {
    const Game *before;
    double normal[NUM_MOVES];
    bool kept[NUM_MOVES];
    std::uint64_t seed;
};

// Whether the claim lost the sector to a black hole or sent a company the
// mover held into one.
bool into_black_hole(const Game &before, const MoveReport &report) {
    return (report.event_count > 0 && report.events[0].kind == EventKind::SITE_LOST) ||
           swallows_own(before, report);
}

// The normal judgement of an offer, nothing for one into a black hole.
double first_look(void *self, const Game &after, const MoveReport &report, int, int me, SeededRandom &) {
    const LookAhead &ahead = *static_cast<const LookAhead *>(self);
    if (into_black_hole(*ahead.before, report)) return NOTHING;
    return judge_position(after, me);
}

// The normal judgement of a kept offer once the rest of the turn and every
// other player's next turn are played, averaged over the futures.
double look_further(void *self, const Game &after, const MoveReport &, int k, int me, SeededRandom &) {
    const LookAhead &ahead = *static_cast<const LookAhead *>(self);
    if (!ahead.kept[k]) return NOTHING;
    Game mine = after;
    // The kinds of player in the futures: thoughtful as the normal strength,
    // hasty as the casual one.
    Strength thoughtful = Strength::NORMAL;
    Strength hasty = Strength::CASUAL;
    if (!finish_turn(mine, model_seat(thoughtful))) return ahead.normal[k];
    const int opponents = std::max(1, after.num_players - 1);
    const int futures = std::max(1, FUTURE_TURNS / opponents);
    double total = 0.0;
    for (int f = 0; f < futures; ++f) {
        SeededRandom generator{ahead.seed + static_cast<std::uint64_t>(f)};
        const Random random = seeded_random(generator);
        Game line = mine;
        for (int turn = 0; line.current_player != me; ++turn) {
            // Thoughtful and hasty opponents in turn, each future starting
            // with the other kind.
            Strength &model = (f + turn) % 2 == 0 ? thoughtful : hasty;
            if (!play_turn(line, random, model_seat(model))) break;
        }
        total += judge_position(line, me);
    }
    return total / futures;
}

}  // namespace

int hard_move(const Game &game, const int offers[], int offer_count) {
    if (offer_count <= 1) return 0;
    SeededRandom generator = strength_generator(game, Strength::HARD);
    LookAhead ahead{&game, {}, {}, 0};
    const int first =
        weigh_offers(game, offers, offer_count, generator, OfferJudge{first_look, &ahead}, ahead.normal);
    if (ahead.normal[first] == NOTHING) return choose_move(game, offers, offer_count);

    // The best few, the earlier of equal offers first (an insertion sort of
    // at most five: no heap).
    int order[NUM_MOVES];
    for (int k = 0; k < offer_count; ++k) {
        int slot = k;
        for (; slot > 0 && ahead.normal[order[slot - 1]] < ahead.normal[k]; --slot)
            order[slot] = order[slot - 1];
        order[slot] = k;
    }
    for (int r = 0; r < offer_count; ++r) {
        ahead.kept[order[r]] = r < KEPT_OFFERS && ahead.normal[order[r]] != NOTHING;
    }
    ahead.seed = generator.state;
    return weigh_offers(game, offers, offer_count, generator, OfferJudge{look_further, &ahead});
}

int hard_trades(const Game &game, Trade trades[], int max) { return plan_trades(game, trades, max); }
