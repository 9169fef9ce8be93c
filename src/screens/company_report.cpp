// The detailed company report: price, size and total worth of each company.
#include "screens/screens.h"

#include <cstdio>

void more_coinfo() {
    int active[NUM_COMPANIES];
    int n = 0;
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (game.companies[i].size != 0) active[n++] = i;
    }
    if (n == 0) return;

    constexpr int width = 52;
    WINDOW *window = open_dialog(n + 7, width, scheme_attr(pair_attr(PAIR_BLUE), A_BOLD),
                                 "vegatrade: couldn't create more_coinfo window\n");
    put_text_attr_at(window, 0, 11, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE),
                     " Detailed Company Information ");
    put_text_attr_at(window, 2, 1, scheme_attr(pair_attr(PAIR_WHITE_ON_BLUE), A_REVERSE),
                     " Company name          Price   Size   Total Worth ");

    char text[NAME_SIZE + 64];
    for (int row = 0; row < n; ++row) {
        const int company = active[row];
        const Company &c = game.companies[company];
        std::snprintf(text, sizeof text, "%-20s  ", c.name);
        put_text_attr_at(window, row + 4, 2, company_name_attr(company), text);
        std::snprintf(text, sizeof text, "$%-4d    %-3d    ", c.price, c.size);
        waddstr(window, text);
        std::snprintf(text, sizeof text, "$%-9d", company_worth(game, company));
        put_text_attr(window, A_BOLD, text);
    }
    put_text_at(window, n + 5, 12, "Press any key to continue...");

    wait_dialog_key(window);
    close_dialog(window);
}
