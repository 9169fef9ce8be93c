// Mergers: the survivor, the relabelled map, and the exchange of stock with
// its bonuses. (Rules; the announcement and the stock table are in
// src/screens/merger_news.cpp.)
#include "rules/report.h"

// The larger company survives; then the one whose shares are worth more;
// then the lowest bit of one draw decides (1 for b).
int choose_survivor(const Game &game, int a, int b, Random random) {
    const Company &first = game.companies[a];
    const Company &second = game.companies[b];
    if (second.size != first.size) return second.size > first.size ? b : a;
    const std::int64_t value_a = company_worth(game, a);
    const std::int64_t value_b = company_worth(game, b);
    if (value_b != value_a) return value_b > value_a ? b : a;
    return (random.next() & 1) != 0 ? b : a;
}

// The bonus for `old_shares` of the `held` shares: their share of ten times
// the absorbed price, exact in 64 bits; only states far beyond play (prices
// and holdings near the int limit) fall back to long double, clamped.
int merger_bonus(std::int64_t absorbed_price, int old_shares, std::int64_t held) {
    const std::int64_t pool = MERGER_BONUS_FACTOR * absorbed_price;
    std::int64_t product = 0;
    if (!__builtin_mul_overflow(pool, static_cast<std::int64_t>(old_shares), &product)) {
        return clamp_int(product / held);
    }
    const long double share = static_cast<long double>(pool) * old_shares / static_cast<long double>(held);
    if (share >= static_cast<long double>(INT_MAX)) return INT_MAX;
    if (share <= static_cast<long double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(share);
}

// Merges `absorbed` into `survivor`: its sectors take the survivor's letter,
// the survivor adds its size and price, and its shares are exchanged two for
// one (an odd share rounded up) with ten times its price shared out as
// bonuses in proportion to the shares held. A survivor whose price passes
// the split threshold splits.
void merge(Game &game, int survivor, int absorbed, MoveReport &report) {
    Event &event = open_event(report, EventKind::MERGED, survivor);
    event.absorbed = absorbed;
    relabel_sectors(game, report, company_letter(absorbed), company_letter(survivor));

    Company &kept = game.companies[survivor];
    Company &gone = game.companies[absorbed];
    kept.size = clamp_int(static_cast<std::int64_t>(kept.size) + gone.size);
    kept.price = clamp_int(static_cast<std::int64_t>(kept.price) + gone.price);
    gone.size = 0;

    std::int64_t shares_held = 0;
    for (int k = 0; k < game.num_players; ++k) shares_held += game.players[k].holdings[absorbed];
    const std::int64_t divisor = shares_held != 0 ? shares_held : 1;
    for (int k = 0; k < game.num_players; ++k) {
        Player &player = game.players[k];
        ShareExchange &line = event.exchange[k];
        line.old_shares = player.holdings[absorbed];
        line.new_shares = truncate_to_int(as_float_double(line.old_shares) * 0.5 + 0.5);
        line.total = clamp_int(static_cast<std::int64_t>(player.holdings[survivor]) + line.new_shares);
        line.bonus = merger_bonus(gone.price, line.old_shares, divisor);
        player.holdings[survivor] = line.total;
        player.holdings[absorbed] = 0;
        player.cash = clamp_int(static_cast<std::int64_t>(player.cash) + line.bonus);
    }
    close_event(game, event);
    if (kept.price > SPLIT_THRESHOLD) split_stock(game, survivor, report);
}
