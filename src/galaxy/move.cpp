// Move resolution: outposts, foundings, growth, and the effects of the
// sectors around a company's new sector.
#include "galaxy/galaxy.h"
#include "market/market.h"
#include "ui/ui.h"

#include <cstdio>
#include <initializer_list>

namespace {

constexpr int FOUNDING_PRICE = 100;
constexpr int SECTOR_VALUE = 100;  // price rise per sector gained
constexpr int STAR_VALUE = 500;
constexpr int BLACK_HOLE_COST = 500;
constexpr int FOUNDER_SHARES = 5;
constexpr int SPLIT_THRESHOLD = 3000;

bool is_open_or_black_hole(int symbol) { return symbol == SECTOR_EMPTY || symbol == SECTOR_BLACK_HOLE; }

void add_to_price(int company, int amount) {
    companies[company].price = clamp_int(static_cast<std::int64_t>(companies[company].price) + amount);
}

void place_outpost(int pos) {
    set_sector(pos, SECTOR_OUTPOST);
    wnoutrefresh(map_window);
}

void found_company(int pos, int north, int south, int west, int east) {
    const int company = next_free_company();
    if (company < 0) {
        place_outpost(pos);
        return;
    }
    set_sector(pos, static_cast<char>('A' + company));
    companies[company].price = FOUNDING_PRICE;
    companies[company].size = 1;
    neighbor_effects(company, pos, north, south, west, east);
    if (companies[company].price <= 0) {
        black_hole(company, 0);
        return;
    }
    players[current_player].holdings[company] = FOUNDER_SHARES;
    show_coinfo();
    wnoutrefresh(map_window);
    announce_new_company(company);
}

void grow_company(int pos, int north, int south, int west, int east) {
    int letter = north;
    for (const int symbol : {north, south, east, west}) {
        if (is_company_letter(symbol)) {
            letter = symbol;
            break;
        }
    }
    const int company = letter - 'A';
    set_sector(pos, static_cast<char>(letter));
    wnoutrefresh(map_window);
    companies[company].size = clamp_int(static_cast<std::int64_t>(companies[company].size) + 1);
    add_to_price(company, SECTOR_VALUE);
    neighbor_effects(company, pos, north, south, west, east);
    if (companies[company].price <= 0) {
        black_hole(company, 1);
    } else if (companies[company].price <= SPLIT_THRESHOLD) {
        show_coinfo();
    } else {
        split_stock(company);
    }
}

}  // namespace

// Resolves the sector the current player claimed, from its four neighbours.
void do_move(int pos) {
    int north = neighbor_symbol(pos, NORTH);
    int south = neighbor_symbol(pos, SOUTH);
    int west = neighbor_symbol(pos, WEST);
    int east = neighbor_symbol(pos, EAST);

    if (is_open_or_black_hole(north) && is_open_or_black_hole(south) && is_open_or_black_hole(west) &&
        is_open_or_black_hole(east)) {
        if (north == SECTOR_BLACK_HOLE || south == SECTOR_BLACK_HOLE || west == SECTOR_BLACK_HOLE ||
            east == SECTOR_BLACK_HOLE) {
            black_hole(-1, pos);
        } else {
            place_outpost(pos);
        }
        return;
    }

    // Merge every pair of different neighbouring companies, in a fixed order;
    // each merge rewrites the neighbours that held the absorbed letter.
    int *const pairs[6][4] = {
        {&north, &south, &west, &east}, {&north, &east, &south, &west}, {&north, &west, &south, &east},
        {&west, &east, &north, &south}, {&east, &south, &west, &north}, {&west, &south, &east, &north},
    };
    for (int *const *pair : pairs) {
        if (is_company_letter(*pair[0]) && is_company_letter(*pair[1]) && *pair[0] != *pair[1]) {
            merge(pair[0], pair[1], pair[2], pair[3]);
        }
    }

    const bool next_to_company = is_company_letter(north) || is_company_letter(south) ||
                                 is_company_letter(west) || is_company_letter(east);
    if (next_to_company) {
        grow_company(pos, north, south, west, east);
    } else {
        found_company(pos, north, south, west, east);
    }
}

// Applies the neighbours of a company's new sector: stars raise its price,
// black holes lower it, and outposts join it.
void neighbor_effects(int company, int pos, int north, int south, int west, int east) {
    const int symbols[4] = {north, south, west, east};
    for (const int symbol : symbols) {
        if (symbol == SECTOR_STAR) add_to_price(company, STAR_VALUE);
    }
    for (const int symbol : symbols) {
        if (symbol == SECTOR_BLACK_HOLE) add_to_price(company, -BLACK_HOLE_COST);
    }
    const Direction directions[4] = {NORTH, SOUTH, WEST, EAST};
    for (int i = 0; i < 4; ++i) {
        const int neighbor = neighbor_pos(pos, directions[i]);
        if (symbols[i] != SECTOR_OUTPOST || neighbor < 0) continue;
        set_sector(neighbor, static_cast<char>('A' + company));
        companies[company].size = clamp_int(static_cast<std::int64_t>(companies[company].size) + 1);
        add_to_price(company, SECTOR_VALUE);
    }
    wnoutrefresh(map_window);
}

// The lowest company index that is not active, or -1 when all are.
int next_free_company() {
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (companies[i].size == 0) return i;
    }
    return -1;
}

// The announcement of a newly founded company.
void announce_new_company(int company) {
    general_header(" Special Announcement! ", 1);
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, screen_cols - 2, 2, "A new shipping company has been formed!");
    char line[NAME_SIZE + 16];
    std::snprintf(line, sizeof line, "Its name is %s", companies[company].name);
    center_text(general_window, screen_cols - 2, 4, line);
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(7);
}
