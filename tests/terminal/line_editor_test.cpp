// The line editor: accepted keys per mode, erasing, the length limit, the
// amount shortcuts and the terminal modes it leaves behind.
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;

constexpr int ROW = 2;
constexpr int COLUMN = 10;

TEST_F(CursesTest, GetLineStoresAndEchoesTheAcceptedKeys) {
    struct Case {
        int mode;
        int max_len;
        std::string keys;
        std::string buffer;
        std::string screen;  // what stands from COLUMN on; the cursor ends after it
    } const cases[] = {
        {INPUT_TEXT, 20, "abc\r", "abc", "abc"},
        {INPUT_TEXT, 20, "\n", "", ""},
        {INPUT_TEXT, 20, "  \r", "  ", "  "},
        {INPUT_TEXT, 20, "ab\bc\r", "ac", "ac"},
        {INPUT_TEXT, 20, "\b\177ab\177\r", "a", "a"},
        {INPUT_TEXT, 20, "abcdefghijklmnopqrstUV\r", "abcdefghijklmnopqrst", "abcdefghijklmnopqrst"},
        {INPUT_TEXT, 20, "ab\014c\r", "abc", "abc"},
        // Keypad translation is off: an arrow or function key arrives as its
        // bytes, and the whole sequence is dropped (Up, Left in both cursor
        // modes, PageUp, F4, Ctrl-Left, the Linux console's F1).
        {INPUT_TEXT, 20, "a\033OAb\033[D\033OD\r", "ab", "ab"},
        {INPUT_TEXT, 20, "\033[5~x\033OSy\033[1;5Dz\033[[A\r", "xyz", "xyz"},
        // Escape followed by another key (Alt and a letter) stays as typed;
        // a sequence after it is still dropped.
        {INPUT_TEXT, 20, "a\033b\033\033OA\r", "a\033b\033", "a^[b^["},
        // A byte that cannot continue a sequence ends it and is a key of its own.
        {INPUT_TEXT, 20, "\033[2\tx\r", "\tx", "^Ix"},
        // Control and high bytes are stored as typed and echoed in visible
        // form; erasing one clears all of its columns. A NUL byte is not
        // stored: it would end the text where the screen goes on.
        {INPUT_TEXT, 20, "a\tb\177\177c\r", "ac", "ac"},
        {INPUT_TEXT, 20, "\xe9z\r", "\xe9z", "M-iz"},
        {INPUT_TEXT, 20, std::string("a\0b\r", 4), "ab", "ab"},
        {INPUT_TEXT, 20, std::string("ab\0\177\r", 5), "a", "a"},
        // The limit counts the columns a name takes on the screen, so a name
        // of control characters cannot outgrow the fields it is shown in.
        {INPUT_TEXT, 20, std::string(12, '\x01') + "\r", std::string(10, '\x01'), "^A^A^A^A^A^A^A^A^A^A"},
        {INPUT_TEXT, 20, "\x80\x80\x80\x80\x80\x80\r", "\x80\x80\x80\x80\x80", "M-^@M-^@M-^@M-^@M-^@"},
        {INPUT_TEXT, 20, "abcdefghijklmnopqrs\x01t\r", "abcdefghijklmnopqrst", "abcdefghijklmnopqrst"},
        {2, 20, "m5\r", "m5", "m5"},
        {INPUT_AMOUNT, 9, "12-3\r", "123", "123"},
        {INPUT_AMOUNT, 9, "-5\r", "-5", "-5"},
        {INPUT_AMOUNT, 9, "5m\r", "5", "5"},
        {INPUT_AMOUNT, 9, "a-1x2\r", "-12", "-12"},
        {INPUT_AMOUNT, 9, "\033OB7\r", "7", "7"},
        // PageUp's sequence holds a 5 that is no digit typed.
        {INPUT_AMOUNT, 9, "\033[5~7\033[6~\r", "7", "7"},
        {INPUT_AMOUNT, 9, "m\033[A", "m", "m"},
        {INPUT_AMOUNT, 9, "1234567890\r", "123456789", "123456789"},
        // A shortcut letter ends the input with the next key, whatever it is.
        {INPUT_AMOUNT, 9, "m\r", "m", "m"},
        {INPUT_AMOUNT, 9, "m7", "m", "m"},
        {INPUT_AMOUNT, 9, "N\x0c", "N", "N"},
        {INPUT_AMOUNT, 9, "5\bM\r", "M", "M"},
        // Escape takes the amount back, whatever was typed, after m or n
        // too: the line is empty, and the caller clears what was echoed.
        {INPUT_AMOUNT, 9, "-12\033", "", "-12"},
        {INPUT_AMOUNT, 9, "\033", "", ""},
        {INPUT_AMOUNT, 9, "n\033", "", "n"},
    };
    meta(stdscr, TRUE);  // as on a terminal with eight-bit input
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.keys));
        werase(general_window);
        wmove(general_window, ROW, COLUMN);  // where the caller's prompt ends
        type(c.keys + "#");
        char buffer[32];
        get_line(general_window, ROW, COLUMN, c.max_len, c.mode, buffer, sizeof buffer);
        EXPECT_EQ(std::string(buffer), c.buffer);
        const std::string blanks(24 - c.screen.size(), ' ');
        EXPECT_EQ(text_at(general_window, ROW, COLUMN, 24), c.screen + blanks);
        EXPECT_EQ(getcury(general_window), ROW);
        EXPECT_EQ(getcurx(general_window), COLUMN + static_cast<int>(c.screen.size()));
        EXPECT_TRUE(is_keypad(stdscr));
        EXPECT_EQ(read_key(), '#') << "get_line read the wrong number of keys";
    }
}

TEST_F(CursesTest, GetLineNeverStoresKeyCodes) {
    ungetch(KEY_RESIZE);
    type("a\r");
    char buffer[32];
    get_line(stdscr, 11, 49, 20, INPUT_TEXT, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "a");
}

TEST_F(CursesTest, GetLineEndsTheProgramWhenInputCloses) {
    type("ab");
    close_input();
    char buffer[32];
    EXPECT_EXIT(get_line(stdscr, 11, 49, 20, INPUT_TEXT, buffer, sizeof buffer), ::testing::ExitedWithCode(1),
                "^vegatrade: input closed\n$");
}

// The terminal's own erase key, which a screen whose output is not a
// terminal does not have: this test opens a screen on a pseudo-terminal
// whose erase key is Ctrl-U.
TEST(GetLineOnATerminal, TerminalEraseKeyErases) {
    int master = -1;
    int slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    termios modes{};
    ASSERT_EQ(tcgetattr(slave, &modes), 0);
    modes.c_cc[VERASE] = 21;
    ASSERT_EQ(tcsetattr(slave, TCSANOW, &modes), 0);
    int keys[2];
    ASSERT_EQ(pipe(keys), 0);
    FILE *input = fdopen(keys[0], "r");
    FILE *output = fdopen(slave, "w");
    char term[] = "xterm-256color";
    SCREEN *screen = newterm(term, output, input);
    ASSERT_NE(screen, nullptr);
    set_term(screen);
    ASSERT_EQ(erasechar(), 21);

    const char typed[] = "\025ab\025c\r";
    ASSERT_EQ(write(keys[1], typed, sizeof typed - 1), static_cast<ssize_t>(sizeof typed - 1));
    char buffer[32];
    get_line(stdscr, 1, 5, 20, INPUT_TEXT, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "ac");
    EXPECT_EQ(static_cast<char>(mvwinch(stdscr, 1, 6) & A_CHARTEXT), 'c');

    endwin();
    delscreen(screen);
    std::fclose(input);
    std::fclose(output);
    close(keys[1]);
    close(master);
}

}  // namespace
