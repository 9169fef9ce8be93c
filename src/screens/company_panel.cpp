// The company panel: active companies, prices and the mover's holdings.
#include "screens/screens.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The panel's columns: name, price and holdings.
enum { NAME, PRICE, HOLDING, COLUMN_COUNT };

// Lays out the panel for the active companies' names and figures; returns
// its end. At figures that fit (a price of up to six digits, a holding of
// up to eight) the columns stand where they always have: price at 24,
// holdings at 32.
int lay_out(const CompanyStatus lines[NUM_COMPANIES], TableColumn columns[COLUMN_COUNT]) {
    // nominal, room, least (for the header's words), width
    columns[NAME] = {24, 23, 9, 0, 0};
    columns[PRICE] = {8, 7, 7, 0, 0};
    columns[HOLDING] = {8, 8, 8, 0, 0};
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

// " Company                Price  Holdings ", its words over their columns.
void draw_header(const TableColumn columns[COLUMN_COUNT], int end) {
    char header[160];
    const int length = std::min(end, static_cast<int>(sizeof header) - 1);
    std::memset(header, ' ', sizeof header);
    header[length] = '\0';
    const auto place = [&](int column, const char *word) {
        const int size = static_cast<int>(std::strlen(word));
        if (column >= 0 && column + size <= length)
            std::memcpy(header + column, word, static_cast<std::size_t>(size));
    };
    place(1, "Company");
    place(columns[PRICE].start, "Price");
    place(columns[HOLDING].start - 1, "Holdings");
    put_text_attr_at(coinfo_window, 0, 0, scheme_attr(pair_attr(PAIR_BLACK_ON_GREEN), A_REVERSE), header);
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
void show_coinfo() {
    const Player &mover = game.players[game.current_player];
    CompanyStatus lines[NUM_COMPANIES];
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        const Company &company = game.companies[i];
        lines[i] = CompanyStatus{company.price, company.size, mover.holdings[i]};
    }
    show_panel(lines);
}

// The panel for the companies as a move left them at one of its steps.
void show_panel(const CompanyStatus lines[NUM_COMPANIES]) {
    werase(coinfo_window);
    TableColumn columns[COLUMN_COUNT];
    const int end = lay_out(lines, columns);
    draw_header(columns, end);

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
    if (!any_active) put_text_attr_at(coinfo_window, 2, 0, A_BOLD, " no active companies");
    wnoutrefresh(coinfo_window);
}
