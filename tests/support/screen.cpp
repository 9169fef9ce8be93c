#include "support/screen.h"

#include <unistd.h>
#include <wchar.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "flow/flow.h"
#include "screens/screens.h"
#include "support/picture.h"
#include "terminal/terminal.h"

namespace headless {

namespace {

// A test that waits for a key nobody types must fail, not hang.
constexpr unsigned WATCHDOG_SECONDS = 20;

// How a terminal shows the line-drawing characters curses sends in the
// alternate character set.
char32_t line_drawing(wchar_t code) {
    switch (code) {
        case '`': return U'\u25C6';
        case 'a': return U'\u2592';
        case 'f': return U'\u00B0';
        case 'g': return U'\u00B1';
        case 'j': return U'\u2518';
        case 'k': return U'\u2510';
        case 'l': return U'\u250C';
        case 'm': return U'\u2514';
        case 'n': return U'\u253C';
        case 'o': return U'\u23BA';
        case 'p': return U'\u23BB';
        case 'q': return U'\u2500';
        case 'r': return U'\u23BC';
        case 's': return U'\u23BD';
        case 't': return U'\u251C';
        case 'u': return U'\u2524';
        case 'v': return U'\u2534';
        case 'w': return U'\u252C';
        case 'x': return U'\u2502';
        case 'y': return U'\u2264';
        case 'z': return U'\u2265';
        case '{': return U'\u03C0';
        case '|': return U'\u2260';
        case '}': return U'\u00A3';
        case '~': return U'\u00B7';
        default: return static_cast<char32_t>(code);
    }
}

std::string describe(attr_t attr) {
    static const std::pair<attr_t, const char *> names[] = {
        {A_STANDOUT, "A_STANDOUT"}, {A_UNDERLINE, "A_UNDERLINE"},
        {A_REVERSE, "A_REVERSE"},   {A_BLINK, "A_BLINK"},
        {A_DIM, "A_DIM"},           {A_BOLD, "A_BOLD"},
        {A_INVIS, "A_INVIS"},       {A_PROTECT, "A_PROTECT"},
        {A_ITALIC, "A_ITALIC"},
    };
    std::string text;
    attr_t named = A_COLOR;
    for (const auto &[bit, name] : names) {
        named |= bit;
        if ((attr & bit) == 0) continue;
        if (!text.empty()) text += " | ";
        text += name;
    }
    if (PAIR_NUMBER(static_cast<int>(attr)) != 0) {
        if (!text.empty()) text += " | ";
        text += "COLOR_PAIR(" + std::to_string(PAIR_NUMBER(static_cast<int>(attr))) + ")";
    }
    // Any other bit by its value, so that no two attributes share a name.
    if ((attr & ~named) != 0) {
        if (!text.empty()) text += " | ";
        text += std::to_string(attr & ~named);
    }
    return text.empty() ? "A_NORMAL" : text;
}

// The styles of a picture by their names.
picture::Legend legend(const Styles &styles) {
    picture::Legend legend{!styles.empty(), describe(A_NORMAL), {}};
    for (const auto &[key, attr] : styles) legend.keys[key] = describe(attr);
    return legend;
}

// One row of the area, a cell per character; the right half of a
// double-width character adds none.
picture::Row read_row(WINDOW *window, int row, int column, int columns) {
    picture::Row cells;
    for (int c = column; c < column + columns; ++c) {
        cchar_t cell{};
        if (mvwin_wch(window, row, c, &cell) == ERR) {
            cells.push_back(picture::Cell{" ", describe(A_NORMAL)});
            continue;
        }
        wchar_t text[CCHARW_MAX + 1] = {};
        attr_t attrs = 0;
        short pair = 0;
        getcchar(&cell, text, &attrs, &pair, nullptr);
        picture::Cell glyph{"",
                            describe((attrs & A_ATTRIBUTES & ~(A_COLOR | A_ALTCHARSET)) | COLOR_PAIR(pair))};
        for (std::size_t k = 0; k < CCHARW_MAX && text[k] != L'\0'; ++k) {
            const wchar_t code = text[k];
            picture::append_utf8(glyph.text, k == 0 && (attrs & A_ALTCHARSET) != 0
                                                 ? line_drawing(code)
                                                 : static_cast<char32_t>(code));
        }
        if (glyph.text.empty()) glyph.text = " ";
        cells.push_back(std::move(glyph));
        if (text[0] != L'\0' && wcwidth(text[0]) == 2) ++c;
    }
    return cells;
}

// The area's cells, read without moving the window's cursor.
picture::Screen read_area(WINDOW *window, Area area) {
    int saved_row = 0;
    int saved_column = 0;
    getyx(window, saved_row, saved_column);
    picture::Screen screen;
    for (int r = 0; r < area.rows; ++r)
        screen.push_back(read_row(window, area.row + r, area.column, area.columns));
    wmove(window, saved_row, saved_column);
    return screen;
}

}  // namespace

::testing::AssertionResult expect_window(WINDOW *window, std::string_view picture, const Styles &styles) {
    if (window == nullptr) return ::testing::AssertionFailure() << "no window";
    return expect_window(window, Area{0, 0, getmaxy(window), getmaxx(window)}, picture, styles);
}

::testing::AssertionResult expect_window(WINDOW *window, Area area, std::string_view picture,
                                         const Styles &styles) {
    if (window == nullptr) return ::testing::AssertionFailure() << "no window";
    if (area.row < 0 || area.column < 0 || area.rows < 0 || area.columns < 0 ||
        area.row + area.rows > getmaxy(window) || area.column + area.columns > getmaxx(window))
        return ::testing::AssertionFailure() << "the area " << area.rows << " x " << area.columns << " at ("
                                             << area.row << ", " << area.column << ") is not inside the "
                                             << getmaxy(window) << " x " << getmaxx(window) << " window";
    const picture::Picture want(picture, legend(styles));
    const picture::Screen actual = read_area(window, area);
    if (want.shown_by(actual)) return ::testing::AssertionSuccess();
    const bool whole = area.rows == getmaxy(window) && area.columns == getmaxx(window);
    return ::testing::AssertionFailure()
           << "the window differs from the picture; " << want.differences(actual, whole ? "window" : "area");
}

std::string window_picture(WINDOW *window, Area area, const Styles &styles) {
    return picture::draw(read_area(window, area), legend(styles));
}

void CursesTest::SetUp() { open_screen(25, 80, 1); }

void MonoCursesTest::SetUp() { open_screen(25, 80, 0); }

void Utf8CursesTest::SetUp() {
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    open_screen(25, 80, 0);
    meta(stdscr, TRUE);  // as on a terminal with eight-bit input
}

Utf8CursesTest::~Utf8CursesTest() { std::setlocale(LC_CTYPE, "C"); }

void CursesTest::open_screen(int rows, int columns, int color, int player_count) {
    if (opened_) TearDown();
    alarm(WATCHDOG_SECONDS);
    ASSERT_EQ(pipe(key_pipe_), 0);
    input_ = fdopen(key_pipe_[0], "r");
    output_ = std::fopen("/dev/null", "w");
    ASSERT_NE(input_, nullptr);
    ASSERT_NE(output_, nullptr);
    char term[] = "xterm-256color";
    screen_ = newterm(term, output_, input_);
    ASSERT_NE(screen_, nullptr);
    set_term(screen_);
    resize_term(rows, columns);
    start_color();
    use_color = color;
    if (use_color) init_colors();
    raw();
    noecho();
    unsetenv("LINES");
    unsetenv("COLUMNS");
    game = Game{};
    table = Table{};
    clear_record(table.record);
    every_seat_computer = false;
    init_game(game);
    game.num_players = player_count;
    game.current_player = 0;
    for (int i = 0; i < game.num_players; ++i) {
        std::snprintf(game.players[i].name, sizeof game.players[i].name, "Player%d", i + 1);
    }
    opened_ = true;
}

void CursesTest::TearDown() {
    if (!opened_) return;
    for (WINDOW **window : {&map_window, &general_window, &coinfo_window}) {
        if (*window != nullptr) delwin(*window);
        *window = nullptr;
    }
    endwin();
    delscreen(screen_);
    screen_ = nullptr;
    std::fclose(input_);
    std::fclose(output_);
    if (key_pipe_[1] >= 0) close(key_pipe_[1]);
    key_pipe_[0] = key_pipe_[1] = -1;
    opened_ = false;
    alarm(0);
}

void CursesTest::type(std::string_view keys) {
    ASSERT_GE(key_pipe_[1], 0) << "input already closed";
    ASSERT_EQ(write(key_pipe_[1], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
}

void CursesTest::close_input() {
    if (key_pipe_[1] >= 0) close(key_pipe_[1]);
    key_pipe_[1] = -1;
}

chtype CursesTest::cell(WINDOW *window, int row, int column) const {
    int saved_row = 0;
    int saved_column = 0;
    getyx(window, saved_row, saved_column);
    const chtype value = mvwinch(window, row, column);
    wmove(window, saved_row, saved_column);
    return value;
}

char CursesTest::char_at(WINDOW *window, int row, int column) const {
    return static_cast<char>(cell(window, row, column) & A_CHARTEXT);
}

attr_t CursesTest::attr_at(WINDOW *window, int row, int column) const {
    return cell(window, row, column) & (A_ATTRIBUTES & ~A_ALTCHARSET);
}

std::string CursesTest::text_at(WINDOW *window, int row, int column, int length) const {
    std::string text;
    for (int c = column; c < column + length; ++c) text += char_at(window, row, c);
    return text;
}

std::string CursesTest::row_text(WINDOW *window, int row) const {
    std::string text = text_at(window, row, 0, getmaxx(window));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

int CursesTest::prompt_for_move() {
    int offers[NUM_MOVES];
    const int count = draw_offers(game, c_library_random(), offers);
    return count == 0 ? -1 : offers[get_move(game, table, offers, count)];
}

void CursesTest::merge_and_show_exchange(int survivor, int absorbed) {
    MoveReport report{};
    merge(game, survivor, absorbed, report);
    show_stock_exchange(game, report.events[0]);
}

}  // namespace headless
