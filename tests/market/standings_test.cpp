// The standings: players ranked by net worth in a modal window that is gone
// once a key has been read.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "market/market.h"
#include "market/modal_screen.h"
#include "ui/ui.h"

namespace {

using StandingsTest = market_test::ModalTest<headless::CursesTest>;

char acs(chtype symbol) { return static_cast<char>(symbol & A_CHARTEXT); }

constexpr const char *CURRENT = " Current Standings ";
constexpr const char *FINAL = " GAME OVER - Final Standings ";

TEST_F(StandingsTest, WindowHasOneRowPerPlayerBelowTheHeader) {
    struct {
        int players;
        const char *title;
        int title_column;
    } const cases[] = {{1, CURRENT, 19}, {4, FINAL, 14}};
    left_ = 10;
    for (const auto &c : cases) {
        reopen(25, 80, 1, c.players);
        const int n = c.players;
        type("k");
        show_standings(c.title);

        const std::string title = std::string(" ") + c.title + " ";
        EXPECT_EQ(shown(0, c.title_column, static_cast<int>(title.size())), title);
        EXPECT_EQ(shown_char(0, c.title_column - 1), '=');
        EXPECT_EQ(shown(2, 2, 56), "=Player================Stock Value===Cash=====Net Worth=");
        for (int r = 0; r < n; ++r) EXPECT_EQ(shown(4 + r, 3, 8), "Player" + std::to_string(r + 1) + " ");
        EXPECT_EQ(shown(n + 4, 1, 58), std::string(58, ' '));
        EXPECT_EQ(shown(n + 5, 10, 39), "Available company sectors remaining: 65");
        EXPECT_EQ(shown(n + 7, 15, 30), " Press any key to continue... ");

        // The border: 60 columns from screen column 10, rows 5 to n + 13.
        EXPECT_EQ(shown_char(0, 0), acs(ACS_ULCORNER));
        EXPECT_EQ(shown_char(0, 59), acs(ACS_URCORNER));
        EXPECT_EQ(shown_char(n + 8, 0), acs(ACS_LLCORNER));
        EXPECT_EQ(shown_char(n + 8, 59), acs(ACS_LRCORNER));
        EXPECT_EQ(shown(n + 8, 1, 58), std::string(58, '='));
        for (int r = 1; r < n + 8; ++r)
            EXPECT_EQ(shown(r, -1, 62), " |" + shown(r, 1, 58) + "| ") << "row " << r;
        EXPECT_EQ(shown(n + 9, 0, 60), std::string(60, ' ')) << "nothing below the window";
    }
}

TEST_F(StandingsTest, FieldsStandAtTheirColumnsAndLongNamesPushTheRow) {
    left_ = 10;
    std::snprintf(players[0].name, sizeof players[0].name, "Nineteen Characters");
    std::snprintf(players[1].name, sizeof players[1].name, "Twenty Characters!!!");
    companies[0] = Company{"Altair Starways", 250, 4};
    players[0].holdings[0] = 10;
    players[0].cash = 7000;
    players[1].cash = 6000;
    type("k");
    show_standings(CURRENT);

    struct {
        int row;
        int shift;
        const char *name;
        const char *stock;
        const char *cash;
        const char *worth;
    } const rows[] = {
        {4, 0, "Nineteen Characters", "$2500     ", "$7000     ", "$9500    "},
        {5, 1, "Twenty Characters!!!", "$0        ", "$6000     ", "$6000    "},
    };
    for (const auto &r : rows) {
        EXPECT_EQ(shown(r.row, 3, 19 + r.shift), r.name);
        EXPECT_EQ(shown(r.row, 22 + r.shift, 3), "   ");
        EXPECT_EQ(shown(r.row, 25 + r.shift, 10), r.stock);
        EXPECT_EQ(shown(r.row, 37 + r.shift, 10), r.cash);
        EXPECT_EQ(shown(r.row, 48 + r.shift, 9), r.worth);
        EXPECT_EQ(shown_attr(r.row, 3), A_BOLD);
        EXPECT_EQ(shown_attr(r.row, 24 + r.shift), A_BOLD) << "the blanks after the name are bold too";
        EXPECT_EQ(shown_attr(r.row, 25 + r.shift), A_NORMAL);
        EXPECT_EQ(shown_attr(r.row, 47 + r.shift), A_NORMAL);
        EXPECT_EQ(shown_attr(r.row, 48 + r.shift), A_BOLD);
        EXPECT_EQ(shown_attr(r.row, 56 + r.shift), A_BOLD);
    }
}

TEST_F(StandingsTest, StockValueCountsActiveCompaniesOnly) {
    companies[0] = Company{"Altair Starways", 300, 2};
    companies[1] = Company{"Beetlejuice, Ltd.", 900, 0};  // swallowed or merged
    companies[4] = Company{"Eridani Expediters", 1200, 7};
    players[0].holdings[0] = 5;
    players[0].holdings[1] = 100;
    players[1].holdings[1] = 40;
    players[1].holdings[4] = 3;
    players[2].holdings[0] = 50;  // not playing: left alone
    players[2].stock_value = -1;
    type("k");
    show_standings(CURRENT);
    EXPECT_EQ(players[0].stock_value, 1500);
    EXPECT_EQ(players[1].stock_value, 3600);
    EXPECT_EQ(players[2].stock_value, -1);
    left_ = 10;
    EXPECT_EQ(shown(4, 3, 8), "Player2 ");
    EXPECT_EQ(shown(4, 25, 5), "$3600");
    EXPECT_EQ(shown(5, 25, 5), "$1500");
}

TEST_F(StandingsTest, SectorsRemainingCountDownToTheEndOfTheGame) {
    struct {
        int sizes[NUM_COMPANIES];
        const char *text;
    } const cases[] = {
        {{0, 0, 0, 0, 0}, "Available company sectors remaining: 65"},
        {{30, 0, 20, 14, 0}, "Available company sectors remaining: 1"},
        {{30, 0, 20, 15, 0}, "Available company sectors remaining: 0"},
        {{30, 12, 20, 15, 0}, "Available company sectors remaining: -12"},
    };
    left_ = 10;
    for (const auto &c : cases) {
        for (int i = 0; i < NUM_COMPANIES; ++i) companies[i].size = c.sizes[i];
        type("k");
        show_standings(FINAL);
        const int length = static_cast<int>(std::string(c.text).size());
        EXPECT_EQ(shown(7, (60 - length) / 2 - 1, length + 2), std::string(" ") + c.text + " ");
    }
}

// Net worths with ties, given as (cash, stock value): the richest come first
// and equal worths keep index order, whatever order qsort sees them in.
TEST_F(StandingsTest, EqualNetWorthsKeepIndexOrder) {
    const int worth[MAX_PLAYERS][2] = {{3000, 2000}, {8000, 0}, {5000, 0}, {0, 8000}};
    for (int p = 0; p < MAX_PLAYERS; ++p) {
        players[p].cash = worth[p][0];
        players[p].stock_value = worth[p][1];
    }
    const std::array<int, MAX_PLAYERS> expected = {1, 3, 0, 2};
    std::array<int, MAX_PLAYERS> start = {0, 1, 2, 3};
    do {
        std::array<int, MAX_PLAYERS> order = start;
        std::qsort(order.data(), order.size(), sizeof order[0], by_net_worth);
        EXPECT_EQ(order, expected) << "from " << start[0] << start[1] << start[2] << start[3];
    } while (std::next_permutation(start.begin(), start.end()));
    const int richer = 1;
    const int poorer = 2;
    EXPECT_EQ(by_net_worth(&richer, &poorer), -1);
    EXPECT_EQ(by_net_worth(&poorer, &richer), 1);

    // Cash near the top of the int range: net worths are compared whole.
    players[0].cash = INT_MAX;
    players[0].stock_value = 10;
    players[1].cash = INT_MAX;
    players[1].stock_value = 0;
    const int first = 0;
    const int second = 1;
    EXPECT_EQ(by_net_worth(&first, &second), -1);

    // And on the screen, with shares making up part of the tie.
    reopen(25, 80, 1, 4);
    companies[2] = Company{"Capella Freight Co.", 100, 3};
    const int cash[MAX_PLAYERS] = {5000, 8000, 4000, 8000};
    const int shares[MAX_PLAYERS] = {0, 0, 10, 0};
    for (int p = 0; p < MAX_PLAYERS; ++p) {
        players[p].cash = cash[p];
        players[p].holdings[2] = shares[p];
    }
    type("k");
    show_standings(CURRENT);
    left_ = 10;
    const char *names[] = {"Player2", "Player4", "Player1", "Player3"};
    for (int r = 0; r < MAX_PLAYERS; ++r) EXPECT_EQ(shown(4 + r, 3, 7), names[r]) << "place " << r;
}

TEST_F(StandingsTest, AttributesFollowTheScheme) {
    struct {
        int color;
        attr_t border, title, header;
    } const schemes[] = {
        {1, pair_attr(PAIR_BLUE), A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), pair_attr(PAIR_WHITE_ON_BLUE)},
        {0, A_BOLD, A_REVERSE, A_REVERSE},
    };
    left_ = 10;
    for (const auto &s : schemes) {
        reopen(25, 80, s.color, 2);
        type("k");
        show_standings(CURRENT);
        EXPECT_EQ(shown_attr(0, 5), s.border);
        EXPECT_EQ(shown_attr(0, 0), s.border) << "corner";
        EXPECT_EQ(shown_attr(3, 0), s.border);
        EXPECT_EQ(shown_attr(3, 59), s.border);
        EXPECT_EQ(shown_attr(10, 30), s.border);
        EXPECT_EQ(shown_attr(0, 19), s.title);
        EXPECT_EQ(shown_attr(0, 39), s.title);
        EXPECT_EQ(shown_attr(2, 2), s.header);
        EXPECT_EQ(shown_attr(2, 57), s.header);
        EXPECT_EQ(shown_attr(4, 3), A_BOLD);
        EXPECT_EQ(shown_attr(4, 25), A_NORMAL);
        EXPECT_EQ(shown_attr(4, 48), A_BOLD);
        EXPECT_EQ(shown_attr(7, 10), A_NORMAL);
        EXPECT_EQ(shown_attr(9, 16), A_NORMAL);
    }
}

TEST_F(StandingsTest, CtrlLClosesAndCoveredWindowsAreStagedAgain) {
    reopen(25, 80, 1, 4);
    mvwaddstr(map_window, 6, 15, "MAPX");      // screen row 7, column 16
    mvwaddstr(coinfo_window, 6, 5, "COIN");    // screen row 7, column 44
    mvwaddstr(general_window, 2, 20, "GENX");  // screen row 15, column 21
    for (WINDOW *window : {map_window, coinfo_window, general_window}) wnoutrefresh(window);
    doupdate();
    type("\x0cz");  // Ctrl-L is a key like any other here
    show_standings(CURRENT);
    EXPECT_EQ(read_key(), 'z');
    EXPECT_EQ(text_at(newscr, 7, 16, 4), "MAPX");
    EXPECT_EQ(text_at(newscr, 7, 44, 4), "COIN");
    EXPECT_EQ(text_at(newscr, 15, 21, 4), "GENX");
    left_ = 10;
    EXPECT_EQ(shown(2, 2, 7), "=Player") << "the terminal still shows the standings until the next update";
}

TEST_F(StandingsTest, WindowAtTheLeftEdgeAndBeyondIt) {
    screen_cols = 59;  // column (59 - 60) / 2 truncates to 0
    type("k");
    show_standings(CURRENT);
    left_ = 0;
    EXPECT_EQ(shown(2, 2, 7), "=Player");

    screen_cols = 58;
    EXPECT_EXIT(show_standings(CURRENT), ::testing::ExitedWithCode(1),
                "^vegatrade: couldn't create standings window\n$");
}

TEST_F(StandingsTest, LostInputEndsTheProgram) {
    close_input();
    EXPECT_EXIT(show_standings(CURRENT), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$");
}

}  // namespace
