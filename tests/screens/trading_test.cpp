// The trading dialog: the list of companies, moving the selection, the
// amount prompt and its range, trades, and what the keys of the loop leave.
#include <sys/time.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "flow/flow.h"
#include "screens/screens.h"
#include "support/map_fixture.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::Area;
using headless::CursesTest;
using headless::KEY_SEQ_DOWN;
using headless::KEY_SEQ_RIGHT;
using headless::KEY_SEQ_UP;

constexpr int LIST_ROW = 3;
constexpr int NAME_COLUMN = 20;
constexpr int PROMPT_COLUMN = 40;

// Death tests print what the first entry's prompt row holds (37 columns
// from the prompt) and where the general window's cursor stands when the
// program ends, since the dialog erases the row before it returns.
void dump_prompt_row() {
    const int cursor = getcurx(general_window);
    char text[38] = {};
    for (int i = 0; i < 37; ++i)
        text[i] = static_cast<char>(mvwinch(general_window, LIST_ROW, PROMPT_COLUMN + i) & A_CHARTEXT);
    std::fprintf(stderr, "[%s] at %d\n", text, cursor);
}

// Death tests print the first entry's whole row, border to border.
void dump_first_row() {
    char text[79] = {};
    for (int i = 0; i < 78; ++i)
        text[i] = static_cast<char>(mvwinch(general_window, LIST_ROW, i) & A_CHARTEXT);
    std::fprintf(stderr, "[%s]\n", text);
}

void dump_and_exit(int) {
    dump_prompt_row();
    std::_Exit(3);
}

// Trades with the keys typed, ending the program 0.4 s into the one-second
// pause after an invalid amount.
void trade_until_the_pause(Game &game, Table &table) {
    std::signal(SIGALRM, dump_and_exit);
    const itimerval in_the_pause = {{0, 0}, {0, 400000}};
    setitimer(ITIMER_REAL, &in_the_pause, nullptr);
    trade_stock(game, table);
}

// A regular expression that matches `text` literally.
std::string literally(const std::string &text) {
    std::string pattern;
    for (const char c : text) {
        if (std::strchr("\\^$.|?*+()[]{}", c) != nullptr) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

// The dump for a prompt row holding `text`, with the cursor after it.
std::string dumped(const std::string &text) {
    return literally("[" + text + std::string(37 - text.size(), ' ') + "] at " +
                     std::to_string(PROMPT_COLUMN + static_cast<int>(text.size())));
}

class TradeTest : public CursesTest {
  protected:
    void SetUp() override {
        CursesTest::SetUp();
        show_main_screen();
    }

    // Opens the screen again in colour or monochrome.
    void reopen(int color) {
        open_screen(25, 80, color);
        show_main_screen();
    }

    // The main screen on the terminal as the turn loop leaves it; a lone
    // Escape answers at once, as in the game.
    void show_main_screen() {
        set_escdelay(25);
        typeahead(-1);
        draw_main_screen(game);
        doupdate();
    }

    // Makes the given companies active (each with one sector) at $100.
    void activate(const char *letters) {
        std::string first_row(12, '.');
        for (std::size_t i = 0; letters[i] != '\0'; ++i) first_row[i * 2] = letters[i];
        map_fixture::load_map(game, {first_row});
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].price = 100;
    }

    Player &mover() { return game.players[game.current_player]; }

    // The scheme's attributes: the border ('/'), the title, the first entry
    // as drawn ('r'), a moved selection ('s') and the names of A to E.
    static headless::Styles styles() {
        if (!use_color)
            return {{'/', A_NORMAL}, {'t', A_REVERSE}, {'r', A_REVERSE}, {'s', A_REVERSE}, {'A', A_NORMAL},
                    {'B', A_NORMAL}, {'C', A_NORMAL},  {'D', A_NORMAL},  {'E', A_NORMAL}};
        return {{'/', pair_attr(PAIR_BLUE)},
                {'t', A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE)},
                {'r', A_REVERSE},
                {'s', pair_attr(PAIR_BLACK_ON_WHITE)},
                {'A', company_attr[0]},
                {'B', company_attr[1]},
                {'C', company_attr[2]},
                {'D', company_attr[3]},
                {'E', company_attr[4]}};
    }
};

TEST_F(TradeTest, NoActiveCompanyReturnsAtOnce) {
    activate("");
    werase(general_window);
    mvwaddstr(general_window, 4, 2, "as before");
    type("j");
    trade_stock(game, table);
    EXPECT_TRUE(headless::expect_window(general_window, R"(




  as before
)"));
    EXPECT_EQ(read_key(), 'j') << "no key is read";
}

TEST_F(TradeTest, ListsTheActiveCompaniesAndMovesTheSelectionRound) {
    // The list as it stands after the keys: the first entry is drawn in
    // reverse video until the selection moves.
    struct {
        std::string keys;
        const char *list;
        int cursor;  // the entry after whose name the cursor waits
    } const cases[] = {
        {"", R"(
{/:|}                   {r:Altair Starways}                                          {/:|}
{/:|}                   {C:Capella Freight Co.}                                      {/:|}
{/:|}                   {E:Eridani Expediters}                                       {/:|}
{/:|}                                                                            {/:|}
)",
         2},  // after the last name drawn
        {KEY_SEQ_UP, R"(
{/:|}                   {A:Altair Starways}                                          {/:|}
{/:|}                   {C:Capella Freight Co.}                                      {/:|}
{/:|}                   {s:Eridani Expediters}                                       {/:|}
{/:|}                                                                            {/:|}
)",
         2},
        {std::string(KEY_SEQ_DOWN) + "5j", R"(
{/:|}                   {s:Altair Starways}                                          {/:|}
{/:|}                   {C:Capella Freight Co.}                                      {/:|}
{/:|}                   {E:Eridani Expediters}                                       {/:|}
{/:|}                                                                            {/:|}
)",
         0},
        {"J", R"(
{/:|}                   {A:Altair Starways}                                          {/:|}
{/:|}                   {s:Capella Freight Co.}                                      {/:|}
{/:|}                   {E:Eridani Expediters}                                       {/:|}
{/:|}                                                                            {/:|}
)",
         1},
        {"jK", R"(
{/:|}                   {s:Altair Starways}                                          {/:|}
{/:|}                   {C:Capella Freight Co.}                                      {/:|}
{/:|}                   {E:Eridani Expediters}                                       {/:|}
{/:|}                                                                            {/:|}
)",
         0},
        {"k", R"(
{/:|}                   {A:Altair Starways}                                          {/:|}
{/:|}                   {C:Capella Freight Co.}                                      {/:|}
{/:|}                   {s:Eridani Expediters}                                       {/:|}
{/:|}                                                                            {/:|}
)",
         2},
        {"88", R"(
{/:|}                   {A:Altair Starways}                                          {/:|}
{/:|}                   {s:Capella Freight Co.}                                      {/:|}
{/:|}                   {E:Eridani Expediters}                                       {/:|}
{/:|}                                                                            {/:|}
)",
         1},
        {std::string(KEY_SEQ_DOWN) + "x" + headless::KEY_SEQ_LEFT, R"(
{/:|}                   {A:Altair Starways}                                          {/:|}
{/:|}                   {s:Capella Freight Co.}                                      {/:|}
{/:|}                   {E:Eridani Expediters}                                       {/:|}
{/:|}                                                                            {/:|}
)",
         1},
    };
    const char *const names[] = {"Altair Starways", "Capella Freight Co.", "Eridani Expediters"};
    for (const int color : {1, 0}) {
        reopen(color);
        activate("ACE");
        for (const auto &c : cases) {
            SCOPED_TRACE(::testing::PrintToString(c.keys) + (color ? " colour" : " mono"));
            type(c.keys + "\033");
            trade_stock(game, table);
            EXPECT_TRUE(headless::expect_window(general_window, Area{0, 0, 3, 78}, R"(
{/:┌//////////////////////////}{t: Player1 (Cash: $6000) }{/:///////////////////////////┐}
{/:|}     Arrow keys to select a company, return to trade, escape when done:     {/:|}
{/:|}                                                                            {/:|}
)",
                                                styles()));
            EXPECT_TRUE(headless::expect_window(general_window, Area{LIST_ROW, 0, 4, 78}, c.list, styles()));
            EXPECT_EQ(getcury(general_window), LIST_ROW + c.cursor);
            EXPECT_EQ(getcurx(general_window), NAME_COLUMN + static_cast<int>(std::strlen(names[c.cursor])));
        }
    }
}

TEST_F(TradeTest, WithOneCompanyTheSelectionStays) {
    activate("B");
    type(std::string(KEY_SEQ_DOWN) + KEY_SEQ_UP + "5j8kJK\033");
    trade_stock(game, table);
    EXPECT_TRUE(headless::expect_window(general_window, Area{LIST_ROW, 0, 2, 78}, R"(
{/:|}                   {r:Beetlejuice, Ltd.}                                        {/:|}
{/:|}                                                                            {/:|}
)",
                                        styles()));
}

TEST_F(TradeTest, AmountPromptOffersTheRangeThatCashAndHoldingsAllow) {
    struct {
        int cash;
        int holding;
        const char *prompt;
    } const cases[] = {
        {6000, 0, "Amount (0 to 60): "},
        {6000, 5, "Amount (-5 to 60): "},
        {99, 3, "Amount (-3 to 0): "},
        // Cash and holdings never leave the int range.
        {INT_MAX - 250, 5, "Amount (-2 to 21474833): "},
        {6000, INT_MAX - 3, "Amount (-21474776 to 3): "},
    };
    for (const auto &c : cases) {
        reopen(1);
        activate("A");
        mover().cash = c.cash;
        mover().holdings[0] = c.holding;
        type("\r12");
        close_input();
        EXPECT_EXIT(
            {
                std::atexit(dump_prompt_row);
                trade_stock(game, table);
            },
            ::testing::ExitedWithCode(1),
            "^vegatrade: input closed\n" + dumped(std::string(c.prompt) + "12"));
    }
}

// However many shares and dollars a player holds, the prompt and the typed
// amount end inside the window's border: the widest bounds drop the
// prompt's first word, and the amount takes the columns left.
TEST_F(TradeTest, TheAmountStaysInsideTheWindowAtTheIntLimits) {
    constexpr int HALF = INT_MAX / 2;
    struct {
        int cash;
        int holding;
        const char *keys;
        const char *row;
    } const cases[] = {
        {HALF, HALF, "-12345678901",
         "|                   Altair Starways     (-1073741823 to 1073741823): -1234567|"},
        {HALF, HALF, "n", "|                   Altair Starways     (-1073741823 to 1073741823): n       |"},
        {INT_MAX, 0, "12345678901",
         "|                   Altair Starways     Amount (0 to 2147483647): 123456789  |"},
        {0, INT_MAX, "-12345678901",
         "|                   Altair Starways     Amount (-2147483647 to 0): -12345678 |"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys);
        reopen(1);
        activate("A");
        game.companies[0].price = 1;
        mover().cash = c.cash;
        mover().holdings[0] = c.holding;
        type(std::string("\r") + c.keys);
        close_input();
        EXPECT_EXIT(
            {
                std::atexit(dump_first_row);
                trade_stock(game, table);
            },
            ::testing::ExitedWithCode(1),
            "^vegatrade: input closed\n" + literally(std::string("[") + c.row + "]"));
    }
}

// The cash in the title and the bounds in the prompt at the int limits,
// with the longest name: every digit stands inside the border. The prompt
// is shown while an amount is typed, so each case ends the program there
// and checks the window as it exits.
const char *pictured = nullptr;
headless::Styles pictured_styles;
void check_pictured() {
    const auto shown = headless::expect_window(general_window, Area{0, 0, 5, 78}, pictured, pictured_styles);
    std::fprintf(stderr, "%s\n", shown ? "as pictured" : shown.message());
}

TEST_F(TradeTest, TheTitleAndThePromptShowEveryDigitAtTheIntLimits) {
    constexpr int HALF = INT_MAX / 2;
    struct {
        int cash;
        int holding;
        const char *keys;
        const char *picture;
    } const cases[] = {
        {INT_MAX, 0, "12345678901", R"(
{/:┌/////////////////}{t: Twenty Characters!!! (Cash: $2147483647) }{/://///////////////┐}
{/:|}     Arrow keys to select a company, return to trade, escape when done:     {/:|}
{/:|}                                                                            {/:|}
{/:|}                   {r:Altair Starways}     Amount (0 to 2147483647): 123456789  {/:|}
{/:|}                                                                            {/:|}
)"},
        {HALF, HALF, "-12345678901", R"(
{/:┌/////////////////}{t: Twenty Characters!!! (Cash: $1073741823) }{/://///////////////┐}
{/:|}     Arrow keys to select a company, return to trade, escape when done:     {/:|}
{/:|}                                                                            {/:|}
{/:|}                   {r:Altair Starways}     (-1073741823 to 1073741823): -1234567{/:|}
{/:|}                                                                            {/:|}
)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys);
        reopen(1);
        activate("A");
        std::snprintf(mover().name, sizeof mover().name, "Twenty Characters!!!");
        game.companies[0].price = 1;
        mover().cash = c.cash;
        mover().holdings[0] = c.holding;
        type(std::string("\r") + c.keys);
        close_input();
        EXPECT_EXIT(
            {
                pictured = c.picture;
                pictured_styles = styles();
                std::atexit(check_pictured);
                trade_stock(game, table);
            },
            ::testing::ExitedWithCode(1), "as pictured");
    }
}

TEST_F(TradeTest, TradesChangeCashAndHoldingsAtThePrice) {
    struct {
        int cash;
        int holding;
        std::string keys;
        int cash_after;
        int holding_after;
        const char *title_row;
    } const cases[] = {
        {6000, 5, "\r12\r", 4800, 17,
         "┌////////////////////////// Player1 (Cash: $4800) ///////////////////////////┐"},
        {6000, 5, "\r-3\r", 6300, 2,
         "┌////////////////////////// Player1 (Cash: $6300) ///////////////////////////┐"},
        {6000, 5, std::string(KEY_SEQ_RIGHT) + "1\r", 5900, 6,
         "┌////////////////////////// Player1 (Cash: $5900) ///////////////////////////┐"},
        {6000, 5, "\0061\r", 5900, 6,
         "┌////////////////////////// Player1 (Cash: $5900) ///////////////////////////┐"},
        {6000, 5, "\n1\r", 5900, 6,
         "┌////////////////////////// Player1 (Cash: $5900) ///////////////////////////┐"},
        {6000, 5, "\rm\r", 0, 65,
         "┌//////////////////////////// Player1 (Cash: $0) ////////////////////////////┐"},
        {6000, 5, "\rM7", 0, 65,
         "┌//////////////////////////// Player1 (Cash: $0) ////////////////////////////┐"},
        {6000, 5, "\rn\r", 6500, 0,
         "┌////////////////////////// Player1 (Cash: $6500) ///////////////////////////┐"},
        // The 5 ends the amount and does not move the selection.
        {6000, 5, "\rN5", 6500, 0,
         "┌////////////////////////// Player1 (Cash: $6500) ///////////////////////////┐"},
        {6000, 5, "\r12\r\r-2\r", 5000, 15,
         "┌////////////////////////// Player1 (Cash: $5000) ///////////////////////////┐"},
        {99, 0, "\rm\r", 99, 0,
         "┌/////////////////////////// Player1 (Cash: $99) ////////////////////////////┐"},
        // Nothing is traded: no panel repaint.
        {6000, 5, "\r\r", 6000, 5,
         "┌////////////////////////// Player1 (Cash: $6000) ///////////////////////////┐"},
        {6000, 5, "\r0\r", 6000, 5,
         "┌////////////////////////// Player1 (Cash: $6000) ///////////////////////////┐"},
        {6000, 5, "\r-\r", 6000, 5,
         "┌////////////////////////// Player1 (Cash: $6000) ///////////////////////////┐"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.keys));
        activate("AB");
        mover().cash = c.cash;
        mover().holdings[0] = c.holding;
        werase(coinfo_window);
        mvwaddstr(coinfo_window, 5, 0, "unchanged");
        type(c.keys + "\033");  // Escape right after the trade
        trade_stock(game, table);
        EXPECT_EQ(mover().cash, c.cash_after);
        EXPECT_EQ(mover().holdings[0], c.holding_after);
        const bool traded = c.cash != c.cash_after || c.holding != c.holding_after;
        EXPECT_EQ(row_text(coinfo_window, 5) == "unchanged", !traded)
            << "the panel is repainted after a trade";
        if (traded) {
            EXPECT_EQ(row_text(coinfo_window, 2).substr(0, 16), " Altair Starways");
        }
        // The title shows the cash after the trades, and the prompt is gone.
        EXPECT_TRUE(headless::expect_window(general_window, Area{0, 0, 1, 78}, c.title_row));
        EXPECT_TRUE(headless::expect_window(general_window, Area{LIST_ROW, 0, 1, 78}, R"(
|                   Altair Starways                                          |
)"));
        EXPECT_EQ(getcury(general_window), LIST_ROW);
        EXPECT_EQ(getcurx(general_window), NAME_COLUMN + 15);
    }
}

TEST_F(TradeTest, AnAmountOutsideTheRangeChangesNothing) {
    activate("A");
    mover().holdings[0] = 5;
    type("\r61\r\r-6\r\033");
    trade_stock(game, table);
    EXPECT_EQ(mover().cash, 6000);
    EXPECT_EQ(mover().holdings[0], 5);
    EXPECT_TRUE(headless::expect_window(general_window, Area{0, 0, 5, 78}, R"(
┌////////////////////////// Player1 (Cash: $6000) ///////////////////////////┐
|     Arrow keys to select a company, return to trade, escape when done:     |
|                                                                            |
|                   Altair Starways                                          |
|                                                                            |
)")) << "the prompt and the message are gone";
}

TEST_F(TradeTest, InvalidAmountIsShownDuringThePause) {
    activate("A");
    type("\r-1\r");
    EXPECT_EXIT(trade_until_the_pause(game, table), ::testing::ExitedWithCode(3), dumped("Invalid amount!"));
}

TEST_F(TradeTest, TheShorterTitleIsCentredAnewBetweenSlashes) {
    for (const int color : {1, 0}) {
        reopen(color);
        activate("A");
        type("\rm\r\033");
        trade_stock(game, table);
        EXPECT_TRUE(headless::expect_window(general_window, Area{0, 0, 1, 78}, R"(
{/:┌////////////////////////////}{t: Player1 (Cash: $0) }{/:////////////////////////////┐}
)",
                                            styles()))
            << (color ? "colour" : "mono");
    }
}

TEST_F(TradeTest, TheCursorReturnsToTheSelectedNameAfterAModalWindow) {
    // The standings, the company report and a declined quit each close with
    // the key after theirs.
    for (const char *keys : {"jSx", "jcx", "jqn", "j\x03n"}) {
        SCOPED_TRACE(::testing::PrintToString(keys));
        activate("ACE");
        type(std::string(keys) + "\033");
        trade_stock(game, table);
        EXPECT_EQ(getcury(curscr), 13 + LIST_ROW + 1);
        EXPECT_EQ(getcurx(curscr), 1 + NAME_COLUMN + static_cast<int>(std::strlen(game.companies[2].name)));
    }
}

}  // namespace

// Escape at the amount prompt takes the amount back, whatever was typed
// (after m or n too), as Enter on an empty line does: nothing is traded, the
// prompt is cleared and the dialog goes on; a second Escape ends it. Here
// the Escape that ends the dialog follows at once.
TEST_F(TradeTest, EscapeAtTheAmountPromptCancelsTheTrade) {
    constexpr const char *NOTHING_TRADED = R"(
┌////////////////////////// Player1 (Cash: $6000) ///////////////////////////┐
|     Arrow keys to select a company, return to trade, escape when done:     |
|                                                                            |
|                   Altair Starways                                          |
|                   Beetlejuice, Ltd.                                        |
|                                                                            |
)";
    const struct {
        const char *keys;
        int cash_after;
        int holding_after;
        const char *window;
    } cases[] = {
        {"\r\033", 6000, 5, NOTHING_TRADED},
        {"\r12\033", 6000, 5, NOTHING_TRADED},
        {"\r-3\033", 6000, 5, NOTHING_TRADED},
        {"\rm\033", 6000, 5, NOTHING_TRADED},
        {"\rN\033", 6000, 5, NOTHING_TRADED},
        // Two shares bought, then seven taken back.
        {"\r2\r\r7\033", 5800, 7, R"(
┌////////////////////////// Player1 (Cash: $5800) ///////////////////////////┐
|     Arrow keys to select a company, return to trade, escape when done:     |
|                                                                            |
|                   Altair Starways                                          |
|                   Beetlejuice, Ltd.                                        |
|                                                                            |
)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.keys)));
        activate("AB");
        mover().cash = 6000;
        mover().holdings[0] = 5;
        type(std::string(c.keys) + "\033");
        trade_stock(game, table);
        EXPECT_EQ(mover().cash, c.cash_after);
        EXPECT_EQ(mover().holdings[0], c.holding_after);
        EXPECT_TRUE(headless::expect_window(general_window, Area{0, 0, 6, 78}, c.window));
    }
}
