// The help window: the keys of the prompt it was opened from, then the
// rules in brief, a page at a time.
#include "screens/screens.h"
#include "terminal/messages.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int ROWS = 16;
constexpr int COLUMNS = 74;
constexpr int LINES_PER_PAGE = 9;
constexpr int TEXT_COLUMN = 2;
constexpr int HEADING_ROW = 2;
constexpr int FIRST_LINE_ROW = 4;
constexpr int FOOTER_ROW = 14;

// A page: its heading, and its text of at most LINES_PER_PAGE lines of
// at most TEXT_COLUMNS columns, the lines parted by newlines. Each is one
// message, so a translation may break its lines where its language needs.
struct Page {
    const char *heading;
    const char *text;
};

constexpr int TEXT_COLUMNS = COLUMNS - 2 * TEXT_COLUMN;
constexpr int HEADING_COLUMNS = TEXT_COLUMNS;

constexpr Page MOVE_KEYS = {
    // TRANSLATORS: a help page's heading: at most 70 columns.
    N_("Keys at the move prompt"),
    // TRANSLATORS: a help page: at most 9 lines of at most 70 columns each,
    // shown as they are broken here.
    /* xgettext:no-c-format */
    N_("1 to 5      claim the sector marked with that digit on the map\n"
       "S           the standings: each player's stock, cash and net worth\n"
       "C           the detailed company report\n"
       "Q, Ctrl-C   ask whether to quit (y quits, with the final standings)\n"
       "Ctrl-L      repaint the screen\n"
       "Ctrl-Z      suspend the game (fg in the shell brings it back)\n"
       "?           this help\n"
       "While the computer plays, a key hurries it; Q or Ctrl-C as here.\n"
       "Letter keys work in either case."),
};

constexpr Page TRADING_KEYS = {
    // TRANSLATORS: a help page's heading: at most 70 columns.
    N_("Keys in the trading dialog"),
    // TRANSLATORS: a help page: at most 9 lines of at most 70 columns each,
    // shown as they are broken here.
    /* xgettext:no-c-format */
    N_("Down, J, 5 / Up, K, 8   select the next / the previous company\n"
       "Enter, Right, Ctrl-F    trade in the selected company: type a number\n"
       "                        of shares, positive to buy, negative to sell,\n"
       "                        then Enter; m buys all the cash allows, n\n"
       "                        sells every share; Enter alone trades nothing\n"
       "Escape                  end the turn\n"
       "S, C, Q, Ctrl-L, ?      as at the move prompt\n"
       "Ctrl-Z                  suspend the game (fg brings it back)\n"
       "Letter keys work in either case."),
};

constexpr Page RULES[] = {
    {
        // TRANSLATORS: a help page's heading: at most 70 columns.
        N_("Claiming a sector"),
        // TRANSLATORS: a help page: at most 9 lines of at most 70 columns each,
        // shown as they are broken here.
        /* xgettext:no-c-format */
        N_("A claimed sector becomes, by its four neighbours (no diagonals):\n"
           "- an outpost (+) next to open space only; with a black hole (@)\n"
           "  and nothing else beside it, it is lost to the black hole;\n"
           "- a new company (A to E) next to a star (*) or an outpost and no\n"
           "  company: $100 a share, and its founder gets 5 shares;\n"
           "- part of a neighbouring company: one sector more, $100 a share.\n"
           "Each star beside a company's new sector adds $500 to its price,\n"
           "each black hole takes $500 away, and outposts beside it join the\n"
           "company for $100 each."),
    },
    {
        // TRANSLATORS: a help page's heading: at most 70 columns.
        N_("Mergers, splits and black holes"),
        // TRANSLATORS: a help page: at most 9 lines of at most 70 columns each,
        // shown as they are broken here.
        /* xgettext:no-c-format */
        N_("A sector that touches two companies merges them: the larger one\n"
           "survives (of two the same size, the one whose shares, held by all\n"
           "the players together, are worth more; then chance). Its price adds\n"
           "the absorbed price; each absorbed share becomes half a share of the\n"
           "survivor, rounded up, and their holders share a bonus of ten times\n"
           "the absorbed price. A company priced above $3000 splits two for\n"
           "one: its price halves and every holding doubles.\n"
           "A company whose price falls to $0 or below is lost to a black\n"
           "hole, with every share in it."),
    },
    {
        // TRANSLATORS: a help page's heading: at most 70 columns.
        N_("Dividends and the end of the game"),
        // TRANSLATORS: a help page: at most 9 lines of at most 70 columns each,
        // shown as they are broken here.
        /* xgettext:no-c-format */
        N_("After each move the mover is paid 5% of the price of every share\n"
           "held, then trades. Every player starts with $6000.\n"
           "\n"
           "The game ends when the companies hold more than 53% of the map\n"
           "(65 of its 120 sectors) while four or more sectors are still\n"
           "open, or when no sector can be offered any more. The standings\n"
           "(S) count the sectors still to be taken. The richest player wins:\n"
           "cash plus the shares at their prices."),
    },
};

constexpr int PAGE_COUNT = 1 + static_cast<int>(sizeof RULES / sizeof RULES[0]);

// Whether a page's text fits its place: at most LINES_PER_PAGE lines, none
// wider than TEXT_COLUMNS.
bool text_fits(const char *text) {
    char line[256];
    int lines = 0;
    for (const char *p = text;; ++lines) {
        const char *end = std::strchr(p, '\n');
        const std::size_t length = end != nullptr ? static_cast<std::size_t>(end - p) : std::strlen(p);
        if (lines == LINES_PER_PAGE || length >= sizeof line) return false;
        std::memcpy(line, p, length);
        line[length] = '\0';
        if (text_width(line) > TEXT_COLUMNS) return false;
        if (end == nullptr) return true;
        p = end + 1;
    }
}

// Writes a page's text a line to a row from FIRST_LINE_ROW: its translation,
// or the English text when the translation would not fit.
void draw_text(WINDOW *window, const char *msgid) {
    const char *text = _(msgid);
    if (!text_fits(text)) text = msgid;
    char line[256];
    for (int row = FIRST_LINE_ROW; *text != '\0'; ++row) {
        const char *end = std::strchr(text, '\n');
        const std::size_t length = end != nullptr ? static_cast<std::size_t>(end - text) : std::strlen(text);
        std::memcpy(line, text, std::min(length, sizeof line - 1));
        line[std::min(length, sizeof line - 1)] = '\0';
        put_text_at(window, row, TEXT_COLUMN, line);
        if (end == nullptr) break;
        text = end + 1;
    }
}

// Draws page `number` (from 1) into the help window, over what it held.
void draw_page(WINDOW *window, const Page &page, int number) {
    for (int row = 1; row < ROWS - 1; ++row) {
        wmove(window, row, 1);
        for (int column = 1; column < COLUMNS - 1; ++column) waddch(window, ' ');
    }
    const attr_t title_attr = scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE);
    char title[160];
    // TRANSLATORS: the help window's title, on its top border, with the
    // page's number and the pages' (one digit each): with its blanks at
    // both ends, at most 68 columns without the two.
    format_within(title, sizeof title, COLUMNS - 4, N_(" Help: page %d of %d "), number, PAGE_COUNT);
    wattr_on(window, title_attr, nullptr);
    center_text(window, COLUMNS, 0, title);
    wattr_off(window, title_attr, nullptr);

    put_text_attr_at(window, HEADING_ROW, TEXT_COLUMN, A_BOLD,
                     translation_within(page.heading, HEADING_COLUMNS));
    draw_text(window, page.text);
    // TRANSLATORS: the last line of a help page but the last: at most 70 columns.
    const char *next_page = N_("Press any key for the next page...");
    // TRANSLATORS: the key pause under an announcement, a window or the last
    // help page: at most 40 columns.
    const char *last_page = N_("Press any key to continue...");
    center_text(window, COLUMNS, FOOTER_ROW,
                number < PAGE_COUNT ? translation_within(next_page, TEXT_COLUMNS)
                                    : translation_within(last_page, TEXT_COLUMNS));
}

}  // namespace

// Shows the help, modal, over the main screen: the keys of the prompt it was
// opened from, then the rules. Any key turns the page; the key on the last
// page closes the window, and the windows it covered are staged again.
void show_help(HelpFrom from) {
    WINDOW *window = open_dialog(ROWS, COLUMNS, scheme_attr(pair_attr(PAIR_BLUE), A_BOLD),
                                 _("vegatrade: couldn't create help window\n"));
    const Page &keys = from == HelpFrom::TRADING ? TRADING_KEYS : MOVE_KEYS;
    for (int number = 1; number <= PAGE_COUNT; ++number) {
        draw_page(window, number == 1 ? keys : RULES[number - 2], number);
        wait_dialog_key(window);
    }
    close_dialog(window);
}
