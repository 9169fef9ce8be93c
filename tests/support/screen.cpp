#include "support/screen.h"

#include <unistd.h>
#include <wchar.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sstream>
#include <vector>

#include "galaxy/galaxy.h"
#include "game/game.h"
#include "ui/ui.h"

namespace headless {

namespace {

// A test that waits for a key nobody types must fail, not hang.
constexpr unsigned WATCHDOG_SECONDS = 20;

// One cell of a picture or of a window: its text (UTF-8, a character and
// any combining marks) and its attributes.
struct Glyph {
    std::string text = " ";
    attr_t attr = A_NORMAL;
    bool operator==(const Glyph &) const = default;
};

// A picture row as written and the glyphs it stands for.
struct PictureRow {
    std::string source;
    std::vector<Glyph> glyphs;
};

void append_utf8(std::string &out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes the code point at text[i] and advances i; a byte that does not
// start a well-formed sequence stands for itself.
char32_t next_code_point(std::string_view text, std::size_t &i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    char32_t code = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        code = lead & 0x07u;
    } else if (lead >= 0xE0) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xC0) {
        length = 2;
        code = lead & 0x1Fu;
    }
    if (length == 1 || i + length > text.size()) {
        ++i;
        return lead;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if ((byte & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        code = (code << 6) | (byte & 0x3Fu);
    }
    i += length;
    return code;
}

// Whether a code point joins the glyph before it (a combining mark).
bool joins_previous(char32_t code) { return code >= 0x80 && wcwidth(static_cast<wchar_t>(code)) == 0; }

std::vector<PictureRow> parse_picture(std::string_view text, const Styles &styles) {
    if (!text.empty() && text.front() == '\n') text.remove_prefix(1);
    std::vector<PictureRow> rows;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        PictureRow row;
        row.source = std::string(line);
        char key = 0;
        for (std::size_t i = 0; i < line.size();) {
            if (key == 0 && line[i] == '{' && i + 2 < line.size() && line[i + 2] == ':' &&
                styles.count(line[i + 1]) != 0) {
                key = line[i + 1];
                i += 3;
                continue;
            }
            if (key != 0 && line[i] == '}') {
                key = 0;
                ++i;
                continue;
            }
            const char32_t code = next_code_point(line, i);
            if (joins_previous(code) && !row.glyphs.empty()) {
                append_utf8(row.glyphs.back().text, code);
                continue;
            }
            Glyph glyph{"", key == 0 ? A_NORMAL : styles.at(key)};
            append_utf8(glyph.text, code);
            row.glyphs.push_back(glyph);
        }
        rows.push_back(std::move(row));
    }
    // The line holding the closing quote of a raw string is not a row.
    while (!rows.empty() && rows.back().source.find_first_not_of(' ') == std::string::npos) rows.pop_back();
    return rows;
}

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

// The glyphs of one row of the area, one per cell; the right half of a
// double-width character adds none.
std::vector<Glyph> read_row(WINDOW *window, int row, int column, int columns) {
    std::vector<Glyph> glyphs;
    for (int c = column; c < column + columns; ++c) {
        cchar_t cell{};
        Glyph glyph{"", A_NORMAL};
        if (mvwin_wch(window, row, c, &cell) == ERR) {
            glyphs.push_back(Glyph{});
            continue;
        }
        wchar_t text[CCHARW_MAX + 1] = {};
        attr_t attrs = 0;
        short pair = 0;
        getcchar(&cell, text, &attrs, &pair, nullptr);
        glyph.attr = (attrs & A_ATTRIBUTES & ~(A_COLOR | A_ALTCHARSET)) | COLOR_PAIR(pair);
        for (std::size_t k = 0; k < CCHARW_MAX && text[k] != L'\0'; ++k) {
            const wchar_t code = text[k];
            append_utf8(glyph.text, k == 0 && (attrs & A_ALTCHARSET) != 0 ? line_drawing(code)
                                                                          : static_cast<char32_t>(code));
        }
        if (glyph.text.empty()) glyph.text = " ";
        glyphs.push_back(glyph);
        if (text[0] != L'\0' && wcwidth(text[0]) == 2) ++c;
    }
    return glyphs;
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
    for (const auto &[bit, name] : names) {
        if ((attr & bit) == 0) continue;
        if (!text.empty()) text += " | ";
        text += name;
    }
    if (PAIR_NUMBER(static_cast<int>(attr)) != 0) {
        if (!text.empty()) text += " | ";
        text += "COLOR_PAIR(" + std::to_string(PAIR_NUMBER(static_cast<int>(attr))) + ")";
    }
    return text.empty() ? "A_NORMAL" : text;
}

// Glyphs with markup: "{k:...}" round cells whose attributes are
// styles[k], '?' for attributes without a key (added to `unknown`).
std::string render(const std::vector<Glyph> &glyphs, const Styles &styles, std::vector<attr_t> &unknown) {
    std::size_t end = glyphs.size();
    while (end > 0 && glyphs[end - 1].text == " " && (styles.empty() || glyphs[end - 1].attr == A_NORMAL))
        --end;
    std::string out;
    char open = 0;
    for (std::size_t i = 0; i < end; ++i) {
        char key = 0;
        if (!styles.empty() && glyphs[i].attr != A_NORMAL) {
            key = '?';
            for (const auto &[k, attr] : styles)
                if (attr == glyphs[i].attr) key = k;
            if (key == '?' && std::find(unknown.begin(), unknown.end(), glyphs[i].attr) == unknown.end())
                unknown.push_back(glyphs[i].attr);
        }
        if (key != open) {
            if (open != 0) out += '}';
            if (key != 0) out += std::string{'{', key, ':'};
            open = key;
        }
        out += glyphs[i].text;
    }
    if (open != 0) out += '}';
    return out;
}

bool row_matches(const std::vector<Glyph> &actual, const PictureRow *expected, bool check_attrs) {
    const std::size_t expected_size = expected == nullptr ? 0 : expected->glyphs.size();
    for (std::size_t i = 0; i < std::max(actual.size(), expected_size); ++i) {
        const Glyph have = i < actual.size() ? actual[i] : Glyph{};
        const Glyph want = i < expected_size ? expected->glyphs[i] : Glyph{};
        if (have.text != want.text) return false;
        if (check_attrs && have.attr != want.attr) return false;
    }
    return true;
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
    const std::vector<PictureRow> want = parse_picture(picture, styles);
    if (static_cast<int>(want.size()) > area.rows)
        return ::testing::AssertionFailure()
               << "the picture has " << want.size() << " rows, the area " << area.rows << "\n"
               << window_picture(window, area, styles);

    int saved_row = 0;
    int saved_column = 0;
    getyx(window, saved_row, saved_column);
    std::ostringstream differences;
    std::vector<attr_t> unknown;
    bool matches = true;
    for (int r = 0; r < area.rows; ++r) {
        const PictureRow *expected =
            r < static_cast<int>(want.size()) ? &want[static_cast<std::size_t>(r)] : nullptr;
        const std::vector<Glyph> actual = read_row(window, area.row + r, area.column, area.columns);
        if (row_matches(actual, expected, !styles.empty())) continue;
        matches = false;
        differences << "  row ";
        differences.width(2);
        differences << r << " expected |" << (expected == nullptr ? "" : expected->source) << "|\n"
                    << "         actual   |" << render(actual, styles, unknown) << "|\n";
    }
    wmove(window, saved_row, saved_column);
    if (matches) return ::testing::AssertionSuccess();
    for (const attr_t attr : unknown) differences << "  ? is " << describe(attr) << '\n';
    return ::testing::AssertionFailure() << "the window differs from the picture in these rows:\n"
                                         << differences.str() << "the window:\n"
                                         << window_picture(window, area, styles);
}

std::string window_picture(WINDOW *window, Area area, const Styles &styles) {
    int saved_row = 0;
    int saved_column = 0;
    getyx(window, saved_row, saved_column);
    std::vector<attr_t> unknown;
    std::string out = "R\"(\n";
    for (int r = 0; r < area.rows; ++r)
        out += render(read_row(window, area.row + r, area.column, area.columns), styles, unknown) + '\n';
    out += ")\"\n";
    wmove(window, saved_row, saved_column);
    for (const attr_t attr : unknown) out += "? is " + describe(attr) + '\n';
    return out;
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
    init_game();
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
    game = Game{};
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
        std::memcpy(game.galaxy + row * map_width, text, static_cast<std::size_t>(map_width));
        ++row;
    }
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        game.companies[i].size = 0;
        for (int pos = 0; pos < map_width * map_height; ++pos) {
            if (game.galaxy[pos] == 'A' + i) ++game.companies[i].size;
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

void merge_and_show_exchange(int survivor, int absorbed) {
    MoveReport report{};
    merge(game, survivor, absorbed, report);
    show_stock_exchange(report.events[0]);
}

}  // namespace headless
