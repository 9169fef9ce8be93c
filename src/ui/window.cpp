// Window helpers shared by every screen: safe text output, centring, the
// general window's header, the Ctrl-L repaint and the "press any key" pause.
#include "ui/ui.h"

#include <langinfo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>

namespace {

// The visible form of every byte, as `cat -v` shows it: printable ASCII as
// itself, control characters as ^X, DEL as ^?, and bytes from 128 as M-
// followed by the form of the byte less 128. No player byte reaches the
// terminal raw.
struct VisibleForms {
    char form[256][5] = {};
    VisibleForms() {
        for (int byte = 0; byte < 256; ++byte) {
            char *out = form[byte];
            int low = byte;
            if (low >= 128) {
                *out++ = 'M';
                *out++ = '-';
                low -= 128;
            }
            if (low < 32 || low == 127) {
                *out++ = '^';
                *out++ = static_cast<char>(low == 127 ? '?' : low + 64);
            } else {
                *out++ = static_cast<char>(low);
            }
        }
    }
};

const char *visible_form(unsigned char byte) {
    static const VisibleForms forms;
    return forms.form[byte];
}

// Says on the top row that the terminal is too small for the layout, what
// it needs and what to press then, in the longest wording that fits the
// terminal's width; the rest of the screen is left as it is.
void show_too_small(int width) {
    const int columns = screen_cols;
    const int rows = screen_lines - 1;
    // The terminal's last column is left alone: a character there may wrap.
    const int room = std::min(width - 1, getmaxx(stdscr));
    char note[96];
    int length = std::snprintf(
        note, sizeof note, "Terminal too small, needs %d x %d: enlarge it, then press Ctrl-L", columns, rows);
    if (length > room) {
        length =
            std::snprintf(note, sizeof note, "Too small, needs %d x %d: enlarge, then Ctrl-L", columns, rows);
    }
    if (length > room) length = std::snprintf(note, sizeof note, "Needs %d x %d, then Ctrl-L", columns, rows);
    if (length > room) length = std::snprintf(note, sizeof note, "Enlarge, Ctrl-L");
    if (length > room) length = std::snprintf(note, sizeof note, "Ctrl-L");
    if (length > room || length <= 0) return;
    WINDOW *bar = newwin(1, length, 0, 0);
    if (bar == nullptr) return;
    wattr_on(bar, A_REVERSE, nullptr);
    waddnstr(bar, note, length);
    wnoutrefresh(bar);
    delwin(bar);
    doupdate();
}

// Sends every cell of stdscr that the terminal shows, then of `windows`,
// again. curses keeps the screen size the game started with, so a terminal
// that has shrunk below what the layout needs (every column, every row but
// the blank last one) is not repainted: curses would scroll and wrap it.
void repaint(std::initializer_list<WINDOW *> windows) {
    if (note_too_small()) return;
    int rows = getmaxy(stdscr);
    int columns = getmaxx(stdscr);
    int height = rows;
    int width = columns;
    if (terminal_size(height, width)) {
        rows = std::min(rows, height);
        columns = std::min(columns, width);
    }
    WINDOW *shown = derwin(stdscr, rows, columns, 0, 0);
    if (shown != nullptr) redrawwin(shown);
    for (WINDOW *window : windows) redrawwin(window);
    if (shown != nullptr) {
        wnoutrefresh(shown);
        delwin(shown);
    }
    wrefresh(stdscr);
    for (WINDOW *window : windows) wrefresh(window);
}

// Format characters and separators: invisible, and some reorder or break
// the text around them (U+202E turns the rest of a line right to left), so
// they are shown by their code point, as the controls are.
bool is_format_character(wchar_t wide) {
    static constexpr struct {
        wchar_t first;
        wchar_t last;
    } ranges[] = {
        {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
        {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
        {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
        {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
        {0xE0020, 0xE007F},
    };
    for (const auto &range : ranges) {
        if (wide >= range.first && wide <= range.last) return true;
    }
    return false;
}

// Whether a character is written as itself: printable, taking at least one
// column, and no format character. C1 controls are not printable.
bool shows_as_itself(wchar_t wide) {
    return wide >= 0xA0 && std::iswprint(static_cast<wint_t>(wide)) && wcwidth(wide) > 0 &&
           !is_format_character(wide);
}

// One character of a text as it is shown: the bytes of the text it stands
// for, and either the character itself (`wide`) or its ASCII visible form.
struct Shown {
    std::size_t bytes = 1;
    wchar_t wide = 0;
    char form[16] = {};
    int width = 0;
};

// Reads the character at the start of `text` (not empty). In a UTF-8 locale
// a valid character is one entry: itself when printable, else "<U+XXXX>";
// a byte that starts no valid character is shown as M-x. Elsewhere every
// byte is shown on its own, in `cat -v` form.
Shown next_shown(const char *text) {
    Shown shown;
    const auto byte = static_cast<unsigned char>(text[0]);
    if (byte >= 0x80 && utf8_locale()) {
        const int length = character_length(text, std::strlen(text));
        if (length > 0) {
            wchar_t wide = 0;
            std::mbstate_t state{};
            std::mbrtowc(&wide, text, static_cast<std::size_t>(length), &state);
            shown.bytes = static_cast<std::size_t>(length);
            if (shows_as_itself(wide)) {
                shown.wide = wide;
                shown.width = wcwidth(wide);
                return shown;
            }
            std::snprintf(shown.form, sizeof shown.form, "<U+%04X>", static_cast<unsigned>(wide));
            shown.width = static_cast<int>(std::strlen(shown.form));
            return shown;
        }
    }
    std::snprintf(shown.form, sizeof shown.form, "%s", visible_form(byte));
    shown.width = static_cast<int>(std::strlen(shown.form));
    return shown;
}

}  // namespace

// Whether the character type is UTF-8, so that a name's bytes are taken as
// characters; in any other locale a name is shown byte by byte.
bool utf8_locale() { return MB_CUR_MAX > 1 && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0; }

// How the first `count` bytes of `bytes` stand in a UTF-8 locale: the length
// of the one valid character they begin with, 0 when they are the
// beginning of one and more must follow, -1 when they begin none (a stray
// continuation byte, a cut or overlong sequence, a surrogate, a code point
// beyond U+10FFFF).
int character_length(const char *bytes, std::size_t count) {
    if (count == 0) return 0;
    const std::size_t most = count < 4 ? count : 4;
    wchar_t wide = 0;
    std::mbstate_t state{};
    const std::size_t length = std::mbrtowc(&wide, bytes, most, &state);
    if (length == static_cast<std::size_t>(-2)) return most < 4 ? 0 : -1;
    if (length == static_cast<std::size_t>(-1) || length == 0) return -1;
    if (wide > 0x10FFFF || (wide >= 0xD800 && wide <= 0xDFFF)) return -1;
    return static_cast<int>(length);
}

// The number of columns a text takes when written with put_text.
int text_width(const char *text) {
    int width = 0;
    for (const char *p = text; *p != '\0';) {
        const Shown shown = next_shown(p);
        width += shown.width;
        p += shown.bytes;
    }
    return width;
}

// Writes `text` into `out` (`size` bytes) with every byte outside printable
// ASCII in its `cat -v` form, so that it can go to any terminal as it is;
// what does not fit is cut.
void visible_bytes(const char *text, char *out, std::size_t size) {
    std::size_t used = 0;
    for (const char *p = text; *p != '\0'; ++p) {
        const char *form = visible_form(static_cast<unsigned char>(*p));
        const std::size_t length = std::strlen(form);
        if (used + length >= size) break;
        std::memcpy(out + used, form, length);
        used += length;
    }
    out[used] = '\0';
}

// Whether a text shows nothing but blanks: spaces, and in a UTF-8 locale the
// other characters that print as empty space (U+3000, the no-break spaces).
bool blank_text(const char *text) {
    for (const char *p = text; *p != '\0';) {
        const Shown shown = next_shown(p);
        const bool blank = shown.wide != 0
                               ? std::iswspace(static_cast<wint_t>(shown.wide)) || shown.wide == 0xA0 ||
                                     shown.wide == 0x2007 || shown.wide == 0x202F
                               : std::strcmp(shown.form, " ") == 0;
        if (!blank) return false;
        p += shown.bytes;
    }
    return true;
}

// Writes a text at the cursor, literally: nothing in it is interpreted.
// Only printable characters are written as themselves; everything else is
// written in its ASCII visible form.
void put_text(WINDOW *window, const char *text) {
    for (const char *p = text; *p != '\0';) {
        const Shown shown = next_shown(p);
        if (shown.wide != 0) {
            waddnwstr(window, &shown.wide, 1);
        } else {
            waddstr(window, shown.form);
        }
        p += shown.bytes;
    }
}

// Writes a text at a place; nothing is written when the place is outside
// the window.
void put_text_at(WINDOW *window, int row, int column, const char *text) {
    if (wmove(window, row, column) == ERR) return;
    put_text(window, text);
}

void put_text_attr(WINDOW *window, attr_t attr, const char *text) {
    wattr_on(window, attr, nullptr);
    put_text(window, text);
    wattr_off(window, attr, nullptr);
}

void put_text_attr_at(WINDOW *window, int row, int column, attr_t attr, const char *text) {
    wattr_on(window, attr, nullptr);
    put_text_at(window, row, column, text);
    wattr_off(window, attr, nullptr);
}

// Writes a text centred within the first `width` columns of a row. A text
// wider than that is not drawn at all.
void center_text(WINDOW *window, int width, int row, const char *text) {
    const int length = text_width(text);
    if (length > width) return;
    put_text_at(window, row, (width - length) / 2, text);
}

// Gives the general window a fresh content: erased, its border, and the
// centred title (blinking for announcements). Staging is left to the caller.
void general_header(const char *title, int blink) {
    werase(general_window);
    const attr_t border = scheme_attr(pair_attr(PAIR_BLUE), A_NORMAL);
    wattr_on(general_window, border, nullptr);
    wborder(general_window, '|', '|', '/', '/', 0, 0, 0, 0);
    wattr_off(general_window, border, nullptr);

    attr_t title_attr = scheme_attr(A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE), A_REVERSE);
    if (blink) title_attr |= A_BLINK;
    wattr_on(general_window, title_attr, nullptr);
    center_text(general_window, screen_cols - 2, 0, title);
    wattr_off(general_window, title_attr, nullptr);
}

// When the terminal has shrunk below what the layout needs (every column,
// every row but the blank last one), says so on the top row and returns
// true: curses would scroll and wrap anything drawn into it.
bool note_too_small() {
    int height = 0;
    int width = 0;
    if (!terminal_size(height, width) || (width >= screen_cols && height >= screen_lines - 1)) return false;
    show_too_small(width);
    return true;
}

// The Ctrl-L repaint: every line of the four windows is sent again, so a
// screen garbled by other output is repaired cell by cell.
void redraw_all() { repaint({map_window, coinfo_window, general_window}); }

// The Ctrl-L repaint of the title screen, which is all on stdscr: the game's
// windows are still empty and would blank it.
void redraw_title_screen() { repaint({}); }

// The pause that ends every announcement: waits for any key but Ctrl-L,
// which repaints the screen and goes on waiting.
void wait_key(int row) {
    center_text(general_window, screen_cols - 2, row, "Press any key to continue...");
    wnoutrefresh(general_window);
    noecho();
    raw();
    doupdate();
    while (read_key() == 12) redraw_all();
}

// Creates a window, ending the program with `failure` when curses cannot,
// or when its height or width is not positive.
WINDOW *create_window(int rows, int columns, int top, int left, const char *failure) {
    WINDOW *window = rows > 0 && columns > 0 ? newwin(rows, columns, top, left) : nullptr;
    if (window == nullptr) fatal(failure);
    return window;
}

// Creates a modal window at row 5, centred on the layout, with its '|' and
// '=' border; ends the program with `failure` when it cannot be made.
WINDOW *open_dialog(int rows, int columns, attr_t border, const char *failure) {
    WINDOW *dialog = create_window(rows, columns, 5, (screen_cols - columns) / 2, failure);
    wattr_on(dialog, border, nullptr);
    wborder(dialog, '|', '|', '=', '=', 0, 0, 0, 0);
    wattr_off(dialog, border, nullptr);
    return dialog;
}

// Shows a modal window and reads the one key that answers it.
int wait_dialog_key(WINDOW *dialog) {
    wnoutrefresh(dialog);
    doupdate();
    return read_key();
}

// Removes a modal window and stages again the three windows it may cover.
void close_dialog(WINDOW *dialog) {
    delwin(dialog);
    restage({map_window, general_window, coinfo_window});
}

// Marks windows changed and stages them, so they are sent again whole at
// the next screen update.
void restage(std::initializer_list<WINDOW *> windows) {
    for (WINDOW *window : windows) {
        touchwin(window);
        wnoutrefresh(window);
    }
}
