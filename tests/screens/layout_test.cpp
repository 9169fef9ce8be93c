// The layout's windows: the general header, the key wait, the colours, and
// the header words of a table over their columns.
#include "screens/screens.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;
using headless::MonoCursesTest;

TEST_F(CursesTest, GeneralHeaderDrawsBorderAndTitle) {
    for (const int blink : {0, 1}) {
        mvwaddstr(general_window, 4, 4, "old content");
        general_header(" Special Announcement! ", blink);
        EXPECT_EQ(text_at(general_window, 4, 1, 76), std::string(76, ' ')) << "the window is erased first";
        EXPECT_EQ(text_at(general_window, 0, 27, 23), " Special Announcement! ");
        attr_t title = A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE);
        if (blink) title |= A_BLINK;
        EXPECT_EQ(attr_at(general_window, 0, 27), title);
        EXPECT_EQ(char_at(general_window, 0, 5), '/');
        EXPECT_EQ(attr_at(general_window, 0, 5), pair_attr(PAIR_BLUE));
        EXPECT_EQ(char_at(general_window, 10, 5), '/');
        EXPECT_EQ(char_at(general_window, 5, 0), '|');
        EXPECT_EQ(char_at(general_window, 5, 77), '|');
    }
}

TEST_F(MonoCursesTest, GeneralHeaderInMonochrome) {
    general_header(" Stock Transactions ", 1);
    EXPECT_EQ(attr_at(general_window, 0, 29), A_REVERSE | A_BLINK);
    EXPECT_EQ(attr_at(general_window, 0, 5), A_NORMAL);
}

TEST_F(CursesTest, WaitKeyRepaintsOnCtrlLAndEndsOnAnyOtherKey) {
    type("\x0c\x0cxy");
    wait_key(8);
    EXPECT_EQ(text_at(general_window, 8, 25, 28), "Press any key to continue...");
    EXPECT_EQ(read_key(), 'y') << "exactly one key after the repaints is consumed";
}

TEST_F(CursesTest, WaitKeyEndsTheProgramWhenInputCloses) {
    close_input();
    EXPECT_EXIT(wait_key(8), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$");
}

TEST_F(CursesTest, ColourPairsFollowTheScheme) {
    const short expected[14][2] = {
        {COLOR_BLUE, COLOR_BLACK},   {COLOR_RED, COLOR_BLACK},     {COLOR_GREEN, COLOR_BLACK},
        {COLOR_YELLOW, COLOR_BLACK}, {COLOR_MAGENTA, COLOR_BLACK}, {COLOR_CYAN, COLOR_BLACK},
        {COLOR_WHITE, COLOR_BLACK},  {COLOR_YELLOW, COLOR_BLUE},   {COLOR_WHITE, COLOR_BLUE},
        {COLOR_BLACK, COLOR_YELLOW}, {COLOR_BLACK, COLOR_WHITE},   {COLOR_BLACK, COLOR_RED},
        {COLOR_BLACK, COLOR_BLUE},   {COLOR_BLACK, COLOR_GREEN},
    };
    for (short pair = 1; pair <= 14; ++pair) {
        short foreground = -1;
        short background = -1;
        pair_content(pair, &foreground, &background);
        EXPECT_EQ(foreground, expected[pair - 1][0]) << "pair " << pair;
        EXPECT_EQ(background, expected[pair - 1][1]) << "pair " << pair;
    }
}

// A header word wider than its column (a translation's) widens the column,
// moving the later columns and the table's end right; words that fit leave
// the columns where their nominal widths put them. A word stands at an
// offset from its column's start and needs a blank before the next word.
TEST(HeaderWords, AWordWiderThanItsColumnMovesTheColumnsAfterIt) {
    const struct {
        const char *words[3];
        int offsets[3];
        int starts[3];
        int end;
    } cases[] = {
        {{"Name", "Price", "Size"}, {0, 0, 0}, {2, 12, 22}, 32},
        {{"Name", "The price of a share", "Size"}, {0, 0, 0}, {2, 12, 33}, 43},
        {{"Name", "Price", "The company's size"}, {0, 0, 0}, {2, 12, 22}, 41},
        {{"Name", "Price", "Holdings held"}, {0, 0, -1}, {2, 12, 22}, 35},
        {{"Name", "Price tag", "Size"}, {0, 2, -2}, {2, 12, 26}, 36},
    };
    for (const auto &c : cases) {
        TableColumn columns[3];
        HeaderWord words[3];
        for (int i = 0; i < 3; ++i) {
            columns[i] = {10, 9, 1, 0, 0};
            words[i] = {c.words[i], c.offsets[i]};
        }
        fit_header_words(columns, words, 3);
        const int end = lay_out_columns(columns, 3, 2, 78);
        SCOPED_TRACE(std::string(c.words[1]) + " / " + c.words[2]);
        EXPECT_EQ(end, c.end);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(columns[i].start, c.starts[i]) << "column " << i;
    }
}

}  // namespace
