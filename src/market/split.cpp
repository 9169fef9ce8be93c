// Two-for-one stock splits.
#include "market/market.h"
#include "ui/ui.h"

#include <cstdio>

// Halves a company's price (rounding up) and doubles every player's
// holding in it, with an announcement.
void split_stock(int company) {
    general_header(" Special Announcement! ", 1);
    wattr_on(general_window, A_BOLD, nullptr);
    char line[80 + NAME_SIZE];
    std::snprintf(line, sizeof line, "The stock of %s", companies[company].name);
    center_text(general_window, screen_cols - 2, 2, line);
    center_text(general_window, screen_cols - 2, 3, "has split two-for-one!");
    wattr_off(general_window, A_BOLD, nullptr);

    companies[company].price = truncate_to_int(as_float_double(companies[company].price) * 0.5 + 0.5);
    for (int j = 0; j < num_players; ++j) {
        players[j].holdings[company] = clamp_int(std::int64_t{2} * players[j].holdings[company]);
    }
    show_coinfo();
    wait_key(6);
}
