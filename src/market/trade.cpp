// The trading dialog that closes every turn: buy and sell shares of the
// active companies until Escape.
#include "market/market.h"
#include "ui/ui.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int CTRL_C = 3;
constexpr int CTRL_F = 6;
constexpr int CTRL_L = 12;
constexpr int ESCAPE = 27;
constexpr int LIST_ROW = 3;
constexpr int NAME_COLUMN = 20;
constexpr int PROMPT_COLUMN = 40;
constexpr int MAX_AMOUNT_LEN = 9;
constexpr int PROMPT_WIDTH = 37;  // the columns a prompt and its amount take

struct Dialog {
    int active[NUM_COMPANIES];
    int count = 0;
    int selected = 0;
};

void format_title(char *title, std::size_t size) {
    const Player &player = players[current_player];
    std::snprintf(title, size, " %s (Cash: $%d) ", player.name, player.cash);
}

void draw_entry(const Dialog &dialog, int entry, attr_t attr) {
    put_text_attr_at(general_window, LIST_ROW + entry, NAME_COLUMN, attr, companies[dialog.active[entry]].name);
}

attr_t entry_attr(const Dialog &dialog, int entry) { return company_name_attr(dialog.active[entry]); }

// Puts the cursor just after the selected company's name.
void put_cursor_back(const Dialog &dialog) {
    const int entry = dialog.selected;
    wmove(general_window, LIST_ROW + entry, NAME_COLUMN + text_width(companies[dialog.active[entry]].name));
    wnoutrefresh(general_window);
}

void move_selection(Dialog &dialog, int step) {
    const int next = (dialog.selected + step + dialog.count) % dialog.count;
    if (next == dialog.selected) return;
    draw_entry(dialog, dialog.selected, entry_attr(dialog, dialog.selected));
    draw_entry(dialog, next, scheme_attr(pair_attr(PAIR_BLACK_ON_WHITE), A_REVERSE));
    dialog.selected = next;
    wnoutrefresh(general_window);
}

// The range of shares the player may trade: selling at most every share,
// buying at most what the cash pays for; neither cash nor holdings may
// leave the int range.
void trade_range(int company, int &min, int &max) {
    const Player &player = players[current_player];
    const int price = companies[company].price;
    const int holding = player.holdings[company];
    max = player.cash / price;
    if (max > INT_MAX - holding) max = INT_MAX - holding;
    const int sellable = (INT_MAX - player.cash) / price;
    min = -(holding < sellable ? holding : sellable);
}

int read_amount(const char *text, int min, int max) {
    const int first = static_cast<unsigned char>(text[0]);
    if (ascii_lower(first) == 'm') return max;
    if (ascii_lower(first) == 'n') return min;
    return parse_int(text);
}

// The title shows the new cash; "////" restores the border beside it where
// a longer title stood.
void repaint_title() {
    char title[160];
    format_title(title, sizeof title);
    const int width = screen_cols - 2;
    const int length = text_width(title);
    if (length > width) return;
    const int column = (width - length) / 2;
    put_text_attr_at(general_window, 0, column, scheme_attr(A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE), A_REVERSE),
                     title);
    const attr_t border = scheme_attr(pair_attr(PAIR_BLUE), A_NORMAL);
    put_text_attr_at(general_window, 0, column - 4, border, "////");
    put_text_attr_at(general_window, 0, column + length, border, "////");
}

// Writes `count` blanks from (row, column) of the general window.
void blank(int row, int column, int count) {
    for (int c = 0; c < count; ++c) mvwaddch(general_window, row, column + c, ' ');
}

void trade(const Dialog &dialog) {
    const int company = dialog.active[dialog.selected];
    const int row = LIST_ROW + dialog.selected;
    int min = 0;
    int max = 0;
    trade_range(company, min, max);

    // The prompt and the amount stay inside the window's border: a prompt of
    // long bounds drops its first word, and the amount takes what is left.
    const int room = screen_cols - 3 - PROMPT_COLUMN;
    char prompt[64];
    int prompt_length = std::snprintf(prompt, sizeof prompt, "Amount (%d to %d): ", min, max);
    if (prompt_length + MAX_AMOUNT_LEN > room) {
        prompt_length = std::snprintf(prompt, sizeof prompt, "(%d to %d): ", min, max);
    }
    const int field = std::min(MAX_AMOUNT_LEN, room - prompt_length);
    const int used = std::max(PROMPT_WIDTH, prompt_length + field);
    put_text_at(general_window, row, PROMPT_COLUMN, prompt);
    wnoutrefresh(general_window);
    char text[MAX_AMOUNT_LEN + 1];
    get_line(general_window, row, PROMPT_COLUMN + prompt_length, field, INPUT_AMOUNT, text, sizeof text);

    const int amount = read_amount(text, min, max);
    if (amount < min || amount > max) {
        put_text_at(general_window, row, PROMPT_COLUMN, "Invalid amount!");
        blank(row, PROMPT_COLUMN + 15, used - 15);
        wmove(general_window, row, PROMPT_COLUMN + 15);
        wnoutrefresh(general_window);
        doupdate();
        sleep(1);
    } else {
        Player &player = players[current_player];
        player.cash = clamp_int(player.cash - static_cast<std::int64_t>(amount) * companies[company].price);
        player.holdings[company] += amount;
    }
    blank(row, PROMPT_COLUMN, used);
    if (amount != 0) show_coinfo();
    repaint_title();
    put_cursor_back(dialog);
}

}  // namespace

void trade_stock() {
    Dialog dialog;
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (companies[i].size != 0) dialog.active[dialog.count++] = i;
    }
    if (dialog.count == 0) return;

    char title[160];
    format_title(title, sizeof title);
    general_header(title, 0);
    center_text(general_window, screen_cols - 2, 1,
                "Arrow keys to select a company, return to trade, escape when done:");
    draw_entry(dialog, 0, A_REVERSE);
    for (int entry = 1; entry < dialog.count; ++entry) draw_entry(dialog, entry, entry_attr(dialog, entry));
    wnoutrefresh(general_window);

    for (;;) {
        raw();
        noecho();
        doupdate();
        switch (read_key()) {
        case KEY_DOWN: case '5': case 'J': case 'j': move_selection(dialog, 1); break;
        case KEY_UP: case '8': case 'K': case 'k': move_selection(dialog, -1); break;
        case KEY_RIGHT: case CTRL_F: case '\n': case '\r': trade(dialog); break;
        case ESCAPE: return;
        case CTRL_C: case 'Q': case 'q':
            confirm_quit();
            put_cursor_back(dialog);
            break;
        case 'S': case 's':
            if (!note_too_small()) show_standings(" Current Standings ");
            put_cursor_back(dialog);
            break;
        case 'C': case 'c':
            if (!note_too_small()) more_coinfo();
            put_cursor_back(dialog);
            break;
        case '?':
            if (!note_too_small()) show_help(HelpFrom::TRADING);
            put_cursor_back(dialog);
            break;
        case CTRL_L: redraw_all(); break;
        default: break;
        }
    }
}
