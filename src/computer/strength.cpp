// Choosing a strength, and what the strengths share.
#include "computer/strength.h"

#include "computer/thinking.h"

namespace {

std::uint64_t mix(std::uint64_t hash, std::int64_t value) {
    return (hash ^ static_cast<std::uint64_t>(value)) * 0x100000001B3ULL;
}

}  // namespace

Strength next_strength(Strength strength) {
    switch (strength) {
        case Strength::NORMAL: return Strength::STRONG;
        case Strength::STRONG: return Strength::EASY;
        case Strength::EASY: return Strength::NORMAL;
    }
    return Strength::NORMAL;
}

const char *strength_name(Strength strength) {
    switch (strength) {
        case Strength::EASY: return "easy";
        case Strength::NORMAL: return "normal";
        case Strength::STRONG: return "strong";
    }
    return "normal";
}

int choose_move(const Game &game, const int offers[], int offer_count, Strength strength) {
    switch (strength) {
        case Strength::EASY: return easy_move(game, offers, offer_count);
        case Strength::STRONG: return strong_move(game, offers, offer_count);
        case Strength::NORMAL: break;
    }
    return choose_move(game, offers, offer_count);
}

int plan_trades(const Game &game, Trade trades[], int max, Strength strength) {
    switch (strength) {
        case Strength::EASY: return easy_trades(game, trades, max);
        case Strength::STRONG: return strong_trades(game, trades, max);
        case Strength::NORMAL: break;
    }
    return plan_trades(game, trades, max);
}

SeededRandom generator_from(const Game &game, std::uint64_t salt) {
    std::uint64_t hash = mix(0xCBF29CE484222325ULL, static_cast<std::int64_t>(salt));
    for (const char sector : game.galaxy) hash = mix(hash, sector);
    for (const Company &company : game.companies) hash = mix(mix(hash, company.price), company.size);
    for (int j = 0; j < game.num_players; ++j) {
        const Player &player = game.players[j];
        for (const int holding : player.holdings) hash = mix(hash, holding);
        hash = mix(hash, player.cash);
    }
    hash = mix(mix(hash, game.num_players), game.current_player);
    return SeededRandom{hash};
}
