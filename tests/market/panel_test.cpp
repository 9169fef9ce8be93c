// The company panel: active companies two rows apart, with the mover's holdings.
#include <string>
#include <vector>

#include "market/market.h"
#include "support/screen.h"
#include "ui/ui.h"

namespace {

using headless::CursesTest;

constexpr const char *HEADER = " Company                Price  Holdings ";

TEST_F(CursesTest, PanelListsActiveCompaniesTwoRowsApart) {
    struct {
        std::vector<int> active;
    } const cases[] = {{{}}, {{3}}, {{0, 1, 2, 3, 4}}, {{0, 2}}};
    current_player = 1;
    for (const auto &c : cases) {
        for (int i = 0; i < NUM_COMPANIES; ++i) {
            companies[i].size = 0;
            companies[i].price = 100 * (i + 1);
            players[0].holdings[i] = 90 + i;
            players[1].holdings[i] = 10 + i;
        }
        for (const int i : c.active) companies[i].size = 3;
        for (int row = 0; row < 12; ++row) mvwaddstr(coinfo_window, row, 0, "stale stale stale");
        show_coinfo();

        EXPECT_EQ(text_at(coinfo_window, 0, 0, 40), HEADER);
        EXPECT_EQ(row_text(coinfo_window, 1), "");
        int row = 2;
        for (const int i : c.active) {
            const std::string name = companies[i].name;
            EXPECT_EQ(text_at(coinfo_window, row, 0, 24), " " + name + std::string(23 - name.size(), ' '));
            EXPECT_EQ(text_at(coinfo_window, row, 24, 8), "$" + std::to_string(100 * (i + 1)) + "    ");
            EXPECT_EQ(row_text(coinfo_window, row).substr(32), std::to_string(10 + i))
                << "the mover's holdings";
            EXPECT_EQ(row_text(coinfo_window, row + 1), "");
            row += 2;
        }
        if (c.active.empty()) {
            EXPECT_EQ(row_text(coinfo_window, 2), " no active companies");
            EXPECT_EQ(attr_at(coinfo_window, 2, 0), A_BOLD);
            EXPECT_EQ(attr_at(coinfo_window, 2, 19), A_BOLD);
            row = 3;
        }
        for (; row < 12; ++row) EXPECT_EQ(row_text(coinfo_window, row), "") << "row " << row;
    }
}

TEST_F(CursesTest, FiveDigitPricePushesOnlyItsOwnHoldingsRight) {
    companies[0] = Company{"Altair Starways", 12345, 2};
    companies[1] = Company{"Beetlejuice, Ltd.", 800, 2};
    players[0].holdings[0] = 7;
    players[0].holdings[1] = 12345;
    show_coinfo();
    EXPECT_EQ(row_text(coinfo_window, 2).substr(24), "$12345   7");
    EXPECT_EQ(row_text(coinfo_window, 4).substr(24), "$800    12345");
}

TEST_F(CursesTest, PanelAttributesFollowTheScheme) {
    for (const int color : {1, 0}) {
        use_color = color;
        for (int i = 0; i < NUM_COMPANIES; ++i) companies[i].size = 1;
        show_coinfo();
        const attr_t header = color ? pair_attr(PAIR_BLACK_ON_GREEN) : A_REVERSE;
        EXPECT_EQ(attr_at(coinfo_window, 0, 0), header);
        EXPECT_EQ(attr_at(coinfo_window, 0, 39), header);
        for (int i = 0; i < NUM_COMPANIES; ++i) {
            const int row = 2 + 2 * i;
            const attr_t name = color ? company_attr[static_cast<std::size_t>(i)] : A_NORMAL;
            EXPECT_EQ(attr_at(coinfo_window, row, 1), name) << "company " << i;
            EXPECT_EQ(attr_at(coinfo_window, row, 23), name) << "company " << i;
            EXPECT_EQ(attr_at(coinfo_window, row, 24), A_NORMAL);
            EXPECT_EQ(attr_at(coinfo_window, row, 32), A_NORMAL);
        }
    }
}

}  // namespace
