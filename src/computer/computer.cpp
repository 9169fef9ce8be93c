// The computer player. It judges a game by what every sector that may be
// claimed next would do to each company's shares: it plays each of them on a
// copy of the game and follows one share of every company through the
// move's mergers, splits and black holes. From that it knows how each
// company's shares are expected to grow until its own next trade: over the
// other players' moves, each taken as a player who mostly claims what pays
// them best, and over its own next move, where it will claim the best of
// five random offers for what it holds. Its trades put its whole worth in
// the holdings that grow most; its move is the offer that leaves it
// furthest ahead of its richest rival once that growth is counted.
#include "computer/computer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "rules/rules.h"

namespace {

constexpr double DIVIDEND_RATE = 0.05;
constexpr double BONUS_FACTOR = 10.0;  // a merger shares out ten times the absorbed price
constexpr double FOUNDER_SHARES = 5.0;
// How much an opponent's claim follows its own gain rather than chance.
constexpr double OPPONENT_AIM = 0.5;
// The trades are planned in steps of this fraction of the player's worth.
constexpr int PORTFOLIO_STEPS = 16;
// What is left of a player's wealth when it loses everything, for the
// logarithm that weighs risks.
constexpr double RUIN = 1e-6;

std::uint64_t mix(std::uint64_t hash, std::int64_t value) {
    return (hash ^ static_cast<std::uint64_t>(value)) * 0x100000001B3ULL;
}

// The computer's own generator, seeded from everything the rules read, so
// that the same game gives the same choices and the game's generator is
// never touched. It decides only merger ties inside its look-ahead.
SeededRandom generator_for(const Game &game) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
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

// What the next claim could do to the shares of each company, from one
// player's point of view, with the expectations drawn from it.
struct Outlook {
    int me;
    int count;                               // sectors that may be claimed next
    double price[NUM_COMPANIES];             // 0 for an inactive company
    double others_held[NUM_COMPANIES];       // shares that the other players hold
    double after[MAP_CELLS][NUM_COMPANIES];  // a share's value after the claim of candidate i
    double pool[MAP_CELLS][NUM_COMPANIES];   // the bonus its holders share if it is absorbed
    double founding[MAP_CELLS];              // the founder's shares, to the mover
    double my_weight[MAP_CELLS];             // best_offer_weights for my own next claim
    double opponent_change[NUM_COMPANIES];   // a share's expected change over the opponents' claims
    double opponent_pool[NUM_COMPANIES];     // the expected bonus pool over their claims
    int added[MAP_CELLS];                    // company sectors that candidate i adds
    double my_turn;                          // the chance that the game lasts until my next claim
    int opponents;
    double opponent_weight[MAX_PLAYERS - 1][MAP_CELLS];  // the chance of each opponent's claim
};

// The mover's gain from candidate i, for the holdings `shares` (of which
// the others hold `others_held`): price changes, bonuses, the founder's
// shares and the dividend that follows.
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
                        outlook.pool[i][event.absorbed] = BONUS_FACTOR * event.companies[event.absorbed].price;
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
        outlook.founding[i] = founded >= 0 ? FOUNDER_SHARES * copy.companies[founded].price : 0.0;
        outlook.added[i] = static_cast<int>(std::max<std::int64_t>(company_sectors(copy) - company_sectors(game), 0));
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

// Builds the outlook of `game` for player `me`, who has just moved: the
// other players claim next, then `me` again.
void build_outlook(const Game &game, int me, Outlook &outlook, SeededRandom &generator) {
    outlook.me = me;
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

// The gain of holding `shares` until `me` next trades, for a player worth
// `wealth`. Each opponent's claim is weighed by the logarithm of the wealth
// it leaves, so that a small chance of losing everything to a black hole
// costs more than its average: the player who is ahead keeps its lead.
// Its own next claim is counted at its expected value: it chooses it.
double expected_gain(const Outlook &outlook, const int shares[NUM_COMPANIES], double wealth) {
    double held[NUM_COMPANIES];
    bool any = false;
    for (int c = 0; c < NUM_COMPANIES; ++c) {
        held[c] = shares[c];
        any = any || shares[c] > 0;
    }
    double gain = 0.0;
    if (any && wealth > 0.0) {
        double change[MAP_CELLS];
        for (int i = 0; i < outlook.count; ++i) {
            change[i] = 0.0;
            for (int c = 0; c < NUM_COMPANIES; ++c) {
                if (held[c] <= 0.0) continue;
                change[i] += held[c] * (outlook.after[i][c] - outlook.price[c]);
                if (outlook.pool[i][c] > 0.0) {
                    change[i] += outlook.pool[i][c] * held[c] / (outlook.others_held[c] + held[c]);
                }
            }
            change[i] = std::log(std::max(1.0 + change[i] / wealth, RUIN));
        }
        for (int j = 0; j < outlook.opponents; ++j) {
            double growth = 0.0;
            for (int i = 0; i < outlook.count; ++i) growth += outlook.opponent_weight[j][i] * change[i];
            gain += wealth * growth;
        }
    }
    double mine[MAP_CELLS];
    for (int i = 0; i < outlook.count; ++i) mine[i] = mover_gain(outlook, i, held, outlook.others_held);
    std::sort(mine, mine + outlook.count, [](double a, double b) { return a > b; });
    double next_claim = 0.0;
    for (int r = 0; r < outlook.count; ++r) next_claim += outlook.my_weight[r] * mine[r];
    return gain + outlook.my_turn * next_claim;
}

// The holdings with the best expected gain that `wealth` buys, and that gain.
double best_holdings(const Outlook &outlook, std::int64_t wealth, int best[NUM_COMPANIES]) {
    int shares[NUM_COMPANIES] = {};
    std::fill(best, best + NUM_COMPANIES, 0);
    double best_gain = expected_gain(outlook, best, static_cast<double>(wealth));

    // Everything in one company.
    for (int c = 0; c < NUM_COMPANIES; ++c) {
        if (outlook.price[c] <= 0.0) continue;
        std::fill(shares, shares + NUM_COMPANIES, 0);
        shares[c] = static_cast<int>(
            std::min<std::int64_t>(wealth / static_cast<std::int64_t>(outlook.price[c]), INT_MAX));
        const double gain = expected_gain(outlook, shares, static_cast<double>(wealth));
        if (gain > best_gain) {
            best_gain = gain;
            std::copy(shares, shares + NUM_COMPANIES, best);
        }
    }

    // Step by step, each step's money where it adds most.
    std::fill(shares, shares + NUM_COMPANIES, 0);
    std::int64_t cash = wealth;
    double gain = expected_gain(outlook, shares, static_cast<double>(wealth));
    const std::int64_t step = std::max<std::int64_t>(wealth / PORTFOLIO_STEPS, 1);
    for (;;) {
        int chosen = -1;
        int chosen_amount = 0;
        double chosen_gain = gain;
        for (int c = 0; c < NUM_COMPANIES; ++c) {
            const auto price = static_cast<std::int64_t>(outlook.price[c]);
            if (price <= 0 || price > cash) continue;
            const int amount = static_cast<int>(std::max<std::int64_t>(std::min(step, cash) / price, 1));
            if (shares[c] > INT_MAX - amount) continue;
            shares[c] += amount;
            const double trial = expected_gain(outlook, shares, static_cast<double>(wealth));
            shares[c] -= amount;
            if (trial > chosen_gain) {
                chosen = c;
                chosen_amount = amount;
                chosen_gain = trial;
            }
        }
        if (chosen < 0) break;
        shares[chosen] += chosen_amount;
        cash -= chosen_amount * static_cast<std::int64_t>(outlook.price[chosen]);
        gain = chosen_gain;
    }
    if (gain > best_gain) {
        best_gain = gain;
        std::copy(shares, shares + NUM_COMPANIES, best);
    }
    return best_gain;
}

// How far `me` is expected to stand ahead of its richest rival at its next
// trade, once it has put its worth where it grows most.
double judge(const Game &game, int me, Outlook &outlook, SeededRandom &generator) {
    if (game_over(game)) {
        double rival = 0.0;
        for (int j = 0; j < game.num_players; ++j) {
            if (j != me) rival = std::max(rival, static_cast<double>(net_worth(game, j)));
        }
        return static_cast<double>(net_worth(game, me)) - rival;
    }
    build_outlook(game, me, outlook, generator);
    const std::int64_t wealth = net_worth(game, me);
    int shares[NUM_COMPANIES];
    const double mine = static_cast<double>(wealth) + best_holdings(outlook, wealth, shares);
    double rival = 0.0;
    for (int j = 0; j < game.num_players; ++j) {
        if (j == me) continue;
        double worth = static_cast<double>(net_worth(game, j));
        for (int c = 0; c < NUM_COMPANIES; ++c) {
            const double held = outlook.price[c] > 0.0 ? game.players[j].holdings[c] : 0.0;
            if (held <= 0.0) continue;
            worth += held * outlook.opponent_change[c];
            worth +=
                outlook.opponent_pool[c] * held / (outlook.others_held[c] + game.players[me].holdings[c]);
        }
        rival = std::max(rival, worth);
    }
    return mine - rival;
}

}  // namespace

int choose_move(const Game &game, const int offers[], int offer_count) {
    if (offer_count <= 1) return 0;
    const int me = game.current_player;
    SeededRandom generator = generator_for(game);
    Outlook outlook;
    MoveReport report;
    int best = 0;
    double best_score = 0.0;
    for (int k = 0; k < offer_count; ++k) {
        Game copy = game;
        do_move(copy, offers[k], seeded_random(generator), report);
        pay_dividends(copy);
        const double score = judge(copy, me, outlook, generator);
        if (k == 0 || score > best_score) {
            best = k;
            best_score = score;
        }
    }
    return best;
}

int plan_trades(const Game &game, Trade trades[], int max) {
    const int me = game.current_player;
    SeededRandom generator = generator_for(game);
    Outlook outlook;
    build_outlook(game, me, outlook, generator);
    int target[NUM_COMPANIES];
    best_holdings(outlook, net_worth(game, me), target);

    Game copy = game;
    int count = 0;
    for (const bool selling : {true, false}) {
        for (int c = 0; c < NUM_COMPANIES && count < max; ++c) {
            if (copy.companies[c].size == 0) continue;
            int amount = target[c] - copy.players[me].holdings[c];
            if (selling ? amount >= 0 : amount <= 0) continue;
            int low = 0;
            int high = 0;
            trade_range(copy, c, low, high);
            amount = std::clamp(amount, low, high);
            if (amount == 0) continue;
            apply_trade(copy, c, amount);
            trades[count++] = Trade{c, amount};
        }
    }
    return count;
}
