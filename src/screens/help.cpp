// The help window: the keys of the prompt it was opened from, then the
// rules in brief, a page at a time.
#include "screens/screens.h"

#include <cstdio>

namespace {

constexpr int ROWS = 16;
constexpr int COLUMNS = 74;
constexpr int LINES_PER_PAGE = 9;
constexpr int TEXT_COLUMN = 2;
constexpr int HEADING_ROW = 2;
constexpr int FIRST_LINE_ROW = 4;
constexpr int FOOTER_ROW = 14;

struct Page {
    const char *heading;
    const char *lines[LINES_PER_PAGE];
};

constexpr Page MOVE_KEYS = {
    "Keys at the move prompt",
    {
        "1 to 5      claim the sector marked with that digit on the map",
        "S           the standings: each player's stock, cash and net worth",
        "C           the detailed company report",
        "Q, Ctrl-C   ask whether to quit (y quits, with the final standings)",
        "Ctrl-L      repaint the screen",
        "Ctrl-Z      suspend the game (fg in the shell brings it back)",
        "?           this help",
        "While the computer plays, a key hurries it; Q or Ctrl-C as here.",
        "Letter keys work in either case.",
    },
};

constexpr Page TRADING_KEYS = {
    "Keys in the trading dialog",
    {
        "Down, J, 5 / Up, K, 8   select the next / the previous company",
        "Enter, Right, Ctrl-F    trade in the selected company: type a number",
        "                        of shares, positive to buy, negative to sell,",
        "                        then Enter; m buys all the cash allows, n",
        "                        sells every share; Enter alone trades nothing",
        "Escape                  end the turn",
        "S, C, Q, Ctrl-L, ?      as at the move prompt",
        "Ctrl-Z                  suspend the game (fg brings it back)",
        "Letter keys work in either case.",
    },
};

constexpr Page RULES[] = {
    {
        "Claiming a sector",
        {
            "A claimed sector becomes, by its four neighbours (no diagonals):",
            "- an outpost (+) next to open space only; with a black hole (@)",
            "  and nothing else beside it, it is lost to the black hole;",
            "- a new company (A to E) next to a star (*) or an outpost and no",
            "  company: $100 a share, and its founder gets 5 shares;",
            "- part of a neighbouring company: one sector more, $100 a share.",
            "Each star beside a company's new sector adds $500 to its price,",
            "each black hole takes $500 away, and outposts beside it join the",
            "company for $100 each.",
        },
    },
    {
        "Mergers, splits and black holes",
        {
            "A sector that touches two companies merges them: the larger one",
            "survives (of two the same size, the one whose shares, held by all",
            "the players together, are worth more; then chance). Its price adds",
            "the absorbed price; each absorbed share becomes half a share of the",
            "survivor, rounded up, and their holders share a bonus of ten times",
            "the absorbed price. A company priced above $3000 splits two for",
            "one: its price halves and every holding doubles.",
            "A company whose price falls to $0 or below is lost to a black",
            "hole, with every share in it.",
        },
    },
    {
        "Dividends and the end of the game",
        {
            "After each move the mover is paid 5% of the price of every share",
            "held, then trades. Every player starts with $6000.",
            "",
            "The game ends when the companies hold more than 53% of the map",
            "(65 of its 120 sectors) while four or more sectors are still",
            "open, or when no sector can be offered any more. The standings",
            "(S) count the sectors still to be taken. The richest player wins:",
            "cash plus the shares at their prices.",
            "",
        },
    },
};

constexpr int PAGE_COUNT = 1 + static_cast<int>(sizeof RULES / sizeof RULES[0]);

// Draws page `number` (from 1) into the help window, over what it held.
void draw_page(WINDOW *window, const Page &page, int number) {
    for (int row = 1; row < ROWS - 1; ++row) {
        wmove(window, row, 1);
        for (int column = 1; column < COLUMNS - 1; ++column) waddch(window, ' ');
    }
    const attr_t title_attr = scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE);
    char title[48];
    std::snprintf(title, sizeof title, " Help: page %d of %d ", number, PAGE_COUNT);
    wattr_on(window, title_attr, nullptr);
    center_text(window, COLUMNS, 0, title);
    wattr_off(window, title_attr, nullptr);

    put_text_attr_at(window, HEADING_ROW, TEXT_COLUMN, A_BOLD, page.heading);
    for (int line = 0; line < LINES_PER_PAGE; ++line) {
        put_text_at(window, FIRST_LINE_ROW + line, TEXT_COLUMN, page.lines[line]);
    }
    center_text(window, COLUMNS, FOOTER_ROW,
                number < PAGE_COUNT ? "Press any key for the next page..." : "Press any key to continue...");
}

}  // namespace

// Shows the help, modal, over the main screen: the keys of the prompt it was
// opened from, then the rules. Any key turns the page; the key on the last
// page closes the window, and the windows it covered are staged again.
void show_help(HelpFrom from) {
    WINDOW *window = open_dialog(ROWS, COLUMNS, scheme_attr(pair_attr(PAIR_BLUE), A_BOLD),
                                 "vegatrade: couldn't create help window\n");
    const Page &keys = from == HelpFrom::TRADING ? TRADING_KEYS : MOVE_KEYS;
    for (int number = 1; number <= PAGE_COUNT; ++number) {
        draw_page(window, number == 1 ? keys : RULES[number - 2], number);
        wait_dialog_key(window);
    }
    close_dialog(window);
}
