// The title screen and player setup: the screen, the number of players, the
// first player and the names.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "game/game.h"
#include "support/screen.h"
#include "ui/ui.h"

namespace {

using headless::CursesTest;

class TitleTest : public CursesTest {
  protected:
    void SetUp() override {
        CursesTest::SetUp();
        set_escdelay(25);
    }

    std::string name(int player) const { return players[player].name; }
};

TEST_F(TitleTest, TitleScreenShowsItsTextsInTheirPlacesAndAttributes) {
    for (const int color : {1, 0}) {
        SCOPED_TRACE(color ? "colour" : "mono");
        open_screen(25, 80, color);
        type("1Al\r");
        setup_players();

        const attr_t frame = color ? A_BOLD | pair_attr(PAIR_YELLOW) : A_NORMAL;
        const attr_t banner = color ? A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE) : A_REVERSE;
        struct {
            int row;
            int column;
            std::string text;
            attr_t attr;
        } const texts[] = {
            {0, 1, std::string(78, '$'), frame},
            {24, 1, std::string(34, '$') + "$ V1.2.2 $" + std::string(34, '$'), frame},
            {6, 21, "* V * E * G * A ** T * R * A * D * E *", banner},
            {9, 19, "Please enter the number of players [1-4]: 1", A_NORMAL},
            {11, 22, "Player 1, enter your name: Al", A_NORMAL},
            {20, 11, NOTICE_LINES[0], A_NORMAL},
            {21, 13, NOTICE_LINES[1], A_NORMAL},
            {22, 13, NOTICE_LINES[2], A_NORMAL},
        };
        for (const auto &t : texts) {
            EXPECT_EQ(text_at(stdscr, t.row, t.column, static_cast<int>(t.text.size())), t.text)
                << "row " << t.row;
            for (int i = 0; i < static_cast<int>(t.text.size()); ++i) {
                ASSERT_EQ(attr_at(stdscr, t.row, t.column + i), t.attr)
                    << "row " << t.row << ", column " << t.column + i;
            }
            EXPECT_EQ(char_at(stdscr, t.row, t.column - 1) == ' ', t.row != 0 && t.row != 24)
                << "row " << t.row;
        }
        for (int row = 1; row < 24; ++row) {
            EXPECT_EQ(char_at(stdscr, row, 0), '$');
            EXPECT_EQ(char_at(stdscr, row, 79), '$');
            EXPECT_EQ(attr_at(stdscr, row, 79), frame);
        }
        EXPECT_EQ(cell(stdscr, 0, 0) & A_CHARTEXT, ACS_ULCORNER & A_CHARTEXT);
        EXPECT_EQ(cell(stdscr, 24, 79) & A_CHARTEXT, ACS_LRCORNER & A_CHARTEXT);
        EXPECT_EQ(num_players, 1);
        EXPECT_EQ(current_player, 0);
        EXPECT_EQ(name(0), "Al");
        EXPECT_TRUE(is_keypad(stdscr));
    }
}

TEST_F(TitleTest, OnlyADigitFromOneToFourAnswersTheNumberPrompt) {
    type(std::string("05x\r") + headless::KEY_SEQ_UP + "\x03\x0cQ" + "3" + "A\rB\rC\r");
    setup_players();
    EXPECT_EQ(num_players, 3);
    EXPECT_EQ(text_at(stdscr, 9, 19, 44), "Please enter the number of players [1-4]: 3 ");
    EXPECT_EQ(text_at(stdscr, 10, 1, 78), std::string(78, ' '));
}

TEST_F(TitleTest, EachPlayerIsAskedUntilANameIsGiven) {
    std::srand(static_cast<unsigned>(getpid()));
    const int first = std::rand() % 3;
    const int next_draw = std::rand();

    type("3Ann\r\rBob\r  \r");
    setup_players();
    EXPECT_EQ(current_player, first);
    EXPECT_EQ(std::rand(), next_draw) << "only the first player is drawn";

    const char *const names[] = {"Ann", "Bob", "  "};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(name(i), names[i]);
        const std::string prompt = "Player " + std::to_string(i + 1) + ", enter your name: ";
        EXPECT_EQ(text_at(stdscr, 11 + i, 21, 32),
                  " " + prompt + names[i] + std::string(4 - std::string(names[i]).size(), ' '));
    }
    EXPECT_EQ(text_at(stdscr, 14, 1, 78), std::string(78, ' '))
        << "the empty name is asked again on its own row";
    EXPECT_EQ(name(3), "") << "a record beyond the players keeps its default";
}

TEST_F(TitleTest, NamesAreStoredAsTypedAndShownVisibly) {
    const struct {
        const char *keys;
        const char *name;
        const char *shown;
    } cases[] = {
        {"1%s%n%x\r", "%s%n%x", "%s%n%x"},
        {"1a\033b\r", "a\033b", "a^[b"},
    };
    for (const auto &c : cases) {
        open_screen(25, 80, 1);
        type(c.keys);
        setup_players();
        EXPECT_EQ(name(0), c.name);
        EXPECT_EQ(text_at(stdscr, 11, 49, 8),
                  std::string(c.shown) + std::string(8 - std::string(c.shown).size(), ' '));
    }
}

TEST_F(TitleTest, LostInputEndsTheProgram) {
    for (const char *keys : {"x", "2Al\rB"}) {
        open_screen(25, 80, 1);
        type(keys);
        close_input();
        EXPECT_EXIT(setup_players(), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$") << keys;
    }
}

}  // namespace
