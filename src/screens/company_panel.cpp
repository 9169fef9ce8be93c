// The company panel: active companies, prices and the mover's holdings.
#include "screens/screens.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The panel's columns: name, price and holdings.
enum { NAME, PRICE, HOLDING, COLUMN_COUNT };

// The header's words over their columns:
// " Company                Price  Holdings ".
constexpr HeaderWord HEADER[COLUMN_COUNT] = {
    // TRANSLATORS: the company panel's header over the companies' names:
    // at most 20 columns.
    {N_("Company"), 1},
    // TRANSLATORS: the company panel's header over each share's price:
    // at most 6 columns; a longer one takes room from the names.
    {N_("Price"), 0},
    // TRANSLATORS: the company panel's header over the mover's shares in
    // each company: at most 8 columns; a longer one takes room from the
    // names.
    {N_("Holdings"), -1},
};

// Lays out the panel for the active companies' names and figures and the
// header's words; returns its end. At figures that fit (a price of up to
// six digits, a holding of up to eight) and the English words the columns
// stand where they always have: price at 24, holdings at 32.
int lay_out(const Game &game, const CompanyStatus lines[NUM_COMPANIES], TableColumn columns[COLUMN_COUNT]) {
    // nominal, room, least (for the header's words), width
    columns[NAME] = {24, 23, 9, 0, 0};
    columns[PRICE] = {8, 7, 7, 0, 0};
    columns[HOLDING] = {8, 8, 8, 0, 0};
    fit_header_words(columns, HEADER, COLUMN_COUNT);
    char figure[32];
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (lines[i].size == 0) continue;
        columns[NAME].width = std::max(columns[NAME].width, 1 + text_width(game.companies[i].name));
        columns[PRICE].width =
            std::max(columns[PRICE].width, std::snprintf(figure, sizeof figure, "$%d", lines[i].price));
        columns[HOLDING].width =
            std::max(columns[HOLDING].width, std::snprintf(figure, sizeof figure, "%d", lines[i].holding));
    }
    const int limit = getmaxx(coinfo_window);
    const int end = lay_out_columns(columns, COLUMN_COUNT, 0, limit);
    if (end <= limit) return end;
    // Figures that no spacing makes room for take it from the names, which
    // are then cut: every figure stays whole.
    const int cut = std::min(end - limit, columns[PRICE].start - columns[NAME].least);
    columns[PRICE].start -= cut;
    columns[HOLDING].start -= cut;
    return end - cut;
}

// Writes a name up to a column, then blanks up to it, in one attribute.
void put_name(int row, const char *name, int end, attr_t attr) {
    wmove(coinfo_window, row, 0);
    wattr_on(coinfo_window, attr, nullptr);
    waddch(coinfo_window, ' ');
    const bool whole = 1 + text_width(name) < end;
    if (whole) {
        put_text(coinfo_window, name);
    } else {
        // Cut at a character, by its columns.
        for (const char *p = name; *p != '\0';) {
            const ShownCharacter shown = next_shown(p);
            if (getcurx(coinfo_window) + shown.width >= end) break;
            char one[16] = {};
            std::memcpy(one, p, std::min(shown.bytes, sizeof one - 1));
            put_text(coinfo_window, one);
            p += shown.bytes;
        }
    }
    for (int column = getcurx(coinfo_window); column < end; ++column) waddch(coinfo_window, ' ');
    wattr_off(coinfo_window, attr, nullptr);
}

}  // namespace

// The panel for the game as it stands.
void show_coinfo(const Game &game) {
    const Player &mover = game.players[game.current_player];
    CompanyStatus lines[NUM_COMPANIES];
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        const Company &company = game.companies[i];
        lines[i] = CompanyStatus{company.price, company.size, mover.holdings[i]};
    }
    show_panel(game, lines);
}

// The panel for the companies as a move left them at one of its steps.
void show_panel(const Game &game, const CompanyStatus lines[NUM_COMPANIES]) {
    werase(coinfo_window);
    TableColumn columns[COLUMN_COUNT];
    const int end = lay_out(game, lines, columns);
    draw_table_header(coinfo_window, 0, 0, end, ' ', scheme_attr(pair_attr(PAIR_BLACK_ON_GREEN), A_REVERSE),
                      columns, HEADER, COLUMN_COUNT);

    wmove(coinfo_window, 2, 0);
    int row = 2;
    bool any_active = false;
    char figure[32];
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (lines[i].size == 0) continue;
        any_active = true;
        put_name(row, game.companies[i].name, columns[PRICE].start, company_name_attr(i));
        std::snprintf(figure, sizeof figure, "$%d", lines[i].price);
        put_text_at(coinfo_window, row, columns[PRICE].start, figure);
        std::snprintf(figure, sizeof figure, "%-5d", lines[i].holding);
        put_text_at(coinfo_window, row, columns[HOLDING].start, figure);
        // The cursor goes two rows down, as the companies are listed.
        if (getcurx(coinfo_window) != 0) waddstr(coinfo_window, "\n\n\r");
        row += 2;
    }
    if (!any_active) {
        put_text_attr_at(coinfo_window, 2, 0, A_BOLD,
                         // TRANSLATORS: the company panel before any company is
                         // formed, with its blank in front: at most 39 columns.
                         translation_within(N_(" no active companies"), getmaxx(coinfo_window) - 1));
    }
    wnoutrefresh(coinfo_window);
}
