// The move offers and the move prompt.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "flow/flow.h"
#include "galaxy_fixture.h"

namespace {

using galaxy_test::at;
using galaxy_test::GalaxyTest;

// People at every seat.
constexpr SeatPlayer PEOPLE[MAX_PLAYERS] = {};

const std::vector<std::string> &mixed_map = map_fixture::MIXED_MAP;
const std::vector<std::string> &starry_map = map_fixture::STARRY_MAP;
const auto &starry_offers = map_fixture::STARRY_OFFERS;
const int starry_founding_sites[] = {at(0, 0), at(3, 8), at(8, 6), at(9, 11)};

// Draws the offers from rand() and marks them, as the move prompt does.
int draw_and_mark(Game &game, int offers[NUM_MOVES]) {
    const int count = draw_offers(game, c_library_random(), offers);
    mark_offers(offers, count);
    return count;
}

// The offers as the rules draw them: one rand() per candidate, kept when
// open, new and (with every company active) not a founding site.
std::vector<int> replay_draw(const Game &game, unsigned seed) {
    bool all_active = true;
    for (int i = 0; i < NUM_COMPANIES; ++i) all_active = all_active && game.companies[i].size != 0;
    std::vector<int> offers;
    std::srand(seed);
    while (offers.size() < NUM_MOVES) {
        const int pos = std::rand() % 120;
        bool taken = false;
        for (const int offer : offers) taken = taken || offer == pos;
        if (!taken && game.galaxy[pos] == SECTOR_EMPTY && !(all_active && is_founding_site(game, pos)))
            offers.push_back(pos);
    }
    return offers;
}

// The offers stand on the map as their digits in reverse video; how they
// are drawn is the rules' (tests/rules/offers_test.cpp).
TEST_F(GalaxyTest, OffersAreMarkedWithTheirDigits) {
    std::vector<std::string> all_five = mixed_map;
    all_five[6] = "C.........D.";
    all_five[8] = "....E.......";
    for (const auto &map : {mixed_map, all_five}) {
        load_map(map);
        for (unsigned seed = 1; seed <= 5; ++seed) {
            draw_map(game);
            std::srand(seed);
            int offers[NUM_MOVES];
            ASSERT_EQ(draw_and_mark(game, offers), NUM_MOVES);
            for (int k = 0; k < NUM_MOVES; ++k) {
                EXPECT_EQ(map_char(offers[k]), '1' + k);
                EXPECT_EQ(map_attr(offers[k]), A_REVERSE);
            }
        }
    }
}

TEST_F(GalaxyTest, FewerThanFiveOffersAreMarkedAndFoundingSitesStayOpen) {
    // All five companies active: the three sectors that are not founding
    // sites are offered and marked; the founding sites show open space.
    load_map(starry_map);
    draw_map(game);
    int offers[NUM_MOVES];
    ASSERT_EQ(draw_and_mark(game, offers), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(offers[k], starry_offers[k]);
        EXPECT_EQ(map_char(offers[k]), '1' + k);
        EXPECT_EQ(map_attr(offers[k]), A_REVERSE);
    }
    for (const int pos : starry_founding_sites) EXPECT_EQ(map_char(pos), '.');
}

TEST_F(GalaxyTest, FewerThanFiveOffersTakeOnlyTheirOwnDigits) {
    load_map(starry_map);
    draw_map(game);
    std::srand(7);
    const int first_draw = std::rand();
    std::srand(7);
    type("04593");  // only the last key chooses

    EXPECT_EQ(prompt_for_move(), starry_offers[2]);

    EXPECT_EQ(keys_left(), "");
    EXPECT_EQ(std::rand(), first_draw) << "no random draw";
    EXPECT_EQ(general_row(2), " Player1, enter your move [1-3]:");
    for (const int pos : starry_offers) {
        EXPECT_EQ(map_char(pos), '.');
        EXPECT_EQ(map_attr(pos), A_NORMAL);
    }
}

TEST_F(GalaxyTest, NoOfferEndsTheGameWithoutReadingAKey) {
    std::vector<std::string> founding_sites_only = starry_map;
    for (const int pos : starry_offers) {
        founding_sites_only[static_cast<std::size_t>(pos / 12)][static_cast<std::size_t>(pos % 12)] = '*';
    }
    const std::vector<std::string> all_stars(10, "************");
    for (const auto &map : {founding_sites_only, all_stars}) {
        open_screen(25, 80, 1);
        load_map(map);
        type("1");
        Match match{};
        match.game = game;
        take_seats(match, PEOPLE);
        play_game(match);
        game = match.game;
        EXPECT_EQ(keys_left(), "1");
        EXPECT_EQ(game.current_player, 0) << "no turn was played";
    }
}

TEST_F(GalaxyTest, OffersStayThroughEveryHotkey) {
    const std::string up = headless::KEY_SEQ_UP;
    // A key that closes a dialog is a digit here, so a hotkey that failed to
    // open its dialog would choose that offer instead.
    // clang-format off
    struct {
        const char *what;
        std::string keys;
        int chosen;  // offer index
    } const cases[] = {
        {"a digit chooses", "4", 3},
        {"0, 6 to 9 and other keys are ignored", "06789xz\r\t" "2", 1},
        {"standings and report, both cases", "s1S2c3C4" "5", 4},
        {"Ctrl-L", "\x0c" "1", 0},
        {"declined quits: q, Q and Ctrl-C", "qn" "Q1" "\x03" "2" "3", 2},
        {"arrows, Page Up and F4 are no keys of the prompt",
         up + headless::KEY_SEQ_DOWN + headless::KEY_SEQ_LEFT + "\033[5~" + headless::KEY_SEQ_F4 + "3", 2},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, 80, 1);
        load_map(mixed_map);
        const std::vector<int> offers = replay_draw(game, 11);
        const int next = std::rand();
        draw_map(game);
        std::srand(11);
        type(c.keys);

        EXPECT_EQ(prompt_for_move(), offers[static_cast<std::size_t>(c.chosen)]);

        EXPECT_EQ(keys_left(), "");
        EXPECT_EQ(std::rand(), next) << "no new draw";
        for (const int pos : offers) {
            EXPECT_EQ(map_char(pos), '.');
            EXPECT_EQ(map_attr(pos), A_NORMAL) << "offered cells lose their colour";
        }
        for (int pos = 0; pos < 120; ++pos) {
            if (game.galaxy[pos] != SECTOR_EMPTY ||
                std::find(offers.begin(), offers.end(), pos) != offers.end())
                continue;
            EXPECT_EQ(map_attr(pos), pair_attr(PAIR_WHITE))
                << "other open cells keep their colour, pos " << pos;
        }
    }
}

TEST_F(GalaxyTest, CtrlLAtThePromptResendsTheWholeScreen) {
    // A repaint sends every cell of the 25 x 80 screen again; an ignored key
    // (F4 among them) sends next to nothing beyond what the choice itself costs.
    // clang-format off
    const struct {
        std::string keys;
        bool repaint;
    } cases[] = {
        {"\x0c" "1", true}, {std::string(headless::KEY_SEQ_F4) + "1", false},
        {"x" "1", false}, {"6" "1", false},
    };
    // clang-format on
    load_map(mixed_map);
    draw_map(game);
    type("1");
    prompt_for_move();  // the first prompt sends its whole screen
    for (const auto &c : cases) {
        type("1");
        const std::size_t plain = bytes_sent([this] { prompt_for_move(); });
        type(c.keys);
        const std::size_t sent = bytes_sent([this] { prompt_for_move(); });
        if (c.repaint) {
            EXPECT_GT(sent, plain + 2000) << c.keys.size() << " keys";
        } else {
            EXPECT_LT(sent, plain + 200) << c.keys.size() << " keys";
        }
    }
    EXPECT_EQ(keys_left(), "");
}

TEST_F(GalaxyTest, PromptShowsTheNameLiterally) {
    std::snprintf(game.players[0].name, sizeof game.players[0].name, "%s", "%s%n");
    game.players[0].cash = 1234;
    load_map(mixed_map);
    type("1");
    prompt_for_move();
    EXPECT_EQ(general_row(0), std::string(28, '/') + " %s%n (Cash: $1234) " + std::string(28, '/'));
    EXPECT_EQ(attr_at(general_window, 0, 29), A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE));
    EXPECT_EQ(general_row(2), " %s%n, enter your move [1-5]:");
    EXPECT_EQ(attr_at(general_window, 2, 2), A_NORMAL);
    EXPECT_EQ(getcury(general_window), 2);
    EXPECT_EQ(getcurx(general_window), 31) << "just after the prompt's closing blank";
}

TEST_F(GalaxyTest, LostInputAtThePromptEndsTheGame) {
    load_map(mixed_map);
    close_input();
    EXPECT_EXIT(prompt_for_move(), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$");
}

}  // namespace
