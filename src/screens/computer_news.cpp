// What the computers did, told at a person's move prompt: the general
// window's rows below the prompt list what every computer did since that
// person last moved, a line for each computer's turn, the newest that fit.
// The record keeps every deed on a line of its own.
#include "screens/screens.h"

namespace {

constexpr int HEADING_ROW = 4;
constexpr int TEXT_COLUMN = 2;
constexpr int LINE_SIZE = 8 * NAME_SIZE;

// The first line of the record after the current player's last one; 0
// when they have not moved yet.
int first_news(const Game &game, const GameRecord &record) {
    for (int index = record.count - 1; index >= 0; --index) {
        if (record_line(record, index).player == game.current_player) return index + 1;
    }
    return 0;
}

bool by_computer(const Table &table, int index) {
    return table.computer[record_line(table.record, index).player];
}

// The end of the turn whose lines begin at `first`: the first line of the
// next turn, or the record's end.
int turn_end(const GameRecord &record, int first) {
    int end = first + 1;
    while (end < record.count && record_line(record, end).turn == record_line(record, first).turn) ++end;
    return end;
}

}  // namespace

void show_computer_news(const Game &game, const Table &table) {
    if (!any_computer_seat(table) || table.computer[game.current_player]) return;
    const GameRecord &record = table.record;
    const int first = first_news(game, record);
    // The computers' turns since then, a line each: where each begins.
    int starts[RECORD_CAPACITY];
    int turns = 0;
    for (int index = first; index < record.count; index = turn_end(record, index)) {
        if (by_computer(table, index)) starts[turns++] = index;
    }
    if (turns == 0) return;

    const int width = getmaxx(general_window) - 1 - TEXT_COLUMN;
    const int room = getmaxy(general_window) - 2 - HEADING_ROW;  // the rows below the heading
    if (room <= 0) return;
    put_text_attr_at(general_window, HEADING_ROW, TEXT_COLUMN, A_BOLD,
                     news_heading(first > 0 || record.forgotten > 0));

    // The newest turns that fit, keeping a row to say how many more there
    // are when not all do.
    char text[LINE_SIZE];
    format_news_more(text, sizeof text, turns);
    const int reserve = wrapped_rows(text, width);
    int rows = 0;
    int from = turns;
    for (int k = turns - 1; k >= 0; --k) {
        format_turn_brief(text, sizeof text, record, starts[k], turn_end(record, starts[k]), game);
        const int needed = wrapped_rows(text, width);
        if (rows + needed + (k == 0 ? 0 : reserve) > room) break;
        rows += needed;
        from = k;
    }
    int row = HEADING_ROW + 1;
    if (from > 0) {
        format_news_more(text, sizeof text, from);
        put_wrapped(general_window, row, TEXT_COLUMN, width, text);
        row += wrapped_rows(text, width);
    }
    for (int k = from; k < turns; ++k) {
        format_turn_brief(text, sizeof text, record, starts[k], turn_end(record, starts[k]), game);
        put_wrapped(general_window, row, TEXT_COLUMN, width, text);
        row += wrapped_rows(text, width);
    }
}
