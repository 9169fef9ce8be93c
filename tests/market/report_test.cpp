// The detailed company report: a modal window of every active company.
#include <string>
#include <vector>

#include "market/market.h"
#include "market/modal_screen.h"
#include "ui/ui.h"

namespace {

using ReportTest = market_test::ModalTest<headless::CursesTest>;

char acs(chtype symbol) { return static_cast<char>(symbol & A_CHARTEXT); }

TEST_F(ReportTest, NoActiveCompanyShowsNothingAndReadsNoKey) {
    type("xy");
    more_coinfo();
    EXPECT_EQ(read_key(), 'x');
    EXPECT_EQ(text_at(newscr, 5, 14, 52), std::string(52, ' '));
    EXPECT_EQ(text_at(curscr, 5, 14, 52), std::string(52, ' '));
}

TEST_F(ReportTest, WindowListsActiveCompaniesInLetterOrder) {
    struct {
        std::vector<int> active;
    } const cases[] = {{{2}}, {{0, 1, 2, 3, 4}}, {{0, 2}}};
    left_ = 14;
    for (const auto &c : cases) {
        reopen(25, 80, 1, 2);
        for (const int i : c.active) {
            companies[i].price = 100 + i;
            companies[i].size = 10 + i;
        }
        const int n = static_cast<int>(c.active.size());
        type("k");
        more_coinfo();

        EXPECT_EQ(shown(0, 10, 32), "= Detailed Company Information =");
        EXPECT_EQ(shown(2, 0, 52), "| Company name          Price   Size   Total Worth |");
        EXPECT_EQ(shown(3, 1, 50), std::string(50, ' '));
        for (int r = 0; r < n; ++r) {
            const int i = c.active[static_cast<std::size_t>(r)];
            const std::string name = companies[i].name;
            EXPECT_EQ(shown(4 + r, 1, 23), " " + name + std::string(22 - name.size(), ' '));
            EXPECT_EQ(shown(4 + r, 24, 9), "$" + std::to_string(100 + i) + "     ");
            EXPECT_EQ(shown(4 + r, 33, 7), std::to_string(10 + i) + "     ");
            EXPECT_EQ(shown(4 + r, 40, 12), "$0" + std::string(9, ' ') + "|");
        }
        EXPECT_EQ(shown(n + 4, 1, 50), std::string(50, ' '));
        EXPECT_EQ(shown(n + 5, 11, 30), " Press any key to continue... ");

        // n + 7 rows and 52 columns at screen row 5, column 14.
        EXPECT_EQ(shown_char(0, 0), acs(ACS_ULCORNER));
        EXPECT_EQ(shown_char(0, 51), acs(ACS_URCORNER));
        EXPECT_EQ(shown_char(n + 6, 0), acs(ACS_LLCORNER));
        EXPECT_EQ(shown_char(n + 6, 51), acs(ACS_LRCORNER));
        EXPECT_EQ(shown(n + 6, 1, 50), std::string(50, '='));
        for (int r = 1; r < n + 6; ++r) {
            EXPECT_EQ(shown(r, -1, 2), " |") << "row " << r;
            EXPECT_EQ(shown(r, 51, 2), "| ") << "row " << r;
        }
        EXPECT_EQ(shown(n + 7, 0, 52), std::string(52, ' ')) << "nothing below the window";
    }
}

TEST_F(ReportTest, TotalWorthCountsEveryPlayersShares) {
    reopen(25, 80, 1, 3);
    companies[1] = Company{"Beetlejuice, Ltd.", 2000, 5};
    companies[3] = Company{"Denebola Shippers", 1000, 8};
    const int holdings[MAX_PLAYERS] = {10, 5, 1, 100};  // the fourth record does not play
    for (int p = 0; p < MAX_PLAYERS; ++p) players[p].holdings[1] = holdings[p];
    players[0].holdings[3] = 1500000;  // worth beyond the int range is shown clamped
    players[1].holdings[3] = 1500000;
    type("k");
    more_coinfo();
    left_ = 14;
    EXPECT_EQ(shown(4, 40, 11), "$32000     ");
    EXPECT_EQ(shown(5, 40, 11), "$" + std::to_string(INT_MAX));
}

TEST_F(ReportTest, AttributesFollowTheScheme) {
    struct {
        int color;
        attr_t border, title, header;
    } const schemes[] = {
        {1, pair_attr(PAIR_BLUE), A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), pair_attr(PAIR_WHITE_ON_BLUE)},
        {0, A_BOLD, A_REVERSE, A_REVERSE},
    };
    left_ = 14;
    for (const auto &s : schemes) {
        reopen(25, 80, s.color, 2);
        companies[0].size = companies[3].size = 1;
        type("k");
        more_coinfo();
        EXPECT_EQ(shown_attr(0, 0), s.border);
        EXPECT_EQ(shown_attr(0, 5), s.border);
        EXPECT_EQ(shown_attr(4, 0), s.border);
        EXPECT_EQ(shown_attr(8, 51), s.border);
        EXPECT_EQ(shown_attr(0, 11), s.title);
        EXPECT_EQ(shown_attr(0, 40), s.title);
        EXPECT_EQ(shown_attr(2, 1), s.header);
        EXPECT_EQ(shown_attr(2, 50), s.header);
        for (const int r : {0, 1}) {
            const int company = r == 0 ? 0 : 3;
            const attr_t name = s.color ? company_attr[static_cast<std::size_t>(company)] : A_NORMAL;
            EXPECT_EQ(shown_attr(4 + r, 2), name);
            EXPECT_EQ(shown_attr(4 + r, 23), name);
            EXPECT_EQ(shown_attr(4 + r, 24), A_NORMAL);
            EXPECT_EQ(shown_attr(4 + r, 39), A_NORMAL);
            EXPECT_EQ(shown_attr(4 + r, 40), A_BOLD);
            EXPECT_EQ(shown_attr(4 + r, 49), A_BOLD);
        }
        EXPECT_EQ(shown_attr(7, 12), A_NORMAL);
    }
}

TEST_F(ReportTest, CtrlLClosesAndCoveredWindowsAreStagedAgain) {
    for (int i = 0; i < NUM_COMPANIES; ++i) companies[i].size = 1;  // rows 5 to 16
    mvwaddstr(map_window, 6, 15, "MAPX");                           // screen row 7, column 16
    mvwaddstr(coinfo_window, 6, 5, "COIN");                         // screen row 7, column 44
    mvwaddstr(general_window, 2, 20, "GENX");                       // screen row 15, column 21
    for (WINDOW *window : {map_window, coinfo_window, general_window}) wnoutrefresh(window);
    doupdate();
    type("\x0cz");  // Ctrl-L is a key like any other here
    more_coinfo();
    EXPECT_EQ(read_key(), 'z');
    EXPECT_EQ(text_at(newscr, 7, 16, 4), "MAPX");
    EXPECT_EQ(text_at(newscr, 7, 44, 4), "COIN");
    EXPECT_EQ(text_at(newscr, 15, 21, 4), "GENX");
}

TEST_F(ReportTest, FailuresEndTheProgram) {
    companies[2].size = 1;
    screen_cols = 50;  // the window's column would be negative
    EXPECT_EXIT(more_coinfo(), ::testing::ExitedWithCode(1),
                "^vegatrade: couldn't create more_coinfo window\n$");
    screen_cols = 80;
    close_input();
    EXPECT_EXIT(more_coinfo(), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$");
}

}  // namespace
