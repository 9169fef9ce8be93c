// A scripted game on a pinned galaxy, from the first key to the exit
// status. The test draws the galaxy, the first player and the offers itself,
// the way the game does (srand(time) for the galaxy; srand(getpid()), then
// rand() % players for the first player and one rand() % 120 per offer
// candidate), and plays a fixed script: Ann founds Altair Starways next to
// a star, buys all she can, Bob grows the company next to another star and
// buys three shares, and Ann quits at her next turn.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/game_driver.h"

namespace e2e {
namespace {

constexpr long long GALAXY_TIME = 1992;
constexpr long long GAME_PID = 1250;

// The sectors the script claims, by pos (row * 12 + column).
constexpr int FOUNDING_SECTOR = 3 * 12 + 11;  // a star to the south
constexpr int GROWTH_SECTOR = 3 * 12 + 10;    // the company to the east, a star to the west

using Galaxy = std::vector<std::string>;

char &sector(Galaxy &galaxy, int pos) {
    return galaxy[static_cast<std::size_t>(pos / 12)][static_cast<std::size_t>(pos % 12)];
}

// The game's offers while fewer than five companies are active: five
// different open sectors, one rand() % 120 per candidate.
std::vector<int> draw_offers(Galaxy galaxy) {
    std::vector<int> offers;
    while (offers.size() < 5) {
        const int pos = std::rand() % 120;
        if (sector(galaxy, pos) == '.' && std::find(offers.begin(), offers.end(), pos) == offers.end()) {
            offers.push_back(pos);
        }
    }
    return offers;
}

// The key that takes `pos`, which must be on offer.
std::string key_for(const std::vector<int> &offers, int pos) {
    const auto at = std::find(offers.begin(), offers.end(), pos);
    return at == offers.end() ? "" : std::to_string(at - offers.begin() + 1);
}

// A block of screen text: rows `top` to `bottom`, `width` columns from
// `left`, each row trimmed on the right, blank rows at the end dropped.
std::string block(const Terminal &t, int top, int bottom, int left, int width) {
    std::vector<std::string> rows;
    for (int row = top; row <= bottom; ++row) {
        std::string text = text_at(t, row, left, width);
        text.erase(text.find_last_not_of(' ') + 1);
        rows.push_back(text);
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    std::string joined;
    for (const std::string &row : rows) joined += "\n" + row;
    return joined;
}

// The general window's content (rows 14 to 22, columns 2 to 77), the
// company panel (rows 1 to 12 from column 39) and the map (rows 2 to 11).
std::string general(const Terminal &t) { return block(t, GENERAL_TOP + 1, GENERAL_TOP + 9, 2, 76); }
std::string panel(const Terminal &t) { return block(t, MAP_TOP, MAP_TOP + 11, PANEL_LEFT, 40); }

std::string map_rows(const Terminal &t) { return block(t, MAP_TOP + 1, MAP_TOP + 10, 1, 38); }

std::string expected_map(Galaxy galaxy, const std::vector<int> &offers) {
    for (std::size_t k = 0; k < offers.size(); ++k) sector(galaxy, offers[k]) = static_cast<char>('1' + k);
    std::string joined;
    for (const std::string &row : galaxy) {
        std::string line = "|";
        for (const char symbol : row) line += std::string(" ") + symbol + " ";
        joined += "\n" + line + "|";
    }
    return joined;
}

// Waits until a part of the screen reads `expected`; the game draws a
// screen in pieces, so a check waits for the whole of it.
::testing::AssertionResult shows(Terminal &t, const std::function<std::string(const Terminal &)> &part,
                                 const std::string &expected) {
    auto result = t.wait_for([&] { return part(t) == expected; }, kDefaultTimeout, "the text:" + expected);
    if (!result) result << "the part reads:" << part(t);
    return result;
}

std::function<std::string(const Terminal &)> window_at(int top, int bottom, int left, int width) {
    return [=](const Terminal &t) { return block(t, top, bottom, left, width); };
}

::testing::AssertionResult title_is(Terminal &t, const std::string &title) {
    const int column = 1 + (78 - static_cast<int>(title.size())) / 2;
    return t.wait_for(
        [&] { return text_at(t, GENERAL_TOP, column, static_cast<int>(title.size())) == title; },
        kDefaultTimeout, "the title \"" + title + "\"");
}

TEST(ScriptedGame, FoundGrowTradeAndQuitOnAPinnedGalaxy) {
    Galaxy galaxy = galaxy_for_seed(static_cast<unsigned>(GALAXY_TIME));
    std::srand(static_cast<unsigned>(GAME_PID));
    ASSERT_EQ(std::rand() % 2, 0) << "the script has Ann move first";
    const std::vector<int> first_offers = draw_offers(galaxy);
    const std::string found_key = key_for(first_offers, FOUNDING_SECTOR);
    ASSERT_NE(found_key, "") << "the founding sector is offered first";
    ASSERT_EQ(sector(galaxy, FOUNDING_SECTOR + 12), '*');

    Options options;
    options.args = {"-c"};
    options.pin_clock = PinnedClock{GALAXY_TIME, GAME_PID};
    Terminal t(options);
    ASSERT_TRUE(start_players(t, {"Ann", "Bob"}));

    // Ann's first move: the galaxy of the time seed with the five offers.
    ASSERT_TRUE(title_is(t, " Ann (Cash: $6000) "));
    EXPECT_TRUE(shows(t, general, "\n\n Ann, enter your move [1-5]:"));
    EXPECT_TRUE(shows(t, map_rows, expected_map(galaxy, first_offers)));
    for (const int pos : first_offers) {
        const Position at = sector_cell(pos / 12, pos % 12);
        EXPECT_TRUE(t.cell(at.row, at.col).reverse) << "offer at " << pos;
    }
    EXPECT_TRUE(shows(t, panel, "\n Company                Price  Holdings\n\n no active companies"));

    // The standings before anything happened: equal net worths in player
    // order, 65 sectors to go.
    t.type("s");
    ASSERT_TRUE(t.wait_for_text(5, "  Current Standings  "));
    EXPECT_TRUE(shows(t, window_at(6, 14, 11, 58), R"(

 =Player================Stock Value===Cash=====Net Worth=

  Ann                   $0          $6000      $6000
  Bob                   $0          $6000      $6000

         Available company sectors remaining: 65

               Press any key to continue...)"));
    t.type("x");
    ASSERT_TRUE(t.wait_for([&] { return t.screen_text().find("Current Standings") == std::string::npos; }));

    // Ann founds Altair Starways next to one star: price 100 + 500.
    t.type(found_key);
    ASSERT_TRUE(title_is(t, " Special Announcement! "));
    EXPECT_TRUE(shows(t, general, R"(

                  A new shipping company has been formed!

                        Its name is Altair Starways


                        Press any key to continue...)"));
    EXPECT_TRUE(t.cell(GENERAL_TOP, 28).blink);
    EXPECT_TRUE(
        shows(t, panel, "\n Company                Price  Holdings\n\n Altair Starways        $600    5"));
    sector(galaxy, FOUNDING_SECTOR) = 'A';
    EXPECT_TRUE(shows(t, map_rows, expected_map(galaxy, {})));
    const Position founded = sector_cell(FOUNDING_SECTOR / 12, FOUNDING_SECTOR % 12);
    EXPECT_TRUE(t.cell(founded.row, founded.col).bold);
    EXPECT_EQ(t.cell(founded.row, founded.col).fg, 4) << "company A is blue";

    // Her dividend, 5 shares x 5% of $600, then she buys all she can: 10.
    t.type("\r");
    ASSERT_TRUE(title_is(t, " Ann (Cash: $6150) "));
    EXPECT_TRUE(shows(t, general, R"(
     Arrow keys to select a company, return to trade, escape when done:

                   Altair Starways)"));
    t.type("\r");
    ASSERT_TRUE(t.wait_for_text(GENERAL_TOP + 3, "Amount (-5 to 10): "));
    t.type("m\r");
    ASSERT_TRUE(title_is(t, " Ann (Cash: $150) "));
    EXPECT_TRUE(
        shows(t, panel, "\n Company                Price  Holdings\n\n Altair Starways        $600    15"));
    EXPECT_TRUE(shows(t, window_at(GENERAL_TOP + 3, GENERAL_TOP + 3, 41, 37), "")) << "the prompt is cleared";
    t.type(key::Escape);

    // Bob's move grows the company next to a second star: 600 + 100 + 500.
    const std::vector<int> second_offers = draw_offers(galaxy);
    const std::string grow_key = key_for(second_offers, GROWTH_SECTOR);
    ASSERT_NE(grow_key, "") << "the growth sector is offered to Bob";
    ASSERT_EQ(sector(galaxy, GROWTH_SECTOR - 1), '*');
    ASSERT_TRUE(title_is(t, " Bob (Cash: $6000) "));
    EXPECT_TRUE(shows(t, general, "\n\n Bob, enter your move [1-5]:"));
    EXPECT_TRUE(shows(t, map_rows, expected_map(galaxy, second_offers)));
    EXPECT_TRUE(
        shows(t, panel, "\n Company                Price  Holdings\n\n Altair Starways        $600    0"));
    t.type(grow_key);
    ASSERT_TRUE(t.wait_for_text(GENERAL_TOP + 1, "Arrow keys to select a company"));
    ASSERT_TRUE(title_is(t, " Bob (Cash: $6000) "));
    EXPECT_TRUE(
        shows(t, panel, "\n Company                Price  Holdings\n\n Altair Starways        $1200   0"));
    sector(galaxy, GROWTH_SECTOR) = 'A';
    EXPECT_TRUE(shows(t, map_rows, expected_map(galaxy, {})));

    // The report counts every player's shares: Ann's 15 at $1200.
    t.type("c");
    ASSERT_TRUE(t.wait_for_text(5, " Detailed Company Information "));
    EXPECT_TRUE(shows(t, window_at(6, 11, 15, 50), R"(

 Company name          Price   Size   Total Worth

 Altair Starways       $1200    2      $18000

           Press any key to continue...)"));
    t.type(key::Down);
    ASSERT_TRUE(t.wait_for([&] { return t.screen_text().find("Detailed Company") == std::string::npos; }));
    t.type(key::Right);
    ASSERT_TRUE(t.wait_for_text(GENERAL_TOP + 3, "Amount (0 to 5): "));
    t.type("3\r");
    ASSERT_TRUE(title_is(t, " Bob (Cash: $2400) "));
    EXPECT_TRUE(
        shows(t, panel, "\n Company                Price  Holdings\n\n Altair Starways        $1200   3"));
    t.type(key::Escape);

    // Ann's turn again: a declined quit, then a confirmed one.
    const std::vector<int> third_offers = draw_offers(galaxy);
    ASSERT_TRUE(title_is(t, " Ann (Cash: $150) "));
    EXPECT_TRUE(shows(t, map_rows, expected_map(galaxy, third_offers)));
    EXPECT_TRUE(
        shows(t, panel, "\n Company                Price  Holdings\n\n Altair Starways        $1200   15"));
    t.type("q");
    ASSERT_TRUE(t.wait_for_text(7, "Are you sure you want to quit (y/n)? "));
    t.type("n");
    ASSERT_TRUE(t.wait_for([&] { return t.screen_text().find("Really Quit?") == std::string::npos; }));
    EXPECT_TRUE(shows(t, map_rows, expected_map(galaxy, third_offers)));
    t.type(key::CtrlC);
    ASSERT_TRUE(t.wait_for_text(5, " Really Quit? "));
    t.type("y");
    ASSERT_TRUE(t.wait_for_text(5, "  GAME OVER - Final Standings  "));
    EXPECT_TRUE(shows(t, window_at(6, 14, 11, 58), R"(

 =Player================Stock Value===Cash=====Net Worth=

  Ann                   $18000      $150       $18150
  Bob                   $3600       $2400      $6000

         Available company sectors remaining: 63

               Press any key to continue...)"));
    t.type("\r");
    const auto status = t.wait_exit();
    ASSERT_TRUE(status.has_value()) << t.dump();
    EXPECT_EQ(*status, ExitStatus::exited(2));
    EXPECT_EQ(t.stderr_text(), "");
    EXPECT_TRUE(t.modes_restored());
    const std::string &output = t.output_bytes();
    EXPECT_TRUE(output.ends_with(" v1.2.2 29-Mar-1997\r\n") || output.ends_with(" v1.2.2 29-Mar-1997\n"))
        << "the banner comes last";
}

}  // namespace
}  // namespace e2e
