// The one-line editor: free text for names, signed amounts for trading.
#include "terminal/terminal.h"

#include <cerrno>
#include <cstring>

namespace {

// What read_entry_key returns for an escape sequence, and for a lone
// Escape: codes above the bytes, which no mode stores.
constexpr int DROPPED = KEY_MAX + 1;
constexpr int LONE_ESCAPE = KEY_MAX + 2;

bool is_enter(int key) { return key == '\n' || key == '\r'; }

bool is_erase(int key) { return key == erasechar() || key == 127 || key == 8; }

bool is_shortcut(int key) { return key == 'm' || key == 'M' || key == 'n' || key == 'N'; }

// Escape at an amount takes it back, whatever was typed: nothing is traded.
bool cancels(int mode, int key) { return mode == INPUT_AMOUNT && (key == LONE_ESCAPE || key == ESCAPE); }

// The Ctrl-L repaint. A line edited in stdscr itself (the names, on the
// title screen) repaints stdscr alone: the windows over it are not shown
// yet, and repainting them would blank it. Any other line repaints the
// whole screen, as the game's key actions do.
void repaint(WINDOW *window) {
    if (window == stdscr) {
        repaint_windows({});
    } else {
        key_actions().repaint();
    }
}

// Reads the byte that follows within the escape delay, as a terminal sends
// the rest of a key's sequence; ERR when none comes in time. A closed input
// is found by the next blocking read.
int read_key_soon() {
    wtimeout(stdscr, get_escdelay());
    int key = ERR;
    do {
        errno = 0;
        key = wgetch(stdscr);
    } while (key == ERR && errno == EINTR);
    wtimeout(stdscr, -1);
    return key;
}

// Reads the rest of a sequence that began with Escape and `introducer`
// ('[' or 'O'): parameter and intermediate bytes, then the final byte. The
// Linux console sends F1 to F5 as Escape, '[', '[' and a letter. A byte
// that cannot be part of the sequence is a key of its own and is read again.
void skip_sequence(int introducer) {
    int key = read_key_soon();
    if (introducer == '[' && key == '[') {
        read_key_soon();
        return;
    }
    while (key >= 0x20 && key <= 0x3f) key = read_key_soon();
    if (key != ERR && (key < 0x40 || key > 0x7e)) ungetch(key);
}

// Reads the next key. The bytes of an escape sequence (an arrow, Home, End,
// PageUp or a function key, which arrive raw with keypad translation off)
// come back as DROPPED, and a lone Escape as LONE_ESCAPE, so neither enters
// the text. An Escape followed at once by another key is itself, and that
// key comes next.
int read_entry_key() {
    const int key = read_key();
    if (key != ESCAPE) return key;
    const int next = read_key_soon();
    if (next == ERR) return LONE_ESCAPE;
    if (next == '[' || next == 'O') {
        skip_sequence(next);
        return DROPPED;
    }
    ungetch(next);
    return ESCAPE;
}

// Whether a key may be stored at position `count`; `finish` is set for the
// amount shortcuts, which end the input after one more key.
bool accepts(int mode, int key, int count, bool &finish) {
    // Key codes are never stored, nor a NUL byte, which would cut the text short.
    if (mode != INPUT_AMOUNT) return key > 0 && key <= 255;
    if (key >= '0' && key <= '9') return true;
    if (count != 0) return false;
    if (key == '-') return true;
    finish = is_shortcut(key);
    return finish;
}

// Whether the text still takes at most `max_len` columns with `entry` added:
// a control character's visible form takes two or more, so a name of them
// cannot outgrow the fields it is shown in.
bool fits(const char *buffer, const char *entry, int max_len) {
    return text_width(buffer) + text_width(entry) <= max_len;
}

// The bytes of the character being typed. In a UTF-8 locale a character of
// several bytes becomes one entry once its last byte has come; bytes that
// form no character are dropped, so a stored name is always valid UTF-8.
struct Pending {
    char bytes[8] = {};
    std::size_t count = 0;

    // Adds a typed byte. Returns true with `entry` holding a whole character
    // when one is complete; false while more bytes must come or when the
    // bytes were dropped.
    bool add(int key, char entry[8]) {
        if (count == 0 && (key < 0x80 || !utf8_locale())) {
            entry[0] = static_cast<char>(key);
            entry[1] = '\0';
            return true;
        }
        bytes[count++] = static_cast<char>(key);
        const int length = character_length(bytes, count);
        if (length == 0) return false;
        if (length < 0) {
            // A cut sequence: what came so far is dropped, and the new byte
            // may begin a character of its own.
            const bool alone = count == 1;
            count = 0;
            return alone ? false : add(key, entry);
        }
        std::memcpy(entry, bytes, count);
        entry[count] = '\0';
        count = 0;
        return true;
    }
};

}  // namespace

// Reads a line into `buffer` (`size` bytes), echoing each character at
// (row, column + width of the characters before it) in `window`. At most
// `max_len` columns are taken. Keys come from the standard screen with keypad
// translation off; escape sequences are dropped whole. Returns on Enter,
// false; for an amount, on Escape too, with the line empty (the caller
// clears what was echoed); and for a name, on a Tab while the line is
// empty, true: the caller then offers a choice in the line's place
// (read_line_choice).
bool get_line(WINDOW *window, int row, int column, int max_len, int mode, char *buffer, std::size_t size) {
    constexpr int MAX_ENTRIES = LINE_EDITOR_ENTRIES;
    int count = 0;                    // characters in the buffer
    int echo_column[MAX_ENTRIES];     // where each character was echoed
    std::size_t offset[MAX_ENTRIES];  // where each character's bytes begin
    std::size_t used = 0;             // bytes in the buffer
    Pending pending;
    bool finish = false;
    bool to_computer = false;
    buffer[0] = '\0';

    nl();
    noecho();
    raw();
    keypad(stdscr, FALSE);
    doupdate();
    int key = read_entry_key();
    for (;;) {
        while (key == CTRL_L) {
            pending.count = 0;
            repaint(window);
            doupdate();
            key = read_entry_key();
        }
        if (is_enter(key)) break;
        if (cancels(mode, key)) {
            buffer[0] = '\0';
            break;
        }
        if (mode == INPUT_NAME && key == '\t' && count == 0) {
            to_computer = true;
            break;
        }
        // Free text is typed only before the game, for the names; Ctrl-C leaves there.
        if (key == CTRL_C && mode != INPUT_AMOUNT) key_actions().interrupt();
        char entry[8];
        if (key == DROPPED || key == LONE_ESCAPE) {
            pending.count = 0;  // a character cut by a sequence is dropped too
        } else if (is_erase(key)) {
            pending.count = 0;
            if (count > 0) {
                --count;
                const int start = echo_column[count];
                const int end = column + text_width(buffer);
                for (int c = start; c < end; ++c) mvwaddch(window, row, c, ' ');
                used = offset[count];
                buffer[used] = '\0';
                wmove(window, row, start);
                wnoutrefresh(window);
            }
        } else if (!accepts(mode, key, count, finish)) {
            pending.count = 0;  // a refused key (a NUL) cuts a character too
            finish = false;
        } else if (pending.add(key, entry)) {
            const std::size_t length = std::strlen(entry);
            if (count < MAX_ENTRIES && used + length < size && fits(buffer, entry, max_len)) {
                echo_column[count] = column + text_width(buffer);
                offset[count] = used;
                put_text_at(window, row, echo_column[count], entry);
                std::memcpy(buffer + used, entry, length + 1);
                used += length;
                ++count;
                wnoutrefresh(window);
            } else {
                finish = false;  // a refused shortcut does not end the input
            }
        }
        doupdate();
        key = read_entry_key();
        if (finish) {
            // The key after m or n ends the amount and is not used; Escape
            // there takes the amount back, as anywhere in it.
            if (cancels(mode, key)) buffer[0] = '\0';
            break;
        }
    }
    nonl();
    keypad(stdscr, TRUE);
    return to_computer;
}

// Waits for the answer to a choice shown on a line in `window`. Ctrl-L
// repaints and Ctrl-C is the interrupt, as while typing the line; any other
// key, an escape sequence too, is ignored.
LineChoice read_line_choice(WINDOW *window) {
    nl();
    noecho();
    raw();
    keypad(stdscr, FALSE);
    doupdate();
    LineChoice choice = LineChoice::NEXT;
    for (;;) {
        const int key = read_entry_key();
        if (key == CTRL_L) {
            repaint(window);
            doupdate();
            continue;
        }
        if (key == CTRL_C) key_actions().interrupt();
        if (key == '\t') break;
        if (is_enter(key)) {
            choice = LineChoice::TAKE;
            break;
        }
        if (is_erase(key)) {
            choice = LineChoice::ERASE;
            break;
        }
    }
    nonl();
    keypad(stdscr, TRUE);
    return choice;
}
