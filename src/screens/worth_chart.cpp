// The chart of the game: every player's net worth by turn, one line each on
// a scale of tens (worths run from thousands to billions), under a legend,
// with the dollar axis at the left, the turn axis below and the turns of
// mergers marked on it. In colour and a UTF-8 locale the lines are drawn in
// braille dots, two by four to a cell, each player's in their colour;
// anywhere else each player's line is their letter. (Screen; the worths are
// kept by src/rules/record.cpp.)
#include "computer/logarithm.h"
#include "screens/screens.h"
#include "terminal/messages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int ROWS = 16;
constexpr int MARGIN = 2;  // blank columns inside each side of the window
constexpr int LEGEND_GAP = 3;
constexpr std::size_t LABEL_SIZE = 32;

// The players' colours, by player index.
constexpr ColorPair PLAYER_PAIRS[MAX_PLAYERS] = {PAIR_CYAN, PAIR_GREEN, PAIR_YELLOW, PAIR_MAGENTA};

// How a chart is drawn: braille dots in colour, or a letter per player.
struct Style {
    bool dots;
    int across;  // dots per cell, across and down
    int down;
};

Style chart_style() {
    if (use_color && utf8_locale()) return {true, 2, 4};
    return {false, 1, 1};
}

attr_t player_attr(int player) { return scheme_attr(A_BOLD | pair_attr(PLAYER_PAIRS[player]), A_BOLD); }

// Each player's letter: the first letter of their name that no player before
// has, else their number.
void player_letters(const Game &played, char letters[MAX_PLAYERS]) {
    for (int p = 0; p < played.num_players; ++p) {
        letters[p] = static_cast<char>('1' + p);
        for (const char *c = played.players[p].name; *c != '\0'; ++c) {
            const int upper = ascii_upper(static_cast<unsigned char>(*c));
            if (upper < 'A' || upper > 'Z') continue;
            bool taken = false;
            for (int q = 0; q < p; ++q) taken = taken || letters[q] == upper;
            if (taken) continue;
            letters[p] = static_cast<char>(upper);
            break;
        }
    }
}

// The worths the chart draws: the start, then each point kept.
int point_count(const GameRecord &record) { return record.point_count + 1; }
int point_turn(const GameRecord &record, int k) { return k == 0 ? 0 : worth_point(record, k - 1).turn; }
std::int64_t point_worth(const GameRecord &record, int k, int player) {
    return k == 0 ? STARTING_CASH : worth_point(record, k - 1).worth[player];
}

// The scale: from `low` to `high` dollars, each 1, 2 or 5 times a power of
// ten, the least that hold every worth above 0 (a worth of 0 stands on the
// bottom).
struct Scale {
    std::int64_t low;
    std::int64_t high;
    double log_low;
    double log_span;
};

std::int64_t nice_at_most(std::int64_t value) {
    std::int64_t nice = 1;
    for (std::int64_t power = 1;; power *= 10) {
        for (const int step : {1, 2, 5}) {
            if (power <= value / step) nice = power * step;
        }
        if (power > value / 10) return nice;
    }
}

std::int64_t nice_above(std::int64_t value) {
    for (std::int64_t power = 1; power > 0; power *= 10) {
        for (const int step : {1, 2, 5}) {
            if (power <= INT64_MAX / step && power * step > value) return power * step;
        }
        if (power > INT64_MAX / 10) break;
    }
    return INT64_MAX;
}

Scale scale_of(const Game &played, const GameRecord &record) {
    std::int64_t least = INT64_MAX;
    std::int64_t most = 1;
    for (int k = 0; k < point_count(record); ++k) {
        for (int p = 0; p < played.num_players; ++p) {
            const std::int64_t worth = point_worth(record, k, p);
            if (worth > 0) least = std::min(least, worth);
            most = std::max(most, worth);
        }
    }
    Scale scale{};
    scale.low = nice_at_most(least == INT64_MAX ? 1 : least);
    scale.high = std::max(nice_above(most - 1), nice_above(scale.low));
    scale.log_low = natural_log(static_cast<double>(scale.low));
    scale.log_span = natural_log(static_cast<double>(scale.high)) - scale.log_low;
    return scale;
}

// The dot a worth stands at, counted from 0 at the bottom of `dots`.
int dot_of(const Scale &scale, std::int64_t worth, int dots) {
    if (worth <= scale.low) return 0;
    const double share = (natural_log(static_cast<double>(worth)) - scale.log_low) / scale.log_span;
    return std::clamp(static_cast<int>(share * (dots - 1) + 0.5), 0, dots - 1);
}

// The plot: its cells, each with the dots set in it (or a letter) and the
// player drawn last there.
constexpr int MOST_ROWS = ROWS;
constexpr int MOST_COLUMNS = 256;
struct Plot {
    int rows;
    int columns;
    unsigned char dots[MOST_ROWS][MOST_COLUMNS];
    signed char player[MOST_ROWS][MOST_COLUMNS];
};

// Sets the dot (x, y) of the plot, y counted from its bottom.
void set_dot(Plot &plot, const Style &style, int x, int y, int player) {
    const int row = plot.rows - 1 - y / style.down;
    const int column = x / style.across;
    if (row < 0 || row >= plot.rows || column < 0 || column >= plot.columns) return;
    // A braille cell's dots: the left column 1, 2, 3, 7 from the top, the right one 4, 5, 6, 8.
    static constexpr unsigned char BITS[2][4] = {{0x01, 0x02, 0x04, 0x40}, {0x08, 0x10, 0x20, 0x80}};
    const int dy = style.down - 1 - y % style.down;
    const unsigned char bit = style.dots ? BITS[x % style.across][dy] : static_cast<unsigned char>(1);
    plot.dots[row][column] = static_cast<unsigned char>(plot.dots[row][column] | bit);
    plot.player[row][column] = static_cast<signed char>(player);
}

// A straight line of dots from (x0, y0) to (x1, y1).
void draw_segment(Plot &plot, const Style &style, int x0, int y0, int x1, int y1, int player) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    for (int error = dx + dy;;) {
        set_dot(plot, style, x0, y0, player);
        if (x0 == x1 && y0 == y1) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

int x_of(int turn, int last_turn, int dots) {
    return last_turn <= 0
               ? 0
               : static_cast<int>((static_cast<long long>(turn) * (dots - 1) + last_turn / 2) / last_turn);
}

// Draws the legend from `row`: each player's mark and name, and the mark
// of a merger, on as many rows as they take. Returns the rows taken.
int draw_legend(WINDOW *window, int row, int left, int width, const Game &played, const Style &style,
                const char letters[MAX_PLAYERS]) {
    int column = left;
    const int first_row = row;
    char mark[LABEL_SIZE];
    for (int p = 0; p <= played.num_players; ++p) {
        const bool merger = p == played.num_players;
        char text[2 * NAME_SIZE];
        if (merger) {
            std::snprintf(mark, sizeof mark, "%s", utf8_locale() ? "▲" : "^");
            // TRANSLATORS: in the chart's legend, after the mark that the
            // turn axis shows under each turn of a merger: at most 20 columns.
            std::snprintf(text, sizeof text, "%s", translation_within(N_("a merger"), 20));
        } else {
            if (style.dots) {
                std::snprintf(mark, sizeof mark, "%s", "━━");
            } else {
                std::snprintf(mark, sizeof mark, "%c", letters[p]);
            }
            std::snprintf(text, sizeof text, "%s", played.players[p].name);
        }
        const int entry = text_width(mark) + 1 + text_width(text);
        if (column > left && column + entry > left + width) {
            ++row;
            column = left;
        }
        put_text_attr_at(window, row, column, merger ? A_BOLD : player_attr(p), mark);
        put_text_at(window, row, column + text_width(mark) + 1, text);
        column += entry + LEGEND_GAP;
    }
    return row - first_row + 1;
}

void format_dollars(char *out, std::size_t size, std::int64_t value) {
    std::snprintf(out, size, "$%lld", static_cast<long long>(value));
}

// Whether a dollar label may stand on `row`: none stands on it or beside it.
bool row_free(const bool used[MOST_ROWS], int row, int rows) {
    for (int r = row - 1; r <= row + 1; ++r) {
        if (r >= 0 && r < rows && used[r]) return false;
    }
    return true;
}

// The dollar axis's labels, by plot row: the scale's ends, then each power
// of ten between them, then twice and five times one, where each has room.
void choose_labels(const Scale &scale, const Style &style, int rows, std::int64_t labels[MOST_ROWS]) {
    bool used[MOST_ROWS] = {};
    for (int r = 0; r < rows; ++r) labels[r] = -1;
    const auto place = [&](std::int64_t value, bool ends) {
        if (value < scale.low || value > scale.high) return;
        const int row = rows - 1 - dot_of(scale, value, rows * style.down) / style.down;
        if (labels[row] >= 0 || (!ends && !row_free(used, row, rows))) return;
        labels[row] = value;
        used[row] = true;
    };
    place(scale.low, true);
    place(scale.high, true);
    for (const int step : {1, 2, 5}) {
        for (std::int64_t power = 1; power > 0 && power <= scale.high / step; power *= 10) {
            place(power * step, false);
            if (power > INT64_MAX / 10) break;
        }
    }
}

// The turn between two labels of the turn axis: 1, 2 or 5 times a power
// of ten, the least that leaves room for the widest label.
int turn_step(int last_turn, int columns, int label_width) {
    for (int power = 1;; power *= 10) {
        for (const int step : {1, 2, 5}) {
            const long long every = static_cast<long long>(power) * step;
            if (last_turn <= 0 ||
                every * (columns - 1) >= static_cast<long long>(label_width + 1) * last_turn)
                return static_cast<int>(every);
        }
    }
}

void put_cell(WINDOW *window, int row, int column, const char *text, attr_t attr = A_NORMAL) {
    put_text_attr_at(window, row, column, attr, text);
}

// Draws the chart in the `rows` x `columns` cells from (top, left).
void draw_worth_chart(WINDOW *window, int top, int left, int rows, int columns, const Game &played,
                      const GameRecord &record) {
    if (record.point_count == 0) {
        put_text_at(window, top, left, record_empty());
        return;
    }
    const Style style = chart_style();
    const bool utf8 = utf8_locale();
    char letters[MAX_PLAYERS];
    player_letters(played, letters);
    const int legend_rows = draw_legend(window, top, left, columns, played, style, letters);

    // The rows: the legend, the plot, the turn axis and its labels.
    Plot plot{};
    plot.rows = std::min(rows - legend_rows - 2, MOST_ROWS);
    if (plot.rows < 2) return;
    const int plot_top = top + legend_rows;
    const int axis_row = plot_top + plot.rows;
    const Scale scale = scale_of(played, record);
    std::int64_t labels[MOST_ROWS];
    choose_labels(scale, style, plot.rows, labels);

    // The dollar labels' column, wide enough for the axis's word too.
    // TRANSLATORS: under the chart's dollar labels, at the left of the turn
    // axis's numbers: the word for the game's turns. At most 11 columns.
    const char *turn_word = translation_within(N_("Turn"), 11);
    int label_width = text_width(turn_word);
    char text[LABEL_SIZE];
    for (int r = 0; r < plot.rows; ++r) {
        if (labels[r] < 0) continue;
        format_dollars(text, sizeof text, labels[r]);
        label_width = std::max(label_width, text_width(text));
    }
    const int axis_column = left + label_width + 1;
    const int plot_left = axis_column + 1;
    plot.columns = std::min(left + columns - plot_left, MOST_COLUMNS);
    if (plot.columns < 2) return;

    // The lines, the leader's last so that it stands over the others.
    int order[MAX_PLAYERS];
    rank_players(played, order);
    const int last_turn = point_turn(record, point_count(record) - 1);
    const int dots_across = plot.columns * style.across;
    const int dots_down = plot.rows * style.down;
    for (int place = played.num_players - 1; place >= 0; --place) {
        const int p = order[place];
        int x = 0;
        int y = dot_of(scale, point_worth(record, 0, p), dots_down);
        for (int k = 1; k < point_count(record); ++k) {
            const int next_x = x_of(point_turn(record, k), last_turn, dots_across);
            const int next_y = dot_of(scale, point_worth(record, k, p), dots_down);
            draw_segment(plot, style, x, y, next_x, next_y, p);
            x = next_x;
            y = next_y;
        }
    }
    for (int r = 0; r < plot.rows; ++r) {
        for (int c = 0; c < plot.columns; ++c) {
            if (plot.dots[r][c] == 0) continue;
            const int p = plot.player[r][c];
            if (style.dots) {
                // U+2800 and the dots, in UTF-8.
                const int code = 0x2800 + plot.dots[r][c];
                const char cell[4] = {static_cast<char>(0xE0 | (code >> 12)),
                                      static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                                      static_cast<char>(0x80 | (code & 0x3F)), '\0'};
                put_cell(window, plot_top + r, plot_left + c, cell, player_attr(p));
            } else {
                const char cell[2] = {letters[p], '\0'};
                put_cell(window, plot_top + r, plot_left + c, cell, player_attr(p));
            }
        }
    }

    // The dollar axis and its labels, right-aligned before it.
    for (int r = 0; r < plot.rows; ++r) {
        const bool labelled = labels[r] >= 0;
        put_cell(window, plot_top + r, axis_column, labelled ? (utf8 ? "┤" : "+") : (utf8 ? "│" : "|"));
        if (!labelled) continue;
        format_dollars(text, sizeof text, labels[r]);
        put_text_at(window, plot_top + r, axis_column - 1 - text_width(text), text);
    }

    // The turn axis: its ticks and their numbers, and a mark under each
    // turn of a merger.
    put_cell(window, axis_row, axis_column, utf8 ? "└" : "+");
    for (int c = 0; c < plot.columns; ++c) put_cell(window, axis_row, plot_left + c, utf8 ? "─" : "-");
    put_text_at(window, axis_row + 1, axis_column - 1 - text_width(turn_word), turn_word);
    char number[LABEL_SIZE];
    std::snprintf(number, sizeof number, "%d", last_turn);
    const int step = turn_step(last_turn, plot.columns, static_cast<int>(std::strlen(number)));
    int free_from = plot_left;
    for (int turn = 0; turn <= last_turn; turn += step) {
        const int column = plot_left + x_of(turn, last_turn, dots_across) / style.across;
        std::snprintf(number, sizeof number, "%d", turn);
        const int width = static_cast<int>(std::strlen(number));
        if (column < free_from || column + width > plot_left + plot.columns) continue;
        put_cell(window, axis_row, column, utf8 ? "┬" : "+");
        put_text_at(window, axis_row + 1, column, number);
        free_from = column + width + 1;
    }
    for (int k = 1; k < point_count(record); ++k) {
        if (!worth_point(record, k - 1).merger) continue;
        const int column = plot_left + x_of(point_turn(record, k), last_turn, dots_across) / style.across;
        put_cell(window, axis_row, column, utf8 ? "▲" : "^", A_BOLD);
    }
}

struct ChartOf {
    const Game *played;
    const GameRecord *record;
};

void format_chart_title(char *out, std::size_t size, int, int) {
    // TRANSLATORS: the title of the chart of every player's net worth,
    // on the window's top border: at most 60 columns with its blanks.
    std::snprintf(out, size, "%s", translation_within(N_(" Net worth by turn "), 60));
}

void draw_chart_alone(WINDOW *window, int, const void *context) {
    const ChartOf &chart = *static_cast<const ChartOf *>(context);
    draw_chart_page(window, *chart.played, *chart.record);
}

}  // namespace

// The chart on a page of a paged window: from its third row to the two
// above its footer, within its margins.
void draw_chart_page(WINDOW *window, const Game &played, const GameRecord &record) {
    draw_worth_chart(window, 2, MARGIN, getmaxy(window) - 5, getmaxx(window) - 2 * MARGIN, played, record);
}

// Shows the chart alone, modal, over the main screen, as wide as the
// general window; any key closes it.
void show_worth_chart(const Game &played, const GameRecord &record) {
    const ChartOf chart{&played, &record};
    // TRANSLATORS: the fatal message when the chart's window cannot be
    // made, on standard error; keep its end of line.
    const char *failure = _("vegatrade: couldn't create chart window\n");
    show_pages({ROWS, screen_cols - 2, failure, format_chart_title, 1, draw_chart_alone, &chart});
}
