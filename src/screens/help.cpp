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
       "S, C        the standings; the detailed company report\n"
       "R           the game's record, newest first (playing the computer)\n"
       "Q, Ctrl-C   ask whether to quit (y quits, with the final standings)\n"
       "Ctrl-L      repaint the screen\n"
       "Ctrl-Z      suspend the game (fg in the shell brings it back)\n"
       "?           this help. Letter keys work in either case.\n"
       "While the computer plays, S, C, R and ? open their windows and it\n"
       "waits; Q or Ctrl-C ask to quit; any other key hurries it."),
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
       "S, C, R, Q, Ctrl-L, ?   as at the move prompt\n"
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
           "cash plus the shares at their prices.\n"
           "At the final standings R shows the record and G a chart of worths."),
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

// The title of page `number` of `count`.
void format_title(char *title, std::size_t size, int number, int count) {
    // TRANSLATORS: the help window's title, on its top border, with the
    // page's number and the pages' (one digit each): with its blanks at
    // both ends, at most 68 columns without the two.
    format_within(title, size, COLUMNS - 4, N_(" Help: page %d of %d "), number, count);
}

// Draws page `number` (from 1): the keys of the prompt it was opened from,
// then the rules.
void draw_page(WINDOW *window, int number, const void *context) {
    const Page &page = number == 1 ? *static_cast<const Page *>(context) : RULES[number - 2];
    put_text_attr_at(window, HEADING_ROW, TEXT_COLUMN, A_BOLD,
                     translation_within(page.heading, HEADING_COLUMNS));
    draw_text(window, page.text);
}

}  // namespace

// Shows the help, modal, over the main screen: the keys of the prompt it was
// opened from, then the rules, paged (show_pages).
void show_help(HelpFrom from) {
    const Page &keys = from == HelpFrom::TRADING ? TRADING_KEYS : MOVE_KEYS;
    // TRANSLATORS: a fatal message on standard error, after the game has
    // left the screen: "vegatrade: " stays; no room limit. The help is the
    // window ? opens.
    const char *failure = _("vegatrade: couldn't create help window\n");
    show_pages({ROWS, COLUMNS, failure, format_title, PAGE_COUNT, draw_page, &keys});
}
