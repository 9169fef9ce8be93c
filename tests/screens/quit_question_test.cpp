// The quit confirmation: its window, the answers that cancel and the ones
// that end the game.
#include <string>

#include "flow/flow.h"
#include "screens/screens.h"
#include "support/map_fixture.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;

// The quit window's place on the 80-column screen.
constexpr int TOP = 5;
constexpr int LEFT = 19;

class QuitTest : public CursesTest {
  protected:
    // The main screen as the turn loop leaves it, already on the terminal.
    // Keys typed ahead must not postpone the updates this test looks at.
    void show_main_screen() {
        typeahead(-1);
        map_fixture::load_map(game,
                              {"A..*........", "AA.....@....", "...+...BB...", "*.....CCC...", "..DD.....@..",
                               "....E.......", ".....*......", "AAAAAAAAAAAA", "..+..+..+..."});
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].price = 100 * (i + 1);
        draw_main_screen(game);
        doupdate();
    }

    // The scheme's attributes: border, title, question.
    static headless::Styles styles(int color) {
        if (color)
            return {{'=', pair_attr(PAIR_RED)},
                    {'t', pair_attr(PAIR_BLACK_ON_RED)},
                    {'q', A_BOLD | pair_attr(PAIR_YELLOW)}};
        return {{'=', A_BOLD}, {'t', A_REVERSE}, {'q', A_NORMAL}};
    }

    // What the terminal shows at a screen cell.
    chtype shown(int row, int column) const { return cell(curscr, row, column); }

    // The cell of the map or the panel that lies under a screen cell.
    chtype underneath(int row, int column) const {
        if (column < 39) return cell(map_window, row - 1, column - 1);
        return cell(coinfo_window, row - 1, column - 39);
    }
};

TEST_F(QuitTest, AnyAnswerButYesClosesTheWindowAndRestoresTheScreen) {
    const char *const answers[] = {"n", "N", "\r", "\033", "\x0c", headless::KEY_SEQ_DOWN, "q"};
    for (const int color : {1, 0}) {
        open_screen(25, 80, color);
        show_main_screen();
        for (const char *answer : answers) {
            SCOPED_TRACE(::testing::PrintToString(std::string(answer)) + (color ? " colour" : " mono"));
            type(std::string(answer) + "x");
            confirm_quit(game, table.record);

            // The window is still on the terminal until the caller's next update.
            EXPECT_TRUE(headless::expect_window(curscr, headless::Area{TOP, LEFT, 5, 42}, R"(
{=:┌=============}{t: Really Quit? }{=:=============┐}
{=:|}                                        {=:|}
{=:|} {q:Are you sure you want to quit (y/n)? }  {=:|}
{=:|}                                        {=:|}
{=:└========================================┘}
)",
                                                styles(color)));
            EXPECT_EQ(getcury(curscr), TOP + 2) << "the cursor waits after the question";
            EXPECT_EQ(getcurx(curscr), LEFT + 2 + 37);

            doupdate();
            for (int row = TOP; row < TOP + 5; ++row) {
                for (int column = LEFT; column < LEFT + 42; ++column) {
                    ASSERT_EQ(shown(row, column), underneath(row, column)) << row << ", " << column;
                }
            }
            EXPECT_EQ(read_key(), 'x') << "exactly one key is read";
        }
    }
}

TEST_F(QuitTest, YesShowsTheFinalStandingsAndExitsWithStatusTwo) {
    for (const char *yes : {"y", "Y"}) {
        type(std::string(yes) + "k");  // the answer, then the key that closes the standings
        EXPECT_EXIT(confirm_quit(game, table.record), ::testing::ExitedWithCode(2), "") << yes;
        open_screen(25, 80, 1);
    }
    type("y");
    close_input();
    EXPECT_EXIT(confirm_quit(game, table.record), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$")
        << "the final standings wait for a key";
}

TEST_F(QuitTest, AWindowThatCannotBeCreatedEndsTheProgram) {
    screen_cols = 40;
    EXPECT_EXIT(confirm_quit(game, table.record), ::testing::ExitedWithCode(1),
                "^vegatrade: couldn't open window for y/n prompt\n$");
}

}  // namespace
