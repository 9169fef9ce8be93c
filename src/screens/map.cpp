// The map window: sector attributes and painting.
#include "screens/screens.h"
#include "terminal/messages.h"

// The attribute a sector symbol is drawn in, by the display scheme.
attr_t sector_attr(int symbol) {
    switch (symbol) {
        case SECTOR_EMPTY: return scheme_attr(pair_attr(PAIR_WHITE), A_NORMAL);
        case SECTOR_STAR: return scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW), A_BOLD);
        case SECTOR_OUTPOST: return scheme_attr(pair_attr(PAIR_CYAN), A_NORMAL);
        default: break;
    }
    if (symbol >= 'A' && symbol < 'A' + NUM_COMPANIES) return company_name_attr(symbol - 'A');
    return A_NORMAL;
}

// Paints one sector at its cell; the caller stages the window.
void draw_sector(int pos, int symbol) {
    const attr_t attr = sector_attr(symbol);
    wattr_on(map_window, attr, nullptr);
    mvwaddch(map_window, sector_row(pos), sector_column(pos), static_cast<chtype>(symbol));
    wattr_off(map_window, attr, nullptr);
}

// Paints the whole map window once: border, title and every sector.
void draw_map(const Game &game) {
    const attr_t border = scheme_attr(A_BOLD | pair_attr(PAIR_WHITE), A_BOLD);
    wattr_on(map_window, border, nullptr);
    wborder(map_window, '|', '|', '-', '-', 0, 0, 0, 0);
    wattr_off(map_window, border, nullptr);

    const attr_t title = scheme_attr(pair_attr(PAIR_BLACK_ON_WHITE), A_REVERSE);
    wattr_on(map_window, title, nullptr);
    // TRANSLATORS: the map window's title, on its top border: at most 36
    // columns with its blanks at both ends.
    center_text(map_window, map_width * 3 + 2, 0, translation_within(N_(" Map "), map_width * 3));
    wattr_off(map_window, title, nullptr);

    for (int pos = 0; pos < MAP_CELLS; ++pos) draw_sector(pos, game.galaxy[pos]);
    wnoutrefresh(map_window);
}
