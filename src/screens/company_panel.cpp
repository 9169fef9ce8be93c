// The company panel: active companies, prices and the mover's holdings.
#include "screens/screens.h"

#include <cstdio>

// The panel for the game as it stands.
void show_coinfo() {
    const Player &mover = game.players[game.current_player];
    PanelLine lines[NUM_COMPANIES];
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        const Company &company = game.companies[i];
        lines[i] = PanelLine{company.price, company.size, mover.holdings[i]};
    }
    show_panel(lines);
}

// The panel for the companies as a move left them at one of its steps.
void show_panel(const PanelLine lines[NUM_COMPANIES]) {
    werase(coinfo_window);
    char line[NAME_SIZE + 64];
    std::snprintf(line, sizeof line, " %-19s    %5s  %8s ", "Company", "Price", "Holdings");
    put_text_attr_at(coinfo_window, 0, 0, scheme_attr(pair_attr(PAIR_BLACK_ON_GREEN), A_REVERSE), line);

    wmove(coinfo_window, 2, 0);
    bool any_active = false;
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (lines[i].size == 0) continue;
        any_active = true;
        std::snprintf(line, sizeof line, " %-19s    ", game.companies[i].name);
        put_text_attr(coinfo_window, company_name_attr(i), line);
        std::snprintf(line, sizeof line, "$%-4d   ", lines[i].price);
        waddstr(coinfo_window, line);
        // The newlines clear the rest of this row and the row below it.
        std::snprintf(line, sizeof line, "%-5d\n\n\r", lines[i].holding);
        waddstr(coinfo_window, line);
    }
    if (!any_active) put_text_attr_at(coinfo_window, 2, 0, A_BOLD, " no active companies");
    wnoutrefresh(coinfo_window);
}
