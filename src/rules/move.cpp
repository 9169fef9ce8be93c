// Move resolution: outposts, foundings, growth, the mergers of neighbouring
// companies, and the effects of the sectors around a company's new sector.
// (Rules; src/screens/move_news.cpp shows the report.)
#include <initializer_list>

#include "rules/report.h"

namespace {

bool is_open_or_black_hole(int symbol) { return symbol == SECTOR_EMPTY || symbol == SECTOR_BLACK_HOLE; }

void add_to_price(Company &company, int amount) {
    company.price = clamp_int(static_cast<std::int64_t>(company.price) + amount);
}

void add_sector(Company &company) {
    company.size = clamp_int(static_cast<std::int64_t>(company.size) + 1);
    add_to_price(company, SECTOR_VALUE);
}

// Applies the neighbours of a company's new sector: stars raise its price,
// black holes lower it, and outposts join it.
void neighbor_effects(Game &game, MoveReport &report, int company, int pos, const int symbols[4]) {
    Company &grown = game.companies[company];
    for (int i = 0; i < 4; ++i) {
        if (symbols[i] == SECTOR_STAR) add_to_price(grown, STAR_VALUE);
    }
    for (int i = 0; i < 4; ++i) {
        if (symbols[i] == SECTOR_BLACK_HOLE) add_to_price(grown, -BLACK_HOLE_COST);
    }
    constexpr Direction directions[4] = {NORTH, SOUTH, WEST, EAST};
    for (int i = 0; i < 4; ++i) {
        const int neighbor = neighbor_pos(pos, directions[i]);
        if (symbols[i] != SECTOR_OUTPOST || neighbor < 0) continue;
        change_sector(game, report, neighbor, company_letter(company));
        add_sector(grown);
    }
}

void place_outpost(Game &game, int pos, MoveReport &report) {
    Event &event = open_event(report, EventKind::OUTPOST, -1);
    change_sector(game, report, pos, SECTOR_OUTPOST);
    close_event(game, event);
}

void found_company(Game &game, int pos, const int symbols[4], MoveReport &report) {
    const int company = next_free_company(game);
    if (company < 0) {
        place_outpost(game, pos, report);
        return;
    }
    Company &founded = game.companies[company];
    Event &event = open_event(report, EventKind::FOUNDED, company);
    change_sector(game, report, pos, company_letter(company));
    founded.price = FOUNDING_PRICE;
    founded.size = 1;
    neighbor_effects(game, report, company, pos, symbols);
    if (founded.price <= 0) {
        // A black hole takes the company before anyone holds a share.
        event.kind = EventKind::FOUNDING_SWALLOWED;
        wipe_company(game, company, report);
    } else {
        game.players[game.current_player].holdings[company] = FOUNDER_SHARES;
    }
    close_event(game, event);
}

void grow_company(Game &game, int pos, const int symbols[4], MoveReport &report) {
    // The first company letter among north, south, east and west.
    int letter = symbols[NORTH];
    for (const int symbol : {symbols[NORTH], symbols[SOUTH], symbols[EAST], symbols[WEST]}) {
        if (is_company_letter(symbol)) {
            letter = symbol;
            break;
        }
    }
    const int company = letter - 'A';
    Company &grown = game.companies[company];
    Event &event = open_event(report, EventKind::GREW, company);
    change_sector(game, report, pos, static_cast<char>(letter));
    add_sector(grown);
    neighbor_effects(game, report, company, pos, symbols);
    close_event(game, event);
    if (grown.price <= 0) {
        swallow_company(game, company, report);
    } else if (grown.price > SPLIT_THRESHOLD) {
        split_stock(game, company, report);
    }
}

}  // namespace

// Resolves the sector the current player claimed, from its four neighbours,
// and reports each step. `random` decides a merger between companies that
// are equal in size and in worth.
void do_move(Game &game, int pos, Random random, MoveReport &report) {
    report.pos = pos;
    report.event_count = 0;
    report.change_count = 0;
    int symbols[4];
    for (const Direction direction : {NORTH, SOUTH, WEST, EAST}) {
        symbols[direction] = neighbor_symbol(game, pos, direction);
    }

    bool lone = true;
    bool black_hole_beside = false;
    for (const int symbol : symbols) {
        lone = lone && is_open_or_black_hole(symbol);
        black_hole_beside = black_hole_beside || symbol == SECTOR_BLACK_HOLE;
    }
    if (lone) {
        if (black_hole_beside) {
            lose_site(game, pos, report);
        } else {
            place_outpost(game, pos, report);
        }
        return;
    }

    // Merge every pair of different neighbouring companies, in a fixed order;
    // each merger rewrites the neighbours that held the absorbed letter.
    int &north = symbols[NORTH];
    int &south = symbols[SOUTH];
    int &west = symbols[WEST];
    int &east = symbols[EAST];
    int *const pairs[6][4] = {
        {&north, &south, &west, &east}, {&north, &east, &south, &west}, {&north, &west, &south, &east},
        {&west, &east, &north, &south}, {&east, &south, &west, &north}, {&west, &south, &east, &north},
    };
    for (int *const *pair : pairs) {
        if (!is_company_letter(*pair[0]) || !is_company_letter(*pair[1]) || *pair[0] == *pair[1]) continue;
        const int a = *pair[0] - 'A';
        const int b = *pair[1] - 'A';
        const int survivor = choose_survivor(game, a, b, random);
        const int absorbed = survivor == a ? b : a;
        merge(game, survivor, absorbed, report);
        const int kept = company_letter(survivor);
        const int gone = company_letter(absorbed);
        *pair[0] = *pair[1] = kept;
        if (*pair[2] == gone) *pair[2] = kept;
        if (*pair[3] == gone) *pair[3] = kept;
    }

    bool next_to_company = false;
    for (const int symbol : symbols) next_to_company = next_to_company || is_company_letter(symbol);
    if (next_to_company) {
        grow_company(game, pos, symbols, report);
    } else {
        found_company(game, pos, symbols, report);
    }
}

// The lowest company index that is not active, or -1 when all are.
int next_free_company(const Game &game) {
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (game.companies[i].size == 0) return i;
    }
    return -1;
}
