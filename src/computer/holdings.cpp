// The holdings the computer aims for: its whole worth put where it is
// expected to grow most until its own next trade, over the opponents'
// claims and its own next claim.
#include <algorithm>
#include <bit>
#include <climits>
#include <cstddef>
#include <cstdint>

#include "computer/logarithm.h"
#include "computer/outlook.h"

namespace {

// The trades are planned in steps of this fraction of the player's worth.
constexpr int PORTFOLIO_STEPS = 16;
// What is left of a player's wealth when it loses everything, for the
// logarithm that weighs risks.
constexpr double RUIN = 1e-6;

// The logarithms of one holding's outcomes. Many claims change nothing the
// player holds and many change it alike, so few of the outcomes differ: each
// is taken once and kept by its bits, which gives the same value as taking
// it again.
class LogMemo {
  public:
    double of(double x) {
        const auto bits = std::bit_cast<std::uint64_t>(x);
        const auto slot = static_cast<std::size_t>((bits ^ (bits >> 29)) * 0x9E3779B97F4A7C15ULL >> 59);
        if (!used_[slot] || bits_[slot] != bits) {
            used_[slot] = true;
            bits_[slot] = bits;
            log_[slot] = natural_log(x);
        }
        return log_[slot];
    }

  private:
    static constexpr std::size_t SLOTS = 32;
    bool used_[SLOTS] = {};
    std::uint64_t bits_[SLOTS];
    double log_[SLOTS];
};

// The gain of holding `shares` until the player next trades, for a player
// worth `wealth`. Each opponent's claim is weighed by the logarithm of the
// wealth it leaves, so that a small chance of losing everything to a black
// hole costs more than its average: the player who is ahead keeps its lead.
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
        LogMemo logs;
        for (int i = 0; i < outlook.count; ++i) {
            change[i] = 0.0;
            for (int c = 0; c < NUM_COMPANIES; ++c) {
                if (held[c] <= 0.0) continue;
                change[i] += held[c] * (outlook.after[i][c] - outlook.price[c]);
                if (outlook.pool[i][c] > 0.0) {
                    change[i] += outlook.pool[i][c] * held[c] / (outlook.others_held[c] + held[c]);
                }
            }
            change[i] = logs.of(std::max(1.0 + change[i] / wealth, RUIN));
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

}  // namespace

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
