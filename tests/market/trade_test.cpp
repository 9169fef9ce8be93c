// The trading dialog: the list of companies, moving the selection, the
// amount prompt and its range, trades, and what the keys of the loop leave.
#include <sys/time.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/game.h"
#include "market/market.h"
#include "support/screen.h"
#include "ui/ui.h"

namespace {

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

void dump_and_exit(int) {
    dump_prompt_row();
    std::_Exit(3);
}

// Trades with the keys typed, ending the program 0.4 s into the one-second
// pause after an invalid amount.
void trade_until_the_pause() {
    std::signal(SIGALRM, dump_and_exit);
    const itimerval in_the_pause = {{0, 0}, {0, 400000}};
    setitimer(ITIMER_REAL, &in_the_pause, nullptr);
    trade_stock();
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
        draw_main_screen();
        doupdate();
    }

    // Makes the given companies active (each with one sector) at $100.
    void activate(const char *letters) {
        std::string first_row(12, '.');
        for (std::size_t i = 0; letters[i] != '\0'; ++i) first_row[i * 2] = letters[i];
        load_galaxy({first_row.c_str(), "............", "............", "............", "............",
                     "............", "............", "............", "............", "............"});
        for (int i = 0; i < NUM_COMPANIES; ++i) companies[i].price = 100;
    }

    Player &mover() { return players[current_player]; }

    // The attribute of list entry `entry` (company `company`) when it is
    // or is not the moved selection.
    static attr_t entry_attr(int company, bool selected) {
        if (selected) return use_color ? pair_attr(PAIR_BLACK_ON_WHITE) : A_REVERSE;
        return use_color ? company_attr[static_cast<std::size_t>(company)] : A_NORMAL;
    }
};

TEST_F(TradeTest, NoActiveCompanyReturnsAtOnce) {
    activate("");
    werase(general_window);
    mvwaddstr(general_window, 4, 2, "as before");
    type("j");
    trade_stock();
    EXPECT_EQ(row_text(general_window, 0), "");
    EXPECT_EQ(row_text(general_window, 4), "  as before");
    EXPECT_EQ(read_key(), 'j') << "no key is read";
}

TEST_F(TradeTest, ListsTheActiveCompaniesAndMovesTheSelectionRound) {
    const int active[] = {0, 2, 4};
    struct {
        std::string keys;
        int selected;  // -1: never moved
    } const cases[] = {
        {"", -1},
        {KEY_SEQ_UP, 2},
        {std::string(KEY_SEQ_DOWN) + "5j", 0},
        {"J", 1},
        {"jK", 0},
        {"k", 2},
        {"88", 1},
        {std::string(KEY_SEQ_DOWN) + "x" + headless::KEY_SEQ_LEFT, 1},
    };
    for (const int color : {1, 0}) {
        reopen(color);
        activate("ACE");
        for (const auto &c : cases) {
            SCOPED_TRACE(::testing::PrintToString(c.keys) + (color ? " colour" : " mono"));
            type(c.keys + "\033");
            trade_stock();
            EXPECT_EQ(text_at(general_window, 0, 27, 23), " Player1 (Cash: $6000) ");
            EXPECT_EQ(text_at(general_window, 1, 1, 76),
                      "     Arrow keys to select a company, return to trade, escape when done:     ");
            for (int entry = 0; entry < 3; ++entry) {
                const int company = active[entry];
                const int length = static_cast<int>(std::strlen(companies[company].name));
                EXPECT_EQ(text_at(general_window, LIST_ROW + entry, NAME_COLUMN, length),
                          companies[company].name);
                EXPECT_EQ(char_at(general_window, LIST_ROW + entry, NAME_COLUMN - 1), ' ');
                const attr_t expected =
                    c.selected < 0 && entry == 0 ? A_REVERSE : entry_attr(company, entry == c.selected);
                for (int column = NAME_COLUMN; column < NAME_COLUMN + length; ++column) {
                    ASSERT_EQ(attr_at(general_window, LIST_ROW + entry, column), expected)
                        << "entry " << entry;
                }
            }
            EXPECT_EQ(text_at(general_window, LIST_ROW + 3, 1, 76), std::string(76, ' '));
            const int at = c.selected < 0 ? 2 : c.selected;  // the cursor after the last name drawn
            EXPECT_EQ(getcury(general_window), LIST_ROW + at);
            EXPECT_EQ(getcurx(general_window),
                      NAME_COLUMN + static_cast<int>(std::strlen(companies[active[at]].name)));
        }
    }
}

TEST_F(TradeTest, WithOneCompanyTheSelectionStays) {
    activate("B");
    type(std::string(KEY_SEQ_DOWN) + KEY_SEQ_UP + "5j8kJK\033");
    trade_stock();
    EXPECT_EQ(attr_at(general_window, LIST_ROW, NAME_COLUMN), A_REVERSE);
    EXPECT_EQ(text_at(general_window, LIST_ROW + 1, 1, 76), std::string(76, ' '));
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
                trade_stock();
            },
            ::testing::ExitedWithCode(1),
            "^vegatrade: input closed\n" + dumped(std::string(c.prompt) + "12"));
    }
}

TEST_F(TradeTest, TradesChangeCashAndHoldingsAtThePrice) {
    struct {
        int cash;
        int holding;
        std::string keys;
        int cash_after;
        int holding_after;
    } const cases[] = {
        {6000, 5, "\r12\r", 4800, 17},
        {6000, 5, "\r-3\r", 6300, 2},
        {6000, 5, std::string(KEY_SEQ_RIGHT) + "1\r", 5900, 6},
        {6000, 5, "\0061\r", 5900, 6},
        {6000, 5, "\n1\r", 5900, 6},
        {6000, 5, "\rm\r", 0, 65},
        {6000, 5, "\rM7", 0, 65},
        {6000, 5, "\rn\r", 6500, 0},
        {6000, 5, "\rN5", 6500, 0},  // the 5 ends the amount and does not move the selection
        {6000, 5, "\r12\r\r-2\r", 5000, 15},
        {99, 0, "\rm\r", 99, 0},
        // Nothing is traded: no panel repaint.
        {6000, 5, "\r\r", 6000, 5},
        {6000, 5, "\r0\r", 6000, 5},
        {6000, 5, "\r-\r", 6000, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.keys));
        activate("AB");
        mover().cash = c.cash;
        mover().holdings[0] = c.holding;
        werase(coinfo_window);
        mvwaddstr(coinfo_window, 5, 0, "unchanged");
        type(c.keys + "\033");  // Escape right after the trade
        trade_stock();
        EXPECT_EQ(mover().cash, c.cash_after);
        EXPECT_EQ(mover().holdings[0], c.holding_after);
        const bool traded = c.cash != c.cash_after || c.holding != c.holding_after;
        EXPECT_EQ(row_text(coinfo_window, 5) == "unchanged", !traded)
            << "the panel is repainted after a trade";
        if (traded) {
            EXPECT_EQ(row_text(coinfo_window, 2).substr(0, 16), " Altair Starways");
        }
        EXPECT_EQ(text_at(general_window, LIST_ROW, PROMPT_COLUMN, 37), std::string(37, ' '));
        char title[64];
        std::snprintf(title, sizeof title, " Player1 (Cash: $%d) ", c.cash_after);
        const int length = static_cast<int>(std::strlen(title));
        EXPECT_EQ(text_at(general_window, 0, (78 - length) / 2, length), title);
        EXPECT_EQ(getcury(general_window), LIST_ROW);
        EXPECT_EQ(getcurx(general_window), NAME_COLUMN + 15);
    }
}

TEST_F(TradeTest, AnAmountOutsideTheRangeChangesNothing) {
    activate("A");
    mover().holdings[0] = 5;
    type("\r61\r\r-6\r\033");
    trade_stock();
    EXPECT_EQ(mover().cash, 6000);
    EXPECT_EQ(mover().holdings[0], 5);
    EXPECT_EQ(text_at(general_window, LIST_ROW, PROMPT_COLUMN, 37), std::string(37, ' '));
}

TEST_F(TradeTest, InvalidAmountIsShownDuringThePause) {
    activate("A");
    type("\r-1\r");
    EXPECT_EXIT(trade_until_the_pause(), ::testing::ExitedWithCode(3), dumped("Invalid amount!"));
}

TEST_F(TradeTest, TheShorterTitleIsCentredAnewBetweenSlashes) {
    for (const int color : {1, 0}) {
        reopen(color);
        activate("A");
        type("\rm\r\033");
        trade_stock();
        const std::string title = " Player1 (Cash: $0) ";
        EXPECT_EQ(text_at(general_window, 0, 1, 76), std::string(28, '/') + title + std::string(28, '/'));
        const attr_t title_attr = color ? A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE) : A_REVERSE;
        const attr_t border = color ? pair_attr(PAIR_BLUE) : A_NORMAL;
        for (int column = 1; column <= 76; ++column) {
            const bool in_title = column >= 29 && column < 29 + static_cast<int>(title.size());
            EXPECT_EQ(attr_at(general_window, 0, column), in_title ? title_attr : border)
                << "column " << column;
        }
    }
}

TEST_F(TradeTest, TheCursorReturnsToTheSelectedNameAfterAModalWindow) {
    // The standings, the company report and a declined quit each close with
    // the key after theirs.
    for (const char *keys : {"jSx", "jcx", "jqn", "j\x03n"}) {
        SCOPED_TRACE(::testing::PrintToString(keys));
        activate("ACE");
        type(std::string(keys) + "\033");
        trade_stock();
        EXPECT_EQ(getcury(curscr), 13 + LIST_ROW + 1);
        EXPECT_EQ(getcurx(curscr), 1 + NAME_COLUMN + static_cast<int>(std::strlen(companies[2].name)));
    }
}

}  // namespace
