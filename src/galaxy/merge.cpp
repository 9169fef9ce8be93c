// Mergers: the survivor, the relabelled map, and the exchange of stock.
#include "galaxy/galaxy.h"
#include "market/market.h"
#include "ui/ui.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int SPLIT_THRESHOLD = 3000;
constexpr int BONUS_FACTOR = 10;

// The market value of all players' shares in a company, clamped to the int
// range as it grows (four products near 2^62 would pass 2^63).
std::int64_t market_value(int company) {
    std::int64_t value = 0;
    for (int k = 0; k < num_players; ++k) {
        value = clamp_int(value + static_cast<std::int64_t>(players[k].holdings[company]) * companies[company].price);
    }
    return value;
}

// The larger company survives; then the one whose shares are worth more;
// then the lowest bit of one rand() decides (1 for b).
int choose_survivor(int a, int b) {
    if (companies[b].size != companies[a].size) return companies[b].size > companies[a].size ? b : a;
    const std::int64_t value_a = market_value(a);
    const std::int64_t value_b = market_value(b);
    if (value_b != value_a) return value_b > value_a ? b : a;
    return (std::rand() & 1) != 0 ? b : a;
}

// The bonus for `old` of the `held` shares: their share of ten times the
// absorbed price, exact in 64 bits; only states far beyond play (prices and
// holdings near the int limit) fall back to long double, clamped.
int merger_bonus(std::int64_t absorbed_price, int old_shares, std::int64_t held) {
    const std::int64_t pool = BONUS_FACTOR * absorbed_price;
    std::int64_t product = 0;
    if (!__builtin_mul_overflow(pool, static_cast<std::int64_t>(old_shares), &product)) {
        return clamp_int(product / held);
    }
    const long double share = static_cast<long double>(pool) * old_shares / static_cast<long double>(held);
    if (share >= static_cast<long double>(INT_MAX)) return INT_MAX;
    if (share <= static_cast<long double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(share);
}

// Writes a text and pads it with blanks to `width` columns.
void put_padded(WINDOW *window, const char *text, int width) {
    put_text(window, text);
    for (int column = text_width(text); column < width; ++column) waddch(window, ' ');
}

}  // namespace

// Merges the companies whose letters *first and *second hold; afterwards
// every neighbour variable that held the absorbed letter holds the survivor's.
void merge(int *first, int *second, int *third, int *fourth) {
    const int a = *first - 'A';
    const int b = *second - 'A';
    const int survivor = choose_survivor(a, b);
    const int absorbed = survivor == a ? b : a;
    const char survivor_letter = static_cast<char>('A' + survivor);
    const char absorbed_letter = static_cast<char>('A' + absorbed);

    for (int pos = 0; pos < map_width * map_height; ++pos) {
        if (galaxy[pos] == absorbed_letter) set_sector(pos, survivor_letter);
    }
    *first = *second = survivor_letter;
    if (*third == absorbed_letter) *third = survivor_letter;
    if (*fourth == absorbed_letter) *fourth = survivor_letter;

    Company &kept = companies[survivor];
    Company &gone = companies[absorbed];
    kept.size = clamp_int(static_cast<std::int64_t>(kept.size) + gone.size);
    kept.price = clamp_int(static_cast<std::int64_t>(kept.price) + gone.price);
    gone.size = 0;
    wnoutrefresh(map_window);

    announce_merger(survivor, absorbed);
    merge_stock(survivor, absorbed);
    if (kept.price > SPLIT_THRESHOLD) split_stock(survivor);
}

// The announcement of a merger.
void announce_merger(int survivor, int absorbed) {
    general_header(" Special Announcement! ", 1);
    const int width = screen_cols - 2;
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 2, companies[absorbed].name);
    wattr_off(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 3, "has just been merged into");
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 4, companies[survivor].name);
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(7);
}

// Exchanges the absorbed company's shares for the survivor's, two for one
// with an odd share rounded up, and shares out ten times the absorbed
// company's price as bonuses in proportion to the shares held.
void merge_stock(int survivor, int absorbed) {
    general_header(" Stock Transactions ", 0);
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, screen_cols - 2, 1, companies[absorbed].name);
    wattr_off(general_window, A_BOLD, nullptr);
    put_text_attr_at(general_window, 2, 4, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE),
                     "=Player===============Old Stock===New Stock===Total Holdings===Bonus=");

    std::int64_t shares_held = 0;
    for (int k = 0; k < num_players; ++k) shares_held += players[k].holdings[absorbed];
    const std::int64_t divisor = shares_held != 0 ? shares_held : 1;
    const std::int64_t absorbed_price = companies[absorbed].price;

    for (int k = 0; k < num_players; ++k) {
        Player &player = players[k];
        const int old_shares = player.holdings[absorbed];
        const int new_shares = truncate_to_int(as_float_double(old_shares) * 0.5 + 0.5);
        const int total = clamp_int(static_cast<std::int64_t>(player.holdings[survivor]) + new_shares);
        const int bonus = merger_bonus(absorbed_price, old_shares, divisor);

        // A short general window has no room for the later rows.
        if (wmove(general_window, k + 3, 4) != ERR) {
            wattr_on(general_window, A_BOLD, nullptr);
            waddch(general_window, ' ');
            put_padded(general_window, player.name, 20);
            waddstr(general_window, "   ");
            wattr_off(general_window, A_BOLD, nullptr);
            char figures[96];
            std::snprintf(figures, sizeof figures, "%-5d       %-5d     %5d            ", old_shares,
                          new_shares, total);
            waddstr(general_window, figures);
            std::snprintf(figures, sizeof figures, "$%-5d", bonus);
            put_text_attr(general_window, A_BOLD, figures);
        }

        player.holdings[survivor] = total;
        player.holdings[absorbed] = 0;
        player.cash = clamp_int(static_cast<std::int64_t>(player.cash) + bonus);
    }
    wait_key(8);
}
