// How every strength weighs its offers: each claimed on a copy of the game
// and judged there, the best kept, the first of equal ones; and the one way
// a strength's generator is seeded.
#include <cstdint>

#include "computer/thinking.h"
#include "rules/course.h"

namespace {

constexpr std::uint64_t HASH_START = 0xCBF29CE484222325ULL;

constexpr std::uint64_t mix(std::uint64_t hash, std::int64_t value) {
    return (hash ^ static_cast<std::uint64_t>(value)) * 0x100000001B3ULL;
}

// `hash` with everything the rules read mixed in.
std::uint64_t game_hash(const Game &game, std::uint64_t hash) {
    for (const char sector : game.galaxy) hash = mix(hash, sector);
    for (const Company &company : game.companies) hash = mix(mix(hash, company.price), company.size);
    for (int j = 0; j < game.num_players; ++j) {
        const Player &player = game.players[j];
        for (const int holding : player.holdings) hash = mix(hash, holding);
        hash = mix(hash, player.cash);
    }
    return mix(mix(hash, game.num_players), game.current_player);
}

// Each strength's start of the hash: the normal strength's is the plain
// one, the others have their own salt mixed in.
constexpr std::uint64_t start_of(Strength strength) {
    switch (strength) {
        case Strength::EASY: return mix(HASH_START, 0xEA5E);
        case Strength::CASUAL: return mix(HASH_START, 0xCA5A);
        case Strength::HARD: return mix(HASH_START, 0x4A2D);
        case Strength::NORMAL: break;
    }
    return HASH_START;
}

}  // namespace

SeededRandom strength_generator(const Game &game, Strength strength) {
    return SeededRandom{game_hash(game, start_of(strength))};
}

int weigh_offers(const Game &game, const int offers[], int offer_count, SeededRandom &generator,
                 const OfferJudge &judge, double scores[]) {
    if (offer_count <= 1) return 0;
    const int me = game.current_player;
    MoveReport report;
    int best = 0;
    double best_score = 0.0;
    for (int k = 0; k < offer_count; ++k) {
        Game copy = game;
        claim_sector(copy, offers[k], seeded_random(generator), report);
        const double score = judge.judge(judge.self, copy, report, k, me, generator);
        if (scores != nullptr) scores[k] = score;
        if (k == 0 || score > best_score) {
            best = k;
            best_score = score;
        }
    }
    return best;
}

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
