#include "support/screen.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/game.h"
#include "ui/ui.h"

namespace headless {

namespace {

// A test that waits for a key nobody types must fail, not hang.
constexpr unsigned WATCHDOG_SECONDS = 20;

}  // namespace

void CursesTest::SetUp() { open_screen(25, 80, 1); }

void MonoCursesTest::SetUp() { open_screen(25, 80, 0); }

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
    init_game();
    num_players = player_count;
    current_player = 0;
    for (int i = 0; i < num_players; ++i) std::snprintf(players[i].name, sizeof players[i].name, "Player%d", i + 1);
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
    std::free(galaxy);
    std::free(companies);
    std::free(players);
    galaxy = nullptr;
    companies = nullptr;
    players = nullptr;
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

void CursesTest::load_galaxy(std::initializer_list<const char *> rows) {
    ASSERT_EQ(static_cast<int>(rows.size()), map_height);
    int row = 0;
    for (const char *text : rows) {
        ASSERT_EQ(static_cast<int>(std::strlen(text)), map_width) << "row " << row;
        std::memcpy(galaxy + row * map_width, text, static_cast<std::size_t>(map_width));
        ++row;
    }
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        companies[i].size = 0;
        for (int pos = 0; pos < map_width * map_height; ++pos) {
            if (galaxy[pos] == 'A' + i) ++companies[i].size;
        }
    }
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

}  // namespace headless
