// The detailed company report: price, size and total worth of each company.
// (Screen; the worth is src/rules/worth.cpp.)
#include "screens/screens.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace {

// The table's columns: name, price, size and total worth.
enum { NAME, PRICE, SIZE, WORTH, COLUMN_COUNT };

constexpr int TABLE_LEFT = 2;  // where the names start
constexpr int MIN_WIDTH = 52;  // the window at figures that fit

struct Figures {
    char price[32];
    char size[32];
    char worth[32];
};

Figures figures_of(int company) {
    const Company &c = game.companies[company];
    Figures figures{};
    std::snprintf(figures.price, sizeof figures.price, "$%d", c.price);
    std::snprintf(figures.size, sizeof figures.size, "%d", c.size);
    std::snprintf(figures.worth, sizeof figures.worth, "$%-9" PRId64, company_worth(game, company));
    return figures;
}

int width_of(const char *figure) { return static_cast<int>(std::strcspn(figure, " ")); }

// The header's words over their columns:
// " Company name          Price   Size   Total Worth ".
constexpr HeaderWord HEADER[COLUMN_COUNT] = {
    // TRANSLATORS: the company report's header over the companies' names:
    // at most 20 columns.
    {N_("Company name"), 0},
    // TRANSLATORS: the company report's header over each share's price:
    // at most 7 columns; a longer one moves the columns after it right.
    {N_("Price"), 0},
    // TRANSLATORS: the company report's header over each company's size
    // in sectors: at most 6 columns; a longer one moves the columns after
    // it right.
    {N_("Size"), -1},
    // TRANSLATORS: the company report's header over each company's worth:
    // at most 11 columns; a longer one widens the window.
    {N_("Total Worth"), -1},
};

// Lays out the table for the active companies' names and figures and the
// header's words; returns its end. At figures that fit (a price of up to
// seven digits, a size of up to six, a worth of up to nine) and the
// English words the columns stand where they always have: names at 2,
// price at 24, size at 33, worth at 40; a blank stays between the worth
// and the border.
int lay_out(const int active[], int n, TableColumn columns[COLUMN_COUNT]) {
    // nominal, room, least (for the header's words), width
    columns[NAME] = {22, 21, 13, 0, 0};
    columns[PRICE] = {9, 8, 7, 0, 0};
    columns[SIZE] = {7, 6, 5, 0, 0};
    columns[WORTH] = {11, 10, 11, 0, 0};
    fit_header_words(columns, HEADER, COLUMN_COUNT);
    for (int row = 0; row < n; ++row) {
        const Figures figures = figures_of(active[row]);
        columns[NAME].width = std::max(columns[NAME].width, text_width(game.companies[active[row]].name));
        columns[PRICE].width = std::max(columns[PRICE].width, width_of(figures.price));
        columns[SIZE].width = std::max(columns[SIZE].width, width_of(figures.size));
        columns[WORTH].width = std::max(columns[WORTH].width, width_of(figures.worth));
    }
    // The border stays on the right.
    return lay_out_columns(columns, COLUMN_COUNT, TABLE_LEFT, std::max(MIN_WIDTH, screen_cols) - 1);
}

void draw_company_row(WINDOW *window, int row, int company, const TableColumn columns[COLUMN_COUNT]) {
    const Figures figures = figures_of(company);
    // The name and the blanks after it are in the company's attribute, up to the price.
    const attr_t name_attr = company_name_attr(company);
    wmove(window, row, columns[NAME].start);
    wattr_on(window, name_attr, nullptr);
    put_text(window, game.companies[company].name);
    for (int column = getcurx(window); column < columns[PRICE].start; ++column) waddch(window, ' ');
    wattr_off(window, name_attr, nullptr);
    put_text_at(window, row, columns[PRICE].start, figures.price);
    put_text_at(window, row, columns[SIZE].start, figures.size);
    wmove(window, row, columns[WORTH].start);
    put_text_attr(window, A_BOLD, figures.worth);
}

}  // namespace

void more_coinfo() {
    int active[NUM_COMPANIES];
    int n = 0;
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (game.companies[i].size != 0) active[n++] = i;
    }
    if (n == 0) return;

    TableColumn columns[COLUMN_COUNT];
    const int width = lay_out(active, n, columns) + 1;
    WINDOW *window = open_dialog(n + 7, width, scheme_attr(pair_attr(PAIR_BLUE), A_BOLD),
                                 // TRANSLATORS: a fatal message on standard error, after the
                                 // game has left the screen: "vegatrade: " stays; no room limit.
                                 // The company report is the window C opens.
                                 _("vegatrade: couldn't create company report window\n"));
    wattr_on(window, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE), nullptr);
    // TRANSLATORS: the company report's title, on its top border: at most
    // 48 columns with its blanks at both ends.
    center_text(window, width, 0, translation_within(N_(" Detailed Company Information "), width - 4));
    wattr_off(window, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE), nullptr);
    draw_table_header(window, 2, TABLE_LEFT - 1, width - 1, ' ',
                      scheme_attr(pair_attr(PAIR_WHITE_ON_BLUE), A_REVERSE), columns, HEADER, COLUMN_COUNT);

    for (int row = 0; row < n; ++row) draw_company_row(window, row + 4, active[row], columns);
    center_text(window, width, n + 5, translation_within(N_("Press any key to continue..."), width - 4));

    wait_dialog_key(window);
    close_dialog(window);
}
