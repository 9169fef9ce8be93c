// The computer's outlook: what each sector that may be claimed next would
// do to each company's shares, and the model of the opponents who claim
// before its own next turn. It plays each of those sectors on a copy of the
// game and follows one share of every company through the move's mergers,
// splits and black holes. Each opponent is taken as a player who mostly
// claims what pays it best, the computer itself as one who will claim the
// best of five random offers.
#include <algorithm>
#include <cstdint>

#include "computer/outlook.h"
#include "rules/rules.h"

namespace {

// How much an opponent's claim follows its own gain rather than chance.
constexpr double OPPONENT_AIM = 0.5;

// The sectors that may be offered.
int list_candidates(const Game &game, int candidates[MAP_CELLS]) {
    int count = 0;
    for (int pos = 0; pos < MAP_CELLS; ++pos) {
        if (is_move_candidate(game, pos)) candidates[count++] = pos;
    }
    return count;
}

// weight[r]: the chance that, of `count` candidates ranked best first, the
// r-th is the best of the offers drawn (five at random, or all of them when
// fewer than five are left).
void best_offer_weights(int count, double weight[]) {
    if (count == 0) return;
    const int drawn = std::min(count, NUM_MOVES);
    weight[0] = static_cast<double>(drawn) / count;
    for (int r = 0; r + 1 < count; ++r) {
        weight[r + 1] = weight[r] * static_cast<double>(count - r - drawn) / (count - 1 - r);
    }
}

// Plays every candidate on a copy and follows one share of each company.
void follow_shares(const Game &game, Outlook &outlook, const int candidates[], SeededRandom &generator) {
    MoveReport report;
    for (int i = 0; i < outlook.count; ++i) {
        Game copy = game;
        do_move(copy, candidates[i], seeded_random(generator), report);
        int holder[NUM_COMPANIES];  // the company a share of c has become shares of
        double shares[NUM_COMPANIES];
        for (int c = 0; c < NUM_COMPANIES; ++c) {
            holder[c] = c;
            shares[c] = 1.0;
            outlook.pool[i][c] = 0.0;
        }
        int founded = -1;
        for (int e = 0; e < report.event_count; ++e) {
            const Event &event = report.events[e];
            switch (event.kind) {
                case EventKind::MERGED:
                    if (holder[event.absorbed] == event.absorbed) {
                        outlook.pool[i][event.absorbed] =
                            static_cast<double>(MERGER_BONUS_FACTOR) * event.companies[event.absorbed].price;
                    }
                    for (int c = 0; c < NUM_COMPANIES; ++c) {
                        if (holder[c] != event.absorbed) continue;
                        holder[c] = event.company;
                        shares[c] *= 0.5;
                    }
                    break;
                case EventKind::SPLIT:
                    for (int c = 0; c < NUM_COMPANIES; ++c) {
                        if (holder[c] == event.company) shares[c] *= 2.0;
                    }
                    break;
                case EventKind::SWALLOWED:
                    for (int c = 0; c < NUM_COMPANIES; ++c) {
                        if (holder[c] == event.company) shares[c] = 0.0;
                    }
                    break;
                case EventKind::FOUNDED: founded = event.company; break;
                default: break;
            }
        }
        for (int c = 0; c < NUM_COMPANIES; ++c) {
            const Company &now = copy.companies[holder[c]];
            outlook.after[i][c] = outlook.price[c] > 0.0 && now.size != 0 ? shares[c] * now.price : 0.0;
        }
        outlook.founding[i] =
            founded >= 0 ? static_cast<double>(FOUNDER_SHARES) * copy.companies[founded].price : 0.0;
        outlook.added[i] =
            static_cast<int>(std::max<std::int64_t>(company_sectors(copy) - company_sectors(game), 0));
    }
}

// The chance that the game is not over when the opponents' claims, with the
// chances in `weight`, have added their company sectors to the map.
double chance_to_last(const Game &game, const Outlook &outlook) {
    const int remaining = sectors_remaining(game);
    if (remaining > MAP_CELLS) return 1.0;
    // lasting[s]: the chance that the claims so far added s sectors, all of
    // them short of the end.
    double lasting[MAP_CELLS + 1] = {};
    lasting[0] = 1.0;
    for (int j = 0; j < outlook.opponents; ++j) {
        double next[MAP_CELLS + 1] = {};
        for (int s = 0; s < remaining; ++s) {
            if (lasting[s] == 0.0) continue;
            for (int i = 0; i < outlook.count; ++i) {
                const int total = s + outlook.added[i];
                if (total < remaining) next[total] += lasting[s] * outlook.opponent_weight[j][i];
            }
        }
        std::copy(next, next + MAP_CELLS + 1, lasting);
    }
    double chance = 0.0;
    for (int s = 0; s < remaining; ++s) chance += lasting[s];
    return chance;
}

// Sorts candidate indexes by a gain, best first.
void rank_by(const double gain[], int count, int order[]) {
    for (int i = 0; i < count; ++i) order[i] = i;
    std::sort(order, order + count,
              [gain](int a, int b) { return gain[a] > gain[b] || (gain[a] == gain[b] && a < b); });
}

}  // namespace

// The gain of the claim's price changes, bonuses, the founder's shares and
// the dividend that follows.
double mover_gain(const Outlook &outlook, int i, const double shares[NUM_COMPANIES],
                  const double others_held[NUM_COMPANIES]) {
    double gain = outlook.founding[i];
    for (int c = 0; c < NUM_COMPANIES; ++c) {
        if (shares[c] <= 0.0) continue;
        gain += shares[c] * (outlook.after[i][c] * (1.0 + DIVIDEND_RATE) - outlook.price[c]);
        if (outlook.pool[i][c] > 0.0) gain += outlook.pool[i][c] * shares[c] / (others_held[c] + shares[c]);
    }
    return gain;
}

void build_outlook(const Game &game, int me, Outlook &outlook, SeededRandom &generator) {
    int candidates[MAP_CELLS];
    outlook.count = list_candidates(game, candidates);
    double held[MAX_PLAYERS][NUM_COMPANIES];
    for (int c = 0; c < NUM_COMPANIES; ++c) {
        const Company &company = game.companies[c];
        outlook.price[c] = company.size != 0 ? company.price : 0.0;
        outlook.others_held[c] = 0.0;
        for (int j = 0; j < game.num_players; ++j) {
            held[j][c] = company.size != 0 ? game.players[j].holdings[c] : 0.0;
            if (j != me) outlook.others_held[c] += held[j][c];
        }
        outlook.opponent_change[c] = 0.0;
        outlook.opponent_pool[c] = 0.0;
    }
    follow_shares(game, outlook, candidates, generator);
    best_offer_weights(outlook.count, outlook.my_weight);
    outlook.opponents = 0;
    outlook.my_turn = 1.0;
    if (outlook.count == 0) return;

    double gain[MAP_CELLS];
    int order[MAP_CELLS];
    for (int j = 0; j < game.num_players; ++j) {
        if (j == me) continue;
        double *claim = outlook.opponent_weight[outlook.opponents++];
        double others[NUM_COMPANIES];
        for (int c = 0; c < NUM_COMPANIES; ++c) others[c] = outlook.others_held[c] + held[me][c] - held[j][c];
        for (int i = 0; i < outlook.count; ++i) gain[i] = mover_gain(outlook, i, held[j], others);
        rank_by(gain, outlook.count, order);
        const double chance = (1.0 - OPPONENT_AIM) / outlook.count;
        for (int r = 0; r < outlook.count; ++r) {
            const int i = order[r];
            const double weight = OPPONENT_AIM * outlook.my_weight[r] + chance;
            claim[i] = weight;
            for (int c = 0; c < NUM_COMPANIES; ++c) {
                outlook.opponent_change[c] += weight * (outlook.after[i][c] - outlook.price[c]);
                outlook.opponent_pool[c] += weight * outlook.pool[i][c];
            }
        }
    }
    outlook.my_turn = chance_to_last(game, outlook);
}
