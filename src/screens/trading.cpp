// The trading dialog that closes every turn: a person buys and sells shares
// of the active companies until Escape. The computer's seat trades through
// the same dialog (src/screens/computer_seat.cpp). (Screen; a trade's bounds
// and effect are src/rules/trade.cpp.)
#include "screens/screens.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr int LIST_ROW = 3;
constexpr int NAME_COLUMN = 20;
constexpr int PROMPT_COLUMN = 40;
constexpr int MAX_AMOUNT_LEN = 9;
constexpr int PROMPT_WIDTH = 37;  // the columns a prompt and its amount take

// The amount field is never narrower than the longest amount a player may
// always type, even on the narrowest layout after the longest short prompt.
constexpr int LONGEST_SHORT_PROMPT = sizeof "(-2147483647 to 2147483647): " - 1;
static_assert(MAX_AMOUNT_LEN >= TYPED_AMOUNT_LENGTH);
static_assert(MIN_LAYOUT_COLS - 3 - PROMPT_COLUMN - LONGEST_SHORT_PROMPT >= TYPED_AMOUNT_LENGTH);

const Player &mover(const TradingDialog &dialog) { return dialog.game->players[dialog.game->current_player]; }

const char *company_name(const TradingDialog &dialog, int entry) {
    return dialog.game->companies[dialog.active[entry]].name;
}

void draw_entry(const TradingDialog &dialog, int entry, attr_t attr) {
    put_text_attr_at(general_window, LIST_ROW + entry, NAME_COLUMN, attr, company_name(dialog, entry));
}

attr_t entry_attr(const TradingDialog &dialog, int entry) { return company_name_attr(dialog.active[entry]); }

}  // namespace

// Puts the cursor just after the selected company's name.
void put_cursor_back(const TradingDialog &dialog) {
    const int entry = dialog.selected;
    wmove(general_window, LIST_ROW + entry, NAME_COLUMN + text_width(company_name(dialog, entry)));
    wnoutrefresh(general_window);
}

// Moves the selection `step` entries down (up when negative), round the list.
void move_selection(TradingDialog &dialog, int step) {
    const int next = (dialog.selected + step + dialog.count) % dialog.count;
    if (next == dialog.selected) return;
    draw_entry(dialog, dialog.selected, entry_attr(dialog, dialog.selected));
    draw_entry(dialog, next, scheme_attr(pair_attr(PAIR_BLACK_ON_WHITE), A_REVERSE));
    dialog.selected = next;
    wnoutrefresh(general_window);
}

namespace {

int read_amount(const char *text, int min, int max) {
    const int first = static_cast<unsigned char>(text[0]);
    if (ascii_lower(first) == 'm') return max;
    if (ascii_lower(first) == 'n') return min;
    return parse_int(text);
}

// The title shows the new cash; "////" restores the border beside it where
// a longer title stood.
void repaint_title(const TradingDialog &dialog) {
    char title[160];
    format_cash_title(title, sizeof title, mover(dialog));
    const int width = screen_cols - 2;
    const int length = text_width(title);
    if (length > width) return;
    const int column = (width - length) / 2;
    put_text_attr_at(general_window, 0, column,
                     scheme_attr(A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE), A_REVERSE), title);
    const attr_t border = scheme_attr(pair_attr(PAIR_BLUE), A_NORMAL);
    put_text_attr_at(general_window, 0, column - 4, border, "////");
    put_text_attr_at(general_window, 0, column + length, border, "////");
}

// Stays a second, however often a signal (a resize) interrupts the sleep.
void stay_a_second() {
    timespec left{1, 0};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

// Writes `count` blanks from (row, column) of the general window.
void blank(int row, int column, int count) {
    for (int c = 0; c < count; ++c) mvwaddch(general_window, row, column + c, ' ');
}

}  // namespace

// Writes the amount prompt. The prompt and the amount stay inside the
// window's border: a prompt of long bounds drops its first word, and the
// amount takes what is left.
AmountPrompt show_amount_prompt(const TradingDialog &dialog) {
    AmountPrompt prompt{dialog.active[dialog.selected], LIST_ROW + dialog.selected, 0, 0, 0, 0, 0};
    trade_range(*dialog.game, prompt.company, prompt.min, prompt.max);
    const int room = screen_cols - 3 - PROMPT_COLUMN;
    char text[160];
    int length = format_within(text, sizeof text, room - MAX_AMOUNT_LEN,
                               // TRANSLATORS: the amount prompt on the selected company's
                               // row, with the fewest and the most shares (up to eleven
                               // characters each) and 9 columns for the amount after it, 37
                               // in all; where they do not fit, the shorter one is shown.
                               // So that common bounds fit: at most 18 columns without the
                               // two figures.
                               N_("Amount (%d to %d): "), prompt.min, prompt.max);
    if (length + MAX_AMOUNT_LEN > room) {
        length = format_within(text, sizeof text, room - TYPED_AMOUNT_LENGTH,
                               // TRANSLATORS: the amount prompt without its first word, for
                               // the longest bounds, as wide as its English text: at most 8
                               // columns without the two figures.
                               N_("(%d to %d): "), prompt.min, prompt.max);
    }
    prompt.field_column = PROMPT_COLUMN + length;
    prompt.field = std::min(MAX_AMOUNT_LEN, room - length);
    prompt.used = std::max(PROMPT_WIDTH, length + prompt.field);
    put_text_at(general_window, prompt.row, PROMPT_COLUMN, text);
    wnoutrefresh(general_window);
    return prompt;
}

// Writes an amount at the prompt as a person would type it: its digits or,
// where they would not fit, the m or n that a person types for the most or
// the least.
void type_amount(const AmountPrompt &prompt, int amount) {
    char text[16];
    if (std::snprintf(text, sizeof text, "%d", amount) > prompt.field) {
        std::snprintf(text, sizeof text, "%c", amount == prompt.max ? 'm' : 'n');
    }
    put_text_at(general_window, prompt.row, prompt.field_column, text);
    wnoutrefresh(general_window);
}

// Clears the prompt and shows what the trade changed.
void finish_trade(const TradingDialog &dialog, const AmountPrompt &prompt, int amount) {
    blank(prompt.row, PROMPT_COLUMN, prompt.used);
    if (amount != 0) show_coinfo(*dialog.game);
    repaint_title(dialog);
    put_cursor_back(dialog);
}

namespace {

void trade(Game &game, GameRecord &record, const TradingDialog &dialog) {
    const AmountPrompt prompt = show_amount_prompt(dialog);
    char text[MAX_AMOUNT_LEN + 1];
    // Enter on an empty line, or Escape, leaves the text empty: nothing is traded.
    get_line(general_window, prompt.row, prompt.field_column, prompt.field, INPUT_AMOUNT, text, sizeof text);

    const int amount = read_amount(text, prompt.min, prompt.max);
    if (amount < prompt.min || amount > prompt.max) {
        // TRANSLATORS: shown a second in place of the amount prompt when the
        // amount typed is out of its bounds: at most 37 columns.
        const char *invalid = translation_within(N_("Invalid amount!"), prompt.used);
        const int width = text_width(invalid);
        put_text_at(general_window, prompt.row, PROMPT_COLUMN, invalid);
        blank(prompt.row, PROMPT_COLUMN + width, prompt.used - width);
        wmove(general_window, prompt.row, PROMPT_COLUMN + width);
        wnoutrefresh(general_window);
        doupdate();
        stay_a_second();
    } else {
        apply_trade(game, prompt.company, amount);
        record_trade(record, game, prompt.company, amount);
    }
    finish_trade(dialog, prompt, amount);
}

}  // namespace

bool open_trading(const Game &game, TradingDialog &dialog) {
    dialog = TradingDialog{&game, {}, 0, 0};
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (game.companies[i].size != 0) dialog.active[dialog.count++] = i;
    }
    if (dialog.count == 0) return false;

    char title[160];
    format_cash_title(title, sizeof title, mover(dialog));
    general_header(title, 0);
    center_text(general_window, screen_cols - 2, 1,
                // TRANSLATORS: the trading dialog's line under its title: at
                // most 76 columns. The keys are the arrows, Enter and Escape.
                translation_within(N_("Arrow keys to select a company, return to trade, escape when done:"),
                                   screen_cols - 4));
    draw_entry(dialog, 0, A_REVERSE);
    for (int entry = 1; entry < dialog.count; ++entry) draw_entry(dialog, entry, entry_attr(dialog, entry));
    wnoutrefresh(general_window);
    return true;
}

// A person's trades: the keys of the dialog until Escape.
void trade_stock(Game &game, Table &table) {
    TradingDialog dialog;
    if (!open_trading(game, dialog)) return;
    for (;;) {
        raw();
        noecho();
        doupdate();
        const int key = read_key();
        switch (key) {
            case KEY_DOWN:
            case '5':
            case 'J':
            case 'j': move_selection(dialog, 1); break;
            case KEY_UP:
            case '8':
            case 'K':
            case 'k': move_selection(dialog, -1); break;
            case KEY_RIGHT:
            case CTRL_F:
            case '\n':
            case '\r': trade(game, table.record, dialog); break;
            case ESCAPE: return;
            default:
                // A window over the dialog leaves the cursor where it was.
                if (serve_hotkey(key, HelpFrom::TRADING, game, table) == Hotkey::SHOWN)
                    put_cursor_back(dialog);
                break;
        }
    }
}
