// What the computers did, told at a person's move prompt: the general
// window's rows below the prompt list, one line each, what every computer
// did since that person last moved, the newest that fit.
#include "screens/screens.h"

namespace {

constexpr int HEADING_ROW = 4;
constexpr int TEXT_COLUMN = 2;
constexpr int LINE_SIZE = 4 * NAME_SIZE;

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

}  // namespace

void show_computer_news(const Game &game, const Table &table) {
    if (!any_computer_seat(table) || table.computer[game.current_player]) return;
    const GameRecord &record = table.record;
    const int first = first_news(game, record);
    int news = 0;
    for (int index = first; index < record.count; ++index) news += by_computer(table, index);
    if (news == 0) return;

    const int width = getmaxx(general_window) - 1 - TEXT_COLUMN;
    const int room = getmaxy(general_window) - 2 - HEADING_ROW;  // the rows below the heading
    if (room <= 0) return;
    put_text_attr_at(general_window, HEADING_ROW, TEXT_COLUMN, A_BOLD,
                     news_heading(first > 0 || record.forgotten > 0));

    // The newest lines that fit, keeping a row to say how many more there
    // are when not all do.
    char text[LINE_SIZE];
    format_news_more(text, sizeof text, news);
    const int reserve = wrapped_rows(text, width);
    int rows = 0;
    int shown = 0;
    int from = record.count;
    for (int index = record.count - 1; index >= first; --index) {
        if (!by_computer(table, index)) continue;
        format_record_line(game, text, sizeof text, record_line(record, index));
        const int needed = wrapped_rows(text, width);
        const bool last = shown + 1 == news;
        if (rows + needed + (last ? 0 : reserve) > room) break;
        rows += needed;
        ++shown;
        from = index;
    }
    int row = HEADING_ROW + 1;
    if (shown < news) {
        format_news_more(text, sizeof text, news - shown);
        put_wrapped(general_window, row, TEXT_COLUMN, width, text);
        row += wrapped_rows(text, width);
    }
    for (int index = from; index < record.count; ++index) {
        if (!by_computer(table, index)) continue;
        format_record_line(game, text, sizeof text, record_line(record, index));
        put_wrapped(general_window, row, TEXT_COLUMN, width, text);
        row += wrapped_rows(text, width);
    }
}
