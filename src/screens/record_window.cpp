// The game's record in a paged window, newest turn first and each turn's
// lines in the order they happened, and the wrapping of its lines.
// (Screen; the record itself is src/rules/record.cpp, its words
// src/screens/record_text.cpp.)
#include "screens/screens.h"
#include "terminal/messages.h"

#include <cstring>

namespace {

constexpr int ROWS = 16;
constexpr int TEXT_COLUMN = 2;
constexpr int HEADING_ROW = 2;
constexpr int FIRST_LINE_ROW = 4;
constexpr int LINES_PER_PAGE = 9;
constexpr int INDENT = 2;  // of a line's further rows
constexpr int LINE_SIZE = 4 * NAME_SIZE;
constexpr int FORGOTTEN = -1;  // in the order: the note that the oldest lines gave way

// What the window shows: the record's lines in their order on the pages,
// and where each page starts in that order.
struct Pages {
    const Game *game;
    const GameRecord *record;
    int order[RECORD_CAPACITY + 1];
    int count;
    int start[RECORD_CAPACITY + 2];
    int pages;
    int width;
};

// The text of an entry of the order.
void entry_text(const Pages &pages, char *out, std::size_t size, int entry) {
    if (entry == FORGOTTEN) {
        format_record_forgotten(out, size, pages.record->forgotten);
    } else {
        format_record_line(*pages.game, out, size, record_line(*pages.record, entry));
    }
}

// Newest turn first, each turn's lines in their order; then the note of
// the lines that gave way, if any did.
void order_lines(Pages &pages) {
    const GameRecord &record = *pages.record;
    pages.count = 0;
    for (int last = record.count - 1; last >= 0;) {
        int first = last;
        while (first > 0 && record_line(record, first - 1).turn == record_line(record, last).turn) --first;
        for (int index = first; index <= last; ++index) pages.order[pages.count++] = index;
        last = first - 1;
    }
    if (record.forgotten > 0) pages.order[pages.count++] = FORGOTTEN;
}

int entry_rows(const Pages &pages, int k) {
    char text[LINE_SIZE];
    entry_text(pages, text, sizeof text, pages.order[k]);
    return wrapped_rows(text, pages.width);
}

// The turn of an entry of the order; the note of forgotten lines has none.
int entry_turn(const Pages &pages, int k) {
    return pages.order[k] == FORGOTTEN ? -1 : record_line(*pages.record, pages.order[k]).turn;
}

// Splits the order into pages. A turn that fits on a page is not split
// across two, and a line that wraps stays whole on one page.
void paginate(Pages &pages) {
    pages.pages = 1;
    pages.start[0] = 0;
    int used = 0;
    for (int k = 0; k < pages.count;) {
        int end = k + 1;
        int turn_rows = entry_rows(pages, k);
        while (end < pages.count && entry_turn(pages, end) == entry_turn(pages, k))
            turn_rows += entry_rows(pages, end++);
        if (used > 0 && used + turn_rows > LINES_PER_PAGE && turn_rows <= LINES_PER_PAGE) {
            pages.start[pages.pages++] = k;
            used = 0;
        }
        for (; k < end; ++k) {
            const int rows = entry_rows(pages, k);
            if (used > 0 && used + rows > LINES_PER_PAGE) {
                pages.start[pages.pages++] = k;
                used = 0;
            }
            used += rows;
        }
    }
    pages.start[pages.pages] = pages.count;
}

// The chart of the worths stands on the first page once a turn is played;
// the record's lines follow, newest first.
int chart_pages(const Pages &pages) { return pages.record->point_count > 0 ? 1 : 0; }

void draw_page(WINDOW *window, int number, const void *context) {
    const Pages &pages = *static_cast<const Pages *>(context);
    if (number <= chart_pages(pages)) {
        draw_chart_page(window, *pages.game, *pages.record);
        return;
    }
    number -= chart_pages(pages);
    put_text_attr_at(window, HEADING_ROW, TEXT_COLUMN, A_BOLD, record_heading());
    if (pages.count == 0) {
        put_text_at(window, FIRST_LINE_ROW, TEXT_COLUMN, record_empty());
        return;
    }
    int row = FIRST_LINE_ROW;
    char text[LINE_SIZE];
    for (int k = pages.start[number - 1]; k < pages.start[number]; ++k) {
        entry_text(pages, text, sizeof text, pages.order[k]);
        put_wrapped(window, row, TEXT_COLUMN, pages.width, text);
        row += wrapped_rows(text, pages.width);
    }
}

}  // namespace

bool any_computer_seat(const Table &table) {
    for (const bool computer : table.computer) {
        if (computer) return true;
    }
    return false;
}

int wrapped_rows(const char *text, int width) {
    int rows = 0;
    for (const char *p = text; *p != '\0'; ++rows) {
        p += row_bytes(p, rows == 0 ? width : width - INDENT);
        while (*p == ' ') ++p;
    }
    return rows > 0 ? rows : 1;
}

void put_wrapped(WINDOW *window, int row, int column, int width, const char *text, attr_t attr) {
    char piece[LINE_SIZE];
    for (const char *p = text; *p != '\0'; ++row) {
        const bool first = p == text;
        std::size_t bytes = row_bytes(p, first ? width : width - INDENT);
        if (bytes >= sizeof piece) bytes = sizeof piece - 1;
        std::memcpy(piece, p, bytes);
        piece[bytes] = '\0';
        put_text_attr_at(window, row, first ? column : column + INDENT, attr, piece);
        p += bytes;
        while (*p == ' ') ++p;
    }
}

// Shows the whole record, as wide as the general window, a page at a time,
// the chart of the worths first.
void show_record(const Game &game, const GameRecord &record) {
    const int columns = screen_cols - 2;
    Pages pages{};
    pages.game = &game;
    pages.record = &record;
    pages.width = columns - TEXT_COLUMN - 1;
    order_lines(pages);
    paginate(pages);
    // TRANSLATORS: a fatal message on standard error, after the game has
    // left the screen: "vegatrade: " stays; no room limit. The record is the
    // window R opens: every turn of the game.
    const char *failure = _("vegatrade: couldn't create record window\n");
    show_pages(
        {ROWS, columns, failure, format_record_title, chart_pages(pages) + pages.pages, draw_page, &pages});
}
