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

struct Page {
    const char *heading;
    const char *lines[LINES_PER_PAGE];
};

constexpr Page MOVE_KEYS = {
    "Keys at the move prompt",
    {
        "1 to 5      claim the sector marked with that digit on the map",
        "S, C        the standings; the detailed company report",
        "R           the game's record, newest first (playing the computer)",
        "Q, Ctrl-C   ask whether to quit (y quits, with the final standings)",
        "Ctrl-L      repaint the screen",
        "Ctrl-Z      suspend the game (fg in the shell brings it back)",
        "?           this help. Letter keys work in either case.",
        "While the computer plays, S, C, R and ? open their windows and it",
        "waits; Q or Ctrl-C ask to quit; any other key hurries it.",
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
        "S, C, R, Q, Ctrl-L, ?   as at the move prompt",
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

void format_title(char *title, std::size_t size, int number, int count) {
    std::snprintf(title, size, " Help: page %d of %d ", number, count);
}

// Draws page `number` (from 1): the keys of the prompt it was opened from,
// then the rules.
void draw_page(WINDOW *window, int number, const void *context) {
    const Page &page = number == 1 ? *static_cast<const Page *>(context) : RULES[number - 2];
    put_text_attr_at(window, HEADING_ROW, TEXT_COLUMN, A_BOLD, page.heading);
    for (int line = 0; line < LINES_PER_PAGE; ++line) {
        put_text_at(window, FIRST_LINE_ROW + line, TEXT_COLUMN, page.lines[line]);
    }
}

}  // namespace

// Shows the help, modal, over the main screen: the keys of the prompt it was
// opened from, then the rules. Any key turns the page; the key on the last
// page closes the window, and the windows it covered are staged again.
void show_help(HelpFrom from) {
    const Page &keys = from == HelpFrom::TRADING ? TRADING_KEYS : MOVE_KEYS;
    show_pages({ROWS, COLUMNS, "vegatrade: couldn't create help window\n", format_title, PAGE_COUNT,
                draw_page, &keys, "Press any key for the next page...", false});
}
