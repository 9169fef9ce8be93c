// Black holes: a lost site, or a company swallowed with all its shares.
#include "galaxy/galaxy.h"
#include "market/market.h"
#include "ui/ui.h"

// Clears the map and resets the company and holdings before anything is
// shown, then announces the loss. `company` is -1 for a lost site at pos
// `detail`; otherwise `detail` is 0 for a company founded by this move and
// 1 for one that existed before.
void black_hole(int company, int detail) {
    if (company < 0) {
        set_sector(detail, SECTOR_EMPTY);
    } else {
        const char letter = static_cast<char>('A' + company);
        for (int pos = 0; pos < map_width * map_height; ++pos) {
            if (galaxy[pos] == letter) set_sector(pos, SECTOR_EMPTY);
        }
    }
    wnoutrefresh(map_window);

    if (company >= 0) {
        for (int j = 0; j < num_players; ++j) players[j].holdings[company] = 0;
        companies[company].price = 0;
        companies[company].size = 0;
    }

    general_header(" Special Announcement! ", 1);
    const int width = screen_cols - 2;
    wattr_on(general_window, A_BOLD, nullptr);
    if (company < 0) {
        center_text(general_window, width, 2, "The new company site just placed");
        center_text(general_window, width, 3, "has been sucked into a black hole!");
    } else {
        center_text(general_window, width, 2,
                    detail == 1 ? "The company named" : "The company that would have been named");
        center_text(general_window, width, 3, companies[company].name);
        center_text(general_window, width, 4, "has been sucked into a black hole!");
        if (detail == 1) {
            center_text(general_window, width, 6, "All players' holdings lost.");
            show_coinfo();
        }
    }
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(8);
}
